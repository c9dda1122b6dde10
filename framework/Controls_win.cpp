#include "framework/Controls_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "framework/Forms_win.h"
#include "framework/Hints_win.h"
#include "framework/Menus_win.h"
#include "framework/WindowClass_win.h"
#include "platform/Text.h"

namespace trimwell {

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* owner) : TPersistentComponent(owner) {}

TControl::~TControl() {
    if (parent_ != nullptr) parent_->removeControl(*this);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (menu == popupMenu_) return;
    popupMenu_ = menu;
    if (menu != nullptr) FreeNotification(menu);
}

void TControl::Notification(TComponent& component, TOperation operation) {
    TPersistentComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && &component == popupMenu_) popupMenu_ = nullptr;
}

POINT TControl::ClientToScreen(POINT p) const {
    const TControl* c = this;
    if (const auto* w = dynamic_cast<const TWinControl*>(c); w != nullptr && w->HandleAllocated()) {
        ::ClientToScreen(w->handle_.get(), &p);
        return p;
    }
    p.x += left_;
    p.y += top_;
    return parent_ != nullptr ? parent_->ClientToScreen(p) : p;
}

void TControl::ContextMenu(POINT screenPos, bool& handled) {
    const bool fromKeyboard = screenPos.x == -1 && screenPos.y == -1;
    if (OnContextPopup) {
        const POINT origin = ClientToScreen({0, 0});
        const POINT client = fromKeyboard ? screenPos : POINT{screenPos.x - origin.x, screenPos.y - origin.y};
        OnContextPopup(*this, client, handled);
        if (handled) return;
    }
    if (popupMenu_ != nullptr && popupMenu_->AutoPopup()) {
        ShowPopupMenu(*popupMenu_, screenPos);
        handled = true;
    }
}

void TControl::ShowPopupMenu(TPopupMenu& menu, POINT screenPos) {
    // A pressed button or captured mouse must not survive into the menu's own loop.
    for (const TControl* c = this; c != nullptr; c = c->parent_) {
        if (const auto* w = dynamic_cast<const TWinControl*>(c); w != nullptr && w->HandleAllocated()) {
            SendMessageW(w->handle_.get(), WM_CANCELMODE, 0, 0);
            break;
        }
    }
    menu.SetPopupComponent(this);
    if (screenPos.x < 0) screenPos = ClientToScreen({0, 0});
    menu.Popup(screenPos.x, screenPos.y);
}

const PropertyTable& TControl::StaticPublished() {
    static const PropertyTable table = {
        Prop<TControl>("Left", &TControl::SetLeft),
        Prop<TControl>("Top", &TControl::SetTop),
        Prop<TControl>("Width", &TControl::SetWidth),
        Prop<TControl>("Height", &TControl::SetHeight),
        Prop<TControl>("Constraints.MinWidth", &TControl::SetMinWidth),
        Prop<TControl>("Constraints.MaxWidth", &TControl::SetMaxWidth),
        Prop<TControl>("Constraints.MinHeight", &TControl::SetMinHeight),
        Prop<TControl>("Constraints.MaxHeight", &TControl::SetMaxHeight),
        Prop<TControl>("Caption", &TControl::SetCaption),
        Prop<TControl>("Color", &TControl::SetColor),
        Prop<TControl>("Cursor", &TControl::SetCursor),
        Prop<TControl>("Font.Color", &TControl::SetFontColor),
        Prop<TControl>("Font.Height", &TControl::SetFontHeight),
        Prop<TControl>("Font.Name", &TControl::SetFontName),
        Prop<TControl>("Font.Style", &TControl::SetFontStyle),
        Prop<TControl>("Hint", &TControl::SetHint),
        Prop<TControl>("ParentFont", &TControl::SetParentFont),
        Prop<TControl>("ShowHint", &TControl::SetShowHint),
        Prop<TControl>("Visible", &TControl::SetVisible),
        Prop<TControl>("Enabled", &TControl::SetEnabled),
    };
    return table;
}
const PropertyTable& TControl::Published() const { return StaticPublished(); }

void TControl::SetBounds(int left, int top, int width, int height) {
    if (minWidth_ > 0) width = std::max(width, minWidth_);
    if (maxWidth_ > 0) width = std::min(width, maxWidth_);
    if (minHeight_ > 0) height = std::max(height, minHeight_);
    if (maxHeight_ > 0) height = std::min(height, maxHeight_);
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Invalidate();  // the old area
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    Invalidate();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_ != nullptr) {
        Invalidate();
        parent_->removeControl(*this);
    }
    parent_ = parent;
    if (parent_ != nullptr) {
        parent_->insertControl(*this);
        if (parentFont_) ParentFontChanged(parent_->Font().Desc());
        Invalidate();
    }
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* p = dynamic_cast<TWinControl*>(parent)) SetParent(p);
}

TForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_ != nullptr) c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

bool TControl::Showing() const {
    for (const TControl* c = this; c != nullptr; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    VisibleChanged();
    Invalidate();
}

void TControl::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    EnabledChanged();
}

void TControl::SetColor(TColor c) {
    if (c == color_) return;
    color_ = c;
    ColorChanged();
}

void TControl::SetFont(const TFontDesc& desc) {
    parentFont_ = false;
    if (desc == font_.Desc()) return;
    font_.Assign(desc);
    FontChanged();
}

void TControl::SetParentFont(bool v) {
    parentFont_ = v;
    if (v && parent_ != nullptr) ParentFontChanged(parent_->Font().Desc());
}

void TControl::ParentFontChanged(const TFontDesc& desc) {
    if (!parentFont_ || desc == font_.Desc()) return;
    font_.Assign(desc);
    FontChanged();
}

void TControl::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    TextChanged();
}

void TControl::Invalidate() {
    if (parent_ != nullptr) parent_->InvalidateChild(BoundsRect());
}

void TControl::Update() {
    for (TControl* c = this; c != nullptr; c = c->parent_)
        if (auto* w = dynamic_cast<TWinControl*>(c); w != nullptr && w->HandleAllocated()) {
            UpdateWindow(w->handle_.get());
            return;
        }
}

void TControl::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
    if (OnMouseDown) OnMouseDown(*this, b, s, x, y);
}
void TControl::MouseMove(TShiftState s, int x, int y) {
    if (OnMouseMove) OnMouseMove(*this, s, x, y);
}
void TControl::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
    if (OnMouseUp) OnMouseUp(*this, b, s, x, y);
}
void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(*this);
}
void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(*this);
}
void TControl::Click() {
    if (OnClick) OnClick(*this);
}

void TControl::BringToFront() {
    if (parent_ == nullptr) return;
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    siblings.push_back(this);
    Invalidate();
}


// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    for (TControl* c : controls_) c->parent_ = nullptr;
    controls_.clear();
    destroyHandle();
}

const PropertyTable& TWinControl::StaticPublished() {
    static const PropertyTable table = Inherit(TControl::StaticPublished(), {
        Prop<TWinControl>("TabOrder", &TWinControl::SetTabOrder),
        Prop<TWinControl>("TabStop", &TWinControl::SetTabStop),
    });
    return table;
}
const PropertyTable& TWinControl::Published() const { return StaticPublished(); }


void TWinControl::CreateParams(TCreateParams& params) {
    params.className = kDefaultClass;
    params.style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible()) params.style |= WS_VISIBLE;
    if (!Enabled()) params.style |= WS_DISABLED;
    if (TabStop()) params.style |= WS_TABSTOP;
}

void TWinControl::HandleNeeded() {
    if (handle_ || creating_) return;
    TWinControl* parent = Parent();
    if (parent != nullptr) {
        parent->HandleNeeded();
        if (handle_) return;  // the parent made its children
    }
    TCreateParams params;
    CreateParams(params);
    if (parent != nullptr) params.parent = parent->handle_.get();
    createHandle(params);
    if (parent != nullptr) placeInCreationOrder();
    CreateWnd();
}

