#pragma once
// What the skinned tree view and edit box share on top of their platform control: FileTheme,
// UIStyle and BorderColor, no system border, a BorderWidth inset (2) that the two flat rings
// cover, and the rings drawn again after every erase and paint.
#include <windows.h>

#include "framework/Controls_win.h"
#include "skin/SUIMgr.h"
#include "skinctrls/SUIControlBorder_win.h"

namespace trimwell {

template <typename PlatformControl>
class TsuiBorderedControl : public PlatformControl, public TsuiFileThemeUser {
public:
    explicit TsuiBorderedControl(TComponent* owner) : PlatformControl(owner) {}

    TsuiFileTheme* FileTheme() const override { return border_.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* theme) override {
        border_.SetFileTheme(theme);
        SetUIStyle(border_.UIStyle());
    }
    TsuiUIStyle UIStyle() const { return border_.UIStyle(); }
    void SetUIStyle(TsuiUIStyle style) {
        StyleChanged(border_.SetUIStyle(style));
        this->Invalidate();
    }
    TColor BorderColor() const { return border_.BorderColor(); }
    void SetBorderColor(TColor color) { border_.SetBorderColor(color); }
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width) {
        if (width == borderWidth_) return;
        borderWidth_ = width;
        if (this->HandleAllocated()) RecalcFrame(this->Handle());
    }
    // The control is always built without a system border; stored layouts name it all the same.
    void SetBorderStyle(int) {}

    void Notification(TComponent& component, TOperation operation) override {
        PlatformControl::Notification(component, operation);
        if (border_.ForgetTheme(component, operation)) SetUIStyle(TsuiUIStyle::DeepBlue);
    }

protected:
    // After each style change, with the style the control now draws in.
    virtual void StyleChanged(TsuiUIStyle resolved) {}
    // Whether nothing the platform draws in the non-client area can be seen, so that a non-client
    // paint needs only the rings.
    virtual bool OnlyTheRingsShowOutsideTheClientArea() { return false; }

    void CreateParams(TCreateParams& params) override {
        PlatformControl::CreateParams(params);
        params.style &= ~static_cast<DWORD>(WS_BORDER);
        params.exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    }
    void CreateWnd() override {
        PlatformControl::CreateWnd();
        // The window answers its first client-size request itself only from now on.
        RecalcFrame(this->Handle());
    }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_NCCALCSIZE) InsetClientRect(lp, borderWidth_);
        if (msg == WM_NCPAINT && OnlyTheRingsShowOutsideTheClientArea()) {
            border_.Draw();
            return 0;
        }
        const LRESULT result = PlatformControl::WndProc(msg, wp, lp);
        if (msg == WM_ERASEBKGND || msg == WM_PAINT || msg == WM_NCPAINT) border_.Draw();
        return result;
    }

private:
    TsuiThemedBorder border_{*this};
    int borderWidth_ = kSkinnedBorderWidth;
};

}  // namespace trimwell
