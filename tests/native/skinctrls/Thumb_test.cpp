// Quarter turns of skin pictures and the composition of a thumb from its three pieces.
#include <gtest/gtest.h>

#include <cstdint>

#include "skinctrls/SUIThumb.h"

namespace trimwell {
namespace {

using Orientation = TsuiProgressBarOrientation;

// A vertical piece `thickness` wide whose row r has the colour family x 0x10000 + r, so that a
// thumb row tells which piece and which of its rows it came from.
Bitmap Piece(int family, int thickness, int length) {
    Bitmap b(thickness, length);
    for (int y = 0; y < length; ++y)
        for (int x = 0; x < thickness; ++x) b.SetPixel(x, y, static_cast<std::uint32_t>(family * 0x10000 + y));
    return b;
}
int Family(std::uint32_t pixel) { return static_cast<int>(pixel >> 16); }
int SourceRow(std::uint32_t pixel) { return static_cast<int>(pixel & 0xFFFF); }

Bitmap Transposed(const Bitmap& b) {
    Bitmap t(b.Height(), b.Width());
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) t.SetPixel(y, x, b.Pixel(x, y));
    return t;
}

TEST(Rotate, QuarterTurnsMapEveryPixelAndUndoEachOther) {
    Bitmap source(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) source.SetPixel(x, y, static_cast<std::uint32_t>(10 * y + x));

    Bitmap left = source;
    RotateLeft(left);
    ASSERT_EQ(left.Width(), 2);
    ASSERT_EQ(left.Height(), 3);
    Bitmap right = source;
    RotateRight(right);
    ASSERT_EQ(right.Width(), 2);
    ASSERT_EQ(right.Height(), 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(left.Pixel(y, 3 - 1 - x), source.Pixel(x, y));
            EXPECT_EQ(right.Pixel(2 - 1 - y, x), source.Pixel(x, y));
        }
    RotateRight(left);
    EXPECT_EQ(left, source);
    Bitmap empty;
    RotateLeft(empty);
    EXPECT_TRUE(empty.Empty());
}

TEST(ComposeThumb, BuiltInStylePutsTheCapsFlushAndStretchesTheMiddle) {
    const Bitmap thumb = ComposeThumb(Piece(1, 16, 7), Piece(2, 16, 7), Piece(3, 16, 7), 40, Orientation::suiVertical,
                                      TsuiThumbSource::BuiltInStyle);
    ASSERT_EQ(thumb.Width(), 16);
    ASSERT_EQ(thumb.Height(), 40);
    for (int y = 0; y < 7; ++y) EXPECT_EQ(thumb.Pixel(15, y), 0x10000u + y);
    for (int y = 0; y < 7; ++y) EXPECT_EQ(thumb.Pixel(0, 33 + y), 0x30000u + y);  // last row on the last row
    for (int y = 7; y < 33; ++y) EXPECT_EQ(Family(thumb.Pixel(8, y)), 2) << y;
    EXPECT_EQ(SourceRow(thumb.Pixel(8, 7)), 0);
    EXPECT_EQ(SourceRow(thumb.Pixel(8, 32)), 6);
}

TEST(ComposeThumb, FileThemeCentresTheMiddleUnscaledAndStretchesTheCapsTowardsIt) {
    const Bitmap thumb = ComposeThumb(Piece(1, 18, 21), Piece(2, 18, 21), Piece(3, 18, 21), 100,
                                      Orientation::suiVertical, TsuiThumbSource::FileTheme);
    ASSERT_EQ(thumb.Height(), 100);
    const int m = (100 - 21 - 6) / 2 + 3;  // 39
    for (int y = 0; y < 3; ++y) EXPECT_EQ(thumb.Pixel(0, y), 0x10000u + y);
    // The start cap's rows 3..20 over rows 3..38: twice as long, each source row twice.
    for (int y = 3; y < m; ++y) EXPECT_EQ(thumb.Pixel(4, y), 0x10000u + 3 + (y - 3) / 2) << y;
    for (int y = 0; y < 21; ++y) EXPECT_EQ(thumb.Pixel(17, m + y), 0x20000u + y);
    // The end cap's rows 0..17 over rows 60..96, its last three rows on the thumb's last three.
    for (int y = m + 21; y < 97; ++y) EXPECT_EQ(Family(thumb.Pixel(9, y)), 3) << y;
    EXPECT_EQ(SourceRow(thumb.Pixel(9, m + 21)), 0);
    EXPECT_EQ(SourceRow(thumb.Pixel(9, 96)), 17);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(thumb.Pixel(0, 97 + y), 0x30000u + 18 + y);
}

TEST(ComposeThumb, AShortFileThemeThumbHalftonesTheMiddleBetweenTheCapRows) {
    // Alternate black and white rows: averaging shows greys where plain stretching cannot.
    Bitmap stripes(18, 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 18; ++x) stripes.SetPixel(x, y, y % 2 ? 0x00FFFFFFu : 0u);
    const Bitmap thumb =
        ComposeThumb(Piece(1, 18, 21), stripes, Piece(3, 18, 21), 20, Orientation::suiVertical, TsuiThumbSource::FileTheme);
    ASSERT_EQ(thumb.Height(), 20);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(thumb.Pixel(0, y), 0x10000u + y);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(thumb.Pixel(0, 17 + y), 0x30000u + 18 + y);
    int greys = 0;
    for (int y = 3; y < 17; ++y) {
        const std::uint32_t blue = thumb.Pixel(5, y) & 0xFF;
        EXPECT_EQ(thumb.Pixel(5, y), blue * 0x010101u) << y;  // grey, from the stripes only
        if (blue != 0 && blue != 0xFF) ++greys;
    }
    EXPECT_GT(greys, 0);
}

TEST(ComposeThumb, AHorizontalThumbIsTheVerticalOneTransposed) {
    for (const auto source : {TsuiThumbSource::BuiltInStyle, TsuiThumbSource::FileTheme})
        for (const int length : {1, 5, 14, 27, 60, 100}) {
            const Bitmap s = Piece(1, 16, 21), mid = Piece(2, 16, 21), e = Piece(3, 16, 21);
            const Bitmap v = ComposeThumb(s, mid, e, length, Orientation::suiVertical, source);
            const Bitmap h = ComposeThumb(Transposed(s), Transposed(mid), Transposed(e), length,
                                          Orientation::suiHorizontal, source);
            EXPECT_EQ(h, Transposed(v)) << length;
        }
}

TEST(ComposeThumb, ShortThumbsAndOddPiecesStayInsideThePicture) {
    for (const auto source : {TsuiThumbSource::BuiltInStyle, TsuiThumbSource::FileTheme})
        for (int length = 0; length < 50; ++length) {
            // Pieces of other sizes than the start cap: what does not fit is cut.
            const Bitmap thumb = ComposeThumb(Piece(1, 16, 7), Piece(2, 20, 2), Piece(3, 9, 30), length,
                                              Orientation::suiVertical, source);
            if (length == 0) {
                EXPECT_TRUE(thumb.Empty());
                continue;
            }
            EXPECT_EQ(thumb.Width(), 16);
            EXPECT_EQ(thumb.Height(), length);
            // The end cap reaches the first row once the thumb is no longer than what it draws.
            const bool endReachesTop = source == TsuiThumbSource::BuiltInStyle ? length <= 30 : length <= 3;
            EXPECT_EQ(Family(thumb.Pixel(0, 0)), endReachesTop ? 3 : 1) << length;
        }
    EXPECT_TRUE(ComposeThumb(Bitmap(), Bitmap(), Bitmap(), 30, Orientation::suiVertical, TsuiThumbSource::FileTheme).Empty());
    EXPECT_TRUE(ComposeThumb(Piece(1, 16, 7), Piece(2, 16, 7), Piece(3, 16, 7), -4, Orientation::suiHorizontal,
                             TsuiThumbSource::BuiltInStyle).Empty());
}

}  // namespace
}  // namespace trimwell
