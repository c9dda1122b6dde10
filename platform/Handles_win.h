#pragma once
// RAII owners for Win32 handles: each closes its handle exactly once with the matching call.
#include <windows.h>

#include <utility>

namespace trimwell {

template <typename H, auto Close, auto Invalid>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, Invalid());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return h_ != Invalid(); }
    H release() { return std::exchange(h_, Invalid()); }
    void reset(H h = Invalid()) {
        if (h_ != Invalid()) Close(h_);
        h_ = h;
    }

private:
    H h_ = Invalid();
};

namespace handle_detail {
inline HANDLE invalidFile() { return INVALID_HANDLE_VALUE; }
inline HANDLE nullHandle() { return nullptr; }
inline HKEY nullKey() { return nullptr; }
inline void closeFile(HANDLE h) { CloseHandle(h); }
inline void closeKey(HKEY k) { RegCloseKey(k); }
inline HMENU nullMenu() { return nullptr; }
inline void destroyMenu(HMENU m) { DestroyMenu(m); }
}  // namespace handle_detail

using UniqueFileHandle = UniqueHandle<HANDLE, handle_detail::closeFile, handle_detail::invalidFile>;
// Process, thread and event handles, which are null when absent (files use INVALID_HANDLE_VALUE).
using UniqueKernelHandle = UniqueHandle<HANDLE, handle_detail::closeFile, handle_detail::nullHandle>;
using UniqueRegKey = UniqueHandle<HKEY, handle_detail::closeKey, handle_detail::nullKey>;
using UniqueMenu = UniqueHandle<HMENU, handle_detail::destroyMenu, handle_detail::nullMenu>;

}  // namespace trimwell
