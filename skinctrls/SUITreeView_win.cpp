#include "skinctrls/SUITreeView_win.h"

#include "framework/Layout.h"
#include "skinctrls/SUIStyleProperty.h"

namespace trimwell {

static_assert(kNativeBarInvisible == STATE_SYSTEM_INVISIBLE && kNativeBarUnavailable == STATE_SYSTEM_UNAVAILABLE);

namespace {

using GetScrollBarInfoFunction = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);

// Older systems have no GetScrollBarInfo; the tree then keeps its linked bars hidden.
GetScrollBarInfoFunction getScrollBarInfo() {
    static const GetScrollBarInfoFunction function = [] {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        const FARPROC found = user32 != nullptr ? GetProcAddress(user32, "GetScrollBarInfo") : nullptr;
        return reinterpret_cast<GetScrollBarInfoFunction>(reinterpret_cast<void*>(found));
    }();
    return function;
}

TNativeBarInfoSource& nativeBarInfoSource() {
    static TNativeBarInfoSource source = NativeScrollBarInfo;
    return source;
}

// The window's client area in window coordinates, and the window's size.
RECT clientInWindow(HWND h, SIZE& windowSize) {
    RECT window{}, client{};
    GetWindowRect(h, &window);
    GetClientRect(h, &client);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    windowSize = {window.right - window.left, window.bottom - window.top};
    return client;
}

}  // namespace

std::optional<TsuiNativeBarInfo> NativeScrollBarInfo(HWND hwnd, LONG objectId) {
    const GetScrollBarInfoFunction describe = getScrollBarInfo();
    if (describe == nullptr) return std::nullopt;
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!describe(hwnd, objectId, &info)) return std::nullopt;
    return TsuiNativeBarInfo{info.rgstate[0], info.xyThumbTop, info.xyThumbBottom};
}

void TsuiTreeView::SetNativeBarInfoSource(TNativeBarInfoSource source) { nativeBarInfoSource() = std::move(source); }

TsuiTreeView::TsuiTreeView(TComponent* owner) : TsuiBorderedControl<TTreeView>(owner) {
    SetUIStyle(DefaultUIStyle(owner));
}

TsuiTreeView::~TsuiTreeView() {
    // The bars may outlive the tree: their change events must not reach it any more.
    for (TsuiLinkedScrollBar* bar : {vScrollBar_, hScrollBar_})
        if (bar != nullptr) bar->SetOnChange({});
}

const PropertyTable& TsuiTreeView::StaticPublished() {
    static const PropertyTable table = PublishedAhead(
        {
            RefProp<TsuiTreeView>("FileTheme", &TsuiTreeView::SetFileTheme),
            UIStyleProp<TsuiTreeView>(&TsuiTreeView::SetUIStyle),
            Prop<TsuiTreeView>("BorderColor", &TsuiTreeView::SetBorderColor),
            RefProp<TsuiTreeView>("VScrollBar", &TsuiTreeView::SetVScrollBar),
            RefProp<TsuiTreeView>("HScrollBar", &TsuiTreeView::SetHScrollBar),
            Prop<TsuiTreeView>("BiDiMode", &TsuiTreeView::SetBiDiMode),
            Prop<TsuiTreeView>("BorderStyle", &TsuiTreeView::SetBorderStyle),
            Prop<TsuiTreeView>("BorderWidth", &TsuiTreeView::SetBorderWidth),
        },
        TTreeView::StaticPublished());
    return table;
}
const PropertyTable& TsuiTreeView::Published() const { return StaticPublished(); }

void TsuiTreeView::CreateWnd() {
    TsuiBorderedControl<TTreeView>::CreateWnd();
    clippedClient_ = {};
    clipToBorderAndClientArea();
    for (TsuiLinkedScrollBar* bar : {vScrollBar_, hScrollBar_})
        if (bar != nullptr) bringToFront(*bar);
    LayoutScrollBars();
}

