#pragma once
// Small GDI helpers shared by the label controls and the markup painter.
#include <windows.h>

#include <string_view>

#include "framework/Graphics_win.h"

namespace trimwell {

using UniqueGdiHandle = UniqueGdiObject<HGDIOBJ>;

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text is handed to the wide API as is");
inline const wchar_t* WidePtr(std::u16string_view s) { return reinterpret_cast<const wchar_t*>(s.data()); }

// A label colour (system colours as 0xFF0000nn) as an RGB value for GDI.
inline COLORREF LabelRGB(TColor color) {
    return IsSystemColor(color) ? GetSysColor(SystemColorIndex(color)) : (color & 0x00FFFFFFu);
}

}  // namespace trimwell
