// The skinned controls' shared geometry: window strips, the nine-slice plan and its reference
// rendering, glyph placement and access letters.
#include <gtest/gtest.h>

#include "skinctrls/SUIPublic.h"

using namespace trimwell;

namespace {

constexpr TColor kPink = 0x00FF07FF;  // the window pictures' transparent colour
const std::uint32_t kPinkPixel = ColorRefToPixel(kPink);
const std::uint32_t kInk = 0x00102030;

// A picture from rows of '.' (transparent) and '#' (opaque).
Bitmap picture(std::initializer_list<const char*> rows) {
    const int h = static_cast<int>(rows.size());
    const int w = static_cast<int>(std::string_view(*rows.begin()).size());
    Bitmap b(w, h);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, row[x] == '.' ? kPinkPixel : kInk);
        ++y;
    }
    return b;
}

using Rects = std::vector<TRect>;

}  // namespace

TEST(RegionStrips, OneStripPerOpaqueRunAndNothingForTransparentRows) {
    const Bitmap b = picture({
        "..##..#",  // two runs, the second in the last column
        ".......",  // fully transparent: no strip
        "#.#.#.#",  // holes inside the picture stay holes
        "#######",
    });
    EXPECT_EQ(RegionStrips(b, kPink), (Rects{{2, 0, 4, 1}, {6, 0, 7, 1},
                                            {0, 2, 1, 3}, {2, 2, 3, 3}, {4, 2, 5, 3}, {6, 2, 7, 3},
                                            {0, 3, 7, 4}}));
}

TEST(RegionStrips, ColourComparedExactlyWithoutThePixelsFourthByte) {
    Bitmap b = picture({"..", ".."});
    b.SetPixel(0, 0, kPinkPixel | 0xFF000000u);     // alpha does not make it opaque
    b.SetPixel(1, 1, kPinkPixel ^ 0x00000100u);     // one step off the colour is opaque
    EXPECT_EQ(RegionStrips(b, kPink), (Rects{{1, 1, 2, 2}}));
    // The default key of the skinned controls is a different colour: everything is opaque.
    EXPECT_EQ(RegionStrips(b, kSkinKeyColor).size(), 2u);
}

TEST(RegionStrips, SystemColourAndNoColourMakeTheWholeRectangleOpaque) {
    const Bitmap b = picture({"...", "...", "..."});
    for (const TColor c : {clBtnFace, clNone, TColor{0x01FF07FF}})
        EXPECT_EQ(RegionStrips(b, c), (Rects{{0, 0, 3, 1}, {0, 1, 3, 2}, {0, 2, 3, 3}})) << std::hex << c;
}

TEST(RegionStrips, AllTransparentOrEmptyPictureGivesNoStrips) {
    EXPECT_TRUE(RegionStrips(picture({"....", "...."}), kPink).empty());
    EXPECT_TRUE(RegionStrips(Bitmap(), kPink).empty());
}

namespace {

struct Piece {
    TNineSlicePiece piece;
    TRect source, dest;
};

std::vector<Piece> plan(int w, int h, TRect d) {
    std::vector<Piece> out;
    for (const auto& s : PlanNineSlice(w, h, d)) out.push_back({s.piece, s.source, s.dest});
    return out;
}

bool operator==(const Piece& a, const Piece& b) { return a.piece == b.piece && a.source == b.source && a.dest == b.dest; }

void PrintTo(const Piece& p, std::ostream* os) {
    *os << static_cast<int>(p.piece) << ": (" << p.source.left << "," << p.source.top << "," << p.source.right << ","
        << p.source.bottom << ") -> (" << p.dest.left << "," << p.dest.top << "," << p.dest.right << ","
        << p.dest.bottom << ")";
}

using P = TNineSlicePiece;

}  // namespace

