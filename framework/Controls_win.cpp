#include "framework/Controls_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>
#include <unordered_map>

#include "framework/Forms_win.h"
#include "framework/Hints_win.h"
#include "framework/Menus_win.h"
#include "platform/Text.h"

namespace trimwell {

namespace {

// Which control owns which window. Kept in the program's own memory rather than as a window
// property or the common controls' subclass chain: every message of every control looks its
// control up, and under Wine each property lookup is a round trip to the window server.
std::unordered_map<HWND, TWinControl*>& controlsByHandle() {
    static std::unordered_map<HWND, TWinControl*> controls;
    return controls;
}
constexpr wchar_t kDefaultClass[] = L"TrimwellControl";

TShiftState currentShift(WPARAM mouseFlags) {
    TShiftState s = static_cast<TShiftState>(mouseFlags & 0xFFFF);
    if (GetKeyState(VK_MENU) < 0) s |= shiftAlt;
    if (GetKeyState(VK_SHIFT) < 0) s |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0) s |= MK_CONTROL;
    return s;
}

std::map<TCursor, HCURSOR>& registeredCursors() {
    static std::map<TCursor, HCURSOR> cursors;
    return cursors;
}

HCURSOR cursorHandle(TCursor c) {
    if (const auto it = registeredCursors().find(c); it != registeredCursors().end()) return it->second;
    switch (c) {
        case crHandPoint: return LoadCursorW(nullptr, IDC_HAND);
        case crArrow: return LoadCursorW(nullptr, IDC_ARROW);
        default:
            if (c > 0) return LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c));
            return nullptr;
    }
}

bool inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

void RegisterCursor(TCursor id, HCURSOR cursor) { registeredCursors()[id] = cursor; }

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
    mouseInside_ = true;
    if (OnMouseEnter) OnMouseEnter(*this);
}
void TControl::MouseLeave() {
    mouseInside_ = false;
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

void TGraphicControl::Invalidate() { TControl::Invalidate(); }

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

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    if (hwnd == nullptr) return nullptr;
    const auto& controls = controlsByHandle();
    const auto found = controls.find(hwnd);
    return found == controls.end() ? nullptr : found->second;
}

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
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(instance, params.className.c_str(), &existing)) {
        WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = OwnClassProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        wc.lpszClassName = params.className.c_str();
        RegisterClassExW(&wc);
    }
    creating_ = true;
    const std::wstring text = AnsiToWide(Text());
    const HWND hwnd = CreateWindowExW(params.exStyle, params.className.c_str(), text.c_str(), params.style, Left(),
                                      Top(), Width(), Height(), params.parent, nullptr, instance, this);
    creating_ = false;
    if (hwnd == nullptr) return;
    if (!handle_) {  // a platform class: no WM_NCCREATE of ours ran
        handle_.reset(hwnd);
        controlsByHandle()[hwnd] = this;
    }
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != OwnClassProc) {
        // A platform control: its own window procedure runs behind ours.
        platformProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlatformClassProc)));
        subclassed_ = platformProc_ != nullptr;
    }
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

void TWinControl::destroyHandle() {
    hintWindow_.reset();
    hintTarget_ = nullptr;
    if (!handle_) return;
    const HWND hwnd = handle_.get();
    if (subclassed_ && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &PlatformClassProc)
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platformProc_));
    subclassed_ = false;
    controlsByHandle().erase(hwnd);
    handle_.reset();
}

LRESULT CALLBACK TWinControl::OwnClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        auto* control = static_cast<TWinControl*>(cs->lpCreateParams);
        if (control != nullptr) {
            control->handle_.reset(hwnd);
            controlsByHandle()[hwnd] = control;
        }
    }
    TWinControl* control = FromHandle(hwnd);
    if (control == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        controlsByHandle().erase(hwnd);
        control->handle_.release();
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return Dispatch(*control, msg, wp, lp);
}

LRESULT CALLBACK TWinControl::PlatformClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TWinControl* control = FromHandle(hwnd);
    if (control == nullptr || !control->subclassed_) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        const WNDPROC platform = control->platformProc_;
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platform));
        control->subclassed_ = false;
        controlsByHandle().erase(hwnd);
        control->handle_.release();
        return CallWindowProcW(platform, hwnd, msg, wp, lp);
    }
    return Dispatch(*control, msg, wp, lp);
}

