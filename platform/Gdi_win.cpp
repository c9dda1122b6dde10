#include "platform/Gdi_win.h"

namespace trimwell {

OffscreenBuffer::OffscreenBuffer(HDC reference, int width, int height)
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1),
      dc_(CreateCompatibleDC(reference)),
      bitmap_(CreateCompatibleBitmap(reference, width_, height_)) {
    if (dc_ && bitmap_) oldBitmap_ = SelectObject(dc_.get(), bitmap_.get());
}

void OffscreenBuffer::CopyTo(HDC target, int x, int y) const {
    BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace trimwell
