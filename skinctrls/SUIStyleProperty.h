#pragma once
// The "UIStyle" property every skinned control publishes. Layouts store the style by its name
// ("FromThemeFile", "Protein"...), the same way for every control:
//   Prop list:  UIStyleProp<TsuiEdit>(&TsuiEdit::SetUIStyle)
//   Row value:  {"UIStyle", std::string("Protein")}
#include <string>
#include <type_traits>

#include "framework/Layout.h"
#include "skin/SUIThemes.h"

namespace trimwell {

template <typename T, typename B>
PublishedProperty UIStyleProp(void (B::*setter)(TsuiUIStyle)) {
    static_assert(std::is_base_of_v<B, T>);
    return {"UIStyle", [setter](TComponent& c, const PropertyValue& v) {
                const auto* name = std::get_if<std::string>(&v);
                const auto style = name != nullptr ? UIStyleFromName(*name) : std::nullopt;
                if (!style) throw ELayoutError("Invalid property value for UIStyle");
                (static_cast<T&>(c).*setter)(*style);
            }};
}

}  // namespace trimwell
