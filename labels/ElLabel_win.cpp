#include "labels/ElLabel_win.h"

namespace trimwell {

TElLabel::TElLabel(TComponent* owner) : TCustomElLabel(owner) {}

const PropertyTable& TElLabel::StaticPublished() {
    static const PropertyTable table = Inherit(TCustomElLabel::StaticPublished(),
                                               {
                                                   Prop<TElLabel>("Style", &TElLabel::SetStyle),
                                                   Prop<TElLabel>("Effect", &TElLabel::SetEffect),
                                                   Prop<TElLabel>("DarkColor", &TElLabel::SetDarkColor),
                                                   Prop<TElLabel>("LightColor", &TElLabel::SetLightColor),
                                                   Prop<TElLabel>("OutlineColor", &TElLabel::SetOutlineColor),
                                                   Prop<TElLabel>("ShadowColor", &TElLabel::SetShadowColor),
                                                   Prop<TElLabel>("XOffset", &TElLabel::SetXOffset),
                                                   Prop<TElLabel>("YOffset", &TElLabel::SetYOffset),
                                                   Prop<TElLabel>("Depth", &TElLabel::SetDepth),
                                                   Prop<TElLabel>("ExtrudePosition", &TElLabel::SetExtrudePosition),
                                                   Prop<TElLabel>("FarColor", &TElLabel::SetFarColor),
                                                   Prop<TElLabel>("NearColor", &TElLabel::SetNearColor),
                                                   Prop<TElLabel>("Striated", &TElLabel::SetStriated),
                                               });
    return table;
}
const PropertyTable& TElLabel::Published() const { return StaticPublished(); }

template <typename V>
void TElLabel::Change(V& field, V value, bool inUse, bool adjustBounds) {
    if (field == value) return;
    field = value;
    if (!inUse) return;
    if (adjustBounds) AdjustBounds();
    Invalidate();
}

void TElLabel::SetStyle(TElLabelTextStyle v) { Change(look_.style, v, true, true); }
void TElLabel::SetEffect(TElLabelEffectStyle v) { Change(look_.effect, v, true, true); }
void TElLabel::SetDarkColor(TColor v) {
    Change(look_.darkColor, v, look_.style == ltsEmbossed || look_.style == ltsRecessed, false);
}
void TElLabel::SetLightColor(TColor v) {
    Change(look_.lightColor, v, look_.style == ltsEmbossed || look_.style == ltsRecessed, false);
}
void TElLabel::SetOutlineColor(TColor v) { Change(look_.outlineColor, v, look_.style == ltsOutlined, false); }
void TElLabel::SetShadowColor(TColor v) { Change(look_.shadowColor, v, look_.effect == lesShadow, false); }
void TElLabel::SetXOffset(int v) { Change(look_.xOffset, v, look_.effect == lesShadow, false); }
void TElLabel::SetYOffset(int v) { Change(look_.yOffset, v, look_.effect == lesShadow, false); }
void TElLabel::SetDepth(int v) {
    if (v < 0) return;
    Change(look_.depth, v, look_.effect == lesExtrude, true);
}
void TElLabel::SetExtrudePosition(TElLabelExtrudePosition v) {
    Change(look_.extrudePosition, v, look_.effect == lesExtrude, true);
}
void TElLabel::SetFarColor(TColor v) { Change(look_.farColor, v, look_.effect == lesExtrude, false); }
void TElLabel::SetNearColor(TColor v) { Change(look_.nearColor, v, look_.effect == lesExtrude, false); }
void TElLabel::SetStriated(bool v) { Change(look_.striated, v, look_.effect == lesExtrude, false); }

void TElLabel::DoDrawText(HDC dc, RECT& r, UINT flags) {
    ElLabelLook look = look_;
    const ElLabelLook plain = PlainLook();
    look.enabled = plain.enabled;
    look.showAccelChar = plain.showAccelChar;
    look.endEllipsis = plain.endEllipsis;
    look.fontColor = plain.fontColor;
    ElLabelDrawText(dc, Caption(), r, flags, look);
}

void TElLabel::Paint(TCanvas& canvas) {
    PaintElLabel(canvas.Handle(), Font().Handle(), Frame(),
                 [this](HDC dc, RECT& r, UINT flags) { DoDrawText(dc, r, flags); });
}

}  // namespace trimwell
