#include "framework/Bitmap_win.h"

#include <cstring>

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

// A 32-bit DIB section's memory is read directly: GetDIBits may treat the top byte as unused.
bool CopyFrom32BitDibSection(HBITMAP handle, Bitmap& out) {
    DIBSECTION section{};
    if (GetObjectW(handle, sizeof section, &section) != sizeof section) return false;
    if (section.dsBm.bmBitsPixel != 32 || section.dsBmih.biCompression != BI_RGB || !section.dsBm.bmBits)
        return false;
    const bool topDown = section.dsBmih.biHeight < 0;
    const auto* bits = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
    for (int row = 0; row < out.Height(); ++row) {
        const int y = topDown ? row : out.Height() - 1 - row;
        std::memcpy(out.Row(y), bits + static_cast<std::size_t>(row) * section.dsBm.bmWidthBytes,
                    static_cast<std::size_t>(out.Width()) * 4);
    }
    return true;
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

Bitmap FromHBitmap(HBITMAP handle) {
    BITMAP header{};
    if (!handle || GetObjectW(handle, sizeof header, &header) == 0)
        throw EBitmapError("Not a bitmap handle");
    const int height = header.bmHeight < 0 ? -header.bmHeight : header.bmHeight;
    Bitmap out(header.bmWidth, height);
    if (out.Empty() || CopyFrom32BitDibSection(handle, out)) return out;

    BITMAPINFO info = TopDown32Info(out.Width(), out.Height());
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, handle, 0, static_cast<UINT>(out.Height()), out.Pixels().data(), &info,
                                DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != out.Height()) throw EBitmapError("GDI could not read the bitmap");
    return out;
}

}  // namespace trimwell
