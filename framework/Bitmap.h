#pragma once
// A portable picture of 32-bit pixels with a reader and writer for Windows BMP files.
//
// Pixels are stored top-down, one 32-bit value per pixel in the memory layout of a 32-bit DIB:
// 0xAARRGGBB (blue in the lowest byte). The colours the rest of the program passes around are
// COLORREF values (0x00BBGGRR); `ColorRefToPixel` and `PixelToColorRef` convert between the two.
//
// Loading a skin picture:
//     trimwell::Bitmap bmp = trimwell::ReadBmp(bytes);      // throws EBitmapError when malformed
//     std::uint32_t c = trimwell::PixelToColorRef(bmp.Pixel(0, 0));
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace trimwell {

class EBitmapError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr std::uint32_t ColorRefToPixel(std::uint32_t colorRef) {
    return ((colorRef & 0xFFu) << 16) | (colorRef & 0xFF00u) | ((colorRef >> 16) & 0xFFu);
}
constexpr std::uint32_t PixelToColorRef(std::uint32_t pixel) {
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

class Bitmap {
public:
    // Pictures larger than this in either direction are refused, so that a forged header cannot
    // make the program allocate gigabytes.
    static constexpr int kMaxSide = 16384;
    // A BMP file read from outside may hold at most this many pixels (64 MB as 32-bit pixels).
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 24;

    Bitmap() = default;
    // A width x height picture filled with `fill`; throws EBitmapError on a negative or oversized side.
    Bitmap(int width, int height, std::uint32_t fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // Depth of the file the picture was read from (1, 4, 8, 24 or 32); 32 for a picture made here.
    int SourceBitsPerPixel() const { return sourceBitsPerPixel_; }
    void SetSourceBitsPerPixel(int bits) { sourceBitsPerPixel_ = bits; }

    // Unchecked access; x and y must lie inside the picture.
    std::uint32_t Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
    void SetPixel(int x, int y, std::uint32_t pixel) { pixels_[Index(x, y)] = pixel; }
    std::uint32_t* Row(int y) { return pixels_.data() + Index(0, y); }
    const std::uint32_t* Row(int y) const { return pixels_.data() + Index(0, y); }

    std::span<std::uint32_t> Pixels() { return pixels_; }
    std::span<const std::uint32_t> Pixels() const { return pixels_; }

    // Same size and same pixels; the source depth does not count.
    friend bool operator==(const Bitmap& a, const Bitmap& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    int sourceBitsPerPixel_ = 32;
    std::vector<std::uint32_t> pixels_;
};

// Reads a complete BMP file (file header, info header, optional palette, pixels). Accepts
// uncompressed 1, 4, 8, 24 and 32 bits per pixel, bottom-up or top-down, with info headers of 40
// bytes or more (and the old 12-byte core header). Anything else, or any field that points outside
// the bytes, throws EBitmapError; nothing is read outside `bytes`.
Bitmap ReadBmp(std::span<const std::uint8_t> bytes);

// Reads a packed DIB, the form a bitmap resource takes: a BMP file without its file header, the
// pixels following the info header, colour table and bit-field masks. Checked as ReadBmp.
Bitmap ReadPackedDib(std::span<const std::uint8_t> bytes);

// A bottom-up BMP file of the picture: 24 bits per pixel drops the top byte, 32 keeps it, 1 keeps
// black and white (each pixel white when its colour lies nearer white), as masks are stored.
std::vector<std::uint8_t> WriteBmp(const Bitmap& bitmap, int bitsPerPixel = 32);

// A bitmap the program carries by name (a built-in style's picture), or nothing when there is
// none or it cannot be read.
std::optional<Bitmap> LoadProgramBitmap(std::string_view name);

}  // namespace trimwell