TEST(NineSlice, BuiltInStateImageIntoAButton) {
    // 74 x 21 into 100 x 26: corners 37 x 10, 37 x 9, 36 x 10, 36 x 9, in drawing order.
    EXPECT_EQ(plan(74, 21, {0, 0, 100, 26}),
              (std::vector<Piece>{
                  {P::TopLeft, {0, 0, 37, 10}, {0, 0, 37, 10}},
                  {P::BottomLeft, {0, 12, 37, 21}, {0, 17, 37, 26}},
                  {P::LeftEdge, {0, 10, 37, 11}, {0, 10, 37, 17}},
                  {P::TopRight, {38, 0, 74, 10}, {64, 0, 100, 10}},
                  {P::BottomRight, {38, 12, 74, 21}, {64, 17, 100, 26}},
                  {P::RightEdge, {38, 11, 74, 12}, {64, 10, 100, 17}},  // cut to 36 columns, right kept
                  {P::TopEdge, {37, 0, 38, 10}, {37, 0, 64, 10}},
                  {P::Centre, {37, 10, 38, 11}, {37, 10, 64, 16}},
                  {P::BottomEdge, {37, 11, 38, 21}, {36, 16, 64, 26}},
              }));
}

TEST(NineSlice, ThemeFrameIntoAButton) {
    EXPECT_EQ(plan(92, 25, {0, 0, 100, 26}),
              (std::vector<Piece>{
                  {P::TopLeft, {0, 0, 46, 12}, {0, 0, 46, 12}},
                  {P::BottomLeft, {0, 14, 46, 25}, {0, 15, 46, 26}},
                  {P::LeftEdge, {0, 12, 46, 13}, {0, 12, 46, 15}},
                  {P::TopRight, {47, 0, 92, 12}, {55, 0, 100, 12}},
                  {P::BottomRight, {47, 14, 92, 25}, {55, 15, 100, 26}},
                  {P::RightEdge, {47, 13, 92, 14}, {55, 12, 100, 15}},
                  {P::TopEdge, {46, 0, 47, 12}, {46, 0, 55, 12}},
                  {P::Centre, {46, 12, 47, 13}, {46, 12, 55, 14}},
                  {P::BottomEdge, {46, 13, 47, 25}, {45, 14, 55, 26}},
              }));
}

TEST(NineSlice, DestinationSmallerThanTheSourceCutsCornersAndEdgesFromTheOuterSide) {
    const auto steps = plan(74, 21, {0, 0, 20, 10});
    ASSERT_GE(steps.size(), 4u);
    EXPECT_EQ(steps[0], (Piece{P::TopLeft, {0, 0, 10, 5}, {0, 0, 10, 5}}));
    EXPECT_EQ(steps[1], (Piece{P::BottomLeft, {0, 17, 10, 21}, {0, 6, 10, 10}}));
    EXPECT_EQ(steps[2], (Piece{P::LeftEdge, {0, 10, 10, 11}, {0, 5, 10, 6}}));
    EXPECT_EQ(steps[3], (Piece{P::TopRight, {65, 0, 74, 5}, {11, 0, 20, 5}}));
    for (const auto& s : steps) EXPECT_NE(s.piece, P::Centre) << "a centre of no height is left out";

    // Into a single pixel only the bottom edge, which reaches one pixel further left and up.
    EXPECT_EQ(plan(74, 21, {0, 0, 1, 1}), (std::vector<Piece>{{P::BottomEdge, {37, 20, 38, 21}, {-1, 0, 1, 1}}}));
    EXPECT_TRUE(plan(0, 0, {0, 0, 100, 26}).empty());
}

TEST(NineSlice, BandsOfTinyImagesStayOnTheImage) {
    // In a 1 or 2 pixel image the middle and right bands of the table reach past the edge.
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1, 1}, {1, 21}, {74, 1}, {2, 2}, {3, 2}, {2, 5}})
        for (const auto& s : PlanNineSlice(w, h, {0, 0, 100, 26})) {
            EXPECT_GE(s.source.left, 0) << w << "x" << h;
            EXPECT_GE(s.source.top, 0) << w << "x" << h;
            EXPECT_LE(s.source.right, w) << w << "x" << h;
            EXPECT_LE(s.source.bottom, h) << w << "x" << h;
            EXPECT_FALSE(s.source.Empty());
        }
    Bitmap tiny(2, 2, 0x00123456), canvas(100, 26);
    RenderNineSlice(tiny, canvas, {0, 0, 100, 26}, true);
    EXPECT_EQ(canvas.Pixel(50, 25), 0x00123456u);
}

