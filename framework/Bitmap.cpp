#include "framework/Bitmap.h"

#include <algorithm>

#include "platform/Resources.h"

namespace trimwell {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;

// Bounds-checked little-endian reads: every field of a BMP comes from outside the program.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint16_t U16(std::size_t at) const {
        Require(at, 2);
        return static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
    }
    std::uint32_t U32(std::size_t at) const {
        Require(at, 4);
        return static_cast<std::uint32_t>(bytes_[at]) | (static_cast<std::uint32_t>(bytes_[at + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[at + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[at + 3]) << 24);
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    const std::uint8_t* At(std::size_t at, std::size_t length) const {
        Require(at, length);
        return bytes_.data() + at;
    }

private:
    void Require(std::size_t at, std::size_t length) const {
        if (at > bytes_.size() || length > bytes_.size() - at)
            throw EBitmapError("BMP file is truncated");
    }
    std::span<const std::uint8_t> bytes_;
};

struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    std::size_t pixelOffset = 0;
    std::size_t paletteOffset = 0;
    std::size_t paletteEntrySize = 4;
    std::size_t paletteCount = 0;
};

bool IsSupportedDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// Bit fields are accepted only in the one arrangement that equals plain 32-bit pixels, which
// several painting programs write for 32-bit pictures.
void RequirePlainBitFields(const ByteReader& in, std::size_t masks) {
    if (in.U32(masks) != 0x00FF0000u || in.U32(masks + 4) != 0x0000FF00u || in.U32(masks + 8) != 0x000000FFu)
        throw EBitmapError("BMP bit fields other than 8-8-8 are not supported");
}

// A BMP file starts with its file header, which says where the pixels lie. A packed DIB (a
// bitmap resource) is the rest of such a file: its info header comes first and its pixels
// follow the header, the colour table and any bit-field masks directly.
enum class BmpFraming { File, PackedDib };

BmpLayout ReadLayout(const ByteReader& in, BmpFraming framing) {
    std::size_t info = 0;
    if (framing == BmpFraming::File) {
        if (in.U16(0) != 0x4D42) throw EBitmapError("Not a BMP file");
        info = kFileHeaderSize;
    }
    BmpLayout layout;
    const std::uint32_t headerSize = in.U32(info);
    std::int64_t height = 0;
    std::uint32_t colorsUsed = 0;
    std::size_t masksSize = 0;
    if (headerSize == kCoreHeaderSize) {
        layout.width = in.U16(info + 4);
        height = in.U16(info + 6);
        layout.bitsPerPixel = in.U16(info + 10);
        layout.paletteEntrySize = 3;
    } else if (headerSize >= kInfoHeaderSize) {
        layout.width = in.I32(info + 4);
        height = in.I32(info + 8);
        layout.bitsPerPixel = in.U16(info + 14);
        const std::uint32_t compression = in.U32(info + 16);
        colorsUsed = in.U32(info + 32);
        const bool plain32 = compression == kBitFields && layout.bitsPerPixel == 32;
        if (plain32) {
            RequirePlainBitFields(in, info + kInfoHeaderSize);
            if (headerSize == kInfoHeaderSize) masksSize = 12;  // larger headers hold the masks themselves
        } else if (compression != kRgb) {
            throw EBitmapError("Compressed BMP files are not supported");
        }
    } else {
        throw EBitmapError("Unknown BMP header");
    }
    if (!IsSupportedDepth(layout.bitsPerPixel)) throw EBitmapError("Unsupported BMP depth");
    layout.topDown = height < 0;
    height = height < 0 ? -height : height;
    if (layout.width <= 0 || height == 0 || layout.width > Bitmap::kMaxSide || height > Bitmap::kMaxSide)
        throw EBitmapError("Unsupported BMP size");
    if (static_cast<std::int64_t>(layout.width) * height > Bitmap::kMaxPixels) throw EBitmapError("Unsupported BMP size");
    layout.height = static_cast<int>(height);
    if (layout.bitsPerPixel <= 8) {
        const std::size_t full = std::size_t{1} << layout.bitsPerPixel;
        if (colorsUsed > full) throw EBitmapError("BMP palette is too large");
        layout.paletteCount = colorsUsed == 0 ? full : colorsUsed;
        layout.paletteOffset = info + headerSize;
    }
    // Deeper pictures may still carry a colour table of `colorsUsed` entries, unused by their pixels.
    const std::size_t tableEntries = layout.bitsPerPixel <= 8 ? layout.paletteCount : colorsUsed;
    layout.pixelOffset = framing == BmpFraming::File
                             ? in.U32(10)
                             : info + headerSize + masksSize + tableEntries * layout.paletteEntrySize;
    return layout;
}

std::vector<std::uint32_t> ReadPalette(const ByteReader& in, const BmpLayout& layout) {
    std::vector<std::uint32_t> palette(std::size_t{1} << (layout.bitsPerPixel <= 8 ? layout.bitsPerPixel : 0), 0);
    if (layout.paletteCount == 0) return palette;
    const std::uint8_t* entries = in.At(layout.paletteOffset, layout.paletteCount * layout.paletteEntrySize);
    for (std::size_t i = 0; i < layout.paletteCount; ++i) {
        const std::uint8_t* e = entries + i * layout.paletteEntrySize;
        palette[i] = static_cast<std::uint32_t>(e[0]) | (static_cast<std::uint32_t>(e[1]) << 8) |
                     (static_cast<std::uint32_t>(e[2]) << 16);
    }
    return palette;
}

std::size_t RowStride(int width, int bitsPerPixel) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32) * 4;
}

