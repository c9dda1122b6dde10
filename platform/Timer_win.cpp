#include "platform/Timer_win.h"

namespace trimwell {

WindowTimer::WindowTimer(HWND window, UINT_PTR id, UINT periodMs)
    : window_(window), id_(SetTimer(window, id, periodMs, nullptr)) {}

WindowTimer::~WindowTimer() {
    if (id_ != 0 && IsWindow(window_)) KillTimer(window_, id_);
}

}  // namespace trimwell
