#include "skinctrls/SUIControlBorder.h"

#include "skin/SUIMgr.h"

namespace trimwell {

std::uint32_t ControlBorderColor(const TsuiFileTheme* theme, TsuiUIStyle requested, TsuiUIStyle& resolved) {
    if (UsingFileTheme(theme, requested, resolved))
        return static_cast<std::uint32_t>(theme->GetColor(kSkin2ControlBorderColor));
    return static_cast<std::uint32_t>(GetColor(resolved, kStyleControlBorderColor));
}

}  // namespace trimwell
