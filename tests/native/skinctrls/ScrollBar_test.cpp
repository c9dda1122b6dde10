// The scroll bar's own geometry and the pictures it takes from the built-in styles and the
// embedded skin.
#include <gtest/gtest.h>

#include "platform/Resources.h"
#include "skin/SUIMgr.h"
#include "skinctrls/SUIPublic.h"
#include "skinctrls/SUIScrollBar.h"
#include "skinctrls/SUIThumb.h"

namespace trimwell {
namespace {

using Orientation = TsuiProgressBarOrientation;

TEST(ScrollThumbLength, FollowsThePageAsAPercentageWithTenForPagesOutsideTenToAHundred) {
    int none = 0;
    EXPECT_EQ(ScrollThumbLength(none, 2, 191), 19);    // 2 counts as 10
    EXPECT_EQ(ScrollThumbLength(none, 150, 191), 19);  // so does 150
    EXPECT_EQ(ScrollThumbLength(none, 50, 191), 95);   // half, by integer division
    EXPECT_EQ(ScrollThumbLength(none, 100, 191), 191);
    EXPECT_EQ(ScrollThumbLength(none, 10, 0), 0);      // no track, no thumb
    EXPECT_EQ(ScrollThumbLength(none, 10, -5), 0);
    EXPECT_EQ(none, 0);
}

TEST(ScrollThumbLength, ALineButtonIsRaisedToSixteenAndKeptRaised) {
    int lineButton = 12;
    EXPECT_EQ(ScrollThumbLength(lineButton, 50, 191), 16);
    EXPECT_EQ(lineButton, 16);
    lineButton = 40;
    EXPECT_EQ(ScrollThumbLength(lineButton, 50, 0), 40);  // whatever the page or the track
    EXPECT_EQ(lineButton, 40);
}

TEST(ScrollLineButton, FitsOnlyBetweenTheArrowButtons) {
    EXPECT_TRUE(LineButtonFits(191, 223, 16, 16));
    EXPECT_FALSE(LineButtonFits(192, 223, 16, 16));
    EXPECT_TRUE(LineButtonFits(0, 32, 16, 16));
    EXPECT_FALSE(LineButtonFits(1, 20, 16, 16));
}

TEST(ScrollBarLayout, PutsTheButtonsAtTheEndsAndTheTrackBetween) {
    const auto v = LayoutScrollBarParts(Orientation::suiVertical, 20, 223, {16, 16}, {16, 18});
    EXPECT_FALSE(v.hide);
    EXPECT_EQ(v.startButton, (TsuiBounds{0, 0, 16, 16}));
    EXPECT_EQ(v.track, (TsuiBounds{0, 16, 20, 223 - 18 - 16}));
    EXPECT_EQ(v.endButton, (TsuiBounds{0, 223 - 18, 16, 18}));
    EXPECT_EQ(v.barThickness, 16);  // the bar narrows to its start button

    const auto h = LayoutScrollBarParts(Orientation::suiHorizontal, 200, 30, {16, 17}, {18, 16});
    EXPECT_EQ(h.startButton, (TsuiBounds{0, 0, 16, 17}));
    EXPECT_EQ(h.track, (TsuiBounds{16, 0, 200 - 18 - 16, 30}));
    EXPECT_EQ(h.endButton, (TsuiBounds{200 - 18, 0, 18, 16}));
    EXPECT_EQ(h.barThickness, 17);

    EXPECT_TRUE(LayoutScrollBarParts(Orientation::suiVertical, 0, 223, {16, 16}, {16, 16}).hide);
    EXPECT_TRUE(LayoutScrollBarParts(Orientation::suiHorizontal, 200, 0, {16, 16}, {16, 16}).hide);
}

class ScrollBarPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetResourceFolder(TRIMWELL_GENERATED_DIR); }

    static Bitmap StylePart(TsuiUIStyle style, int item, int part, int count) {
        Bitmap b;
        GetBitmap(style, item, &b, part, count);
        return b;
    }
};

TEST_F(ScrollBarPictures, ProteinGivesItsColourTurnedPiecesAndSixArrowFrames) {
    const auto v = LoadScrollBarPictures(nullptr, TsuiUIStyle::Protein, Orientation::suiVertical);
    EXPECT_FALSE(v.fromFileTheme);
    EXPECT_EQ(v.color, 0x00F5F5F5u);
    // Pieces are drawn for a horizontal bar (7 x 16) and turned right for a vertical one.
    const Bitmap* pieces[] = {&v.startCap, &v.middle, &v.endCap};
    for (int i = 0; i < 3; ++i) {
        Bitmap want = StylePart(TsuiUIStyle::Protein, kStyleScrollBarTrack, i + 1, 3);
        ASSERT_EQ(want.Width(), 7);
        RotateRight(want);
        EXPECT_EQ(*pieces[i], want) << "piece " << i + 1;
    }
    // Arrow frames are drawn for a vertical bar: up normal, over, pressed, then down.
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        EXPECT_EQ(v.startButton[k], StylePart(TsuiUIStyle::Protein, kStyleScrollBarButton, i + 1, 6));
        EXPECT_EQ(v.endButton[k], StylePart(TsuiUIStyle::Protein, kStyleScrollBarButton, i + 4, 6));
        EXPECT_EQ(v.startButton[k].Width(), 16);
        EXPECT_EQ(v.startButton[k].Height(), 16);
    }

    const auto h = LoadScrollBarPictures(nullptr, TsuiUIStyle::Protein, Orientation::suiHorizontal);
    EXPECT_EQ(h.startCap, StylePart(TsuiUIStyle::Protein, kStyleScrollBarTrack, 1, 3));
    Bitmap left = v.endButton[2];
    RotateLeft(left);
    EXPECT_EQ(h.endButton[2], left);
}

