#pragma once
// Skinned push buttons: TsuiCustomButton draws a state image (normal, mouse over, pressed,
// disabled) from the form's skin theme or a built-in style, with a caption, focus look,
// auto-repeat while held and keyboard clicks; TsuiButton stretches the image over any size by
// nine slices and adds a glyph; TsuiImageButton shows its own pictures unscaled.
//
//   Row<TsuiButton>("btnSave", "", {{"Caption", std::string("&Save Key")},
//                                   {"UIStyle", std::string("FromThemeFile")},
//                                   {"FileTheme", Ref{"suiBuiltInFileTheme"}}})
//   button.OnMouseContinuouslyDown = [](TComponent&) { ... };   // every interval while held
#include <windows.h>

#include <array>
#include <optional>

#include "framework/Bitmap.h"
#include "framework/Controls_win.h"
#include "platform/Timer_win.h"
#include "skin/SUIMgr.h"
#include "skinctrls/SUIPublic.h"

namespace trimwell {

// The skin library's private query: a skinned button answers it with 1, so that a plain access
// letter typed while it has the focus clicks the button that letter belongs to.
inline constexpr UINT kSkinButtonQuery = 0x8BB8;

class TsuiCustomButton : public TCustomControl, public TsuiFileThemeUser {
public:
    explicit TsuiCustomButton(TComponent* owner);

    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int v) { modalResult_ = v; }
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const override { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* theme) override;
    int MouseContinuouslyDownInterval() const { return repeatInterval_; }
    void SetMouseContinuouslyDownInterval(int ms) { repeatInterval_ = ms; }
    int FocusedRectMargin() const { return focusedRectMargin_; }
    void SetFocusedRectMargin(int v);
    // The system has no actions: the reference is kept and nothing follows it.
    void SetAction(TComponent* action) { action_ = action; }
    TComponent* Action() const { return action_; }

    bool Pressed() const { return pressed_; }
    bool MouseOver() const { return mouseOver_; }
    bool ActiveDefault() const { return activeDefault_; }
    bool RepeatTimerRunning() const { return repeatTimer_.has_value(); }

    void Click() override;
    void SetText(std::string text) override;
    void Notification(TComponent& component, TOperation operation) override;

    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMouseContinuouslyDown;

    // Hooks and drawing steps, in the order the button calls them.
    virtual void ApplyAutoSize();
    virtual void CaptionChanged() {}
    virtual void TransparentChanged();
    virtual void UIStyleChanged() {}
    virtual void DrawSkin(HDC dc, const Bitmap& stateImage);
    virtual void DrawCaption(HDC dc);
    virtual void DrawFocus(HDC dc);
    // State images; the default ones are the frames of the skin's three-frame button strip.
    virtual void GetNormalImage(Bitmap& target);
    virtual void GetMouseOnImage(Bitmap& target);
    virtual void GetMouseDownImage(Bitmap& target);
    virtual void GetDisabledImage(Bitmap& target);

protected:
    void CreateWnd() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PaintWindow(HDC dc) override;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void CancelMode() override;
    bool KeyDown(WORD& key, TShiftState shift) override;
    bool KeyUp(WORD& key, TShiftState shift) override;
    bool DialogChar(wchar_t ch, bool alt) override;
    bool DialogKey(WORD key, TShiftState shift) override;
    void FocusChanged(TWinControl* focused) override;

    // The skin source now: the file theme (true) or the built-in style in `style`.
    bool SkinSource(TsuiUIStyle& style) const;
    // Frame `frame` (from 1) of the skin's three-frame button strip; cut once per skin.
    void ButtonFrame(int frame, Bitmap& target);
    bool BoldCaption() const { return boldCaption_; }
    void SetBoldCaption(bool v) { boldCaption_ = v; }
    bool ImageTransparent() const { return imageTransparent_; }
    // The caption text and access letter as the canvas draws them.
    void DrawCaptionText(HDC dc, RECT r, UINT format, TColor color) const;

private:
    void stopRepeat();
    void forgetFrames() { frames_.reset(); }

    bool autoSize_ = false;
    bool cancel_ = false;
    bool default_ = false;
    bool transparent_ = false;
    int modalResult_ = 0;
    TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    bool boldCaption_ = false;
    bool imageTransparent_ = false;
    std::optional<WindowTimer> repeatTimer_;
    int repeatInterval_ = 100;
    int focusedRectMargin_ = 2;
    bool activeDefault_ = false;
    bool mouseOver_ = false;
    bool pressed_ = false;
    TComponent* action_ = nullptr;
    // The skin's button strip cut into its three frames, for the current style and theme.
    std::optional<std::array<Bitmap, 3>> frames_;
    mutable TFont boldFont_;
};

class TsuiButton : public TsuiCustomButton {
public:
    explicit TsuiButton(TComponent* owner);

    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    const Bitmap& Glyph() const { return glyph_; }
    void SetGlyph(const Bitmap& picture);
    void SetGlyphResource(std::string name);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return spacing_; }
    void SetSpacing(int v);
    // Kept only by the library it comes from: reads 0, writes change nothing.
    int ResHandle() const { return 0; }
    void SetResHandle(std::int64_t) {}

    void UIStyleChanged() override;
    void DrawSkin(HDC dc, const Bitmap& stateImage) override;
    void DrawCaption(HDC dc) override;
    void DrawFocus(HDC dc) override;

private:
    Bitmap glyph_;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int captionX_ = 0, captionY_ = 0;
    int spacing_ = 4;
};

// A button of its own pictures (the scroll bar's arrows): each state's picture unscaled at
// (0, 0); AutoSize takes the normal picture's size.
class TsuiImageButton : public TsuiCustomButton {
public:
    explicit TsuiImageButton(TComponent* owner);

    void SetPicNormal(const Bitmap& b) { picNormal_ = b; ApplyAutoSize(); Invalidate(); }
    void SetPicMouseOn(const Bitmap& b) { picMouseOn_ = b; Invalidate(); }
    void SetPicMouseDown(const Bitmap& b) { picMouseDown_ = b; Invalidate(); }
    void SetPicDisabled(const Bitmap& b) { picDisabled_ = b; Invalidate(); }
    const Bitmap& PicNormal() const { return picNormal_; }

    void ApplyAutoSize() override;
    void GetNormalImage(Bitmap& target) override { target = picNormal_; }
    void GetMouseOnImage(Bitmap& target) override { target = picMouseOn_.Empty() ? picNormal_ : picMouseOn_; }
    void GetMouseDownImage(Bitmap& target) override { target = picMouseDown_.Empty() ? picNormal_ : picMouseDown_; }
    void GetDisabledImage(Bitmap& target) override { target = picDisabled_.Empty() ? picNormal_ : picDisabled_; }

private:
    Bitmap picNormal_, picMouseOn_, picMouseDown_, picDisabled_;
};

}  // namespace trimwell
