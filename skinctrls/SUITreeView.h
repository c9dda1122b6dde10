#pragma once
// The portable half of the skinned tree view: what its linked skinned scroll bars take from the
// tree's native scroll state, and where they stand over the tree.
//
//   TsuiScrollBarSync s = PlanScrollBarSync(info, treeEnabled, range);   // range 0..39, page 20
//   // s.max == 20, s.min == 0; a hidden native bar gives s.visible == false, s.lineButton == 0
#include <cstdint>
#include <optional>

#include "skinctrls/SUIBounds.h"

namespace trimwell {

// The window system's description of one native scroll bar: its state word and the pixel
// extent of its thumb.
struct TsuiNativeBarInfo {
    std::uint32_t state = 0;
    int thumbTop = 0;
    int thumbBottom = 0;
};

// The state words that mean "no bar to stand over": the platform's STATE_SYSTEM_INVISIBLE and
// STATE_SYSTEM_UNAVAILABLE, spelled out for the portable code and checked against the platform's
// names where its headers are (SUITreeView_win.cpp).
inline constexpr std::uint32_t kNativeBarInvisible = 0x8000;
inline constexpr std::uint32_t kNativeBarUnavailable = 0x0001;

// The native scroll information of one bar (a failed read counts as all zero).
struct TsuiNativeScrollRange {
    int min = 0;
    int max = 0;
    unsigned page = 0;
    int position = 0;
};

// What one linked bar is given, in this order: LineButton, enabled state and visibility when
// they change, then Max, Min and Position.
struct TsuiScrollBarSync {
    std::optional<int> lineButton;
    bool enabled = false;
    std::optional<bool> visible;
    int max = 0;
    int min = 0;
    int position = 0;
};

// A bar whose description cannot be had, or whose state word is exactly invisible or exactly
// unavailable, is emptied (LineButton 0), disabled and hidden. Otherwise, in an enabled tree it
// takes the native thumb's length as LineButton and is enabled and shown; in a disabled tree it
// is only disabled. Max is the native maximum less the page plus one.
TsuiScrollBarSync PlanScrollBarSync(const std::optional<TsuiNativeBarInfo>& info, bool treeEnabled,
                                    const TsuiNativeScrollRange& range);

// A linked bar as LayoutLinkedScrollBars sees and moves it.
struct TsuiLinkedBarBox {
    TsuiBounds bounds;
    bool visible = false;
};

// Places the linked bars (null: not linked) over the tree's native bars, one pixel inside the
// tree's outer ring: the horizontal bar along the bottom, the vertical bar along the right edge,
// or the left edge when `rightToLeft`. A tree narrower (or lower) than its bar only moves the
// bar to the tree's left (or top).
void LayoutLinkedScrollBars(const TsuiBounds& tree, bool rightToLeft, TsuiLinkedBarBox* vertical,
                            TsuiLinkedBarBox* horizontal);

}  // namespace trimwell
