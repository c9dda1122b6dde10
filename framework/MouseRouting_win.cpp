// Mouse routing to windowless children. A window hit-tests its windowless children, topmost
// first, and hands each press, move and release to the one under the pointer, or to the one that
// holds capture; enter and leave follow the pointer from child to child, and a left release that
// the pressed control accepts clicks it once.
#include "framework/Controls_win.h"

#include <windowsx.h>

#include <utility>
#include <vector>

namespace trimwell {

namespace {

bool inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

TShiftState CurrentShift(WPARAM mouseFlags) {
    TShiftState s = static_cast<TShiftState>(mouseFlags & 0xFFFF);
    if (GetKeyState(VK_MENU) < 0) s |= shiftAlt;
    if (GetKeyState(VK_SHIFT) < 0) s |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0) s |= MK_CONTROL;
    return s;
}

void TControl::SetMouseCapture(bool capture) {
    if (auto* self = dynamic_cast<TWinControl*>(this)) {
        if (capture) {
            self->HandleNeeded();
            if (self->handle_) self->takeCapture(nullptr);
        } else if (MouseCapture()) {
            self->selfCaptured_ = false;
            ReleaseCapture();
        }
        return;
    }
    auto* graphic = dynamic_cast<TGraphicControl*>(this);
    if (graphic == nullptr || parent_ == nullptr || !parent_->handle_) return;
    if (capture) {
        parent_->takeCapture(graphic);
    } else if (MouseCapture()) {
        parent_->captured_ = nullptr;
        ReleaseCapture();
    }
}

bool TControl::MouseCapture() const {
    if (const auto* self = dynamic_cast<const TWinControl*>(this))
        return self->handle_ && self->selfCaptured_ && GetCapture() == self->handle_.get();
    return parent_ != nullptr && parent_->handle_ && parent_->captured_ == this &&
           GetCapture() == parent_->handle_.get();
}

// Platform controls handle their mouse themselves.
LRESULT TWinControl::onMouse(UINT msg, WPARAM wp, LPARAM lp) {
    if (PaintsItself()) return DefaultHandler(msg, wp, lp);
    routeMouse(msg, wp, lp);
    // The right release still goes on to become the context-menu request.
    return msg == WM_RBUTTONUP ? DefaultHandler(msg, wp, lp) : 0;
}

TGraphicControl* TWinControl::graphicChildAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        auto* g = dynamic_cast<TGraphicControl*>(*it);
        if (g != nullptr && g->Visible() && g->Enabled() && inside(g->BoundsRect(), x, y)) return g;
    }
    return nullptr;
}

void TWinControl::setHover(TGraphicControl* hover) {
    if (hover == hover_) return;
    TGraphicControl* old = std::exchange(hover_, hover);
    if (old != nullptr) old->MouseLeave();
    if (hover_ != nullptr) hover_->MouseEnter();
}

void TWinControl::routeMouse(UINT msg, WPARAM wp, LPARAM lp) {
    const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    const TShiftState shift = CurrentShift(wp);
    const bool buttonsUp = (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0;
    switch (msg) {
        case WM_MOUSEMOVE: {
            if (!trackingLeave_) {
                TRACKMOUSEEVENT tme{};
                tme.cbSize = sizeof tme;
                tme.dwFlags = TME_LEAVE;
                tme.hwndTrack = handle_.get();
                trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
                MouseEnter();
            }
            setHover(captured_ != nullptr ? (inside(captured_->BoundsRect(), x, y) ? captured_ : nullptr)
                                          : graphicChildAt(x, y));
            TControl* target = captured_ != nullptr ? captured_ : static_cast<TControl*>(hover_);
            setHintTarget(target != nullptr ? target : this);
            if (target != nullptr)
                target->MouseMove(shift, x - target->Left(), y - target->Top());
            else
                MouseMove(shift, x, y);
            break;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: routePress(TMouseButton::mbLeft, shift, x, y); break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK: routePress(TMouseButton::mbRight, shift, x, y); break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK: routePress(TMouseButton::mbMiddle, shift, x, y); break;
        case WM_LBUTTONUP: routeRelease(TMouseButton::mbLeft, shift, x, y, buttonsUp); break;
        case WM_RBUTTONUP: routeRelease(TMouseButton::mbRight, shift, x, y, buttonsUp); break;
        case WM_MBUTTONUP: routeRelease(TMouseButton::mbMiddle, shift, x, y, buttonsUp); break;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            setHintTarget(nullptr);
            setHover(nullptr);
            MouseLeave();
            break;
        default:
            break;
    }
}

// A press goes to the control holding capture, else to the windowless child under the pointer,
// else to this window; that one holds capture until the last button is released.
void TWinControl::routePress(TMouseButton button, TShiftState shift, int x, int y) {
    cancelHint();
    TGraphicControl* child = captured_ != nullptr ? captured_ : selfCaptured_ ? nullptr : graphicChildAt(x, y);
    takeCapture(child);
    if (button == TMouseButton::mbLeft) leftPressed_ = true;
    if (child != nullptr)
        child->MouseDown(button, shift, x - child->Left(), y - child->Top());
    else
        MouseDown(button, shift, x, y);
}

// The release reaches the control that holds capture. Capture is given up first, so that what
// the click starts (a modal notice, a menu) runs with a free mouse; a left release that the
// pressed control accepts then clicks it, once.
void TWinControl::routeRelease(TMouseButton button, TShiftState shift, int x, int y, bool lastButton) {
    TGraphicControl* child = captured_;
    const bool self = selfCaptured_ || child == nullptr;
    const bool clicks = button == TMouseButton::mbLeft && std::exchange(leftPressed_, false);
    if (lastButton) {
        captured_ = nullptr;
        selfCaptured_ = false;
        if (GetCapture() == handle_.get()) ReleaseCapture();
    }
    if (child != nullptr) {
        const int cx = x - child->Left(), cy = y - child->Top();
        child->MouseUp(button, shift, cx, cy);
        if (clicks && child->ClickOnReleaseAt(cx, cy)) child->Click();
    } else if (self) {
        MouseUp(button, shift, x, y);
        if (clicks && ClickOnReleaseAt(x, y)) Click();
    }
}

void TWinControl::takeCapture(TGraphicControl* holder) {
    if (captured_ != nullptr && captured_ != holder) std::exchange(captured_, nullptr)->CaptureLost();
    captured_ = holder;
    selfCaptured_ = holder == nullptr;
    if (GetCapture() != handle_.get()) SetCapture(handle_.get());
}

// Another window took the capture, or it was released by other means than a button release.
void TWinControl::loseCapture() {
    TGraphicControl* child = std::exchange(captured_, nullptr);
    const bool self = std::exchange(selfCaptured_, false);
    leftPressed_ = false;
    if (child != nullptr)
        child->CaptureLost();
    else if (self)
        CaptureLost();
}

void TWinControl::cancelModes() {
    for (TControl* c : std::vector<TControl*>(controls_))
        if (dynamic_cast<TGraphicControl*>(c) != nullptr) c->CancelMode();
    CancelMode();
    if (captured_ != nullptr || selfCaptured_) {
        captured_ = nullptr;
        selfCaptured_ = false;
        leftPressed_ = false;
        if (GetCapture() == handle_.get()) ReleaseCapture();
    }
}

}  // namespace trimwell
