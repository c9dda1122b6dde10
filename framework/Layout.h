#pragma once
// Stored layouts: a window's components built from a declarative table.
//
// A class publishes its properties as an ordered table of setters (`Published()`); a layout row
// names the class, the component, its parent and the stored values that differ from the
// defaults. `LoadLayout` then, for the whole table:
//   1. creates every component in row order (row order is creation order, and for controls of
//      one kind their back-to-front order), owned by `owner`, parented as the row says;
//   2. applies each component's stored values in the class's published order, whatever order the
//      row lists them in, leaving out references to other components;
//   3. attaches the references (a theme, a linked scroll bar), row by row, again in published
//      order, so that what a control derives from its theme replaces stored values;
//   4. runs Loaded on every component, in row order.
//
// Publishing:
//   const PropertyTable& TMyCtl::Published() const {
//       static const PropertyTable table = Inherit(TBase::StaticPublished(), {
//           Prop<TMyCtl>("Caption", &TMyCtl::SetCaption),
//           Prop<TMyCtl>("FileTheme", &TMyCtl::SetFileTheme) });
//       return table;
//   }
// A row:  Row<TMyCtl>("btnSave", "", {{"Caption", "&Save Key"}, {"Left", 367}, {"Theme", Ref("t")}}, &btnSave)
// (parent "" means the owner itself; the last argument, when given, receives the new component).
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "framework/Component.h"

namespace trimwell {

// A stored reference to another component of the same layout, by name.
struct Ref {
    std::string name;
};

using Bytes = std::vector<std::uint8_t>;
// TComponent* is a reference after LoadLayout resolved it; tables hold Ref.
using PropertyValue = std::variant<bool, std::int64_t, std::string, std::wstring, Bytes, Ref, TComponent*>;

class ELayoutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PublishedProperty {
    std::string_view name;
    std::function<void(TComponent&, const PropertyValue&)> apply;
};
using PropertyTable = std::vector<PublishedProperty>;

namespace layout_detail {
template <typename V>
V convert(const PropertyValue& v, std::string_view name) {
    using D = std::remove_cvref_t<V>;
    if constexpr (std::is_same_v<D, bool>) {
        if (const auto* b = std::get_if<bool>(&v)) return *b;
    } else if constexpr (std::is_enum_v<D> || std::is_integral_v<D>) {
        if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<D>(*i);
    } else if constexpr (std::is_same_v<D, std::string> || std::is_same_v<D, std::wstring> ||
                         std::is_same_v<D, Bytes>) {
        if (const auto* s = std::get_if<D>(&v)) return *s;
    }
    throw ELayoutError("Invalid property value for " + std::string(name));
}
}  // namespace layout_detail

// A plain setter: void T::SetX(V).
template <typename T, typename B, typename V>
PublishedProperty Prop(std::string_view name, void (B::*setter)(V)) {
    static_assert(std::is_base_of_v<B, T>);
    return {name, [name, setter](TComponent& c, const PropertyValue& v) {
                (static_cast<T&>(c).*setter)(layout_detail::convert<V>(v, name));
            }};
}

// A reference setter: void T::SetX(U*). The layout resolves the stored name first; a reference
// to a component of the wrong kind is refused.
template <typename T, typename B, typename U>
PublishedProperty RefProp(std::string_view name, void (B::*setter)(U*)) {
    static_assert(std::is_base_of_v<B, T>);
    return {name, [name, setter](TComponent& c, const PropertyValue& v) {
                auto* const* target = std::get_if<TComponent*>(&v);
                if (target == nullptr) throw ELayoutError("Unresolved reference for " + std::string(name));
                U* typed = dynamic_cast<U*>(*target);
                if (*target != nullptr && typed == nullptr)
                    throw ELayoutError("Wrong component kind for " + std::string(name));
                (static_cast<T&>(c).*setter)(typed);
            }};
}

// A base table followed by a class's own additions.
PropertyTable Inherit(const PropertyTable& base, std::initializer_list<PublishedProperty> own);

// A class that states its whole published order: `order` names every property in the place it
// loads, each taken from `own` or else from `base` (a redeclared inherited property keeps the
// base's setter unless `own` gives one). Inherited properties the order leaves out (position,
// size and the like) load first, in the base's order; own ones it leaves out load last. A name found in neither table is a fault
// of the class and throws std::logic_error when the table is built.
//   static const PropertyTable table = PublishInOrder(TWinControl::StaticPublished(),
//       {Prop<TBar>("Max", &TBar::SetMax)}, {"Max", "Color", "Enabled", "Visible"});
PropertyTable PublishInOrder(const PropertyTable& base, std::initializer_list<PublishedProperty> own,
                             const std::vector<std::string_view>& order);

// A class whose own properties all load ahead of the inherited ones: `own` first, then `base`
// without the names `own` publishes again and without `dropped`.
PropertyTable PublishedAhead(std::initializer_list<PublishedProperty> own, const PropertyTable& base,
                             std::initializer_list<std::string_view> dropped = {});

// Anything a layout can build publishes its properties.
class TPersistentComponent : public TComponent {
public:
    using TComponent::TComponent;
    virtual const PropertyTable& Published() const;

    // Properties a class publishes for the layouts' sake only (bidirectional mode, anchors and
    // the like, which nothing of this system acts on) are kept here as they were stored.
    void Keep(std::string_view name, const PropertyValue& value);
    const PropertyValue* Kept(std::string_view name) const;

private:
    std::vector<std::pair<std::string, PropertyValue>> kept_;
};

// A published property that is only kept (TPersistentComponent::Keep).
PublishedProperty KeptProp(std::string_view name);

struct LayoutRow {
    std::function<TPersistentComponent&(TComponent& owner)> create;
    std::string name;
    std::string parent;  // "" : the owner
    std::vector<std::pair<std::string, PropertyValue>> values;
};

// `bound`, when given, is the field of the form that holds the component from its creation on.
template <typename T>
LayoutRow Row(std::string name, std::string parent,
              std::vector<std::pair<std::string, PropertyValue>> values, T** bound = nullptr) {
    return {[bound](TComponent& owner) -> TPersistentComponent& {
                T& created = owner.Add<T>();
                if (bound != nullptr) *bound = &created;
                return created;
            },
            std::move(name), std::move(parent), std::move(values)};
}

// Builds `rows` into `owner` (see the top of this file). Throws ELayoutError for an unknown
// property, parent or reference; never leaves a component half-registered.
void LoadLayout(TPersistentComponent& owner, const std::vector<LayoutRow>& rows);

// Applies values to one component in its published order (references included, resolved in
// `scope`). For code that sets a group of properties the way a layout would.
void ApplyProperties(TPersistentComponent& target, const std::vector<std::pair<std::string, PropertyValue>>& values,
                     TComponent& scope);

}  // namespace trimwell
