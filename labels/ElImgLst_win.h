#pragma once
// TElImageList: the platform image list with its pictures kept in stored layouts as an
// image-list stream (the "Bitmap" property; see labels/ElImgLst.h).
//
//     Row<TElImageList>("imgListClose", "", {{"Height", 22}, {"Width", 30}, {"Bitmap", stream}})
// Height and Width come before Bitmap, so the stream is cut into cells of the list's size. A
// change of either empties the list, as the platform's own lists do.
#include <windows.h>

#include <commctrl.h>

#include "framework/Controls_win.h"
#include "framework/Layout.h"
#include "labels/ElImgLst.h"

namespace trimwell {

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TElImageList : public TPersistentComponent {
public:
    explicit TElImageList(TComponent* owner);
    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int v) { RecreateOnChange(width_, v); }
    void SetHeight(int v) { RecreateOnChange(height_, v); }
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor v);
    TColor BlendColor() const { return blendColor_; }
    void SetBlendColor(TColor v) { blendColor_ = v; }
    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int v) { allocBy_ = v; }
    TDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle v) { drawingStyle_ = v; }
    TImageType ImageType() const { return imageType_; }
    void SetImageType(TImageType v) { imageType_ = v; }
    bool Masked() const { return masked_; }
    void SetMasked(bool v) { RecreateOnChange(masked_, v); }
    bool ShareImages() const { return shareImages_; }
    void SetShareImages(bool v) { shareImages_ = v; }
    // Where the list sat in the form designer: the low and high halves of its design information.
    int DesignLeft() const { return static_cast<std::int16_t>(designInfo_ & 0xFFFF); }
    int DesignTop() const { return static_cast<std::int16_t>(designInfo_ >> 16); }
    void SetDesignLeft(int v) { designInfo_ = (designInfo_ & 0xFFFF0000u) | (static_cast<std::uint32_t>(v) & 0xFFFFu); }
    void SetDesignTop(int v) { designInfo_ = (designInfo_ & 0xFFFFu) | (static_cast<std::uint32_t>(v) << 16); }
    // Replaces the pictures with those of an image-list stream; throws EElImageListError for a
    // stream it refuses, leaving the list as it was.
    void SetBitmap(Bytes stream);
    // The list's pictures as a version -4 stream (empty for an empty list, which stores none).
    Bytes BitmapStream() const;

    // The platform's list is made when first asked for: a list only hovered or pressed buttons
    // draw from costs nothing at start.
    HIMAGELIST Handle() const;
    int Count() const;
    // Draws image `index` with its mask at (x, y).
    void Draw(HDC dc, int x, int y, int index) const;

    TNotifyEvent OnChange;

private:
    static void destroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }
    static HIMAGELIST noImageList() { return nullptr; }
    // A new cell size or kind of list empties it, as the platform's lists do.
    template <typename V>
    void RecreateOnChange(V& field, V value) {
        if (field == value) return;
        field = value;
        Recreate();
    }
    void Recreate();
    void Change();
    void buildPlatformList() const;

    int width_ = 16, height_ = 16;
    TColor bkColor_ = clNone, blendColor_ = clNone;
    int allocBy_ = 4;
    TDrawingStyle drawingStyle_ = dsNormal;
    TImageType imageType_ = itImage;
    bool masked_ = true;
    bool shareImages_ = false;
    std::uint32_t designInfo_ = 0;
    ImageListCells cells_;
    mutable UniqueHandle<HIMAGELIST, destroyImageList, noImageList> handle_;
    mutable bool built_ = false;  // handle_ holds the list of the present cells and settings
};

}  // namespace trimwell
