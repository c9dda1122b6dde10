// Window classes and subclassing: a control's window is made of the framework's own class
// (registered on first use, its procedure OwnClassProc) or of a platform class (edit box, tree
// view) whose procedure is then subclassed, so that both kinds reach TWinControl::WndProc and the
// platform's own procedure runs behind it as the default handling.
#include "framework/WindowClass_win.h"

#include <string>
#include <unordered_map>

#include "framework/Forms_win.h"
#include "framework/Hints_win.h"
#include "platform/Gdi_win.h"
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

// Taken right after the refused call, before anything else can change the last error.
EWindowError Refusal(const char* what, const std::wstring& className) {
    const DWORD error = GetLastError();
    return EWindowError(std::string(what) + " " + WideToAnsi(className) + " (error " + std::to_string(error) + ")");
}

// The program's icon as windows show it: big for task switching, small for the task bar. Given
// no small icon, the window system makes one for each class registered by reading the icon
// resource again, which costs Wine a few milliseconds per class at every start.
struct ProgramIcons {
    HICON big = nullptr;
    UniqueIcon small;
};

const ProgramIcons& programIcons() {
    static const ProgramIcons icons = [] {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        ProgramIcons loaded;
        loaded.big = LoadIconW(instance, MAKEINTRESOURCEW(1));
        // The resource's own small image, kept for the program's life.
        loaded.small.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), 0)));
        return loaded;
    }();
    return icons;
}

}  // namespace

void RegisterWindowClass(const std::wstring& className, WNDPROC procedure, UINT style) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, className.c_str(), &wc)) return;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = programIcons().big;
    wc.hIconSm = programIcons().small.get();
    wc.lpszClassName = className.c_str();
    if (RegisterClassExW(&wc) == 0) throw Refusal("Cannot register the window class", className);
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    if (hwnd == nullptr) return nullptr;
    const auto& controls = controlsByHandle();
    const auto found = controls.find(hwnd);
    return found == controls.end() ? nullptr : found->second;
}

// A window of the framework's class is ours from its WM_NCCREATE on; a platform window becomes
// ours here, and its own procedure goes behind ours.
void TWinControl::createHandle(const TCreateParams& params) {
    RegisterWindowClass(params.className, OwnClassProc, CS_DBLCLKS);
    creating_ = true;
    const std::wstring text = AnsiToWide(Text());
    const HWND hwnd = CreateWindowExW(params.exStyle, params.className.c_str(), text.c_str(), params.style, Left(),
                                      Top(), Width(), Height(), params.parent, nullptr, GetModuleHandleW(nullptr), this);
    creating_ = false;
    if (hwnd == nullptr) throw Refusal("Cannot create a window of class", params.className);
    if (!handle_) {  // a platform class: no WM_NCCREATE of ours ran
        handle_.reset(hwnd);
        controlsByHandle()[hwnd] = this;
    }
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != OwnClassProc) {
        platformProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlatformClassProc)));
        subclassed_ = platformProc_ != nullptr;
    }
}

void TWinControl::destroyHandle() {
    hintTimer_.reset();
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

}  // namespace trimwell
