#pragma once
// Tests reach a built layout's components by name: the program binds its own through the rows.
#include <string>
#include <string_view>

#include "framework/Layout.h"

namespace trimwell {

// The owned component of that name and kind; a layout without it is broken.
template <typename T>
T* FindAs(TComponent& owner, std::string_view name) {
    auto* found = dynamic_cast<T*>(owner.FindComponent(name));
    if (found == nullptr) throw ELayoutError("Component " + std::string(name) + " not found");
    return found;
}

}  // namespace trimwell
