#include "framework/ImageList_win.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/Bitmap_win.h"
#include "framework/Graphics_win.h"
#include "platform/Resources_win.h"

namespace trimwell {

namespace {
void destroyIcon(HICON icon) { DestroyIcon(icon); }
HICON noIcon() { return nullptr; }
using IconOwner = UniqueHandle<HICON, destroyIcon, noIcon>;
}  // namespace

// 24-bit colour by default: a picture's fourth byte is then not an alpha channel, and a 32-bit
// list would blend with it.
TCustomImageList::TCustomImageList(int width, int height, TImageListDepth depth)
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1),
      handle_(ImageList_Create(width_, height_,
                               (depth == TImageListDepth::Colour32Alpha ? ILC_COLOR32 : ILC_COLOR24) | ILC_MASK, 1, 4)) {
    if (handle_) ImageList_SetBkColor(handle_.get(), CLR_NONE);
}

int TCustomImageList::AddMasked(HBITMAP picture, COLORREF maskColor) {
    if (!handle_ || picture == nullptr) return -1;
    return ImageList_AddMasked(handle_.get(), picture, maskColor);
}

int TCustomImageList::AddMasked(const Bitmap& picture, COLORREF maskColor) {
    const UniqueHBitmap dib = ToDibSection(picture);
    return dib ? AddMasked(dib.get(), maskColor) : -1;
}

int TCustomImageList::Add(HBITMAP picture, HBITMAP mask) {
    if (!handle_ || picture == nullptr) return -1;
    return ImageList_Add(handle_.get(), picture, mask);
}

namespace {

// The mask of a 32-bit DIB section: set where the alpha is below half.
UniqueBitmap maskFromAlpha(const DIBSECTION& dib) {
    const int w = dib.dsBm.bmWidth, h = std::abs(dib.dsBm.bmHeight);
    const auto* pixels = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
    const int maskStride = ((w + 15) / 16) * 2;  // monochrome rows are word-aligned
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(maskStride) * h, 0);
    for (int y = 0; y < h; ++y) {
        const int row = dib.dsBmih.biHeight > 0 ? h - 1 - y : y;  // bottom-up storage
        for (int x = 0; x < w; ++x)
            if ((pixels[static_cast<std::size_t>(row) * w + x] >> 24) < 128)
                bits[static_cast<std::size_t>(y) * maskStride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    return UniqueBitmap(CreateBitmap(w, h, 1, 1, bits.data()));
}

}  // namespace

int TCustomImageList::AddWithAlpha(HBITMAP picture) {
    DIBSECTION dib{};
    if (!handle_ || picture == nullptr || GetObjectW(picture, sizeof dib, &dib) != sizeof dib ||
        dib.dsBm.bmBitsPixel != 32 || dib.dsBm.bmBits == nullptr)
        return -1;
    const UniqueBitmap mask = maskFromAlpha(dib);
    return mask ? Add(picture, mask.get()) : -1;
}

void TCustomImageList::Draw(HDC dc, int x, int y, int index) const {
    if (handle_) ImageList_Draw(handle_.get(), index, dc, x, y, ILD_TRANSPARENT);
}

// The platform's disabled look: the picture's shape embossed in the shadow and highlight colours.
void TCustomImageList::DrawGreyed(HDC dc, int x, int y, int index) const {
    if (!handle_) return;
    const IconOwner icon(ImageList_GetIcon(handle_.get(), index, ILD_TRANSPARENT));
    if (!icon) return;
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.get()), 0, x, y, width_, height_,
               DST_ICON | DSS_DISABLED);
}

int TCustomImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_.get()) : 0; }

TImageList::TImageList(TComponent* owner)
    : TPersistentComponent(owner), list_(16, 16, TImageListDepth::Colour32Alpha) {}

const PropertyTable& TImageList::StaticPublished() {
    // The cells' size before the pictures, so that these are cut into cells of that size.
    static const PropertyTable table = {
        Prop<TImageList>("Height", &TImageList::SetHeight),
        Prop<TImageList>("Width", &TImageList::SetWidth),
        Prop<TImageList>("Picture", &TImageList::SetPicture),
    };
    return table;
}
const PropertyTable& TImageList::Published() const { return StaticPublished(); }

void TImageList::Recreate(int width, int height) {
    if (width == list_.Width() && height == list_.Height()) return;
    list_ = TCustomImageList(width, height, TImageListDepth::Colour32Alpha);
}

void TImageList::SetWidth(int v) { Recreate(v, list_.Height()); }
void TImageList::SetHeight(int v) { Recreate(list_.Width(), v); }

void TImageList::SetPicture(std::string resourceName) {
    list_ = TCustomImageList(list_.Width(), list_.Height(), TImageListDepth::Colour32Alpha);
    const UniqueBitmap strip = LoadBitmapResource(resourceName);
    if (strip) list_.AddWithAlpha(strip.get());
}

}  // namespace trimwell
