#include "framework/Hints_win.h"

#include <commctrl.h>

#include "framework/HintText.h"
#include "platform/Text.h"

namespace trimwell {

namespace {
constexpr UINT_PTR kToolId = 1;

TTTOOLINFOW ToolInfo(HWND owner, std::u16string& text) {
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the control
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = owner;
    ti.uId = kToolId;
    ti.lpszText = reinterpret_cast<wchar_t*>(text.data());
    return ti;
}
}  // namespace

THintWindow::THintWindow(HWND owner) : owner_(owner) {
    tip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               GetModuleHandleW(nullptr), nullptr));
    if (!tip_) return;
    TTTOOLINFOW ti = ToolInfo(owner_, text_);
    SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(tip_.get(), TTM_SETMAXTIPWIDTH, 0, 400);  // long hints wrap instead of running off
}

void THintWindow::SetToolText() {
    TTTOOLINFOW ti = ToolInfo(owner_, text_);
    SendMessageW(tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void THintWindow::ActivateHint(POINT screenPos, std::u16string text) {
    text_ = std::move(text);
    if (!tip_) return;
    SetToolText();
    SendMessageW(tip_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(screenPos.x, screenPos.y));
    TTTOOLINFOW ti = ToolInfo(owner_, text_);
    SendMessageW(tip_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    showing_ = true;
}

void THintWindow::Hide() {
    if (!showing_) return;
    showing_ = false;
    if (!tip_) return;
    TTTOOLINFOW ti = ToolInfo(owner_, text_);
    SendMessageW(tip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
}

std::u16string HintTextFor(TControl& control) {
    std::string hint(ShortHint(control.Hint()));
    if (!control.HintShow(hint)) return {};
    if (auto wide = UnpackHint(hint)) return *wide;
    const std::wstring widened = AnsiToWide(hint);
    return std::u16string(widened.begin(), widened.end());
}

}  // namespace trimwell
