#include "labels/ElImgLst.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <limits>
#include <string>

namespace trimwell {

namespace {

constexpr std::int32_t kStripVersion = -4;
constexpr std::int32_t kPairedBlocksVersion = -3;
constexpr std::int32_t kPlainPairsVersion = -2;
constexpr std::int32_t kOldPlainPairsVersion = -1;
constexpr int kMaxRunUnits = 128;
constexpr std::int32_t kByteUnitCode = 8;
// Room for a BMP file's headers and palette beside its pixels.
constexpr std::int64_t kBmpOverhead = 4096;
constexpr std::int64_t kNoLimit = std::numeric_limits<std::int64_t>::max();

[[noreturn]] void Refuse(const std::string& why) {
    throw EElImageListError(std::string(kImageListLoadFailed) + ": " + why);
}

// Bounds-checked reads of the stream: every field comes from outside the program.
class StreamReader {
public:
    explicit StreamReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::int32_t I32() {
        const std::uint8_t* p = Take(4).data();
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                         (static_cast<std::uint32_t>(p[2]) << 16) |
                                         (static_cast<std::uint32_t>(p[3]) << 24));
    }
    std::span<const std::uint8_t> Take(std::size_t length) {
        if (length > bytes_.size() - at_) Refuse("the stream ends early");
        const auto taken = bytes_.subspan(at_, length);
        at_ += length;
        return taken;
    }
    std::span<const std::uint8_t> Rest() const { return bytes_.subspan(at_); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// The pixels a stream may still decode to; spent by every picture read and every cell made.
class PixelBudget {
public:
    explicit PixelBudget(std::int64_t pixels) : left_(pixels) {}
    void Spend(std::int64_t pixels) {
        if (pixels > left_) Refuse("the pictures exceed the pixel budget");
        left_ -= pixels;
    }
    // The largest BMP file the remaining pixels allow, at 4 bytes a pixel.
    std::int64_t MaxFileBytes() const { return left_ * 4 + kBmpOverhead; }

private:
    std::int64_t left_;
};

Bitmap ReadPicture(std::span<const std::uint8_t> file, PixelBudget& budget) {
    Bitmap picture;
    try {
        picture = ReadBmp(file);
    } catch (const EBitmapError& error) {
        Refuse(std::string("a picture is not a readable BMP file (") + error.what() + ")");
    }
    budget.Spend(static_cast<std::int64_t>(picture.Width()) * picture.Height());
    return picture;
}

// One compressed block: its run-length data decoded into the BMP file it holds.
Bitmap ReadBlock(StreamReader& in, PixelBudget& budget) {
    const std::int32_t compressed = in.I32();
    if (compressed < 0) Refuse("a block has a negative length");
    const auto runs = in.Take(static_cast<std::size_t>(compressed));
    const std::int32_t length = in.I32();
    const std::int32_t unitCode = in.I32();
    if (length < 0 || length > budget.MaxFileBytes()) Refuse("a block's length is out of range");
    return ReadPicture(DecodeRunLength(runs, static_cast<std::uint32_t>(length), unitCode), budget);
}

// A plain BMP file takes the bytes its file header says it has.
Bitmap ReadPlainBmp(StreamReader& in, PixelBudget& budget) {
    const auto rest = in.Rest();
    if (rest.size() < 6 || rest[0] != 'B' || rest[1] != 'M') Refuse("a plain picture is not a BMP file");
    const std::uint32_t size = static_cast<std::uint32_t>(rest[2]) | (static_cast<std::uint32_t>(rest[3]) << 8) |
                               (static_cast<std::uint32_t>(rest[4]) << 16) |
                               (static_cast<std::uint32_t>(rest[5]) << 24);
    return ReadPicture(in.Take(size), budget);
}

// A mask read as the platform reads a monochrome mask: see-through where nearer white.
std::uint32_t MaskValue(std::uint32_t pixel) {
    const std::uint32_t sum = (pixel & 0xFFu) + ((pixel >> 8) & 0xFFu) + ((pixel >> 16) & 0xFFu);
    return sum >= 3 * 128 ? kMaskSeeThrough : kMaskOpaque;
}

// A picture whose mask is derived from itself: see-through where it has the colour of its bottom
// left pixel, the colour such pictures take as their transparent one.
Bitmap DerivedMask(const Bitmap& image) {
    Bitmap mask(image.Width(), image.Height(), kMaskOpaque);
    if (image.Empty()) return mask;
    const std::uint32_t key = image.Pixel(0, image.Height() - 1) & 0x00FFFFFFu;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if ((image.Pixel(x, y) & 0x00FFFFFFu) == key) mask.SetPixel(x, y, kMaskSeeThrough);
    return mask;
}

// Collects cells the way the platform image list takes pictures in.
class CellCollector {
public:
    CellCollector(int cellWidth, int cellHeight, PixelBudget& budget) : budget_(budget) {
        cells_.cellWidth = cellWidth;
        cells_.cellHeight = cellHeight;
    }
    int Count() const { return static_cast<int>(images_.size()); }

    // One cell per cell width across the top of the picture, up to `limit` cells in the list.
    void AddAcross(const Bitmap& image, const Bitmap& mask, std::int64_t limit) {
        for (int x = 0; x + cells_.cellWidth <= image.Width() && Count() < limit; x += cells_.cellWidth)
            AddCell(image, mask, x, 0);
    }
    // Row by row, column by column, up to `limit` cells in the list.
    void AddRowByRow(const Bitmap& image, const Bitmap& mask, std::int64_t limit) {
        for (int y = 0; y + cells_.cellHeight <= image.Height(); y += cells_.cellHeight)
            for (int x = 0; x + cells_.cellWidth <= image.Width(); x += cells_.cellWidth) {
                if (Count() >= limit) return;
                AddCell(image, mask, x, y);
            }
    }

    ImageListCells Finish() {
        const int width = Count() * cells_.cellWidth;
        if (width > Bitmap::kMaxSide) Refuse("the list holds more cells than one strip can");
        cells_.image = Bitmap(width, cells_.cellHeight);
        cells_.mask = Bitmap(width, cells_.cellHeight, kMaskSeeThrough);
        for (int i = 0; i < Count(); ++i) {
            Place(images_[static_cast<std::size_t>(i)], cells_.image, i * cells_.cellWidth);
            Place(masks_[static_cast<std::size_t>(i)], cells_.mask, i * cells_.cellWidth);
        }
        return std::move(cells_);
    }

private:
    // Parts of the cell outside the picture are see-through; outside a smaller mask, opaque.
    void AddCell(const Bitmap& image, const Bitmap& mask, int left, int top) {
        budget_.Spend(2 * static_cast<std::int64_t>(cells_.cellWidth) * cells_.cellHeight);
        Bitmap cellImage(cells_.cellWidth, cells_.cellHeight);
        Bitmap cellMask(cells_.cellWidth, cells_.cellHeight, kMaskSeeThrough);
        for (int y = 0; y < cells_.cellHeight && top + y < image.Height(); ++y)
            for (int x = 0; x < cells_.cellWidth && left + x < image.Width(); ++x) {
                const int sx = left + x, sy = top + y;
                cellImage.SetPixel(x, y, image.Pixel(sx, sy));
                const bool inMask = sx < mask.Width() && sy < mask.Height();
                cellMask.SetPixel(x, y, inMask ? MaskValue(mask.Pixel(sx, sy)) : kMaskOpaque);
            }
        images_.push_back(std::move(cellImage));
        masks_.push_back(std::move(cellMask));
    }
    static void Place(const Bitmap& cell, Bitmap& strip, int left) {
        for (int y = 0; y < cell.Height(); ++y) std::copy_n(cell.Row(y), cell.Width(), strip.Row(y) + left);
    }

    PixelBudget& budget_;
    ImageListCells cells_;
    std::vector<Bitmap> images_;
    std::vector<Bitmap> masks_;
};

std::int32_t ReadCount(StreamReader& in) {
    const std::int32_t count = in.I32();
    if (count < 0) Refuse("the count is negative");
    return count;
}

}  // namespace

int RunLengthUnitSize(std::int32_t unitCode) {
    switch (unitCode) {
        case 8: return 1;
        case 15:
        case 16: return 2;
        case 24: return 3;
        case 32: return 4;
        default: return 0;
    }
}

std::vector<std::uint8_t> DecodeRunLength(std::span<const std::uint8_t> runs, std::uint32_t length,
                                          std::int32_t unitCode) {
    const std::size_t unit = static_cast<std::size_t>(RunLengthUnitSize(unitCode));
    std::vector<std::uint8_t> out;
    if (unit == 0) return out;
    // Never more than the runs can make, whatever length the stream claims.
    out.reserve(std::min<std::size_t>(length, runs.size() * kMaxRunUnits * unit) + unit);
    std::size_t at = 0;
    while (out.size() < length) {
        if (at >= runs.size()) Refuse("the run-length data ends early");
        const std::uint8_t control = runs[at++];
        const std::size_t units = (control & 0x7Fu) + 1;
        const std::size_t literal = (control & 0x80u) != 0 ? unit : units * unit;
        if (literal > runs.size() - at) Refuse("a run is cut short");
        const auto source = runs.subspan(at, literal);
        if ((control & 0x80u) != 0)
            for (std::size_t i = 0; i < units; ++i) out.insert(out.end(), source.begin(), source.end());
        else
            out.insert(out.end(), source.begin(), source.end());
        at += literal;
    }
    out.resize(length);
    return out;
}

std::vector<std::uint8_t> EncodeRunLength(std::span<const std::uint8_t> bytes, int unitSize) {
    if (unitSize < 1 || unitSize > 4) throw EElImageListError(std::string(kImageListWriteFailed) + "no such unit size");
    const std::size_t unit = static_cast<std::size_t>(unitSize);
    std::vector<std::uint8_t> padded(bytes.begin(), bytes.end());
    padded.resize((padded.size() + unit - 1) / unit * unit, 0);
    const std::size_t units = padded.size() / unit;
    const auto same = [&](std::size_t a, std::size_t b) {
        return std::memcmp(&padded[a * unit], &padded[b * unit], unit) == 0;
    };
    const auto append = [&](std::vector<std::uint8_t>& out, std::size_t first, std::size_t count) {
        out.insert(out.end(), padded.begin() + static_cast<std::ptrdiff_t>(first * unit),
                   padded.begin() + static_cast<std::ptrdiff_t>((first + count) * unit));
    };
    std::vector<std::uint8_t> out;
    std::size_t i = 0;
    while (i < units) {
        std::size_t run = 1;
        while (i + run < units && run < kMaxRunUnits && same(i, i + run)) ++run;
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(0x80u | (run - 1)));
            append(out, i, 1);
            i += run;
            continue;
        }
        // A literal run stops where two equal units would start a repeat run.
        std::size_t literal = 1;
        while (i + literal < units && literal < kMaxRunUnits &&
               !(i + literal + 1 < units && same(i + literal, i + literal + 1)))
            ++literal;
        out.push_back(static_cast<std::uint8_t>(literal - 1));
        append(out, i, literal);
        i += literal;
    }
    return out;
}