// The native bars stay, as the linked bars read their state, but are never seen: the window
// shows only its border and its client area. The linked bar stands where the native one was,
// and whatever the native bar is wider than it (the system's bars grow with the screen's pixel
// density) shows the parent behind instead of a strip of platform bar.
void TsuiTreeView::clipToBorderAndClientArea() {
    if (!HandleAllocated()) return;
    const HWND h = Handle();
    SIZE size{};
    const RECT client = clientInWindow(h, size);
    if (EqualRect(&client, &clippedClient_)) return;
    clippedClient_ = {};
    // The border is as wide on every side; the native bars lie between it and the client area.
    const RECT inner{client.left, client.top, size.cx - client.left, size.cy - client.top};
    if (EqualRect(&inner, &client)) {
        if (SetWindowRgn(h, nullptr, TRUE)) clippedClient_ = client;
        return;
    }
    UniqueRegion visible(CreateRectRgn(0, 0, size.cx, size.cy));
    const UniqueRegion bars(CreateRectRgn(inner.left, inner.top, inner.right, inner.bottom));
    const UniqueRegion clientArea(CreateRectRgnIndirect(&client));
    CombineRgn(visible.get(), visible.get(), bars.get(), RGN_DIFF);
    CombineRgn(visible.get(), visible.get(), clientArea.get(), RGN_OR);
    // The window takes the region over.
    if (SetWindowRgn(h, visible.get(), TRUE)) {
        visible.release();
        clippedClient_ = client;
    }
}

// Once the window is cut to its present client area, the native bars the platform would draw
// at each non-client paint are never seen; drawing them was the heaviest part of the tree's first
// paint under Wine. Between a change of the client area and the new cut they are still drawn.
bool TsuiTreeView::OnlyTheRingsShowOutsideTheClientArea() {
    if (!HandleAllocated()) return false;
    SIZE size{};
    const RECT client = clientInWindow(Handle(), size);
    return !IsRectEmpty(&clippedClient_) && EqualRect(&client, &clippedClient_);
}

void TsuiTreeView::StyleChanged(TsuiUIStyle resolved) {
    for (TsuiLinkedScrollBar* bar : {vScrollBar_, hScrollBar_})
        if (bar != nullptr) bar->SetUIStyle(resolved);
}

void TsuiTreeView::SetVScrollBar(TsuiLinkedScrollBar* bar) {
    linkBar(vScrollBar_, bar, TsuiProgressBarOrientation::suiVertical, WM_VSCROLL);
}

void TsuiTreeView::SetHScrollBar(TsuiLinkedScrollBar* bar) {
    linkBar(hScrollBar_, bar, TsuiProgressBarOrientation::suiHorizontal, WM_HSCROLL);
}

void TsuiTreeView::releaseBar(TsuiLinkedScrollBar& bar) {
    bar.SetOnChange({});
    bar.SetLineButton(0);
    bar.SetMax(100);
    bar.BarControl().SetEnabled(true);
}

void TsuiTreeView::linkBar(TsuiLinkedScrollBar*& slot, TsuiLinkedScrollBar* bar, TsuiProgressBarOrientation orientation,
                           UINT scrollMessage) {
    if (bar == slot) return;
    if (slot != nullptr) releaseBar(*slot);
    slot = bar;
    if (bar == nullptr) return;
    FreeNotification(&bar->BarControl());
    bar->SetSmallChange(5);
    bar->SetOrientation(orientation);
    bar->SetOnChange([this, bar, scrollMessage](TComponent&) { barChanged(bar, scrollMessage); });
    bringToFront(*bar);
    LayoutScrollBars();
}

