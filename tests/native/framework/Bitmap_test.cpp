// The BMP reader against files written by ImageMagick, hand-made variants, and malformed files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/Bitmap.h"

namespace trimwell {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::filesystem::path& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

bool HaveConvert() { return std::system("convert -version >/dev/null 2>&1") == 0; }

TEST(BmpReader, MatchesImageMagickAtEveryDepth) {
    if (!HaveConvert()) GTEST_SKIP() << "ImageMagick is not installed";
    const auto dir = std::filesystem::temp_directory_path() / ("trimwell-bmp-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    struct Variant {
        const char* name;
        const char* options;
        int bits;
    };
    // Odd widths make every row need padding.
    const Variant variants[] = {
        {"1 bit", "-size 13x7 pattern:checkerboard -monochrome -compress None BMP3:", 1},
        {"4 bits", "-size 9x5 gradient:red-blue -colors 9 -type Palette -compress None BMP3:", 4},
        {"8 bits", "-size 41x30 gradient:yellow-navy -colors 200 -type Palette -compress None BMP3:", 8},
        {"24 bits", "-size 7x5 gradient:red-blue -type TrueColor BMP3:", 24},
        {"32 bits with alpha", "-size 9x5 gradient:red-green -alpha set -channel A -evaluate set 50% +channel BMP:",
         32},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        const auto bmp = dir / "x.bmp";
        const auto raw = dir / "x.rgba";
        const std::string make = "convert " + std::string(v.options) + bmp.string();
        const std::string dump = "convert " + bmp.string() + " -depth 8 rgba:" + raw.string();
        ASSERT_EQ(std::system(make.c_str()), 0);
        ASSERT_EQ(std::system(dump.c_str()), 0);
        const Bitmap bitmap = ReadBmp(ReadAll(bmp));
        const Bytes rgba = ReadAll(raw);
        EXPECT_EQ(bitmap.SourceBitsPerPixel(), v.bits);
        ASSERT_EQ(rgba.size(), static_cast<std::size_t>(bitmap.Width() * bitmap.Height() * 4));
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x) {
                const std::uint8_t* p = &rgba[static_cast<std::size_t>((y * bitmap.Width() + x) * 4)];
                std::uint32_t expected = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
                if (v.bits == 32) expected |= std::uint32_t{p[3]} << 24;
                ASSERT_EQ(bitmap.Pixel(x, y), expected) << x << "," << y;
            }
    }
    std::filesystem::remove_all(dir);
}

Bitmap Sample() {
    Bitmap bitmap(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) bitmap.SetPixel(x, y, 0x80000000u | static_cast<std::uint32_t>(y * 0x10203 + x * 0x40));
    return bitmap;
}

TEST(BmpReader, WriterRoundTripsAndTopDownRowsReadTheSame) {
    const Bitmap original = Sample();
    EXPECT_EQ(ReadBmp(WriteBmp(original, 32)), original);
    Bitmap opaque = original;
    for (auto& p : opaque.Pixels()) p &= 0x00FFFFFF;
    EXPECT_EQ(ReadBmp(WriteBmp(original, 24)), opaque);

    // The same file stored top-down: negative height and the rows in reverse order.
    Bytes file = WriteBmp(original, 32);
    const std::int32_t negative = -3;
    std::memcpy(&file[22], &negative, 4);
    const std::size_t stride = 5 * 4;
    for (std::size_t row = 0; row < 1; ++row)
        std::swap_ranges(file.begin() + 54, file.begin() + 54 + static_cast<std::ptrdiff_t>(stride),
                         file.begin() + 54 + static_cast<std::ptrdiff_t>(2 * stride));
    EXPECT_EQ(ReadBmp(file), original);
}

