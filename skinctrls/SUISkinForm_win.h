#pragma once
// TsuiSkinForm: the picture that gives a borderless form its outline and background, and lets
// the user drag the form by any point of it.
//
// A windowless control at the form's top-left corner, below everything else. Setting Glyph or
// TransparentColor cuts the form's window to the picture's pixels that differ from the colour
// and sizes control and form to the picture. A press of any button on the picture starts the
// window system's move loop, as a press on a caption would.
//   Row<TsuiSkinForm>("suiSkinForm", "", {{"Glyph", std::string("MAINPICTURE")},
//                                         {"TransparentColor", std::int64_t{0x00FF07FF}}})
#include "framework/Bitmap.h"
#include "framework/Bitmap_win.h"
#include "framework/Controls_win.h"

namespace trimwell {

class TForm;

class TsuiSkinForm : public TGraphicControl {
public:
    explicit TsuiSkinForm(TComponent* owner);

    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    const Bitmap& Glyph() const { return glyph_; }
    // A copy of the picture is kept.
    void SetGlyph(const Bitmap& picture) { SetGlyph(Bitmap(picture)); }
    void SetGlyph(Bitmap&& picture);
    // A layout names the picture: a bitmap resource of the program (an unknown name gives an
    // empty picture).
    void SetGlyphResource(std::string name);
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor color);
    void SetTransparentColorValue(std::int64_t color) { SetTransparentColor(static_cast<TColor>(color)); }

    void Paint(TCanvas& canvas) override;
    void ParentWindowCreated() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

    TNotifyEvent OnRegionChanged;
    TNotifyEvent OnPaint;

protected:
    void Loaded() override;

private:
    void UpdateRegion();

    TForm* hostForm_ = nullptr;
    Bitmap glyph_;
    TColor transparentColor_ = 0x00FF00FF;
    bool shapePending_ = false;  // a setter ran while the layout was being read
    bool regionPending_ = false;  // the form's window is cut to the picture once it is made
};

}  // namespace trimwell