ImageListCells ReadImageListStream(std::span<const std::uint8_t> stream, int cellWidth, int cellHeight,
                                   std::int64_t pixelBudget) {
    if (cellWidth <= 0 || cellHeight <= 0 || cellWidth > Bitmap::kMaxSide || cellHeight > Bitmap::kMaxSide)
        Refuse("the list's cells have no size");
    StreamReader in(stream);
    PixelBudget budget(pixelBudget);
    CellCollector cells(cellWidth, cellHeight, budget);
    const std::int32_t version = in.I32();
    if (version == kStripVersion) {
        const std::int32_t count = ReadCount(in);
        const Bitmap image = ReadBlock(in, budget);
        const Bitmap mask = ReadBlock(in, budget);
        if (image.Height() == cellHeight)
            cells.AddAcross(image, mask, count);
        else
            cells.AddRowByRow(image, mask, count);
        return cells.Finish();
    }
    if (version == kPairedBlocksVersion) {
        const std::int32_t count = ReadCount(in);
        for (std::int32_t i = 0; i < count; ++i) {
            const Bitmap image = ReadBlock(in, budget);
            const Bitmap mask = ReadBlock(in, budget);
            cells.AddAcross(image, mask, kNoLimit);
        }
        return cells.Finish();
    }
    if (version < kOldPlainPairsVersion && version != kPlainPairsVersion) Refuse("the stream's version is unknown");
    const bool withMasks = version == kPlainPairsVersion || version == kOldPlainPairsVersion;
    const std::int32_t count = withMasks ? in.I32() : version;
    for (std::int32_t i = 0; i < count; ++i) {
        const Bitmap image = ReadPlainBmp(in, budget);
        const Bitmap mask = withMasks ? ReadPlainBmp(in, budget) : DerivedMask(image);
        cells.AddAcross(image, mask, kNoLimit);
    }
    if (cells.Count() != count) throw EElImageListError(kImageListLoadFailed);
    return cells.Finish();
}

