#pragma once
// Window classes of the program, and the error raised when the system refuses a class or a window.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace trimwell {

// A window class or window the system would not make; the message names the class and the
// system's error code, and reaches the application's error report like any other failure.
class EWindowError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The class of the framework's own windows (forms, custom-painted controls).
inline constexpr wchar_t kDefaultClass[] = L"TrimwellControl";

// Registers a class of this program on first use; a class the system already knows (one of the
// platform's, or registered before) is left as it is. Throws EWindowError when refused.
void RegisterWindowClass(const std::wstring& className, WNDPROC procedure, UINT style);

}  // namespace trimwell
