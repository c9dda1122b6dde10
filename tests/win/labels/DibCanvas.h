#pragma once
// A white 32-bit bitmap on a memory DC whose pixels the tests read back directly.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : w_(width), h_(height) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bmp_);
        Fill(fill);
    }
    ~DibCanvas() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return w_; }
    int height() const { return h_; }
    void Fill(COLORREF c) {
        GdiFlush();
        for (int i = 0; i < w_ * h_; ++i) bits_[i] = ToPixel(c);
    }
    COLORREF at(int x, int y) const {
        GdiFlush();
        const std::uint32_t p = bits_[y * w_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Number of pixels in a rectangle for which `match` holds.
    int Count(RECT r, const std::function<bool(COLORREF)>& match) const {
        int n = 0;
        for (int y = std::max<LONG>(0, r.top); y < std::min<LONG>(h_, r.bottom); ++y)
            for (int x = std::max<LONG>(0, r.left); x < std::min<LONG>(w_, r.right); ++x)
                n += match(at(x, y)) ? 1 : 0;
        return n;
    }
    int CountColor(RECT r, COLORREF c) const {
        return Count(r, [c](COLORREF p) { return p == c; });
    }
    static bool IsDark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128; }
    int CountDark(RECT r) const { return Count(r, IsDark); }
    int All(RECT r) const { return (r.right - r.left) * (r.bottom - r.top); }

private:
    static std::uint32_t ToPixel(COLORREF c) {
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    int w_, h_;
    HDC dc_ = nullptr;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// With TRIMWELL_SHOT_DIR set, keeps a picture of what was checked.
inline void SaveShot(const DibCanvas& c, const char* name) {
    const char* dir = std::getenv("TRIMWELL_SHOT_DIR");
    if (!dir) return;
    std::ofstream out(std::string(dir) + "/" + name, std::ios::binary);
    const int rowBytes = c.width() * 3 + (4 - c.width() * 3 % 4) % 4;
    const int size = 54 + rowBytes * c.height();
    auto put = [&](std::uint32_t v, int n) { for (int i = 0; i < n; ++i) out.put(static_cast<char>(v >> (8 * i))); };
    out << "BM";
    put(size, 4); put(0, 4); put(54, 4); put(40, 4); put(c.width(), 4); put(c.height(), 4);
    put(1, 2); put(24, 2); put(0, 4); put(rowBytes * c.height(), 4); put(2835, 4); put(2835, 4); put(0, 4); put(0, 4);
    for (int y = c.height() - 1; y >= 0; --y) {
        for (int x = 0; x < c.width(); ++x) {
            const COLORREF p = c.at(x, y);
            out.put(static_cast<char>(GetBValue(p))).put(static_cast<char>(GetGValue(p))).put(static_cast<char>(GetRValue(p)));
        }
        for (int i = c.width() * 3; i < rowBytes; ++i) out.put(0);
    }
}