// Corners outside the rounded thumb and arrows show the bar's colour, never the key colour;
// every other pixel is the style's own.
TEST_F(ScrollBarPictures, KeyColouredPixelsTakeTheBarColour) {
    const auto drawn = LoadScrollBarPictures(nullptr, TsuiUIStyle::Protein, Orientation::suiVertical);
    auto filled = drawn;
    FillKeyColorWithBarColor(filled);
    const std::uint32_t key = ColorRefToPixel(kSkinKeyColor), bar = ColorRefToPixel(0x00F5F5F5);
    int keyed = 0;
    const auto check = [&](const Bitmap& before, const Bitmap& after) {
        for (int y = 0; y < before.Height(); ++y)
            for (int x = 0; x < before.Width(); ++x) {
                const bool wasKey = (before.Pixel(x, y) & 0x00FFFFFFu) == (key & 0x00FFFFFFu);
                keyed += wasKey;
                EXPECT_EQ(after.Pixel(x, y), wasKey ? bar : before.Pixel(x, y)) << x << "," << y;
            }
    };
    check(drawn.startCap, filled.startCap);
    check(drawn.endCap, filled.endCap);
    check(drawn.endButton[0], filled.endButton[0]);
    EXPECT_GT(keyed, 0) << "the Protein pictures have key-coloured corners";

    auto none = drawn;
    none.color = 0xFFFFFFFFu;  // a theme without the colour leaves the pictures as drawn
    FillKeyColorWithBarColor(none);
    EXPECT_EQ(none.startCap, drawn.startCap);
}

TEST_F(ScrollBarPictures, AReadyThemeGivesItsScrollBarPiecesAndAMissingOneDeepBlue) {
    TsuiBuiltInFileTheme theme(nullptr);
    theme.SetSkinData(EmbeddedSkinArchive());
    ASSERT_TRUE(theme.Ready());
    ASSERT_EQ(TsuiFileThemeMgr::KeyName(TsuiFileThemeMgr::KeyGroup::Color, kSkin2ScrollBarColor), "SKIN2_SCROLLBARCOLOR");
    ASSERT_EQ(TsuiFileThemeMgr::KeyName(TsuiFileThemeMgr::KeyGroup::Bitmap, kSkin2ScrollBar), "SKIN2_SCROLLBAR");
    ASSERT_EQ(TsuiFileThemeMgr::KeyName(TsuiFileThemeMgr::KeyGroup::Bitmap, kSkin2ScrollBarUpButton),
              "SKIN2_SCROLLBARUPBUTTON");
    ASSERT_EQ(TsuiFileThemeMgr::KeyName(TsuiFileThemeMgr::KeyGroup::Bitmap, kSkin2ScrollBarDownButton),
              "SKIN2_SCROLLBARDOWNBUTTON");

    const auto v = LoadScrollBarPictures(&theme, TsuiUIStyle::FromThemeFile, Orientation::suiVertical);
    EXPECT_TRUE(v.fromFileTheme);
    EXPECT_EQ(v.color, 0x00F9F9F9u);
    // The 18 x 63 strip is cut in three bands of 21 rows from the top.
    const Bitmap& strip = *theme.GetBitmap(kSkin2ScrollBar);
    ASSERT_EQ(strip.Width(), 18);
    ASSERT_EQ(strip.Height(), 63);
    const Bitmap* pieces[] = {&v.startCap, &v.middle, &v.endCap};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(pieces[i]->Width(), 18);
        ASSERT_EQ(pieces[i]->Height(), 21);
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 18; ++x)
                ASSERT_EQ(pieces[i]->Pixel(x, y), strip.Pixel(x, 21 * i + y)) << i << " " << x << "," << y;
    }
    Bitmap down3;
    theme.GetBitmap(kSkin2ScrollBarDownButton, down3, 3, 3);
    EXPECT_EQ(v.endButton[2], down3);
    EXPECT_EQ(down3.Width(), 18);

    // A style asked for by name wins over the theme; no theme at all means DeepBlue.
    EXPECT_FALSE(LoadScrollBarPictures(&theme, TsuiUIStyle::Protein, Orientation::suiVertical).fromFileTheme);
    const auto fallback = LoadScrollBarPictures(nullptr, TsuiUIStyle::FromThemeFile, Orientation::suiVertical);
    EXPECT_FALSE(fallback.fromFileTheme);
    EXPECT_EQ(fallback.color, static_cast<std::uint32_t>(GetColor(TsuiUIStyle::DeepBlue, kStyleScrollBarColor)));
    EXPECT_EQ(fallback.endButton[0], StylePart(TsuiUIStyle::DeepBlue, kStyleScrollBarButton, 4, 6));
}

}  // namespace
}  // namespace trimwell
