#include "framework/Bitmap_win.h"

#include <cstring>

#include "framework/Graphics_win.h"

namespace trimwell {

namespace {

BITMAPINFO TopDown32Info(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

UniqueHBitmap ToDibSection(const Bitmap& bitmap) {
    if (bitmap.Empty()) return {};
    const BITMAPINFO info = TopDown32Info(bitmap.Width(), bitmap.Height());
    void* bits = nullptr;
    UniqueHBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) return {};
    GdiFlush();
    std::memcpy(bits, bitmap.Pixels().data(), bitmap.Pixels().size_bytes());
    return dib;
}

void DrawBitmapPart(HDC dc, const Bitmap& bitmap, const RECT& part) {
    const RECT whole{0, 0, bitmap.Width(), bitmap.Height()};
    RECT r{};
    if (!IntersectRect(&r, &part, &whole)) return;
    // The rows of the part alone make the source picture: whether a platform counts the source's
    // rows from its top or its bottom, all of them are taken.
    const int w = r.right - r.left, h = r.bottom - r.top;
    const BITMAPINFO info = TopDown32Info(bitmap.Width(), h);
    StretchDIBits(dc, r.left, r.top, w, h, r.left, 0, w, h, bitmap.Row(r.top), &info, DIB_RGB_COLORS, SRCCOPY);
}

// GetDIBits into a top-down 32-bit buffer converts any source; from a 32-bit DIB it copies all
// four bytes, so alpha survives the round trip.
Bitmap FromHBitmap(HBITMAP handle) {
    BITMAP header{};
    if (!handle || GetObjectW(handle, sizeof header, &header) == 0)
        throw EBitmapError("Not a bitmap handle");
    const int height = header.bmHeight < 0 ? -header.bmHeight : header.bmHeight;
    Bitmap out(header.bmWidth, height);
    if (out.Empty()) return out;

    BITMAPINFO info = TopDown32Info(out.Width(), out.Height());
    const WindowDC screen(nullptr);
    const int lines = GetDIBits(screen.get(), handle, 0, static_cast<UINT>(out.Height()), out.Pixels().data(), &info,
                                DIB_RGB_COLORS);
    if (lines != out.Height()) throw EBitmapError("GDI could not read the bitmap");
    return out;
}

}  // namespace trimwell
