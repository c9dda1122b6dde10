#pragma once
// Controls: the visual components of a window.
//
// TControl          position, size, visibility, colour, font, caption, cursor, mouse events.
// TGraphicControl   windowless: painted by its parent, in creation order, below every windowed
//                   child; the parent routes mouse press/move/release, enter/leave and click to
//                   it by hit test. Override Paint(TCanvas&): the canvas is an off-screen bitmap
//                   that already holds the parent's background and every graphic control created
//                   before this one, its origin at the control's top left, clipped to the control.
// TWinControl       owns a window (UniqueWindow). CreateParams picks class and styles; native
//                   controls (tree view, edit) are subclassed and keep their own painting.
//                   WndProc(msg, wp, lp) is the one place a control reacts to messages; an
//                   exception escaping it ends the action and goes to the application's error
//                   report. Notifications a native child sends its parent (WM_COMMAND,
//                   WM_NOTIFY, WM_CTLCOLOR*) are reflected to the child's ParentNotify.
// TCustomControl    a windowed control that paints itself off-screen (Paint), then its graphic
//                   children, and copies once.
//
// Handles are made on demand: a windowed control gets its window when its parent has one
// (HandleNeeded), and every property set before that is applied when the window is made; a class
// or window the system refuses raises EWindowError.
//
// Where TWinControl's parts live: the dispatcher and the controls in Controls_win.cpp, window
// classes and subclassing in WindowClass_win.cpp, mouse routing to windowless children in
// MouseRouting_win.cpp, the cursor choice in Cursors_win.cpp, hint timing in HintTiming_win.cpp.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Graphics_win.h"
#include "framework/Layout.h"
#include "platform/Timer_win.h"

