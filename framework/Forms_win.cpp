#include "framework/Forms_win.h"

#include <algorithm>

#include "framework/WindowClass_win.h"
#include "platform/Shell_win.h"
#include "platform/Text.h"

namespace trimwell {

namespace {

TApplication* gApplication = nullptr;

constexpr wchar_t kApplicationClass[] = L"TApplication";

// Disables the thread's other enabled, visible top-level windows while a modal form runs and
// enables them again afterwards, also when the modal loop is left by an error.
class TaskWindowsDisabled {
public:
    explicit TaskWindowsDisabled(HWND except) : except_(except) {
        EnumThreadWindows(GetCurrentThreadId(), &collect, reinterpret_cast<LPARAM>(this));
        for (HWND w : windows_) EnableWindow(w, FALSE);
    }
    ~TaskWindowsDisabled() {
        for (HWND w : windows_)
            if (IsWindow(w)) EnableWindow(w, TRUE);
    }
    TaskWindowsDisabled(const TaskWindowsDisabled&) = delete;
    TaskWindowsDisabled& operator=(const TaskWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK collect(HWND w, LPARAM self) {
        auto* me = reinterpret_cast<TaskWindowsDisabled*>(self);
        if (w != me->except_ && IsWindowVisible(w) && IsWindowEnabled(w)) me->windows_.push_back(w);
        return TRUE;
    }
    HWND except_;
    std::vector<HWND> windows_;
};

LRESULT CALLBACK applicationProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            // Back from the task bar: the forms the minimise hid come back.
            if (wp == SIZE_RESTORED) ShowOwnedPopups(hwnd, TRUE);
            break;
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE && HasApplication() && Application().MainForm() != nullptr &&
                Application().MainForm()->HandleAllocated() && IsWindowVisible(Application().MainForm()->Handle()))
                SetActiveWindow(Application().MainForm()->Handle());
            return 0;
        case WM_CLOSE:
            if (HasApplication() && Application().MainForm() != nullptr) Application().MainForm()->Close();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

// ---------------------------------------------------------------- TForm

TForm::TForm(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
    if (HasApplication() && Application().MainForm() == this) Application().Notification(*this, TOperation::opRemove);
}

const PropertyTable& TForm::StaticPublished() {
    static const PropertyTable table = Inherit(TCustomControl::StaticPublished(), {
        Prop<TForm>("ClientWidth", &TForm::SetClientWidth),
        Prop<TForm>("ClientHeight", &TForm::SetClientHeight),
        Prop<TForm>("KeyPreview", &TForm::SetKeyPreview),
        Prop<TForm>("Scaled", &TForm::SetScaled),
    });
    return table;
}
const PropertyTable& TForm::Published() const { return StaticPublished(); }

void TForm::CreateParams(TCreateParams& params) {
    params.className = L"TForm";
    params.style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.exStyle = 0;
    params.parent = HasApplication() ? Application().Handle() : nullptr;
}

void TForm::DoCreate() {
    if (OnCreate) OnCreate(*this);
}

void TForm::VisibleChanged() {
    if (Visible()) {
        if (!shownOnce_) {  // first shown in the middle of the screen
            SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2,
                      Width(), Height());
        }
        shownOnce_ = true;
        HandleNeeded();
        if (OnShow) OnShow(*this);
        if (!Visible()) return;  // hidden again by its own show handler
        ShowWindow(Handle(), SW_SHOW);
        BringToFront();
        if (activeControl_ == nullptr) SelectNext(nullptr, true);
    } else {
        if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    }
}

namespace {
// Whether a shown window that is not kept on top lies above this one: raising a window that is
// already on top is no change, yet it costs the window system a round trip at every show.
bool CoveredByAnotherWindow(HWND window) {
    for (HWND above = GetWindow(window, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV))
        if (IsWindowVisible(above) && (GetWindowLongPtrW(above, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0) return true;
    return false;
}
}  // namespace

void TForm::BringToFront() {
    if (!HandleAllocated()) return;
    if (CoveredByAnotherWindow(Handle())) SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE && activeControl_ != nullptr && activeControl_->HandleAllocated() &&
                activeControl_->CanFocus()) {
                ::SetFocus(activeControl_->Handle());
                return 0;
            }
            break;
        case WM_CLOSE:
            Close();
            return 0;
        default:
            break;
    }
    return TCustomControl::WndProc(msg, wp, lp);
}

void TForm::SetActiveControl(TWinControl* c) { activeControl_ = c; }

void TForm::Close() {
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    if (HasApplication() && Application().MainForm() == this) {
        Application().Terminate();
    } else {
        Hide();
    }
}

int TForm::ShowModal() {
    if (Visible() || !Enabled() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
    if (GetCapture() != nullptr) ReleaseCapture();
    HandleNeeded();
    modal_ = true;
    modalResult_ = mrNone;
    int result = mrNone;
    {
        const TaskWindowsDisabled others(Handle());
        try {
            Show();
            // A quit recorded before the window came up (during a pause) ends the wait at once:
            // waiting for a message first would hold the window until the user moved the mouse.
            while (modalResult_ == mrNone) {
                if (Application().Terminated()) {
                    modalResult_ = mrCancel;
                    break;
                }
                Application().HandleMessage();
            }
        } catch (...) {
            modal_ = false;
            Hide();
            throw;
        }
        result = modalResult_;
        modal_ = false;
    }
    Hide();
    return result;
}

void TForm::SelectNext(TWinControl* current, bool forward) {
    std::vector<TWinControl*> list = TabList();
    list.erase(std::remove_if(list.begin(), list.end(), [](TWinControl* w) { return !w->CanFocus(); }), list.end());
    if (list.empty()) return;
    auto it = std::find(list.begin(), list.end(), current);
    std::size_t next = 0;
    if (it != list.end()) {
        const std::size_t at = static_cast<std::size_t>(it - list.begin());
        next = forward ? (at + 1) % list.size() : (at + list.size() - 1) % list.size();
    } else if (!forward) {
        next = list.size() - 1;
    }
    activeControl_ = list[next];
    if (HandleAllocated() && IsWindowVisible(Handle())) list[next]->SetFocus();
}

// ---------------------------------------------------------------- TApplication

TApplication::TApplication() {
    gApplication = this;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass(kApplicationClass, applicationProc, 0);
    // A window of no size that stands for the program in the task bar; the forms it owns have
    // no task bar buttons of their own.
    const int cx = GetSystemMetrics(SM_CXSCREEN) / 2, cy = GetSystemMetrics(SM_CYSCREEN) / 2;
    handle_.reset(CreateWindowExW(0, kApplicationClass, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, cx,
                                  cy, 0, 0, nullptr, nullptr, instance, nullptr));
}

TApplication::~TApplication() {
    // The forms go first, while the window that owns them still exists.
    while (ComponentCount() > 0) Destroy(Component(ComponentCount() - 1));
    mainForm_ = nullptr;
    handle_.reset();
    if (gApplication == this) gApplication = nullptr;
}

void TApplication::SetTitle(std::string title) {
    title_ = std::move(title);
    if (handle_) SetWindowTextW(handle_.get(), AnsiToWide(title_).c_str());
}

void TApplication::Run() {
    if (handle_) ShowWindow(handle_.get(), SW_SHOWNOACTIVATE);
    try {
        if (mainForm_ != nullptr) mainForm_->Show();
    } catch (const std::exception& e) {
        // The show handler's work ends; the window is up and the program goes on.
        ShowException(e);
        if (mainForm_ != nullptr && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_SHOW);
    }
    while (!terminated_) HandleMessage();
}

bool TApplication::processMessage(MSG& msg) {
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) processMessage(msg);
}

void TApplication::HandleMessage() {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        terminated_ = true;
    } else if (got > 0) {
        processMessage(msg);
    }
}

void TApplication::Terminate() {
    if (terminated_) return;
    PostQuitMessage(0);
}

void TApplication::Minimize() {
    if (!handle_) return;
    ShowOwnedPopups(handle_.get(), FALSE);
    ShowWindow(handle_.get(), SW_MINIMIZE);
}

void TApplication::Restore() {
    if (!handle_) return;
    ShowWindow(handle_.get(), SW_RESTORE);
    ShowOwnedPopups(handle_.get(), TRUE);
}

std::string TApplication::ReportText(const std::string& message) {
    std::string text = message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

void TApplication::ShowException(const std::exception& e) {
    Platform().messageBox(handle_.get(), ReportText(e.what()), title_, MB_OK | MB_ICONERROR);
}

void TApplication::Notification(TComponent& component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && &component == mainForm_) mainForm_ = nullptr;
}

TApplication& Application() { return *gApplication; }
bool HasApplication() { return gApplication != nullptr; }

}  // namespace trimwell