LRESULT TWinControl::Dispatch(TWinControl& control, UINT msg, WPARAM wp, LPARAM lp) {
    try {
        return control.WndProc(msg, wp, lp);
    } catch (const std::exception& e) {
        // Whatever an action did not handle ends that action here; the program goes on.
        if (HasApplication()) Application().ShowException(e);
        return 0;
    }
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp) {
    const HWND hwnd = handle_.get();
    return subclassed_ ? CallWindowProcW(platformProc_, hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
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
        case WM_DRAWITEM: {
            const HWND from = msg == WM_NOTIFY     ? reinterpret_cast<NMHDR*>(lp)->hwndFrom
                              : msg == WM_DRAWITEM ? reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem
                                                   : reinterpret_cast<HWND>(lp);
            TWinControl* child = FromHandle(from);
            LRESULT result = 0;
            if (child != nullptr && child != this && child->ParentNotify(msg, wp, lp, result)) return result;
            break;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            WORD key = static_cast<WORD>(wp);
            if (KeyDown(key, currentShift(0))) return 0;
            break;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            WORD key = static_cast<WORD>(wp);
            if (KeyUp(key, currentShift(0))) return 0;
            break;
        }
        case WM_CHAR:
        case WM_SYSCHAR: {
            if (msg == WM_CHAR && wp == L'\t') return 0;  // Tab moved the focus already
            // Alt is held for every system character; a plain character says so in its key data.
            const bool alt = msg == WM_SYSCHAR || (lp & (LPARAM{1} << 29)) != 0;
            if (TForm* form = ParentForm(); form != nullptr && form->DialogChar(static_cast<wchar_t>(wp), alt))
                return 0;
            break;
        }
        case WM_SETFOCUS:
            if (TForm* form = ParentForm(); form != nullptr && form != this) {
                form->SetActiveControl(this);
                form->AnnounceFocusChanged();
            }
            if (OnEnter) OnEnter(*this);
            break;
        case WM_KILLFOCUS:
            if (OnExit) OnExit(*this);
            break;
        case WM_ERASEBKGND:
            if (!PaintsItself()) return 1;
            break;
        case WM_PAINT:
            if (!PaintsItself()) {
                if (wp != 0) {
                    PaintWindow(reinterpret_cast<HDC>(wp));
                } else {
                    const PaintDC dc(handle_.get());
                    PaintWindow(dc.get());
                }
                return 0;
            }
            break;
        case WM_PRINTCLIENT:
            if (!PaintsItself()) {
                PaintWindow(reinterpret_cast<HDC>(wp));
                return 0;
            }
            break;
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
        case WM_MOUSELEAVE:
            if (!PaintsItself()) {
                routeMouse(msg, wp, lp);
                // The right release still goes on to become the context-menu request.
                if (msg != WM_RBUTTONUP) return 0;
            }
            break;
        case WM_SETCURSOR:
            if (!PaintsItself() && LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == handle_.get()) {
                POINT p;
                GetCursorPos(&p);
                ScreenToClient(handle_.get(), &p);
                const TGraphicControl* child = graphicChildAt(p.x, p.y);
                const HCURSOR cursor = cursorHandle(child ? child->Cursor() : Cursor());
                if (cursor != nullptr) {
                    ::SetCursor(cursor);
                    return TRUE;
                }
            }
            break;
        case WM_TIMER:
            if (wp == kHintTimer) {
                showPendingHint();
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wp) == handle_.get()) {
                POINT screen{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                TControl* target = this;
                if (screen.x != -1 || screen.y != -1) {
                    POINT client = screen;
                    ScreenToClient(handle_.get(), &client);
                    if (TGraphicControl* child = graphicChildAt(client.x, client.y)) target = child;
                }
                bool handled = false;
                target->ContextMenu(screen, handled);
                if (handled) return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lp) != handle_.get()) loseCapture();
            break;
        case WM_CANCELMODE:
            cancelModes();
            break;
        default:
            break;
    }
    return DefaultHandler(msg, wp, lp);
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
    const TShiftState shift = currentShift(wp);
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

// A hint shows after the mouse rested over one control for a moment, and goes when the mouse
// moves to another control, leaves or presses a button.
void TWinControl::setHintTarget(TControl* target) {
    if (target == hintTarget_) return;
    cancelHint();
    hintTarget_ = target;
    if (target != nullptr && target->ShowHint() && !target->Hint().empty() && handle_)
        SetTimer(handle_.get(), kHintTimer, kHintPauseMs, nullptr);
}

void TWinControl::cancelHint() {
    if (handle_) KillTimer(handle_.get(), kHintTimer);
    if (hintWindow_) hintWindow_->Hide();
}

void TWinControl::showPendingHint() {
    if (handle_) KillTimer(handle_.get(), kHintTimer);
    if (hintTarget_ == nullptr || !handle_) return;
    std::u16string text = HintTextFor(*hintTarget_);
    if (text.empty()) return;
    if (!hintWindow_) hintWindow_ = std::make_unique<THintWindow>(handle_.get());
    POINT p{};
    GetCursorPos(&p);
    hintWindow_->ActivateHint({p.x, p.y + GetSystemMetrics(SM_CYCURSOR) / 2}, std::move(text));
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

void TWinControl::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
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

void TWinControl::ColorChanged() { Invalidate(); }

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
