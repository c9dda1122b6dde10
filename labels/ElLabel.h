#pragma once
// Rules of the effect and HTML labels that need no window system: extrusion steps and layer
// colours, the packed hint form, and where laid-out markup sits inside a label.
#include <cstdint>
#include <string>
#include <string_view>

#include "labels/HTMLRender.h"

namespace trimwell {

enum TElLabelTextStyle { ltsNormal, ltsEmbossed, ltsRecessed, ltsOutlined };
enum TElLabelEffectStyle { lesNone, lesShadow, lesExtrude };
enum TElLabelExtrudePosition {
    lepLeft,
    lepLeftTop,
    lepTop,
    lepRightTop,
    lepRight,
    lepRightBottom,
    lepBottom,
    lepLeftBottom
};
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TLabelAlignment { laLeft, laRight, laCenter };

struct ExtrudeStep {
    int dx, dy;
};
ExtrudeStep ExtrudeStepOf(TElLabelExtrudePosition position);

struct Rgb {
    int r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
// Colour of extrusion layer `layer` (1 nearest .. depth farthest) between the near and far
// colours; the striated form stripes alternate layers.
Rgb ExtrudeLayerColor(Rgb nearColor, Rgb farColor, int layer, int depth, bool striated);

// The 8-bit hint as the platform hint machinery carries a wide hint: the 8-bit text, a 0 byte,
// the UTF-16LE units, a 16-bit 0 and the marker 0xFFFE.
std::string PackHint(std::string_view ansi, std::u16string_view wide);

struct LabelRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const LabelRect&, const LabelRect&) = default;
};

// Where an HTML label's laid-out text goes in its client area. Link tests use the plain form;
// painting keeps the text inside the border.
LabelRect HTMLTextRect(int clientWidth, int clientHeight, int textWidth, int textHeight, TTextLayout layout,
                       TLabelAlignment alignment, int borderWidth, bool forPainting);

}  // namespace trimwell
