// When a hint shows: after the mouse rested over one control (a windowless child or the window
// itself) for kHintPauseMs; it goes when the mouse moves to another control, leaves the window
// or presses a button.
#include <memory>
#include <utility>

#include "framework/Hints_win.h"

namespace trimwell {

void TWinControl::setHintTarget(TControl* target) {
    if (target == hintTarget_) return;
    cancelHint();
    hintTarget_ = target;
    if (target != nullptr && target->ShowHint() && !target->Hint().empty() && handle_)
        hintTimer_.emplace(handle_.get(), kHintTimer, kHintPauseMs);
}

void TWinControl::cancelHint() {
    hintTimer_.reset();
    if (hintWindow_) hintWindow_->Hide();
}

void TWinControl::showPendingHint() {
    hintTimer_.reset();
    if (hintTarget_ == nullptr || !handle_) return;
    std::u16string text = HintTextFor(*hintTarget_);
    if (text.empty()) return;
    if (!hintWindow_) hintWindow_ = std::make_unique<THintWindow>(handle_.get());
    POINT p{};
    GetCursorPos(&p);
    hintWindow_->ActivateHint({p.x, p.y + GetSystemMetrics(SM_CYCURSOR) / 2}, std::move(text));
}

// The window's only timer of its own is the hint's.
LRESULT TWinControl::onTimer(UINT msg, WPARAM wp, LPARAM lp) {
    if (!hintTimer_ || !hintTimer_->Ticked(wp)) return DefaultHandler(msg, wp, lp);
    showPendingHint();
    return 0;
}

}  // namespace trimwell
