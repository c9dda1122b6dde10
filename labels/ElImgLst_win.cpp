#include "labels/ElImgLst_win.h"

#include "framework/Bitmap_win.h"
#include "framework/Graphics_win.h"

namespace trimwell {

namespace {

// The platform draws a masked image by clearing the see-through pixels of the background and
// then adding the image's colours: the image itself must be black wherever the mask is white.
Bitmap BlackWhereSeeThrough(const ImageListCells& cells) {
    Bitmap image = cells.image;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (cells.SeeThrough(x, y)) image.SetPixel(x, y, 0);
    return image;
}

// A monochrome bitmap of the mask: rows of whole 16-bit words, a set bit where see-through.
UniqueBitmap MonochromeMask(const ImageListCells& cells) {
    const int w = cells.mask.Width(), h = cells.mask.Height();
    const std::size_t stride = static_cast<std::size_t>((w + 15) / 16) * 2;
    std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (cells.SeeThrough(x, y))
                bits[stride * static_cast<std::size_t>(y) + static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
    return UniqueBitmap(CreateBitmap(w, h, 1, 1, bits.data()));
}

COLORREF platformBkColor(TColor v) { return v == clNone ? CLR_NONE : ColorToRGB(v); }

}  // namespace

TElImageList::TElImageList(TComponent* owner) : TPersistentComponent(owner) { Recreate(); }

const PropertyTable& TElImageList::StaticPublished() {
    static const PropertyTable table = {
        Prop<TElImageList>("AllocBy", &TElImageList::SetAllocBy),
        Prop<TElImageList>("BkColor", &TElImageList::SetBkColor),
        Prop<TElImageList>("BlendColor", &TElImageList::SetBlendColor),
        Prop<TElImageList>("DrawingStyle", &TElImageList::SetDrawingStyle),
        Prop<TElImageList>("Height", &TElImageList::SetHeight),
        Prop<TElImageList>("ImageType", &TElImageList::SetImageType),
        Prop<TElImageList>("Masked", &TElImageList::SetMasked),
        Prop<TElImageList>("ShareImages", &TElImageList::SetShareImages),
        Prop<TElImageList>("Width", &TElImageList::SetWidth),
        // Stored after the published properties, so the cells have their size when the pictures come.
        Prop<TElImageList>("Left", &TElImageList::SetDesignLeft),
        Prop<TElImageList>("Top", &TElImageList::SetDesignTop),
        Prop<TElImageList>("Bitmap", &TElImageList::SetBitmap),
    };
    return table;
}
const PropertyTable& TElImageList::Published() const { return StaticPublished(); }

void TElImageList::SetBkColor(TColor v) {
    bkColor_ = v;
    if (handle_) ImageList_SetBkColor(handle_.get(), platformBkColor(v));
}

void TElImageList::Recreate() {
    cells_ = ImageListCells{width_, height_, {}, {}};
    handle_.reset();
    built_ = false;
    Change();
}

HIMAGELIST TElImageList::Handle() const {
    buildPlatformList();
    return handle_.get();
}

int TElImageList::Count() const {
    buildPlatformList();
    return handle_ ? ImageList_GetImageCount(handle_.get()) : 0;
}

void TElImageList::Change() {
    if (OnChange) OnChange(*this);
}

void TElImageList::SetBitmap(Bytes stream) {
    ImageListCells cells = ReadImageListStream(stream, width_, height_);
    Recreate();
    cells_ = std::move(cells);
    Change();
}

Bytes TElImageList::BitmapStream() const {
    if (cells_.Count() == 0) return {};
    return WriteImageListStream(cells_);
}

// The whole strip with its mask in one step; the platform list cuts it into cells.
void TElImageList::buildPlatformList() const {
    if (built_) return;
    built_ = true;
    handle_.reset(ImageList_Create(width_, height_, ILC_COLOR32 | (masked_ ? ILC_MASK : 0), 0, allocBy_));
    if (!handle_) return;
    ImageList_SetBkColor(handle_.get(), platformBkColor(bkColor_));
    if (cells_.Count() == 0) return;
    const UniqueHBitmap image = ToDibSection(BlackWhereSeeThrough(cells_));
    const UniqueBitmap mask = MonochromeMask(cells_);
    ImageList_Add(handle_.get(), image.get(), masked_ ? mask.get() : nullptr);
}

void TElImageList::Draw(HDC dc, int x, int y, int index) const {
    buildPlatformList();
    if (handle_) ImageList_Draw(handle_.get(), index, dc, x, y, ILD_TRANSPARENT);
}

}  // namespace trimwell
