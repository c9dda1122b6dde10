#include <gtest/gtest.h>

#include "labels/ElPopBtn.h"

using namespace trimwell;

namespace {

// The title buttons: 34 x 34, 30 x 22 cells, all three lists.
GlyphPlanInput titleButton(TElButtonState state, TElGlyphList current = TElGlyphList::Images) {
    GlyphPlanInput in;
    in.clientWidth = in.clientHeight = 34;
    in.cellWidth = 30;
    in.cellHeight = 22;
    in.state = state;
    in.currentList = current;
    in.hasImages = in.hasHotImages = in.hasDownImages = true;
    in.imageIndex = 0;
    in.imageCount = 7;
    return in;
}

}  // namespace

TEST(GraphicButtonGlyph, CentredInTheShrunkRectangleAndShiftedOnlyWithoutAnOwnDownList) {
    GlyphPlan plan = PlanGlyph(titleButton(ebsUp, TElGlyphList::HotImages));
    EXPECT_EQ(plan.list, TElGlyphList::HotImages);
    EXPECT_EQ(plan.glyph.left, 2);
    EXPECT_EQ(plan.glyph.top, 6);
    plan = PlanGlyph(titleButton(ebsDown, TElGlyphList::HotImages));
    EXPECT_EQ(plan.list, TElGlyphList::DownImages);
    EXPECT_EQ(plan.glyph.left, 2);  // its own down list: not shifted
    GlyphPlanInput in = titleButton(ebsDown);
    in.downListIsImages = true;
    EXPECT_EQ(PlanGlyph(in).glyph.left, 3);
    in.hasDownImages = false;
    plan = PlanGlyph(in);
    EXPECT_EQ(plan.list, TElGlyphList::Images);
    EXPECT_EQ(plan.glyph.top, 7);

    in = titleButton(ebsUp);
    in.clientWidth = 33;  // (29 - 30) / 2 truncates to 0... but the cell is wider: it shrinks
    plan = PlanGlyph(in);
    EXPECT_EQ(plan.glyph.width, 29);
    EXPECT_EQ(plan.glyph.height, 21);
    in = titleButton(ebsUp);
    in.thinFrame = true;
    EXPECT_EQ(PlanGlyph(in).glyph.left, 2);  // (32 - 30) / 2 + 1
    in.adjustSpaceForGlyph = false;
    EXPECT_EQ(PlanGlyph(in).glyph.top, 6);
    for (const int index : {-1, 7}) {
        in.imageIndex = index;
        EXPECT_EQ(PlanGlyph(in).list, TElGlyphList::None);
    }
}

TEST(GraphicButtonStates, EnterPressDragAndRelease) {
    ElGraphicButtonMachine m;
    const ButtonSettings s{.useImageList = true, .hasHotImages = true};
    EXPECT_TRUE(m.MouseEnter(s).repaint);
    EXPECT_EQ(m.CurrentList(), TElGlyphList::HotImages);
    EXPECT_TRUE(m.LeftDown(s).downSound);
    EXPECT_EQ(m.State(), ebsDown);
    // Inside is 0 <= x < width and 0 <= y <= height.
    EXPECT_FALSE(m.MouseMove(s, 33, 34, 34, 34).repaint);
    EXPECT_TRUE(m.MouseMove(s, 34, 10, 34, 34).upSound);
    EXPECT_EQ(m.State(), ebsUp);
    m.MouseLeave(s);  // dragged off: the hot list stays while tracking
    EXPECT_EQ(m.CurrentList(), TElGlyphList::HotImages);
    EXPECT_FALSE(m.LeftUp(s, 40, 10, 34, 34).click);
    EXPECT_EQ(m.CurrentList(), TElGlyphList::Images);
    EXPECT_FALSE(m.MouseInside());

    m.MouseEnter(s);
    m.LeftDown(s);
    const ButtonReaction r = m.LeftUp(s, 5, 5, 34, 34);
    EXPECT_TRUE(r.click);
    EXPECT_TRUE(r.upSound);
    EXPECT_EQ(m.State(), ebsUp);
    EXPECT_EQ(m.CurrentList(), TElGlyphList::HotImages);
    EXPECT_FALSE(m.LeftUp(s, 5, 5, 34, 34).click);  // no press, no click
}

TEST(GraphicButtonStates, ADisabledButtonIgnoresTheMouseAndShowsDisabled) {
    ElGraphicButtonMachine m;
    ButtonSettings s{.enabled = false, .useImageList = true, .hasHotImages = true};
    EXPECT_FALSE(m.MouseEnter(s).repaint);
    EXPECT_FALSE(m.LeftDown(s).repaint);
    m.FollowEnabled(s);
    EXPECT_EQ(m.State(), ebsDisabled);
    s.enabled = true;
    s.down = true;
    s.groupIndex = 1;
    m.FollowEnabled(s);
    EXPECT_EQ(m.State(), ebsExclusive);
}
