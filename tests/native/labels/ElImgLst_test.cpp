#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "labels/ElImgLst.h"

using namespace trimwell;

namespace {

using Bytes = std::vector<std::uint8_t>;

void putI32(Bytes& out, std::int32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
}
void putBytes(Bytes& out, const Bytes& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }
void putBlock(Bytes& out, const Bytes& file, int unitSize, std::int32_t code) {
    const Bytes runs = EncodeRunLength(file, unitSize);
    putI32(out, static_cast<std::int32_t>(runs.size()));
    putBytes(out, runs);
    putI32(out, static_cast<std::int32_t>(file.size()));
    putI32(out, code);
}

// A picture with a different colour in every pixel, so that any misplaced cell shows.
Bitmap numbered(int w, int h, std::uint32_t salt = 0) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, static_cast<std::uint32_t>(((y * 977 + x) * 2654435761u) ^ salt) & 0x00FFFFFFu);
    return b;
}
// See-through on a checkerboard of 3 x 3 squares.
Bitmap checkedMask(int w, int h) {
    Bitmap m(w, h, kMaskOpaque);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x / 3 + y / 3) % 2 == 0) m.SetPixel(x, y, kMaskSeeThrough);
    return m;
}
ImageListCells cellsOf(int cellW, int cellH, int count) {
    ImageListCells cells;
    cells.cellWidth = cellW;
    cells.cellHeight = cellH;
    cells.image = numbered(cellW * count, cellH);
    cells.mask = checkedMask(cellW * count, cellH);
    return cells;
}
// The piece of a picture at (left, top).
Bitmap crop(const Bitmap& b, int left, int top, int w, int h) {
    Bitmap out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.SetPixel(x, y, b.Pixel(left + x, top + y));
    return out;
}
Bitmap cell(const Bitmap& strip, int index, int w, int h) { return crop(strip, index * w, 0, w, h); }

Bytes stripStream(std::int32_t count, const Bitmap& image, const Bitmap& mask) {
    Bytes s;
    putI32(s, -4);
    putI32(s, count);
    putBlock(s, WriteBmp(image, 32), 4, 32);
    putBlock(s, WriteBmp(mask, 1), 1, 8);
    return s;
}

std::int32_t i32At(const Bytes& s, std::size_t at) {
    return static_cast<std::int32_t>(s[at] | s[at + 1] << 8 | s[at + 2] << 16 | static_cast<std::uint32_t>(s[at + 3]) << 24);
}

std::string refusalOf(const Bytes& stream, int w = 30, int h = 22, std::int64_t budget = kImageListPixelBudget) {
    try {
        ReadImageListStream(stream, w, h, budget);
    } catch (const EElImageListError& e) {
        return e.what();
    }
    return "accepted";
}

}  // namespace