namespace trimwell {

class TWinControl;
class TForm;
class TPopupMenu;
class THintWindow;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = unsigned;  // MK_* flags of the mouse message, plus shiftAlt
inline constexpr TShiftState shiftAlt = 0x1000;
// The mouse message's button flags with the keyboard's Shift, Ctrl and Alt as they are now.
TShiftState CurrentShift(WPARAM mouseFlags);

// Cursor identifiers: 0 the default, negative values the standard system cursors, positive
// values resource identifiers of the program's own cursors.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crHandPoint = -21;

// Makes a cursor known under an identifier, for the program's cursors whose resources are named
// rather than numbered. The cursor must live as long as the program (resource cursors do).
void RegisterCursor(TCursor id, HCURSOR cursor);

using TNotifyEvent = std::function<void(TComponent& sender)>;
using TMouseEvent = std::function<void(TComponent& sender, TMouseButton, TShiftState, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent& sender, TShiftState, int x, int y)>;
using TKeyEvent = std::function<void(TComponent& sender, WORD& key, TShiftState)>;
// A context menu is wanted at `mousePos` ((-1,-1) when it was asked for from the keyboard);
// setting `handled` keeps the control's PopupMenu from showing.
using TContextPopupEvent = std::function<void(TComponent& sender, POINT mousePos, bool& handled)>;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TControl : public TPersistentComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    // Geometry, relative to the parent's client area.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    RECT ClientRect() const { return {0, 0, width_, height_}; }
    // Size limits (0 = none); a fixed-size control has minimum and maximum equal.
    void SetMinWidth(int v) { minWidth_ = v; SetBounds(left_, top_, width_, height_); }
    void SetMaxWidth(int v) { maxWidth_ = v; SetBounds(left_, top_, width_, height_); }
    void SetMinHeight(int v) { minHeight_ = v; SetBounds(left_, top_, width_, height_); }
    void SetMaxHeight(int v) { maxHeight_ = v; SetBounds(left_, top_, width_, height_); }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    // The form this control lies on (itself for a form), or null.
    TForm* ParentForm() const;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and every parent up to the form.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool v);

    TColor Color() const { return color_; }
    virtual void SetColor(TColor c);
    const TFont& Font() const { return font_; }
    // Changes the font description; the control stops following its parent's font.
    void SetFont(const TFontDesc& desc);
    void SetFontName(std::string name) { auto s = font_.Desc(); s.name = std::move(name); SetFont(s); }
    void SetFontHeight(int h) { auto s = font_.Desc(); s.height = h; SetFont(s); }
    void SetFontStyle(TFontStyles st) { auto s = font_.Desc(); s.style = st; SetFont(s); }
    void SetFontColor(TColor c) { auto s = font_.Desc(); s.color = c; SetFont(s); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v);

    // 8-bit text (the window text for windowed controls, the caption for labels).
    const std::string& Caption() const { return text_; }
    const std::string& Text() const { return text_; }
    virtual void SetText(std::string text);
    void SetCaption(std::string text) { SetText(std::move(text)); }

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor c) { cursor_ = c; }
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string h) { hint_ = std::move(h); }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v) { showHint_ = v; }
    // Called when the hint is about to show, with the short part of Hint; the control may
    // change the text. Returning false shows no hint.
    virtual bool HintShow(std::string& hintText) { return true; }

    // The menu shown on a right click over the control (or the menu key); cleared when it goes.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    // A point of the control's client area in screen coordinates.
    POINT ClientToScreen(POINT p) const;

    // Repaint request for the control's area.
    virtual void Invalidate();
    // Paints now (the pending area of the window that shows the control).
    void Update();

    // Z-order among the parent's children: windowless controls move above the other windowless
    // ones, windowed controls above the other windows.
    virtual void BringToFront();
    // The parent's window has just been made. A windowless control that acts on its parent's
    // window waits for this rather than making the window itself.
    virtual void ParentWindowCreated() {}

    // Mouse input, in client coordinates. Windowless controls get these from their parent: any
    // button's press and release, moves, enter/leave, and Click for a left release that
    // ClickOnReleaseAt accepts.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Click();
    // Whether a left release at this client point clicks the control that was pressed; by
    // default anywhere inside the control.
    virtual bool ClickOnReleaseAt(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Mouse capture. A press captures the mouse for the control pressed until the last button
    // is released; a control may also take it itself. While a control holds capture it gets
    // every move and every press and release, wherever the pointer is. When the capture is taken
    // away from it (another window takes it, a menu or the move loop starts, a plain
    // ReleaseCapture), CaptureLost tells the holder; letting go itself (SetMouseCapture(false),
    // the button's release) does not.
    //   SetMouseCapture(true);   ...   SetMouseCapture(false);
    void SetMouseCapture(bool capture);
    bool MouseCapture() const;
    virtual void CaptureLost() {}
    // The window system cancelled pending mouse modes (WM_CANCELMODE): a pressed look, a
    // repeat timer or a drag should end. Reaches the windowless children of the window too.
    virtual void CancelMode() {}

    // Keyboard broadcasts of the form. DialogChar: a character typed anywhere in the form
    // (`alt` when Alt was held), offered to every control until one takes it as its access
    // letter. DialogKey: Enter or Escape that the focused control left unhandled.
    virtual bool DialogChar(wchar_t ch, bool alt) { return false; }
    virtual bool DialogKey(WORD key, TShiftState shift) { return false; }
    // The form's focused control changed (or the form announced it again).
    virtual void FocusChanged(TWinControl* focused) {}
    // A context menu is asked for at a screen position ((-1,-1) from the keyboard). Runs
    // OnContextPopup, then shows PopupMenu when it pops up automatically. Sets `handled` when
    // the request needs no further handling.
    virtual void ContextMenu(POINT screenPos, bool& handled);
    // Shows `menu` for this control: pending mouse modes end, the menu learns its popup
    // component, and a keyboard request opens it at the control's top-left corner.
    void ShowPopupMenu(TPopupMenu& menu, POINT screenPos);
    void Notification(TComponent& component, TOperation operation) override;

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TContextPopupEvent OnContextPopup;

protected:
    // After a font change of this control (or of the parent it follows).
    virtual void FontChanged() { Invalidate(); }
    virtual void BoundsChanged() {}
    virtual void TextChanged() { Invalidate(); }
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    // A parent's font reaches children that follow it.
    void ParentFontChanged(const TFontDesc& desc);

private:
    friend class TWinControl;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    int minWidth_ = 0, maxWidth_ = 0, minHeight_ = 0, maxHeight_ = 0;
    TWinControl* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    bool parentFont_ = true;
    TColor color_ = clBtnFace;
    TFont font_;
    std::string text_;
    TCursor cursor_ = crDefault;
    std::string hint_;
    bool showHint_ = false;
    TPopupMenu* popupMenu_ = nullptr;
};

class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    // Draws the control; see the top of this file for what the canvas holds.
    virtual void Paint(TCanvas& canvas) {}
};

struct TCreateParams {
    std::wstring className;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    HWND parent = nullptr;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    void SetParent(TWinControl* parent) override;
    // A control built from a layout gets its window once its stored values are in, so that the
    // window is made with them.
    void Loaded() override;

    HWND Handle() { HandleNeeded(); return handle_.get(); }
    bool HandleAllocated() const { return static_cast<bool>(handle_); }
    void HandleNeeded();
    // The control whose window this is, or null.
    static TWinControl* FromHandle(HWND hwnd);