std::vector<std::uint8_t> WriteImageListStream(const ImageListCells& cells, int bitsPerPixel) {
    try {
        if (bitsPerPixel != 24 && bitsPerPixel != 32) throw EBitmapError("the image strip takes 24 or 32 bits");
        if (cells.Count() == 0) throw EBitmapError("an empty list stores no pictures");
        if (cells.image.Height() != cells.cellHeight || cells.mask.Width() != cells.image.Width() ||
            cells.mask.Height() != cells.image.Height())
            throw EBitmapError("the strips do not match the cells");
        std::vector<std::uint8_t> out;
        const auto putI32 = [&out](std::int32_t v) {
            for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
        };
        const auto putBlock = [&](const std::vector<std::uint8_t>& file, int unitSize, std::int32_t unitCode) {
            const std::vector<std::uint8_t> runs = EncodeRunLength(file, unitSize);
            putI32(static_cast<std::int32_t>(runs.size()));
            out.insert(out.end(), runs.begin(), runs.end());
            putI32(static_cast<std::int32_t>(file.size()));
            putI32(unitCode);
        };
        putI32(kStripVersion);
        putI32(cells.Count());
        putBlock(WriteBmp(cells.image, bitsPerPixel), bitsPerPixel / 8, bitsPerPixel);
        // Below 8 bits a pixel, the mask is compressed byte by byte.
        putBlock(WriteBmp(cells.mask, 1), 1, kByteUnitCode);
        return out;
    } catch (const EElImageListError&) {
        throw;
    } catch (const std::exception& error) {
        throw EElImageListError(std::string(kImageListWriteFailed) + error.what());
    }
}

}  // namespace trimwell
