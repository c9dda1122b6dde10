#pragma once
// Skinned controls publish their own properties ahead of the ones they inherit from the
// framework's control, which is the order a stored layout applies them in.
#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "framework/Layout.h"

namespace trimwell {

// `own` first, then `base` without the names `own` republishes and without `dropped`.
inline PropertyTable PublishedAhead(std::initializer_list<PublishedProperty> own, const PropertyTable& base,
                                    std::initializer_list<std::string_view> dropped = {}) {
    PropertyTable table(own);
    for (const auto& p : base) {
        const auto named = [&p](const auto& other) { return other == p.name; };
        const bool replaced = std::any_of(own.begin(), own.end(), [&p](const auto& o) { return o.name == p.name; });
        if (!replaced && std::none_of(dropped.begin(), dropped.end(), named)) table.push_back(p);
    }
    return table;
}

}  // namespace trimwell
