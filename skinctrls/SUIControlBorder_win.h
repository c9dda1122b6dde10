#pragma once
// The flat border the skinned tree view and edit box draw in place of the platform's 3-D edge:
// a one-pixel ring in the border colour around a one-pixel ring in the control's own colour,
// over a two-pixel non-client inset (BorderWidth 2) that the rings exactly cover.
#include <windows.h>

#include "framework/Controls_win.h"
#include "skin/SUIThemes.h"

namespace trimwell {

// Frames the whole window of `control` (border included) with `outer`, and the rectangle one
// pixel inside it with `inner` when `drawInner`. System colours are looked up first.
void DrawControlBorder(TWinControl& control, TColor outer, TColor inner, bool drawInner);

// The skinned controls' border width: how far their client area lies inside the window.
inline constexpr int kSkinnedBorderWidth = 2;

// WM_NCCALCSIZE of a control with a border width: the proposed client rectangle shrinks by
// `width` on every side before the platform takes its own share (scroll bars) out of it.
void InsetClientRect(LPARAM ncCalcSizeParam, int width);

// Makes the window ask for its client rectangle again (after its border width changed, or once
// the framework handles its messages).
void RecalcFrame(HWND hwnd);

class TsuiFileTheme;

// The style, theme and ring colour a bordered skinned control keeps. The control forwards its
// FileTheme, UIStyle and BorderColor properties here and draws the rings with Draw.
class TsuiThemedBorder {
public:
    explicit TsuiThemedBorder(TWinControl& control) : control_(control) {}

    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    // Stores the theme; the control then sets its UIStyle again to take the theme's colours.
    void SetFileTheme(TsuiFileTheme* theme);
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    // Stores the style and takes the ring colour it gives; answers the style drawn in.
    TsuiUIStyle SetUIStyle(TsuiUIStyle style);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor color);
    // Forgets a theme component that goes; true when it was this control's, which then switches
    // to DeepBlue.
    bool ForgetTheme(const TComponent& component, TOperation operation);
    void Draw() const;

private:
    TWinControl& control_;
    TColor borderColor_ = clBlack;
    TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
};

}  // namespace trimwell
