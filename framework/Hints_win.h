#pragma once
// THintWindow: the pop-up that shows a control's hint, over the platform's tooltip control in
// tracking mode, so the framework decides when and where it appears.
#include <windows.h>

#include <string>

#include "framework/Controls_win.h"

namespace trimwell {

class THintWindow {
public:
    explicit THintWindow(HWND owner);
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    void ActivateHint(POINT screenPos, std::u16string text);
    void Hide();
    bool Showing() const { return showing_; }
    const std::u16string& Text() const { return text_; }

private:
    void SetToolText();

    HWND owner_;
    UniqueWindow tip_;
    std::u16string text_;
    bool showing_ = false;
};

// The text a control's hint shows: after the control's HintShow has seen it, the UTF-16 text
// of a packed hint or the widened 8-bit one. Empty when there is nothing to show.
std::u16string HintTextFor(TControl& control);

}  // namespace trimwell
