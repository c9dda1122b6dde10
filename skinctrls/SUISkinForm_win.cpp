#include "skinctrls/SUISkinForm_win.h"

#include <utility>

#include "framework/Forms_win.h"
#include "framework/Menus_win.h"
#include "platform/Shell_win.h"
#include "platform/Resources.h"
#include "skinctrls/SUIPublic_win.h"

namespace trimwell {

TsuiSkinForm::TsuiSkinForm(TComponent* owner) : TGraphicControl(owner) {
    // Only a form can be shaped; on anything else the control is a plain picture.
    hostForm_ = dynamic_cast<TForm*>(owner);
    if (hostForm_ == nullptr) return;
    transparentColor_ = 0x00FF00FF;
    SetBounds(Left(), Top(), 200, 100);
}

const PropertyTable& TsuiSkinForm::StaticPublished() {
    static const PropertyTable table = PublishInOrder(TGraphicControl::StaticPublished(), {
        Prop<TsuiSkinForm>("Glyph", &TsuiSkinForm::SetGlyphResource),
        Prop<TsuiSkinForm>("TransparentColor", &TsuiSkinForm::SetTransparentColorValue),
        RefProp<TsuiSkinForm>("PopupMenu", &TControl::SetPopupMenu),
    }, {"Glyph", "TransparentColor", "PopupMenu", "Cursor"});
    return table;
}
const PropertyTable& TsuiSkinForm::Published() const { return StaticPublished(); }

void TsuiSkinForm::SetGlyph(Bitmap&& picture) {
    glyph_ = std::move(picture);
    UpdateRegion();
    Invalidate();
}

void TsuiSkinForm::SetGlyphResource(std::string name) { SetGlyph(LoadProgramBitmap(name).value_or(Bitmap())); }

void TsuiSkinForm::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    UpdateRegion();
    Invalidate();
}

void TsuiSkinForm::UpdateRegion() {
    if (glyph_.Empty() || hostForm_ == nullptr) return;
    // A stored layout sets Glyph and then TransparentColor: the window is shaped once, when both
    // have arrived, to what the second setter alone would have made of it.
    if (IsLoading()) {
        shapePending_ = true;
        return;
    }
    // A form not shown yet may have no window (the message dialog until its first notice):
    // making one only to cut it would cost every start of the program; it is cut when made.
    regionPending_ = !hostForm_->HandleAllocated();
    if (!regionPending_) SetWindowRegionFromBitmap(hostForm_->Handle(), glyph_, transparentColor_);
    SetHeight(glyph_.Height());
    SetWidth(glyph_.Width());
    SetBounds(0, 0, Width(), Height());
    // Without a border, client and window coordinates are the same: picture pixel (x, y) is
    // window point (x, y).
    hostForm_->SetClientHeight(Height());
    hostForm_->SetClientWidth(Width());
    if (OnRegionChanged) OnRegionChanged(*this);
}

void TsuiSkinForm::Loaded() {
    TGraphicControl::Loaded();
    if (std::exchange(shapePending_, false)) UpdateRegion();
}

void TsuiSkinForm::ParentWindowCreated() {
    if (hostForm_ == nullptr || !hostForm_->HandleAllocated()) return;
    if (std::exchange(regionPending_, false) && !glyph_.Empty())
        SetWindowRegionFromBitmap(hostForm_->Handle(), glyph_, transparentColor_);
}

void TsuiSkinForm::Paint(TCanvas& canvas) {
    const HDC dc = canvas.Handle();
    if (!glyph_.Empty()) {
        // Only the part the paint needs is copied.
        RECT box{0, 0, glyph_.Width(), glyph_.Height()};
        RECT clip{};
        if (GetClipBox(dc, &clip) == ERROR || IntersectRect(&box, &box, &clip)) DrawBitmapPart(dc, glyph_, box);
    } else {
        canvas.FrameRect(ClientRect(), clBlack);
    }
    if (OnPaint) OnPaint(*this);
}

void TsuiSkinForm::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (hostForm_ == nullptr) return;
    ReleaseCapture();
    // The window system's own move loop, as for a press on a title bar: the only drag code.
    Platform().captionPress(hostForm_->Handle(), HTCAPTION, 0);
}

}  // namespace trimwell