TEST(ImageListRunLength, RoundTripsInEveryUnitSizeWithRunsWithinTheirLimits) {
    Bytes data;
    for (int i = 0; i < 300; ++i) data.push_back(0xAB);              // longer than one run
    for (int i = 0; i < 300; ++i) data.push_back(static_cast<std::uint8_t>(i * 7));  // no repeats
    data.push_back(1);
    data.push_back(1);  // a pair
    data.push_back(9);
    for (const std::int32_t code : {8, 15, 16, 24, 32}) {
        const int unit = RunLengthUnitSize(code);
        for (std::size_t length : {data.size(), data.size() - 1, std::size_t{1}, std::size_t{0}}) {
            const Bytes input(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
            const Bytes runs = EncodeRunLength(input, unit);
            EXPECT_EQ(DecodeRunLength(runs, static_cast<std::uint32_t>(length), code), input) << code << " " << length;
            // Walk the runs: a repeat covers 2 to 128 equal units, and never sits where one unit is.
            for (std::size_t at = 0; at < runs.size();) {
                const unsigned k = runs[at];
                at += 1 + ((k & 0x80) ? unit : ((k & 0x7F) + 1) * unit);
                if (k & 0x80) {
                    EXPECT_GE((k & 0x7F) + 1, 2u);
                }
            }
        }
    }
    EXPECT_EQ(EncodeRunLength(Bytes(300, 5), 1), (Bytes{0xFF, 5, 0xFF, 5, 0xAB, 5}));  // 128 + 128 + 44
    EXPECT_EQ(EncodeRunLength(Bytes{1, 2, 3, 3, 4}, 1), (Bytes{0x01, 1, 2, 0x81, 3, 0x00, 4}));
}

TEST(ImageListRunLength, DecodesByTheUnitOfItsCodeAndNothingForOtherCodes) {
    const Bytes runs{0x82, 1, 2, 3, 4, 0x00, 9, 8, 7, 6};
    EXPECT_EQ(DecodeRunLength(runs, 4, 8), (Bytes{1, 1, 1, 3}));  // the 2 is the next control byte
    EXPECT_EQ(DecodeRunLength(runs, 6, 16), (Bytes{1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(DecodeRunLength(runs, 9, 24), (Bytes{1, 2, 3, 1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(DecodeRunLength(runs, 14, 32), (Bytes{1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 9, 8}));
    for (const std::int32_t code : {0, 1, 4, 12, 31, -8}) EXPECT_TRUE(DecodeRunLength(runs, 4, code).empty()) << code;
    // Runs that end before the length, or a run cut short, are refused.
    EXPECT_THROW(DecodeRunLength(runs, 100, 8), EElImageListError);
    EXPECT_THROW(DecodeRunLength(Bytes{0x05, 1, 2}, 6, 8), EElImageListError);
    EXPECT_THROW(DecodeRunLength(Bytes{0x80, 1, 2}, 4, 32), EElImageListError);
}

TEST(ImageListRunLength, A32BitStripOf18534BytesDecodesToExactlyThatLength) {
    const Bytes bmp = WriteBmp(numbered(210, 22), 32);
    ASSERT_EQ(bmp.size(), 18534u);  // 4633 units and 2 bytes
    const Bytes runs = EncodeRunLength(bmp, 4);
    const Bytes decoded = DecodeRunLength(runs, 18534, 32);
    EXPECT_EQ(decoded.size(), 18534u);
    EXPECT_EQ(decoded, bmp);
}

TEST(ImageListStream, WritesVersionMinus4AndReadsItBack) {
    const ImageListCells cells = cellsOf(30, 22, 7);
    const Bytes stream = WriteImageListStream(cells);
    // Version, count, then the image block (an 18534-byte 32-bit BMP) and the mask block (a
    // 678-byte monochrome BMP in byte units).
    ASSERT_GE(stream.size(), 8u);
    const auto i32 = [&](std::size_t at) { return i32At(stream, at); };
    EXPECT_EQ(i32(0), -4);
    EXPECT_EQ(i32(4), 7);
    const std::size_t imageEnd = 12 + static_cast<std::size_t>(i32(8));
    EXPECT_EQ(i32(imageEnd), 18534);
    EXPECT_EQ(i32(imageEnd + 4), 32);
    const std::size_t maskAt = imageEnd + 8;
    const std::size_t maskEnd = maskAt + 4 + static_cast<std::size_t>(i32(maskAt));
    EXPECT_EQ(i32(maskEnd), 678);
    EXPECT_EQ(i32(maskEnd + 4), 8);
    EXPECT_EQ(maskEnd + 8, stream.size());

    const ImageListCells back = ReadImageListStream(stream, 30, 22);
    EXPECT_EQ(back.Count(), 7);
    EXPECT_EQ(back.image, cells.image);
    EXPECT_EQ(back.mask, cells.mask);
    // 24 bits keep the colours too.
    EXPECT_EQ(ReadImageListStream(WriteImageListStream(cells, 24), 30, 22).image, cells.image);
}

TEST(ImageListStream, AStripOfTheCellHeightIsCutAcrossAndCutToTheCount) {
    const ImageListCells seven = cellsOf(30, 22, 7);
    const ImageListCells five = ReadImageListStream(stripStream(5, seven.image, seven.mask), 30, 22);
    ASSERT_EQ(five.Count(), 5);
    EXPECT_EQ(five.image, crop(seven.image, 0, 0, 150, 22));
    EXPECT_EQ(five.mask, crop(seven.mask, 0, 0, 150, 22));
    // A count beyond the strip leaves the cells there are; columns short of a cell are left out.
    EXPECT_EQ(ReadImageListStream(stripStream(9, seven.image, seven.mask), 30, 22).Count(), 7);
    EXPECT_EQ(ReadImageListStream(stripStream(9, crop(seven.image, 0, 0, 100, 22), crop(seven.mask, 0, 0, 100, 22)), 30, 22).Count(), 3);
    EXPECT_EQ(ReadImageListStream(stripStream(0, seven.image, seven.mask), 30, 22).Count(), 0);
}

TEST(ImageListStream, ATallerStripIsCutRowByRowUntilTheCount) {
    // Two rows of three cells and a part row at the bottom.
    const Bitmap image = numbered(95, 50), mask = checkedMask(95, 50);
    const ImageListCells cells = ReadImageListStream(stripStream(5, image, mask), 30, 22);
    ASSERT_EQ(cells.Count(), 5);
    const int origins[5][2] = {{0, 0}, {30, 0}, {60, 0}, {0, 22}, {30, 22}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(cell(cells.image, i, 30, 22), crop(image, origins[i][0], origins[i][1], 30, 22)) << i;
        EXPECT_EQ(cell(cells.mask, i, 30, 22), crop(mask, origins[i][0], origins[i][1], 30, 22)) << i;
    }
    EXPECT_EQ(ReadImageListStream(stripStream(50, image, mask), 30, 22).Count(), 6);
}

TEST(ImageListStream, OlderVersionsReadTheirPairsAndCheckTheirCount) {
    const Bitmap a = numbered(30, 22, 1), b = numbered(60, 22, 2), maskA = checkedMask(30, 22), maskB = checkedMask(60, 22);
    // -3: a pair of compressed blocks per image; a picture two cells wide gives two cells.
    Bytes paired;
    putI32(paired, -3);
    putI32(paired, 2);
    putBlock(paired, WriteBmp(a, 24), 3, 24);
    putBlock(paired, WriteBmp(maskA, 1), 1, 8);
    putBlock(paired, WriteBmp(b, 32), 4, 32);
    putBlock(paired, WriteBmp(maskB, 1), 1, 8);
    const ImageListCells fromPaired = ReadImageListStream(paired, 30, 22);
    ASSERT_EQ(fromPaired.Count(), 3);
    EXPECT_EQ(cell(fromPaired.image, 0, 30, 22), a);
    EXPECT_EQ(cell(fromPaired.image, 2, 30, 22), crop(b, 30, 0, 30, 22));
    EXPECT_EQ(cell(fromPaired.mask, 1, 30, 22), crop(maskB, 0, 0, 30, 22));

    // -1 and -2: plain BMP files, image then mask.
    for (const std::int32_t version : {-1, -2}) {
        Bytes plain;
        putI32(plain, version);
        putI32(plain, 2);
        for (const Bitmap* p : {&a, &maskA, &a, &maskA}) putBytes(plain, WriteBmp(*p, p == &a ? 32 : 1));
        const ImageListCells cells = ReadImageListStream(plain, 30, 22);
        ASSERT_EQ(cells.Count(), 2) << version;
        EXPECT_EQ(cell(cells.image, 1, 30, 22), a);
        EXPECT_EQ(cell(cells.mask, 1, 30, 22), maskA);
        // A list of plain pictures holding another number of images than its count fails.
        plain[4] = 3;
        EXPECT_NE(refusalOf(plain), "accepted") << version;  // the third pair is missing
        Bytes wide;
        putI32(wide, version);
        putI32(wide, 1);
        putBytes(wide, WriteBmp(b, 32));
        putBytes(wide, WriteBmp(maskB, 1));
        EXPECT_EQ(refusalOf(wide), "Failed to load ElImageList") << version;  // two cells for a count of one
    }

    // V >= 0: V plain pictures whose masks come from their bottom left colour.
    Bitmap keyed = numbered(30, 22);
    for (int x = 0; x < 30; ++x) keyed.SetPixel(x, 21, 0x00123456);
    keyed.SetPixel(4, 4, 0xFF123456);  // the key whatever the top byte
    Bytes counted;
    putI32(counted, 1);
    putBytes(counted, WriteBmp(keyed, 32));
    const ImageListCells derived = ReadImageListStream(counted, 30, 22);
    ASSERT_EQ(derived.Count(), 1);
    EXPECT_TRUE(derived.SeeThrough(0, 21));
    EXPECT_TRUE(derived.SeeThrough(4, 4));
    EXPECT_FALSE(derived.SeeThrough(5, 5));
    counted[0] = 2;
    EXPECT_NE(refusalOf(counted), "accepted");
    Bytes none;
    putI32(none, 0);
    EXPECT_EQ(ReadImageListStream(none, 30, 22).Count(), 0);
}

TEST(ImageListStream, RefusesEveryMalformedStream) {
    const ImageListCells cells = cellsOf(30, 22, 7);
    const Bytes good = WriteImageListStream(cells);
    // Every shorter stream is refused, never read past.
    for (std::size_t n = 0; n < good.size(); n += (n < 64 || good.size() - n < 64) ? 1 : 97)
        EXPECT_NE(refusalOf(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n))), "accepted") << n;

    const auto with = [&](std::size_t at, std::int32_t v) {
        Bytes s = good;
        for (int i = 0; i < 4; ++i) s[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
        return s;
    };
    const std::size_t imageLengthAt = 12 + static_cast<std::size_t>(good[8] | good[9] << 8 | good[10] << 16);
    EXPECT_NE(refusalOf(with(0, -5)), "accepted");                       // unknown version
    EXPECT_NE(refusalOf(with(4, -1)), "accepted");                       // negative count
    EXPECT_NE(refusalOf(with(8, -1)), "accepted");                       // negative block length
    EXPECT_NE(refusalOf(with(8, 0x7FFFFFFF)), "accepted");               // block beyond the stream
    EXPECT_NE(refusalOf(with(imageLengthAt, 0x7FFFFFFF)), "accepted");   // length beyond the budget
    EXPECT_NE(refusalOf(with(imageLengthAt, 18600)), "accepted");        // runs end before the length
    EXPECT_NE(refusalOf(with(imageLengthAt + 4, 12)), "accepted");       // a code that decodes nothing
    EXPECT_NE(refusalOf(good, 0, 22), "accepted");                       // cells without size
    EXPECT_NE(refusalOf(good, 30, 22, 1000), "accepted");                // over the pixel budget

    // A few hundred bytes of runs that would decode to a huge picture stop at the budget.
    const Bitmap big(1000, 1000);
    Bytes huge;
    putI32(huge, -3);
    putI32(huge, 3);
    for (int i = 0; i < 3; ++i) {
        putBlock(huge, WriteBmp(big, 32), 4, 32);
        putBlock(huge, WriteBmp(Bitmap(1, 1), 1), 1, 8);
    }
    EXPECT_LT(huge.size(), 3u * 50000);
    EXPECT_EQ(refusalOf(huge, 30, 22, 2'000'000).rfind("Failed to load ElImageList: ", 0), 0u);
}

TEST(ImageListStream, TheWriterRefusesWhatItCannotStore) {
    const auto failure = [](const ImageListCells& c, int bits) {
        try {
            WriteImageListStream(c, bits);
        } catch (const EElImageListError& e) {
            return std::string(e.what());
        }
        return std::string("written");
    };
    EXPECT_EQ(failure(cellsOf(30, 22, 1), 8).rfind("Failed to write ElImageList: ", 0), 0u);
    EXPECT_EQ(failure(cellsOf(30, 22, 0), 32).rfind("Failed to write ElImageList: ", 0), 0u);
    ImageListCells mismatched = cellsOf(30, 22, 2);
    mismatched.mask = Bitmap(30, 22);
    EXPECT_EQ(failure(mismatched, 32).rfind("Failed to write ElImageList: ", 0), 0u);
}

TEST(ImageListStream, TheBuildStoresTheTitleButtonsListsAsStripsOfSevenCells) {
    const char* bin = std::getenv("TRIMWELL_HOST_BIN");
    if (!bin) GTEST_SKIP() << "TRIMWELL_HOST_BIN not set";
    for (const char* name : {"imglistclose", "imglistclosehot", "imglistclosedown", "imglistmin", "imglistminhot",
                             "imglistmindown"}) {
        SCOPED_TRACE(name);
        std::ifstream in(std::string(bin) + "/../generated/" + name + ".eil", std::ios::binary);
        const Bytes stream{std::istreambuf_iterator<char>(in), {}};
        ASSERT_GT(stream.size(), 12u);
        EXPECT_EQ(i32At(stream, 0), -4);
        EXPECT_EQ(i32At(stream, 4), 7);
        const std::size_t imageEnd = 12 + static_cast<std::size_t>(i32At(stream, 8));
        EXPECT_LE(i32At(stream, 8), 8403);
        EXPECT_EQ(i32At(stream, imageEnd), 18534);  // 210 x 22 at 32 bits per pixel
        const ImageListCells cells = ReadImageListStream(stream, 30, 22);
        EXPECT_EQ(cells.Count(), 7);
        EXPECT_EQ(cells.image.SourceBitsPerPixel(), 32);
    }
}