// The window system puts a new child window beneath its siblings, which would stack the windows
// front-to-back; creation order is back-to-front order, so a new window goes beneath the windows
// of the siblings created after it and above all others.
void TWinControl::placeInCreationOrder() {
    HWND insertAfter = HWND_TOP;
    const std::vector<TControl*>& siblings = Parent()->controls_;
    const auto self = std::find(siblings.begin(), siblings.end(), this);
    for (auto later = self == siblings.end() ? self : std::next(self); later != siblings.end(); ++later)
        if (auto* w = dynamic_cast<TWinControl*>(*later); w != nullptr && w->handle_) {
            insertAfter = w->handle_.get();
            break;
        }
    SetWindowPos(handle_.get(), insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::CreateWnd() {
    if (PaintsItself()) SendMessageW(handle_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    // Children still being loaded make their windows in Loaded, with their stored values.
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c); w != nullptr && !w->IsLoading()) w->HandleNeeded();
    for (TControl* c : std::vector<TControl*>(controls_))
        if (dynamic_cast<TWinControl*>(c) == nullptr) c->ParentWindowCreated();
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    TControl::SetParent(parent);
    if (handle_) {
        if (parent != nullptr && parent->handle_) {
            ::SetParent(handle_.get(), parent->handle_.get());
        } else {
            destroyHandle();
        }
        return;
    }
    if (parent != nullptr && parent->handle_ && !IsLoading()) HandleNeeded();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (!handle_ && Parent() != nullptr && Parent()->HandleAllocated()) HandleNeeded();
}

bool TWinControl::KeyDown(WORD& key, TShiftState shift) {
    TForm* form = ParentForm();
    if (form != nullptr && form != this && form->KeyPreview() && form->OnKeyDown) {
        form->OnKeyDown(*form, key, shift);
        if (key == 0) return true;
    }
    if (OnKeyDown) {
        OnKeyDown(*this, key, shift);
        if (key == 0) return true;
    }
    if ((key == VK_RETURN || key == VK_ESCAPE) && form != nullptr && form->DialogKey(key, shift)) {
        key = 0;
        return true;
    }
    if (key == VK_TAB && form != nullptr && (shift & (MK_CONTROL | shiftAlt)) == 0) {
        form->SelectNext(this, (shift & MK_SHIFT) == 0);
        return true;
    }
    return false;
}

// One line per message; each handler falls back to the default handling itself.
LRESULT TWinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSCROLLBAR:
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_DRAWITEM: return onChildNotify(msg, wp, lp);
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP: return onKey(msg, wp, lp);
        case WM_CHAR:
        case WM_SYSCHAR: return onChar(msg, wp, lp);
        case WM_SETFOCUS:
        case WM_KILLFOCUS: return onFocus(msg, wp, lp);
        case WM_ERASEBKGND: return onEraseBackground(msg, wp, lp);
        case WM_PAINT:
        case WM_PRINTCLIENT: return onPaint(msg, wp, lp);
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
        case WM_MOUSELEAVE: return onMouse(msg, wp, lp);
        case WM_SETCURSOR: return onSetCursor(msg, wp, lp);
        case WM_TIMER: return onTimer(msg, wp, lp);
        case WM_CONTEXTMENU: return onContextMenu(msg, wp, lp);
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE: return onCaptureEnd(msg, wp, lp);
        default: return DefaultHandler(msg, wp, lp);
    }
}

// A message a native child sent about itself goes back to that child first.
LRESULT TWinControl::onChildNotify(UINT msg, WPARAM wp, LPARAM lp) {
    const HWND from = msg == WM_NOTIFY     ? reinterpret_cast<NMHDR*>(lp)->hwndFrom
                      : msg == WM_DRAWITEM ? reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem
                                           : reinterpret_cast<HWND>(lp);
    TWinControl* child = FromHandle(from);
    LRESULT result = 0;
    if (child != nullptr && child != this && child->ParentNotify(msg, wp, lp, result)) return result;
    return DefaultHandler(msg, wp, lp);
}

LRESULT TWinControl::onKey(UINT msg, WPARAM wp, LPARAM lp) {
    WORD key = static_cast<WORD>(wp);
    const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    if (down ? KeyDown(key, CurrentShift(0)) : KeyUp(key, CurrentShift(0))) return 0;
    return DefaultHandler(msg, wp, lp);
}

// A typed character is offered to the form's controls as an access letter.
LRESULT TWinControl::onChar(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CHAR && wp == L'\t') return 0;  // Tab moved the focus already
    // Alt is held for every system character; a plain character says so in its key data.
    const bool alt = msg == WM_SYSCHAR || (lp & (LPARAM{1} << 29)) != 0;
    if (TForm* form = ParentForm(); form != nullptr && form->DialogChar(static_cast<wchar_t>(wp), alt)) return 0;
    return DefaultHandler(msg, wp, lp);
}

LRESULT TWinControl::onFocus(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KILLFOCUS) {
        if (OnExit) OnExit(*this);
        return DefaultHandler(msg, wp, lp);
    }
    if (TForm* form = ParentForm(); form != nullptr && form != this) {
        form->SetActiveControl(this);
        form->AnnounceFocusChanged();
    }
    if (OnEnter) OnEnter(*this);
    return DefaultHandler(msg, wp, lp);
}

// Windows the framework paints draw their background with the rest, off-screen.
LRESULT TWinControl::onEraseBackground(UINT msg, WPARAM wp, LPARAM lp) {
    return PaintsItself() ? DefaultHandler(msg, wp, lp) : 1;
}

LRESULT TWinControl::onPaint(UINT msg, WPARAM wp, LPARAM lp) {
    if (PaintsItself()) return DefaultHandler(msg, wp, lp);
    if (wp != 0) {
        PaintWindow(reinterpret_cast<HDC>(wp));
    } else {
        const PaintDC dc(handle_.get());
        PaintWindow(dc.get());
    }
    return 0;
}

// The menu of the windowless child under the pointer, else this window's.
LRESULT TWinControl::onContextMenu(UINT msg, WPARAM wp, LPARAM lp) {
    if (reinterpret_cast<HWND>(wp) != handle_.get()) return DefaultHandler(msg, wp, lp);
    const POINT screen{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    TControl* target = this;
    if (screen.x != -1 || screen.y != -1) {
        POINT client = screen;
        ScreenToClient(handle_.get(), &client);
        if (TGraphicControl* child = graphicChildAt(client.x, client.y)) target = child;
    }
    bool handled = false;
    target->ContextMenu(screen, handled);
    return handled ? 0 : DefaultHandler(msg, wp, lp);
}

LRESULT TWinControl::onCaptureEnd(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CANCELMODE)
        cancelModes();
    else if (reinterpret_cast<HWND>(lp) != handle_.get())
        loseCapture();
    return DefaultHandler(msg, wp, lp);
}