TEST(BmpReader, ShortPalettesAndOldCoreHeaders) {
    // 2 x 2 at 4 bits with a two-colour palette; index 5 lies beyond the palette and reads as black.
    Bytes file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 4, 0,
                  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0};
    file.insert(file.end(), {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0});
    file.insert(file.end(), {0x01, 0, 0, 0, 0x50, 0, 0, 0});  // bottom row, then top row
    const Bitmap bitmap = ReadBmp(file);
    EXPECT_EQ(bitmap.Pixel(0, 1), 0x00302010u);
    EXPECT_EQ(bitmap.Pixel(1, 1), 0x00605040u);
    EXPECT_EQ(bitmap.Pixel(0, 0), 0u);
    EXPECT_EQ(bitmap.Pixel(1, 0), 0x00302010u);

    // The 12-byte header: 16-bit sizes and three-byte palette entries.
    Bytes core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0, 0, 12, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0};
    core.insert(core.end(), {1, 2, 3, 4, 5, 6, 0x80, 0, 0, 0});
    EXPECT_EQ(ReadBmp(core).Pixel(0, 0), 0x00060504u);
}

TEST(BmpReader, MalformedFilesAreRefused) {
    const Bytes good = WriteBmp(Sample(), 24);
    auto patched = [&good](std::size_t at, std::vector<std::uint8_t> bytes) {
        Bytes b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
        return b;
    };
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}},
        {"not BM", patched(0, {'P', 'K'})},
        {"pixels cut short", Bytes(good.begin(), good.end() - 1)},
        {"pixel offset beyond the file", patched(10, {0xFF, 0xFF, 0xFF, 0x7F})},
        {"unknown header size", patched(14, {20, 0, 0, 0})},
        {"zero width", patched(18, {0, 0, 0, 0})},
        {"huge height", patched(22, {0, 0, 0, 0x40})},
        {"most negative height", patched(22, {0, 0, 0, 0x80})},
        {"sides allowed but too many pixels", [&] {
             Bytes b = patched(18, {0, 0x20, 0, 0});
             std::copy_n(std::begin({0, 0x20, 0, 0}), 4, b.begin() + 22);
             return b;
         }()},
        {"16 bits", patched(28, {16, 0})},
        {"RLE compression", patched(30, {1, 0, 0, 0})},
        {"bit fields on 24 bits", patched(30, {3, 0, 0, 0})},
        {"palette too large", [] {
             Bytes b = WriteBmp(Sample(), 24);
             b[28] = 8;
             b[46] = 0x01;  // 257 colours used
             b[47] = 0x01;
             return b;
         }()},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_THROW(ReadBmp(bytes), EBitmapError);
    }
}

// A bitmap resource is a BMP file less its file header: where its pixels start follows from the
// header, the colour table and the bit-field masks alone.
TEST(BmpReader, PackedDibsReadAsTheFilesTheyCameFrom) {
    const auto packed = [](const Bytes& file) { return Bytes(file.begin() + 14, file.end()); };
    const auto inserted = [](Bytes file, std::vector<std::uint8_t> bytes) {
        file.insert(file.begin() + 54, bytes.begin(), bytes.end());
        const std::uint32_t offset = 54 + static_cast<std::uint32_t>(bytes.size());
        std::memcpy(&file[10], &offset, 4);
        return file;
    };
    const Bitmap original = Sample();
    Bytes withTable = inserted(WriteBmp(original, 24), {1, 2, 3, 0, 4, 5, 6, 0});  // unused by 24-bit pixels
    withTable[46] = 2;
    Bytes withMasks = inserted(WriteBmp(original, 32), {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0});
    withMasks[30] = 3;
    const std::vector<std::pair<const char*, Bytes>> files = {
        {"32 bits", WriteBmp(original, 32)}, {"24 bits", WriteBmp(original, 24)}, {"1 bit", WriteBmp(original, 1)},
        {"24 bits with a colour table", withTable}, {"32 bits with masks", withMasks},
    };
    for (const auto& [name, file] : files) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadPackedDib(packed(file)), ReadBmp(file));
    }
    EXPECT_EQ(ReadPackedDib(packed(withMasks)), original);

    const Bytes tableDib = packed(withTable);
    Bytes hugeTable = tableDib;
    hugeTable[32 + 3] = 0x80;
    for (const Bytes& bad : {Bytes{}, Bytes(tableDib.begin(), tableDib.begin() + 40), hugeTable})
        EXPECT_THROW(ReadPackedDib(bad), EBitmapError);
}

}  // namespace
}  // namespace trimwell