TEST(NineSlice, ReferenceRenderingKeysCornersOnlyWhenTransparent) {
    // A 6 x 5 image: magenta in the corners' outer pixel and in the middle of the bottom edge.
    Bitmap image(6, 5, 0x00AAAAAA);
    const std::uint32_t magenta = ColorRefToPixel(kSkinKeyColor);
    image.SetPixel(0, 0, magenta);
    image.SetPixel(3, 4, magenta);
    for (const bool transparent : {false, true}) {
        Bitmap canvas(8, 6, 0x00111111);
        RenderNineSlice(image, canvas, {0, 0, 8, 6}, transparent);
        EXPECT_EQ(canvas.Pixel(0, 0), transparent ? 0x00111111u : magenta) << transparent;
        EXPECT_EQ(canvas.Pixel(4, 5), 0x00111111u) << "edges are always keyed";
        EXPECT_EQ(canvas.Pixel(7, 5), 0x00AAAAAAu);
    }
    // A destination larger than the canvas draws only what lies on it.
    Bitmap small(3, 3, 0);
    RenderNineSlice(image, small, {0, 0, 100, 26}, false);
    EXPECT_EQ(small.Pixel(2, 2), 0x00AAAAAAu);
}

TEST(GlyphLayout, EachLayoutPlacesGlyphAndCaptionByTheTable) {
    // 100 x 26 button, 16 x 16 glyph, 40 x 13 caption, spacing 4.
    const auto at = [](TButtonLayout l) {
        const TGlyphLayout g = LayoutGlyph(l, 100, 26, 16, 16, 40, 13, 4);
        return std::vector<int>{g.glyphX, g.glyphY, g.textX, g.textY};
    };
    EXPECT_EQ(at(TButtonLayout::blGlyphLeft), (std::vector<int>{20, 5, 40, 6}));
    EXPECT_EQ(at(TButtonLayout::blGlyphRight), (std::vector<int>{64, 5, 20, 6}));
    EXPECT_EQ(at(TButtonLayout::blGlyphTop), (std::vector<int>{42, -3, 30, 17}));
    EXPECT_EQ(at(TButtonLayout::blGlyphBottom), (std::vector<int>{42, 13, 30, -4}));
}

TEST(GlyphLayout, AGlyphTwiceAsWideAsHighHoldsTwoImagesAndDivisionTruncatesTowardZero) {
    const TGlyphLayout g = LayoutGlyph(TButtonLayout::blGlyphLeft, 20, 10, 32, 16, 30, 13, 4);
    EXPECT_TRUE(g.twoImages);
    EXPECT_EQ(g.glyphWidth, 16);
    EXPECT_EQ(g.glyphX, -15);  // (20 - 16 - 30 - 4) / 2 = -30 / 2
    EXPECT_EQ(g.glyphY, -3);   // (10 - 16) / 2
    EXPECT_EQ(g.textY, -1);    // (10 - 13) / 2 toward zero, not -2
    EXPECT_FALSE(LayoutGlyph(TButtonLayout::blGlyphLeft, 20, 10, 16, 16, 0, 0, 4).twoImages);
}

TEST(AccessLetters, SingleAmpersandMarksTheLetterAndDoubleOnesAreLiteral) {
    EXPECT_EQ(AcceleratorChar("&Exit"), 'E');
    EXPECT_EQ(AcceleratorChar("Exit to &FSX"), 'F');
    EXPECT_EQ(AcceleratorChar("&Load CFG"), 'L');
    EXPECT_EQ(AcceleratorChar("Salt && Pepper"), 0);
    EXPECT_EQ(AcceleratorChar("&&&x"), 'x');
    EXPECT_EQ(AcceleratorChar("trailing&"), 0);
    EXPECT_EQ(AcceleratorChar(""), 0);
}

TEST(CentreIn, HalvesOfTheDifferenceRoundTowardZero) {
    EXPECT_EQ(CentreIn({0, 0, 100, 26}, {0, 0, 51, 13}), (TRect{24, 6, 75, 19}));
    EXPECT_EQ(CentreIn({1, 1, 11, 11}, {1, 1, 14, 12}), (TRect{0, 1, 13, 12}));  // -3/2 = -1
}
