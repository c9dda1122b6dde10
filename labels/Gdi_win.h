#pragma once
// RAII owners for the GDI objects the labels create, and a guard that puts back what was
// selected into a device context.
#include <windows.h>

#include <string_view>

#include "framework/Handles_win.h"

namespace trimwell {

namespace gdi_detail {
inline HGDIOBJ nullObject() { return nullptr; }
inline HDC nullDC() { return nullptr; }
inline void deleteObject(HGDIOBJ h) { DeleteObject(h); }
inline void deleteDC(HDC h) { DeleteDC(h); }
}  // namespace gdi_detail

using UniqueGdiObject = UniqueHandle<HGDIOBJ, gdi_detail::deleteObject, gdi_detail::nullObject>;
using UniqueMemoryDC = UniqueHandle<HDC, gdi_detail::deleteDC, gdi_detail::nullDC>;

class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The screen's device context for the duration of a scope.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text is handed to the wide API as is");
inline const wchar_t* WidePtr(std::u16string_view s) { return reinterpret_cast<const wchar_t*>(s.data()); }

// A colour in the labels' convention (system colours as 0xFF0000nn) as an RGB value for GDI.
inline COLORREF ColorToRGB(std::uint32_t color) {
    if ((color & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFFu;
}

}  // namespace trimwell
