#pragma once
// Drawing of the effect label's text: styles (embossed, recessed, outlined), effects (shadow,
// extrusion), the disabled look, and the label painting around it (background, border margin,
// layout), kept apart from the control so each rule can be drawn into any DC.
#include <windows.h>

#include <functional>
#include <string_view>

#include "labels/ElLabel.h"
#include "labels/HTMLRender_win.h"

namespace trimwell {

struct ElLabelLook {
    TElLabelTextStyle style = ltsNormal;
    TElLabelEffectStyle effect = lesNone;
    TColor darkColor = clBtnShadow;
    TColor lightColor = clBtnHighlight;
    TColor outlineColor = clWhite;
    TColor shadowColor = clBtnShadow;
    int xOffset = 2, yOffset = 2;
    int depth = 10;
    TElLabelExtrudePosition extrudePosition = lepRightBottom;
    TColor farColor = clBlack, nearColor = clBlack;
    bool striated = false;
    bool enabled = true;
    bool showAccelChar = true;
    bool endEllipsis = false;
    TColor fontColor = clWindowText;
};

// Draws the caption into r with DrawText flags, or with DT_CALCRECT only measures and returns
// the rectangle the styled text and its effect cover. The DC's font is the label's.
void ElLabelDrawText(HDC dc, std::u16string_view caption, RECT& r, UINT flags, const ElLabelLook& look);

struct LabelFrame {
    int width = 0, height = 0;
    int borderWidth = 0;
    TLabelAlignment alignment = laLeft;
    TTextLayout layout = tlTop;
    bool wordWrap = false;
    bool transparent = true;
    TColor color = clBtnFace;
};

// Word break, tab expansion and alignment of a label's DrawText calls.
UINT LabelTextFlags(const LabelFrame& frame);

using LabelTextDrawer = std::function<void(HDC dc, RECT& r, UINT flags)>;

// The base label: background unless transparent, then the text straight onto the canvas.
void PaintPlainLabel(HDC canvas, HFONT font, const LabelFrame& frame, const LabelTextDrawer& draw);
// The effect label: everything through an off-screen bitmap of the label's size, copied once.
void PaintElLabel(HDC canvas, HFONT font, const LabelFrame& frame, const LabelTextDrawer& draw);

}  // namespace trimwell

namespace trimwell {

// The HTML label with markup on: the laid-out text painted through a bitmap of the text
// rectangle's size that starts as a copy of what lies beneath. Text beyond the label is cut.
void PaintHTMLLabel(HDC canvas, const LabelFrame& frame, TElHTMLRender& render);

}  // namespace trimwell
