#pragma once
// TElLabel: the effect label. Draws its caption through an off-screen bitmap with a text style
// (embossed, recessed, outlined) and an effect behind it (shadow, extrusion).
#include "labels/ElCLabel_win.h"

namespace trimwell {

class TElLabel : public TCustomElLabel {
public:
    explicit TElLabel(TComponent* owner);
    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    const ElLabelLook& Look() const { return look_; }
    void SetStyle(TElLabelTextStyle v);
    void SetEffect(TElLabelEffectStyle v);
    void SetDarkColor(TColor v);
    void SetLightColor(TColor v);
    void SetOutlineColor(TColor v);
    void SetShadowColor(TColor v);
    void SetXOffset(int v);
    void SetYOffset(int v);
    void SetDepth(int v);
    void SetExtrudePosition(TElLabelExtrudePosition v);
    void SetFarColor(TColor v);
    void SetNearColor(TColor v);
    void SetStriated(bool v);

    void Paint(TCanvas& canvas) override;
    void DoDrawText(HDC dc, RECT& r, UINT flags) override;

private:
    // Stores a changed value; repaints (and re-measures) only when the value is in use.
    template <typename V>
    void Change(V& field, V value, bool inUse, bool adjustBounds);

    ElLabelLook look_;
};

}  // namespace trimwell
