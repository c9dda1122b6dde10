#pragma once
// The one timer of windows and controls: WM_TIMER with Id() reaches the window's procedure every
// period for as long as the timer lives. Keep it in a std::optional to start (emplace) and stop
// (reset) it; a window destroyed first took its timers along, which the destructor allows for.
//   std::optional<WindowTimer> repeat;
//   repeat.emplace(Handle(), kRepeatTimerId, 100);      // WM_TIMER, wp == kRepeatTimerId
//   repeat.reset();                                     // no more ticks
#include <windows.h>

namespace trimwell {

class WindowTimer {
public:
    WindowTimer(HWND window, UINT_PTR id, UINT periodMs);
    ~WindowTimer();
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;
    // Whether a WM_TIMER's wParam is this timer's tick.
    bool Ticked(WPARAM wp) const { return id_ != 0 && wp == id_; }

private:
    HWND window_;
    UINT_PTR id_;
};

}  // namespace trimwell
