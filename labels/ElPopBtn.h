#pragma once
// The rules of the graphic button that need no window system: its state and flags as mouse
// events change them, and where its glyph goes.
//
//     ElGraphicButtonMachine machine;
//     ButtonReaction r = machine.LeftDown(settings);           // state down, tracking
//     r = machine.LeftUp(settings, x, y, width, height);       // r.click when released inside
//     GlyphPlan plan = PlanGlyph({...});                       // which list, which rectangle
#include <cstdint>

namespace trimwell {

// The button state byte.
enum TElButtonState : std::uint8_t { ebsUp = 0, ebsDisabled = 1, ebsDown = 2, ebsExclusive = 3, ebsArrDown = 4 };

// The image lists a glyph can come from.
enum class TElGlyphList { None, Images, HotImages, DownImages };

// What of the button's settings the state machine reads.
struct ButtonSettings {
    bool enabled = true;  // the button and its parent
    bool useImageList = false;
    bool hasHotImages = false;
    bool down = false;  // the Down property
    int groupIndex = 0;
};

// What an event asks of the button besides its new state.
struct ButtonReaction {
    bool repaint = false;
    bool click = false;
    bool downSound = false;
    bool upSound = false;
};

class ElGraphicButtonMachine {
public:
    TElButtonState State() const { return state_; }
    bool MouseInside() const { return mouseInside_; }
    bool Tracking() const { return tracking_; }
    // The list the glyph is drawn from outside the pressed state: Images or HotImages.
    TElGlyphList CurrentList() const { return currentList_; }

    ButtonReaction MouseEnter(const ButtonSettings& s);
    ButtonReaction MouseLeave(const ButtonSettings& s);
    ButtonReaction LeftDown(const ButtonSettings& s);
    ButtonReaction MouseMove(const ButtonSettings& s, int x, int y, int width, int height);
    ButtonReaction LeftUp(const ButtonSettings& s, int x, int y, int width, int height);
    // Before painting: disabled while the button or its parent is, back to up (exclusive for a
    // Down button of a group) once both are enabled again.
    void FollowEnabled(const ButtonSettings& s);

private:
    // The pressed test of the button's moves and releases takes the row just below it as inside.
    static bool Inside(int x, int y, int width, int height) { return x >= 0 && x < width && y >= 0 && y <= height; }
    TElButtonState ReleasedState(const ButtonSettings& s) const;

    TElButtonState state_ = ebsUp;
    bool mouseInside_ = false;
    bool tracking_ = false;
    TElGlyphList currentList_ = TElGlyphList::Images;
};

struct GlyphPlanInput {
    int clientWidth = 0, clientHeight = 0;
    int cellWidth = 0, cellHeight = 0;
    TElButtonState state = ebsUp;
    TElGlyphList currentList = TElGlyphList::Images;
    bool hasImages = false, hasHotImages = false, hasDownImages = false;
    bool downListIsImages = false;  // DownImages set to the Images list itself
    bool adjustSpaceForGlyph = true;
    bool thinFrame = false;
    int imageIndex = -1;
    int imageCount = 0;  // of the list the glyph comes from
    int captionWidth = 0, captionHeight = 0;  // 0 without a caption
    int spacing = 4;
};

struct GlyphRect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct GlyphPlan {
    TElGlyphList list = TElGlyphList::None;  // None: no glyph is drawn
    int imageIndex = -1;
    GlyphRect glyph;     // scaled when the cell does not fit
    GlyphRect caption;   // beside the glyph, or centred without one
};

// The list, image and place of the glyph, and of the caption, for one paint.
GlyphPlan PlanGlyph(const GlyphPlanInput& in);

}  // namespace trimwell
