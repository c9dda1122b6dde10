#include "skinctrls/SUIControlBorder_win.h"

#include "framework/Graphics_win.h"
#include "skin/SUIMgr.h"
#include "skinctrls/SUIControlBorder.h"

namespace trimwell {

void DrawControlBorder(TWinControl& control, TColor outer, TColor inner, bool drawInner) {
    if (!control.HandleAllocated()) return;
    const HWND hwnd = control.Handle();
    RECT box{};
    GetWindowRect(hwnd, &box);
    OffsetRect(&box, -box.left, -box.top);
    const WholeWindowDC dc(hwnd);
    if (dc.get() == nullptr) return;
    const TCanvas canvas(dc.get());
    canvas.FrameRect(box, outer);
    if (!drawInner) return;
    InflateRect(&box, -1, -1);
    canvas.FrameRect(box, inner);
}

void InsetClientRect(LPARAM ncCalcSizeParam, int width) {
    // With or without NCCALCSIZE_PARAMS the proposed client rectangle comes first.
    auto* proposed = reinterpret_cast<RECT*>(ncCalcSizeParam);
    if (proposed == nullptr || width <= 0) return;
    InflateRect(proposed, -width, -width);
    if (proposed->right < proposed->left) proposed->right = proposed->left;
    if (proposed->bottom < proposed->top) proposed->bottom = proposed->top;
}

void RecalcFrame(HWND hwnd) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TsuiThemedBorder::SetFileTheme(TsuiFileTheme* theme) {
    fileTheme_ = theme;
    if (theme != nullptr) control_.FreeNotification(theme);
}

TsuiUIStyle TsuiThemedBorder::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    TsuiUIStyle resolved = style;
    SetBorderColor(ControlBorderColor(fileTheme_, style, resolved));
    return resolved;
}

void TsuiThemedBorder::SetBorderColor(TColor color) {
    if (color == borderColor_) return;
    borderColor_ = color;
    Draw();
}

bool TsuiThemedBorder::ForgetTheme(const TComponent& component, TOperation operation) {
    if (operation != TOperation::opRemove || fileTheme_ == nullptr || &component != fileTheme_) return false;
    fileTheme_ = nullptr;
    return true;
}

void TsuiThemedBorder::Draw() const {
    if (control_.HandleAllocated()) DrawControlBorder(control_, borderColor_, control_.Color(), true);
}

}  // namespace trimwell
