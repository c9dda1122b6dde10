// What the tree's linked scroll bars take from its native bars, where they stand, and the
// colour of the flat border of the tree and the edit box.
#include <gtest/gtest.h>

#include <limits>

#include "platform/Resources.h"
#include "skin/SUIMgr.h"
#include "skinctrls/SUIControlBorder.h"
#include "skinctrls/SUITreeView.h"

namespace trimwell {
namespace {

TEST(ScrollBarSync, HidesTheBarOnlyForExactlyInvisibleOrExactlyUnavailable) {
    const TsuiNativeScrollRange range{0, 39, 20, 7};
    for (const auto& info : {std::optional<TsuiNativeBarInfo>{}, std::optional{TsuiNativeBarInfo{0x8000, 17, 40}},
                             std::optional{TsuiNativeBarInfo{0x0001, 17, 40}}}) {
        const auto s = PlanScrollBarSync(info, true, range);
        EXPECT_EQ(s.lineButton, 0);
        EXPECT_FALSE(s.enabled);
        EXPECT_EQ(s.visible, false);
    }
    // Any other word means a bar to stand over, even with one of those bits among others.
    for (const std::uint32_t state : {0x0000u, 0x8001u, 0x8010u}) {
        const auto s = PlanScrollBarSync(TsuiNativeBarInfo{state, 17, 40}, true, range);
        EXPECT_EQ(s.lineButton, 23) << state;
        EXPECT_TRUE(s.enabled);
        EXPECT_EQ(s.visible, true);
    }
    EXPECT_EQ(PlanScrollBarSync(TsuiNativeBarInfo{0, 40, 17}, true, range).lineButton, 23);  // the thumb's extent
}

TEST(ScrollBarSync, ADisabledTreeOnlyDisablesItsBar) {
    const auto s = PlanScrollBarSync(TsuiNativeBarInfo{0, 17, 40}, false, {0, 39, 20, 7});
    EXPECT_FALSE(s.enabled);
    EXPECT_EQ(s.lineButton, std::nullopt);
    EXPECT_EQ(s.visible, std::nullopt);
}

TEST(ScrollBarSync, TheBarsRangeEndsAPageBeforeTheNativeMaximum) {
    const auto s = PlanScrollBarSync(TsuiNativeBarInfo{0, 17, 40}, true, {0, 39, 20, 7});
    EXPECT_EQ(s.max, 20);
    EXPECT_EQ(s.min, 0);
    EXPECT_EQ(s.position, 7);
    // A hidden bar still takes the numbers; a failed read counts as all zero.
    EXPECT_EQ(PlanScrollBarSync(std::nullopt, true, {}).max, 1);
    EXPECT_EQ(PlanScrollBarSync(std::nullopt, true, {3, 10, 0, 4}).max, 11);
    EXPECT_EQ(PlanScrollBarSync(std::nullopt, true, {0, 0, 4000000000u, 0}).max, std::numeric_limits<int>::min());
}

TEST(LinkedScrollBars, TheVerticalBarCoversTheNativeOneInsideTheOuterRing) {
    const TsuiBounds tree{25, 72, 210, 225};
    TsuiLinkedBarBox bar{{217, 73, 16, 223}, false};
    LayoutLinkedScrollBars(tree, false, &bar, nullptr);
    EXPECT_EQ(bar.bounds, (TsuiBounds{217, 73, 16, 223}));
    bar.bounds = {0, 0, 16, 50};
    LayoutLinkedScrollBars(tree, false, &bar, nullptr);
    EXPECT_EQ(bar.bounds, (TsuiBounds{217, 73, 16, 223}));
    LayoutLinkedScrollBars(tree, true, &bar, nullptr);
    EXPECT_EQ(bar.bounds, (TsuiBounds{27, 73, 16, 223}));

    // A tree narrower than the bar only moves the bar to its left.
    TsuiLinkedBarBox wide{{300, 5, 16, 40}, true};
    LayoutLinkedScrollBars({25, 72, 10, 225}, false, &wide, nullptr);
    EXPECT_EQ(wide.bounds, (TsuiBounds{25, 5, 16, 40}));
}

TEST(LinkedScrollBars, BothBarsShareTheCornerOnlyWhileTheOtherIsVisible) {
    const TsuiBounds tree{25, 72, 210, 225};
    TsuiLinkedBarBox v{{0, 0, 16, 10}, true}, h{{0, 0, 10, 16}, true};
    LayoutLinkedScrollBars(tree, false, &v, &h);
    EXPECT_EQ(h.bounds, (TsuiBounds{26, 72 + 225 - 16 - 2, 210 - 2 - 16, 16}));
    EXPECT_EQ(v.bounds, (TsuiBounds{217, 73, 16, 225 - 2 - 16}));

    v.visible = false;
    h.visible = false;
    LayoutLinkedScrollBars(tree, true, &v, &h);
    // Right to left the horizontal bar starts after the vertical one, which it only leaves room
    // for while that one is visible.
    EXPECT_EQ(h.bounds, (TsuiBounds{26 + 16, 279, 208, 16}));
    EXPECT_EQ(v.bounds, (TsuiBounds{27, 73, 16, 223}));

    TsuiLinkedBarBox tall{{3, 400, 10, 300}, true};
    LayoutLinkedScrollBars({25, 72, 210, 100}, false, nullptr, &tall);
    EXPECT_EQ(tall.bounds, (TsuiBounds{3, 72, 10, 300}));
}

class ControlBorder : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetResourceFolder(TRIMWELL_GENERATED_DIR); }
};

TEST_F(ControlBorder, TakesTheThemesColourOnlyWhenTheThemeIsUsable) {
    TsuiUIStyle resolved{};
    EXPECT_EQ(ControlBorderColor(nullptr, TsuiUIStyle::MacOS, resolved), 0x007F7F7Fu);
    EXPECT_EQ(resolved, TsuiUIStyle::MacOS);
    EXPECT_EQ(ControlBorderColor(nullptr, TsuiUIStyle::WinXP, resolved), 0x00686868u);
    for (const auto style : {TsuiUIStyle::DeepBlue, TsuiUIStyle::Protein, TsuiUIStyle::BlueGlass})
        EXPECT_EQ(ControlBorderColor(nullptr, style, resolved), 0u);
    EXPECT_EQ(ControlBorderColor(nullptr, TsuiUIStyle::FromThemeFile, resolved), 0u);
    EXPECT_EQ(resolved, TsuiUIStyle::DeepBlue);

    TsuiBuiltInFileTheme theme(nullptr);
    EXPECT_EQ(ControlBorderColor(&theme, TsuiUIStyle::FromThemeFile, resolved), 0u);  // not ready yet
    EXPECT_EQ(resolved, TsuiUIStyle::DeepBlue);
    theme.SetSkinData(EmbeddedSkinArchive());
    ASSERT_TRUE(theme.Ready());
    ASSERT_EQ(TsuiFileThemeMgr::KeyName(TsuiFileThemeMgr::KeyGroup::Color, kSkin2ControlBorderColor),
              "SKIN2_CONTROLBORDERCOLOR");
    EXPECT_EQ(ControlBorderColor(&theme, TsuiUIStyle::FromThemeFile, resolved), 0x0080521Cu);
    EXPECT_EQ(resolved, TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(ControlBorderColor(&theme, TsuiUIStyle::WinXP, resolved), 0x00686868u);
    EXPECT_EQ(resolved, TsuiUIStyle::WinXP);
}

}  // namespace
}  // namespace trimwell
