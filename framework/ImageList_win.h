#pragma once
// A list of equally sized pictures drawn with a mask: the platform's image list behind an owner.
//
//   TCustomImageList list(16, 16);
//   list.AddMasked(picture, RGB(255, 0, 255));   // pixels of that colour are see-through
//   list.Add(picture, mask);                     // or a monochrome mask: set bits see-through
//   list.Draw(dc, x, y, 0);                      // masked
//   list.DrawGreyed(dc, x, y, 0);                // the embossed grey of a disabled control
// A picture wider than the list's width adds one image per width, left to right.
//
// TImageList is the component a stored layout holds: its cells' size and the name of the bitmap
// resource that holds its pictures side by side, with their alpha.
//   Row<TImageList>("imgTreeIcos", "", {{"Height", 16}, {"Width", 16}, {"Picture", "TREEICONS"}})
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/Bitmap.h"
#include "platform/Handles_win.h"
#include "framework/Layout.h"

namespace trimwell {

// How a list keeps its pictures' colour.
enum class TImageListDepth {
    Colour24,      // the fourth byte of a 32-bit picture is not an alpha channel
    Colour32Alpha  // the fourth byte is the alpha: pictures are blended at their anti-aliased edges
};

class TCustomImageList {
public:
    TCustomImageList(int width, int height, TImageListDepth depth = TImageListDepth::Colour24);

    // Index of the first image added, or -1 when the platform refused.
    int AddMasked(HBITMAP picture, COLORREF maskColor);
    int AddMasked(const Bitmap& picture, COLORREF maskColor);
    int Add(HBITMAP picture, HBITMAP mask);
    // A 32-bit DIB section whose fourth byte is its alpha, masked where the alpha is below half.
    int AddWithAlpha(HBITMAP picture);

    void Draw(HDC dc, int x, int y, int index) const;
    void DrawGreyed(HDC dc, int x, int y, int index) const;

    int Count() const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    HIMAGELIST Handle() const { return handle_.get(); }

private:
    static void destroy(HIMAGELIST list) { ImageList_Destroy(list); }
    static HIMAGELIST none() { return nullptr; }
    int width_, height_;
    UniqueHandle<HIMAGELIST, destroy, none> handle_;
};

class TImageList : public TPersistentComponent {
public:
    explicit TImageList(TComponent* owner);
    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    // A change of the cells' size empties the list, as the platform's own lists do.
    void SetWidth(int v);
    void SetHeight(int v);
    // Replaces the pictures with those of a 32-bit bitmap resource of the program, cut into
    // cells from the left; a missing or other resource leaves the list empty.
    void SetPicture(std::string resourceName);

    int Width() const { return list_.Width(); }
    int Height() const { return list_.Height(); }
    int Count() const { return list_.Count(); }
    HIMAGELIST Handle() const { return list_.Handle(); }

private:
    void Recreate(int width, int height);
    TCustomImageList list_;
};

}  // namespace trimwell
