#pragma once
// A list of equally sized pictures drawn with a mask: the platform's image list behind an owner.
//
//   TCustomImageList list(16, 16);
//   list.AddMasked(picture, RGB(255, 0, 255));   // pixels of that colour are see-through
//   list.Add(picture, mask);                     // or a monochrome mask: set bits see-through
//   list.Draw(dc, x, y, 0);                      // masked
//   list.DrawGreyed(dc, x, y, 0);                // the embossed grey of a disabled control
// A picture wider than the list's width adds one image per width, left to right.
#include <windows.h>

#include <commctrl.h>

#include "framework/Bitmap.h"
#include "framework/Handles_win.h"

namespace trimwell {

class TCustomImageList {
public:
    TCustomImageList(int width, int height);

    // Index of the first image added, or -1 when the platform refused.
    int AddMasked(HBITMAP picture, COLORREF maskColor);
    int AddMasked(const Bitmap& picture, COLORREF maskColor);
    int Add(HBITMAP picture, HBITMAP mask);

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

}  // namespace trimwell
