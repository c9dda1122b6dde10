#pragma once
// The portable half of the skinned scroll bar: how long its thumb is, whether a LineButton fits,
// where its two arrow buttons and its track go, and which pictures it draws from a file theme
// or a built-in style.
//
//   int lineButton = 12;
//   int length = ScrollThumbLength(lineButton, 2, 191);   // 16: raised to 16, and lineButton too
//   TsuiScrollBarLayout parts = LayoutScrollBarParts(TsuiProgressBarOrientation::suiVertical,
//                                                    16, 223, {16, 16}, {16, 16});
//   // parts.track == {0, 16, 16, 191}
#include <array>
#include <cstdint>

#include "framework/Bitmap.h"
#include "skin/SUIThemes.h"
#include "skinctrls/SUIBounds.h"

namespace trimwell {

class TsuiFileTheme;

// A thumb of a set LineButton is at least this long; the raised value is kept in LineButton.
inline constexpr int kMinLineButton = 16;
// The arrow buttons step once per interval while held.
inline constexpr int kArrowRepeatIntervalMs = 100;

// The thumb's length along a track `trackLength` long: LineButton when set (raised to 16), else
// the page size as a percentage of the track, a page below 10 or above 100 counting as 10. 0
// when nothing gives a length (no LineButton and a track without length).
int ScrollThumbLength(int& lineButton, int pageSize, int trackLength);

// A LineButton is taken only when it fits between the two arrow buttons.
bool LineButtonFits(int value, int barLength, int startButtonLength, int endButtonLength);

struct TsuiPictureSize {
    int width = 0;
    int height = 0;
};

struct TsuiScrollBarLayout {
    // A bar without width or height hides itself and lays out nothing else.
    bool hide = false;
    TsuiBounds startButton, track, endButton;
    // The bar's own width (vertical) or height (horizontal) after the layout: its start button's.
    int barThickness = 0;
};

// The arrow buttons at the two ends, the track between them (in the bar's client coordinates).
TsuiScrollBarLayout LayoutScrollBarParts(TsuiProgressBarOrientation orientation, int barWidth, int barHeight,
                                         TsuiPictureSize startButton, TsuiPictureSize endButton);

// Items of the built-in styles the scroll bar draws from.
inline constexpr int kStyleScrollBarColor = 31;
inline constexpr int kStyleScrollBarButton = 32;
inline constexpr int kStyleScrollBarTrack = 33;

// Everything LoadSkin puts on a bar: its colour, the three thumb pieces turned for the bar's
// orientation, and the arrow buttons' normal, mouse-over and pressed pictures.
struct TsuiScrollBarPictures {
    bool fromFileTheme = false;
    std::uint32_t color = 0;
    Bitmap startCap, middle, endCap;
    std::array<Bitmap, 3> startButton, endButton;
};

TsuiScrollBarPictures LoadScrollBarPictures(const TsuiFileTheme* theme, TsuiUIStyle style,
                                            TsuiProgressBarOrientation orientation);

// The pictures mark what lies outside their rounded shapes in the skin's key colour; the bar
// draws them opaque, so those pixels take the bar's own colour (nothing without one).
void FillKeyColorWithBarColor(TsuiScrollBarPictures& pictures);

}  // namespace trimwell