// The bar stands over the tree's native bar, so it lies above its siblings; a bar linked before
// the windows exist is brought up once the tree has its window.
void TsuiTreeView::bringToFront(TsuiLinkedScrollBar& bar) {
    TWinControl& control = bar.BarControl();
    if (!control.HandleAllocated() && !HandleAllocated()) return;
    control.HandleNeeded();
    if (control.HandleAllocated())
        SetWindowPos(control.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TsuiTreeView::barChanged(TsuiLinkedScrollBar* bar, UINT scrollMessage) {
    if (syncing_ || !HandleAllocated()) return;
    SendMessageW(Handle(), scrollMessage, MAKEWPARAM(SB_THUMBPOSITION, bar->Position()), 0);
    Invalidate();
}

void TsuiTreeView::syncBar(TsuiLinkedScrollBar& bar, LONG objectId, int scrollBarKind) {
    std::optional<TsuiNativeBarInfo> info;
    TsuiNativeScrollRange range;
    if (HandleAllocated()) {
        if (const auto& source = nativeBarInfoSource()) info = source(Handle(), objectId);
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        if (GetScrollInfo(Handle(), scrollBarKind, &si)) range = {si.nMin, si.nMax, si.nPage, si.nPos};
    }
    const TsuiScrollBarSync plan = PlanScrollBarSync(info, Enabled(), range);
    if (plan.lineButton) bar.SetLineButton(*plan.lineButton);
    bar.BarControl().SetEnabled(plan.enabled);
    if (plan.visible) bar.BarControl().SetVisible(*plan.visible);
    bar.SetMax(plan.max);
    bar.SetMin(plan.min);
    bar.SetPosition(plan.position);
}

void TsuiTreeView::SyncScrollBars() {
    syncing_ = true;
    try {
        if (vScrollBar_ != nullptr) syncBar(*vScrollBar_, OBJID_VSCROLL, SB_VERT);
        if (hScrollBar_ != nullptr) syncBar(*hScrollBar_, OBJID_HSCROLL, SB_HORZ);
    } catch (...) {
        syncing_ = false;
        throw;
    }
    syncing_ = false;
}

bool TsuiTreeView::rightToLeft() const {
    const bool rightToLeftMode = biDiMode_ == TBiDiMode::bdRightToLeft || biDiMode_ == TBiDiMode::bdRightToLeftNoAlign;
    return rightToLeftMode && GetSystemMetrics(SM_MIDEASTENABLED) != 0;
}

namespace {

TsuiLinkedBarBox boxOf(TsuiLinkedScrollBar& bar) {
    TWinControl& c = bar.BarControl();
    return {{c.Left(), c.Top(), c.Width(), c.Height()}, c.Visible()};
}

void place(TsuiLinkedScrollBar& bar, const TsuiLinkedBarBox& box) {
    bar.BarControl().SetBounds(box.bounds.left, box.bounds.top, box.bounds.width, box.bounds.height);
}

}  // namespace

void TsuiTreeView::LayoutScrollBars() {
    SyncScrollBars();
    if (vScrollBar_ == nullptr && hScrollBar_ == nullptr) return;
    std::optional<TsuiLinkedBarBox> v, h;
    if (vScrollBar_ != nullptr) v = boxOf(*vScrollBar_);
    if (hScrollBar_ != nullptr) h = boxOf(*hScrollBar_);
    LayoutLinkedScrollBars({Left(), Top(), Width(), Height()}, rightToLeft(), v ? &*v : nullptr, h ? &*h : nullptr);
    if (h) place(*hScrollBar_, *h);
    if (v) place(*vScrollBar_, *v);
}

void TsuiTreeView::VisibleChanged() {
    TsuiBorderedControl<TTreeView>::VisibleChanged();
    if (Visible()) {
        LayoutScrollBars();
        return;
    }
    if (vScrollBar_ != nullptr) vScrollBar_->BarControl().Hide();
    if (hScrollBar_ != nullptr) hScrollBar_->BarControl().SetVisible(Visible());
}

void TsuiTreeView::EnabledChanged() {
    TsuiBorderedControl<TTreeView>::EnabledChanged();
    SyncScrollBars();
}

LRESULT TsuiTreeView::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const LRESULT result = TsuiBorderedControl<TTreeView>::WndProc(msg, wp, lp);
    afterMessage(msg);
    if (msg == WM_MOUSEMOVE && mouseHeld_ && (wp & MK_LBUTTON) == 0) mouseHeld_ = false;  // a release the tree kept
    return result;
}

void TsuiTreeView::afterMessage(UINT msg) {
    switch (msg) {
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_KEYDOWN:
        case WM_MOUSEWHEEL:
        case WM_DELETEITEM:
        case TVM_DELETEITEM:
            SyncScrollBars();
            break;
        case WM_LBUTTONDOWN:
            mouseHeld_ = true;
            SyncScrollBars();
            break;
        case WM_MOUSEMOVE:
            if (mouseHeld_) SyncScrollBars();
            break;
        case WM_LBUTTONUP:
            mouseHeld_ = false;
            break;
        case WM_MOVE:
            LayoutScrollBars();
            break;
        case WM_SIZE:
            clipToBorderAndClientArea();
            LayoutScrollBars();
            break;
        default:
            break;
    }
}

void TsuiTreeView::Notification(TComponent& component, TOperation operation) {
    TsuiBorderedControl<TTreeView>::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (vScrollBar_ != nullptr && &component == &vScrollBar_->BarControl()) vScrollBar_ = nullptr;
    if (hScrollBar_ != nullptr && &component == &hScrollBar_->BarControl()) hScrollBar_ = nullptr;
}

}  // namespace trimwell