    // Children, windowed and windowless, in insertion order.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl& Control(int i) const { return *controls_.at(static_cast<std::size_t>(i)); }

    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int v);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v) { tabStop_ = v; }
    bool Focused() const;
    virtual void SetFocus();
    bool CanFocus() const { return Showing() && Enabled() && tabStop_; }
    // Windowed children in tab order.
    std::vector<TWinControl*> TabList() const;

    void SetText(std::string text) override;
    void Invalidate() override;
    void BringToFront() override;
    bool DialogChar(wchar_t ch, bool alt) override;
    bool DialogKey(WORD key, TShiftState shift) override;
    void FocusChanged(TWinControl* focused) override;
    // Repaints the part of this window where a windowless child lies.
    void InvalidateChild(const RECT& r);

    // Keys: the form sees them first when its key preview is on; a handler that sets the key to
    // 0 consumes it.
    TKeyEvent OnKeyDown;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The timer that shows the hint of the control under a resting mouse.
    static constexpr UINT_PTR kHintTimer = 0x7E11;
    static constexpr UINT kHintPauseMs = 500;
    // The hint pop-up of this window's windowless children and itself, once one was shown.
    const THintWindow* HintWindow() const { return hintWindow_.get(); }

protected:
    virtual void CreateParams(TCreateParams& params);
    // After the window was made: properties kept until now are applied.
    virtual void CreateWnd();
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp);
    // A message a native child control sent to this window about itself (WM_COMMAND, WM_NOTIFY,
    // WM_CTLCOLOR*, WM_DRAWITEM), reflected to it. Return true when handled, with the result in `result`.
    virtual bool ParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }
    // Key handling shared by every windowed control; returns true when the key was consumed.
    // Key preview of the form, OnKeyDown, then Enter and Escape as dialog keys, then Tab.
    virtual bool KeyDown(WORD& key, TShiftState shift);
    virtual bool KeyUp(WORD& key, TShiftState shift) { return false; }
    // Background and own drawing of windows the framework paints (forms, custom controls).
    virtual void PaintWindow(HDC dc);
    void PaintGraphicChildren(HDC dc, const RECT& dirty);
    // Native controls keep their own painting; ours paint off-screen.
    virtual bool PaintsItself() const { return false; }

    void VisibleChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void BoundsChanged() override;

private:
    friend class TControl;
    friend class TApplication;
    friend class TForm;
    static LRESULT CALLBACK OwnClassProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK PlatformClassProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT Dispatch(TWinControl& control, UINT msg, WPARAM wp, LPARAM lp);
    void insertControl(TControl& c);
    void placeInCreationOrder();
    void removeControl(TControl& c);
    TGraphicControl* graphicChildAt(int x, int y) const;
    void routeMouse(UINT msg, WPARAM wp, LPARAM lp);
    void routePress(TMouseButton button, TShiftState shift, int x, int y);
    void routeRelease(TMouseButton button, TShiftState shift, int x, int y, bool lastButton);
    void takeCapture(TGraphicControl* holder);
    void loseCapture();
    void cancelModes();
    void setHover(TGraphicControl* hover);
    void createHandle(const TCreateParams& params);
    void destroyHandle();
    // The message handlers of WndProc, one per concern.
    LRESULT onChildNotify(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT onKey(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT onChar(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT onFocus(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT onEraseBackground(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT onPaint(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT onMouse(UINT msg, WPARAM wp, LPARAM lp);       // MouseRouting_win.cpp routes it
    LRESULT onSetCursor(UINT msg, WPARAM wp, LPARAM lp);   // Cursors_win.cpp
    LRESULT onTimer(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT onContextMenu(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT onCaptureEnd(UINT msg, WPARAM wp, LPARAM lp);
    void setHintTarget(TControl* target);
    void cancelHint();
    void showPendingHint();

    UniqueWindow handle_;
    bool subclassed_ = false;
    WNDPROC platformProc_ = nullptr;  // a platform control's own procedure, behind ours
    bool creating_ = false;
    std::vector<TControl*> controls_;
    int tabOrder_ = -1;
    bool tabStop_ = false;
    TGraphicControl* hover_ = nullptr;
    TGraphicControl* captured_ = nullptr;
    bool selfCaptured_ = false;
    bool trackingLeave_ = false;
    bool leftPressed_ = false;  // the left button went down on this window or its captured child
    TControl* hintTarget_ = nullptr;
    std::optional<WindowTimer> hintTimer_;
    std::unique_ptr<THintWindow> hintWindow_;
};

class TCustomControl : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    // Own drawing into the off-screen canvas, before the windowless children.
    virtual void Paint(TCanvas& canvas);
    void PaintWindow(HDC dc) override;
};

}  // namespace trimwell