void DecodeRow(const std::uint8_t* src, int bitsPerPixel, const std::vector<std::uint32_t>& palette,
               std::uint32_t* dst, int width) {
    switch (bitsPerPixel) {
    case 32:
        for (int x = 0; x < width; ++x, src += 4)
            dst[x] = static_cast<std::uint32_t>(src[0]) | (static_cast<std::uint32_t>(src[1]) << 8) |
                     (static_cast<std::uint32_t>(src[2]) << 16) | (static_cast<std::uint32_t>(src[3]) << 24);
        break;
    case 24:
        for (int x = 0; x < width; ++x, src += 3)
            dst[x] = static_cast<std::uint32_t>(src[0]) | (static_cast<std::uint32_t>(src[1]) << 8) |
                     (static_cast<std::uint32_t>(src[2]) << 16);
        break;
    default: {
        // Palette depths: the palette always has 2^bits slots, so every index is inside it.
        const int perByte = 8 / bitsPerPixel;
        const unsigned mask = (1u << bitsPerPixel) - 1;
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bitsPerPixel * (x % perByte + 1);
            dst[x] = palette[(src[x / perByte] >> shift) & mask];
        }
    }
    }
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

Bitmap::Bitmap(int width, int height, std::uint32_t fill) {
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        throw EBitmapError("Unsupported bitmap size");
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

namespace {

Bitmap DecodeBmp(std::span<const std::uint8_t> bytes, BmpFraming framing) {
    const ByteReader in(bytes);
    const BmpLayout layout = ReadLayout(in, framing);
    const std::vector<std::uint32_t> palette = ReadPalette(in, layout);
    const std::size_t stride = RowStride(layout.width, layout.bitsPerPixel);
    const std::uint8_t* pixels = in.At(layout.pixelOffset, stride * static_cast<std::size_t>(layout.height));

    Bitmap bitmap(layout.width, layout.height);
    bitmap.SetSourceBitsPerPixel(layout.bitsPerPixel);
    for (int row = 0; row < layout.height; ++row) {
        const int y = layout.topDown ? row : layout.height - 1 - row;
        DecodeRow(pixels + stride * static_cast<std::size_t>(row), layout.bitsPerPixel, palette, bitmap.Row(y),
                  layout.width);
    }
    return bitmap;
}

}  // namespace

Bitmap ReadBmp(std::span<const std::uint8_t> bytes) { return DecodeBmp(bytes, BmpFraming::File); }

Bitmap ReadPackedDib(std::span<const std::uint8_t> bytes) { return DecodeBmp(bytes, BmpFraming::PackedDib); }

namespace {

// A black-and-white picture keeps, per pixel, whether its colour lies nearer white than black.
bool NearerWhite(std::uint32_t pixel) {
    return (pixel & 0xFFu) + ((pixel >> 8) & 0xFFu) + ((pixel >> 16) & 0xFFu) >= 3 * 128;
}

void PutRow(std::vector<std::uint8_t>& out, const std::uint32_t* row, int width, int bitsPerPixel) {
    if (bitsPerPixel == 1) {
        const std::size_t at = out.size();
        out.resize(at + (static_cast<std::size_t>(width) + 7) / 8, 0);
        for (int x = 0; x < width; ++x)
            if (NearerWhite(row[x])) out[at + static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        return;
    }
    const int bytesPerPixel = bitsPerPixel / 8;
    for (int x = 0; x < width; ++x)
        for (int b = 0; b < bytesPerPixel; ++b) out.push_back(static_cast<std::uint8_t>(row[x] >> (8 * b)));
}

}  // namespace

std::vector<std::uint8_t> WriteBmp(const Bitmap& bitmap, int bitsPerPixel) {
    if (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32)
        throw EBitmapError("BMP files are written with 1, 24 or 32 bits");
    const std::size_t stride = RowStride(bitmap.Width(), bitsPerPixel);
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(bitmap.Height());
    const std::uint32_t paletteSize = bitsPerPixel == 1 ? 2 : 0;
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * paletteSize;
    std::vector<std::uint8_t> out;
    out.reserve(offset + pixelBytes);
    PutU16(out, 0x4D42);
    PutU32(out, static_cast<std::uint32_t>(offset + pixelBytes));
    PutU32(out, 0);
    PutU32(out, static_cast<std::uint32_t>(offset));
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(bitmap.Width()));
    PutU32(out, static_cast<std::uint32_t>(bitmap.Height()));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint16_t>(bitsPerPixel));
    PutU32(out, kRgb);
    PutU32(out, static_cast<std::uint32_t>(pixelBytes));
    PutU32(out, 2835);  // 72 dots per inch
    PutU32(out, 2835);
    PutU32(out, paletteSize);
    PutU32(out, 0);
    if (paletteSize != 0) {
        PutU32(out, 0x00000000u);  // black
        PutU32(out, 0x00FFFFFFu);  // white
    }
    for (int y = bitmap.Height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        PutRow(out, bitmap.Row(y), bitmap.Width(), bitsPerPixel);
        out.resize(rowStart + stride, 0);
    }
    return out;
}

std::optional<Bitmap> LoadProgramBitmap(std::string_view name) {
    const std::optional<ProgramBitmapBytes> found = FindProgramBitmap(name);
    if (!found) return std::nullopt;
    try {
        return found->IsPackedDib() ? ReadPackedDib(found->Bytes()) : ReadBmp(found->Bytes());
    } catch (const EBitmapError&) {
        return std::nullopt;
    }
}

}  // namespace trimwell
