#include "skinctrls/SUITrackBar_win.h"

#include <algorithm>

#include "skinctrls/SUIPublic_win.h"

namespace trimwell {

namespace {
constexpr UINT_PTR kPageRepeatTimerId = 0x5B02;
}  // namespace

// ---------------------------------------------------------------- TsuiImagePanel

TsuiImagePanel::TsuiImagePanel(TComponent* owner) : TCustomControl(owner) {}

void TsuiImagePanel::SetPicture(const Bitmap& picture) {
    picture_ = picture;
    dib_ = picture_.Empty() ? UniqueHBitmap() : ToDibSection(picture_);
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

void TsuiImagePanel::Paint(TCanvas& canvas) {
    if (!dib_) {
        canvas.FillRect(ClientRect(), Color());
        return;
    }
    const UniqueMemoryDC source(CreateCompatibleDC(canvas.Handle()));
    const HGDIOBJ old = SelectObject(source.get(), dib_.get());
    BitBlt(canvas.Handle(), 0, 0, picture_.Width(), picture_.Height(), source.get(), 0, 0, SRCCOPY);
    SelectObject(source.get(), old);
}

LRESULT TsuiImagePanel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // The track under the slider decides what a press on it means.
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    if (msg == WM_ERASEBKGND) return 1;
    return TCustomControl::WndProc(msg, wp, lp);
}

// ---------------------------------------------------------------- TsuiTrackBar

TsuiTrackBar::TsuiTrackBar(TComponent* owner) : TCustomControl(owner) {
    slider_ = &Add<TsuiImagePanel>();
    slider_->SetParent(this);
}

void TsuiTrackBar::changed(bool due) {
    placeSlider();
    if (due && OnChange) OnChange(*this);
}

void TsuiTrackBar::SetPosition(int value) { changed(state_.SetPosition(value)); }
void TsuiTrackBar::SetMin(int value) { changed(state_.SetMin(value)); }
void TsuiTrackBar::SetMax(int value) { changed(state_.SetMax(value)); }

void TsuiTrackBar::SetOrientation(TsuiProgressBarOrientation orientation) {
    if (orientation == orientation_) return;
    orientation_ = orientation;
    placeSlider();
}

void TsuiTrackBar::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Invalidate();
}

void TsuiTrackBar::SetThumb(const Bitmap& thumb) {
    slider_->SetPicture(thumb);
    // Across the orientation the track is as thick as the slider.
    const int thickness = vertical() ? slider_->Width() : slider_->Height();
    if (thickness > 0) {
        if (vertical())
            SetBounds(Left(), Top(), thickness, Height());
        else
            SetBounds(Left(), Top(), Width(), thickness);
    }
    placeSlider();
}

int TsuiTrackBar::thumbLength() const { return vertical() ? slider_->Height() : slider_->Width(); }

int TsuiTrackBar::positionAt(int c) const {
    return TrackPositionFromPoint(c, grabOffset_, Min(), Max(), trackLength(), thumbLength());
}

void TsuiTrackBar::placeSlider() {
    const int along = thumbStart();
    if (vertical())
        slider_->SetBounds(TrackThumbAcross(Width(), slider_->Width()), along, slider_->Width(), slider_->Height());
    else
        slider_->SetBounds(along, TrackThumbAcross(Height(), slider_->Height()), slider_->Width(), slider_->Height());
}

void TsuiTrackBar::BoundsChanged() {
    TCustomControl::BoundsChanged();
    placeSlider();
}

void TsuiTrackBar::Paint(TCanvas& canvas) {
    if (transparent_)
        DrawParentBackground(canvas.Handle(), *this);
    else
        canvas.FillRect(ClientRect(), Color());
}

void TsuiTrackBar::page(int c, int step) {
    if (const std::optional<int> target = PageClickTarget(c, thumbStart(), Position(), step, positionAt(c)))
        SetPosition(*target);
}

void TsuiTrackBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    const RECT thumb = slider_->BoundsRect();
    const POINT p{x, y};
    if (PtInRect(&thumb, p)) {
        grabOffset_ = along(x, y) - thumbStart();
        dragging_ = true;
        return;
    }
    page(along(x, y), PageSize());
    if (!pageTimer_) pageTimer_.emplace(Handle(), kPageRepeatTimerId, kPageRepeatIntervalMs);
}

void TsuiTrackBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (dragging_) {
        changed(state_.SetPosition(positionAt(along(x, y))));
        return;
    }
    const RECT client = ClientRect();
    const POINT p{x, y};
    if (!PtInRect(&client, p)) stopPaging();
}

void TsuiTrackBar::stopPaging() { pageTimer_.reset(); }

void TsuiTrackBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    stopPaging();
    dragging_ = false;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TsuiTrackBar::CaptureLost() {
    stopPaging();
    dragging_ = false;
}

LRESULT TsuiTrackBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) return 1;
    if (msg == WM_TIMER && pageTimer_ && pageTimer_->Ticked(wp)) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(Handle(), &p);
        const int steps = vertical() ? 1 : kHorizontalRepeatPages;
        page(along(p.x, p.y), steps * PageSize());
        return 0;
    }
    return TCustomControl::WndProc(msg, wp, lp);
}

// ---------------------------------------------------------------- TsuiScrollTrackBar

TsuiScrollTrackBar::TsuiScrollTrackBar(TComponent* owner) : TsuiTrackBar(owner) {
    SetTabStop(false);
    SetTransparent(false);
}

}  // namespace trimwell
