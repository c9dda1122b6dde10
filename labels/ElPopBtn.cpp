#include "labels/ElPopBtn.h"

#include <algorithm>

namespace trimwell {

ButtonReaction ElGraphicButtonMachine::MouseEnter(const ButtonSettings& s) {
    if (!s.enabled) return {};
    mouseInside_ = true;
    if (s.useImageList) currentList_ = s.hasHotImages ? TElGlyphList::HotImages : TElGlyphList::Images;
    return {.repaint = true};
}

ButtonReaction ElGraphicButtonMachine::MouseLeave(const ButtonSettings& s) {
    // A press dragged out keeps its hot glyph until the release decides.
    if (s.enabled && !tracking_ && s.useImageList && s.hasHotImages) currentList_ = TElGlyphList::Images;
    mouseInside_ = false;
    return {.repaint = true};
}

ButtonReaction ElGraphicButtonMachine::LeftDown(const ButtonSettings& s) {
    if (!s.enabled) return {};
    state_ = ebsDown;
    tracking_ = true;
    mouseInside_ = true;
    return {.repaint = true, .downSound = true};
}

TElButtonState ElGraphicButtonMachine::ReleasedState(const ButtonSettings& s) const {
    return s.down ? ebsExclusive : ebsUp;
}

ButtonReaction ElGraphicButtonMachine::MouseMove(const ButtonSettings& s, int x, int y, int width, int height) {
    if (!tracking_) return {};
    const TElButtonState next = Inside(x, y, width, height) ? ebsDown : ReleasedState(s);
    if (next == state_) return {};
    state_ = next;
    return {.repaint = true, .downSound = next == ebsDown, .upSound = next != ebsDown};
}

ButtonReaction ElGraphicButtonMachine::LeftUp(const ButtonSettings& s, int x, int y, int width, int height) {
    if (!tracking_) return {};
    tracking_ = false;
    ButtonReaction r{.repaint = true, .upSound = state_ == ebsDown};
    state_ = ReleasedState(s);
    const bool inClient = x >= 0 && x < width && y >= 0 && y < height;
    if (inClient)
        mouseInside_ = true;
    else
        MouseLeave(s);
    r.click = Inside(x, y, width, height);
    return r;
}

void ElGraphicButtonMachine::FollowEnabled(const ButtonSettings& s) {
    if (!s.enabled)
        state_ = ebsDisabled;
    else if (state_ == ebsDisabled)
        state_ = s.down && s.groupIndex != 0 ? ebsExclusive : ebsUp;
}

namespace {

bool Has(const GlyphPlanInput& in, TElGlyphList list) {
    switch (list) {
        case TElGlyphList::Images: return in.hasImages;
        case TElGlyphList::HotImages: return in.hasHotImages;
        case TElGlyphList::DownImages: return in.hasDownImages;
        default: return false;
    }
}

bool Pressed(TElButtonState state) { return state == ebsDown || state == ebsExclusive; }

// A cell larger than the room keeps its proportions as it shrinks to fit.
GlyphRect FitCell(int cellWidth, int cellHeight, int roomWidth, int roomHeight) {
    if (cellWidth <= roomWidth && cellHeight <= roomHeight) return {0, 0, cellWidth, cellHeight};
    if (roomWidth <= 0 || roomHeight <= 0) return {};
    const long long byWidth = static_cast<long long>(roomWidth) * cellHeight;
    const long long byHeight = static_cast<long long>(roomHeight) * cellWidth;
    if (byWidth <= byHeight)
        return {0, 0, roomWidth, static_cast<int>(byWidth / cellWidth)};
    return {0, 0, static_cast<int>(byHeight / cellHeight), roomHeight};
}

}  // namespace

GlyphPlan PlanGlyph(const GlyphPlanInput& in) {
    GlyphPlan plan;
    const bool pressed = Pressed(in.state);
    plan.list = pressed && in.hasDownImages ? TElGlyphList::DownImages : in.currentList;
    if (!Has(in, plan.list) || in.imageIndex < 0 || in.imageIndex >= in.imageCount) plan.list = TElGlyphList::None;
    plan.imageIndex = plan.list == TElGlyphList::None ? -1 : in.imageIndex;

    const int inset = in.adjustSpaceForGlyph ? (in.thinFrame ? 1 : 2) : 0;
    const int roomLeft = inset, roomTop = inset;
    const int roomWidth = in.clientWidth - 2 * inset, roomHeight = in.clientHeight - 2 * inset;
    // A button pressed with a down list of its own shows that list where it stands; otherwise the
    // glyph and caption sink by one pixel.
    const bool ownDownList = in.hasDownImages && !in.downListIsImages;
    const int shift = pressed && !ownDownList ? 1 : 0;

    const bool hasGlyph = plan.list != TElGlyphList::None;
    GlyphRect glyph = hasGlyph ? FitCell(in.cellWidth, in.cellHeight, roomWidth, roomHeight) : GlyphRect{};
    const bool hasCaption = in.captionWidth > 0;
    const int gap = hasGlyph && hasCaption ? in.spacing : 0;
    // Glyph left of the caption, the two centred together.
    const int total = glyph.width + gap + in.captionWidth;
    const int left = roomLeft + (roomWidth - total) / 2 + shift;
    glyph.left = left;
    glyph.top = roomTop + (roomHeight - glyph.height) / 2 + shift;
    plan.glyph = glyph;
    if (hasCaption)
        plan.caption = {left + glyph.width + gap, roomTop + (roomHeight - in.captionHeight) / 2 + shift,
                        in.captionWidth, in.captionHeight};
    return plan;
}

}  // namespace trimwell
