#pragma once
// The image-list stream: how an image list keeps its pictures in a stored window layout (its
// "Bitmap" property), read in every version the control library has written and written in the
// current one.
//
// A stream starts with a signed 32-bit version-or-count V (all integers little-endian):
//   V = -4  count, then an image block and a mask block holding every cell side by side;
//   V = -3  count, then one image block and one mask block per image;
//   V = -1, -2  count, then a plain BMP file and a plain mask BMP file per image;
//   V >= 0  V plain BMP files; each image's mask is derived from the image itself.
// A block is: compressed length C, C bytes of run-length data, uncompressed length U, unit code T
// (8, 15/16, 24 or 32: units of 1, 2, 3 or 4 bytes; any other code decodes nothing). Each run
// is a control byte k and n = (k & 0x7F) + 1 units: one unit repeated n times when bit 7 is set,
// else n literal units. Runs go on until U bytes are out; bytes past U are dropped, as the last
// unit may reach past a length that is not a multiple of the unit.
//
//     ImageListCells cells = ReadImageListStream(bytes, 30, 22);   // throws EElImageListError
//     Bytes stored = WriteImageListStream(cells);                  // always version -4
//
// The bytes come from outside: every length, count and BMP header is checked against the bytes
// that are there and against a pixel budget, so a forged stream is refused rather than read past
// its end or allowed to ask for gigabytes.
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "framework/Bitmap.h"

namespace trimwell {

class EElImageListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kImageListLoadFailed = "Failed to load ElImageList";
inline constexpr const char* kImageListWriteFailed = "Failed to write ElImageList: ";

// Mask pixels: the platform's monochrome masks are white where the picture is see-through.
inline constexpr std::uint32_t kMaskSeeThrough = 0x00FFFFFFu;
inline constexpr std::uint32_t kMaskOpaque = 0x00000000u;

// The pictures of an image list: `Count()` cells of CellWidth x CellHeight side by side in one
// image strip, and a mask strip of the same size holding kMaskSeeThrough or kMaskOpaque.
struct ImageListCells {
    int cellWidth = 16;
    int cellHeight = 16;
    Bitmap image;
    Bitmap mask;

    int Count() const { return cellWidth > 0 ? image.Width() / cellWidth : 0; }
    bool SeeThrough(int x, int y) const { return mask.Pixel(x, y) == kMaskSeeThrough; }
};

// Bytes per unit for a unit code; 0 for a code that decodes nothing.
int RunLengthUnitSize(std::int32_t unitCode);

// Exactly `length` bytes from run-length data (nothing for a code that decodes nothing). Throws
// EElImageListError when the runs end before `length` bytes or a run is cut short.
std::vector<std::uint8_t> DecodeRunLength(std::span<const std::uint8_t> runs, std::uint32_t length,
                                          std::int32_t unitCode);

// Run-length data for `bytes` in units of `unitSize` (1 to 4) bytes; a last partial unit is
// padded with zeros. Repeat runs take 2 to 128 equal units, literal runs 1 to 128 units.
std::vector<std::uint8_t> EncodeRunLength(std::span<const std::uint8_t> bytes, int unitSize);

// The pixels a stream's pictures may decode to in total, far above any real image list's.
inline constexpr std::int64_t kImageListPixelBudget = Bitmap::kMaxPixels;

// The cells of a stream for a list of cellWidth x cellHeight cells, as the platform image list
// ends up holding them: a strip as high as a cell is cut across, one cell per cellWidth, and
// cells beyond the count are dropped; a strip of another height is cut row by row and column by
// column until the count is reached. Throws EElImageListError: with kImageListLoadFailed alone
// when a list of plain BMP files holds another number of images than its count, with the reason
// after it for a malformed stream.
ImageListCells ReadImageListStream(std::span<const std::uint8_t> stream, int cellWidth, int cellHeight,
                                   std::int64_t pixelBudget = kImageListPixelBudget);

// The version -4 stream of the cells: the image strip as a BMP file of `bitsPerPixel` (24 or 32)
// in units of its bytes per pixel, the mask strip as a monochrome BMP file in byte units (code 8,
// the smallest unit the reader knows). Throws EElImageListError (kImageListWriteFailed and the
// reason) when the cells cannot be written.
std::vector<std::uint8_t> WriteImageListStream(const ImageListCells& cells, int bitsPerPixel = 32);

}  // namespace trimwell
