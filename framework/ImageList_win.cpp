#include "framework/ImageList_win.h"

#include "framework/Bitmap_win.h"
#include "framework/Graphics_win.h"

namespace trimwell {

namespace {
void destroyIcon(HICON icon) { DestroyIcon(icon); }
HICON noIcon() { return nullptr; }
using IconOwner = UniqueHandle<HICON, destroyIcon, noIcon>;
}  // namespace

// 24-bit colour: the pictures' fourth byte is not an alpha channel, and a 32-bit list would
// blend with it.
TCustomImageList::TCustomImageList(int width, int height)
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1),
      handle_(ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 1, 4)) {
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

}  // namespace trimwell
