#pragma once
// The flat border of the skinned tree view and edit box: which colour its outer ring takes from
// a file theme or a built-in style.
//
//   TsuiUIStyle resolved;
//   std::uint32_t ring = ControlBorderColor(theme, TsuiUIStyle::FromThemeFile, resolved);
//   // theme ready: SKIN2_CONTROLBORDERCOLOR and resolved FromThemeFile; else DeepBlue's black
#include <cstdint>

#include "skin/SUIThemes.h"

namespace trimwell {

class TsuiFileTheme;

inline constexpr int kStyleControlBorderColor = 25;

// The outer ring's colour for a control asking for `requested` with `theme`; `resolved` receives
// the style the control then draws in (FromThemeFile only with a ready theme).
std::uint32_t ControlBorderColor(const TsuiFileTheme* theme, TsuiUIStyle requested, TsuiUIStyle& resolved);

}  // namespace trimwell