void TWinControl::insertControl(TControl& c) { controls_.push_back(&c); }

void TWinControl::removeControl(TControl& c) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &c), controls_.end());
    if (hover_ == &c) hover_ = nullptr;
    if (captured_ == &c) captured_ = nullptr;
    if (hintTarget_ == &c) setHintTarget(nullptr);
}

void TWinControl::SetTabOrder(int v) {
    tabOrder_ = v;
    tabStop_ = true;
    if (handle_) SetWindowLongPtrW(handle_.get(), GWL_STYLE, GetWindowLongPtrW(handle_.get(), GWL_STYLE) | WS_TABSTOP);
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_.get(); }

void TWinControl::SetFocus() {
    HandleNeeded();
    if (handle_) ::SetFocus(handle_.get());
}

std::vector<TWinControl*> TWinControl::TabList() const {
    std::vector<TWinControl*> list;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c); w != nullptr && w->tabStop_) list.push_back(w);
    std::stable_sort(list.begin(), list.end(), [](auto* a, auto* b) { return a->tabOrder_ < b->tabOrder_; });
    return list;
}

void TWinControl::BringToFront() {
    TControl::BringToFront();
    if (handle_) SetWindowPos(handle_.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TWinControl::DialogChar(wchar_t ch, bool alt) {
    for (TControl* c : std::vector<TControl*>(controls_))
        if (c->DialogChar(ch, alt)) return true;
    return false;
}

bool TWinControl::DialogKey(WORD key, TShiftState shift) {
    for (TControl* c : std::vector<TControl*>(controls_))
        if (c->DialogKey(key, shift)) return true;
    return false;
}

void TWinControl::FocusChanged(TWinControl* focused) {
    for (TControl* c : std::vector<TControl*>(controls_)) c->FocusChanged(focused);
}

void TWinControl::BoundsChanged() {
    if (handle_) SetWindowPos(handle_.get(), nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::SetText(std::string text) {
    if (text == Text()) return;
    TControl::SetText(std::move(text));
    if (handle_) SetWindowTextW(handle_.get(), AnsiToWide(Text()).c_str());
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_.get(), nullptr, TRUE);
}

void TWinControl::InvalidateChild(const RECT& r) {
    if (handle_) InvalidateRect(handle_.get(), &r, FALSE);
}

void TWinControl::VisibleChanged() {
    if (!handle_) {
        if (Visible() && !IsLoading() && Parent() != nullptr && Parent()->HandleAllocated()) HandleNeeded();
        return;
    }
    ShowWindow(handle_.get(), Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
    if (handle_) EnableWindow(handle_.get(), Enabled());
    Invalidate();
}

void TWinControl::FontChanged() {
    if (handle_ && PaintsItself()) SendMessageW(handle_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    for (TControl* c : controls_) c->ParentFontChanged(Font().Desc());
    Invalidate();
}

void TWinControl::PaintWindow(HDC dc) {
    TCanvas canvas(dc);
    canvas.FillRect(ClientRect(), Color());
    PaintGraphicChildren(dc, ClientRect());
}

void TWinControl::PaintGraphicChildren(HDC dc, const RECT& dirty) {
    for (TControl* c : controls_) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (g == nullptr || !g->Visible()) continue;
        RECT r = g->BoundsRect(), overlap;
        if (!IntersectRect(&overlap, &r, &dirty)) continue;
        const SavedDC saved(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        TCanvas canvas(dc);
        g->Paint(canvas);
    }
}

void TCustomControl::Paint(TCanvas& canvas) { canvas.FillRect(ClientRect(), Color()); }

// Only the part the DC lets through is rendered: a paint of one small area (a dirty rectangle,
// or the background a transparent child asks for) costs that area, not the whole window.
void TCustomControl::PaintWindow(HDC dc) {
    const RECT client = ClientRect();
    RECT box{};
    if (GetClipBox(dc, &box) == ERROR) box = client;
    if (!IntersectRect(&box, &box, &client)) return;
    OffscreenBuffer buffer(dc, box.right - box.left, box.bottom - box.top);
    SetViewportOrgEx(buffer.dc(), -box.left, -box.top, nullptr);
    TCanvas canvas(buffer.dc());
    Paint(canvas);
    PaintGraphicChildren(buffer.dc(), box);
    SetViewportOrgEx(buffer.dc(), 0, 0, nullptr);
    buffer.CopyTo(dc, box.left, box.top);
}

}  // namespace trimwell
