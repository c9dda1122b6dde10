#include "framework/Layout.h"

#include <algorithm>

namespace trimwell {

PropertyTable Inherit(const PropertyTable& base, std::initializer_list<PublishedProperty> own) {
    PropertyTable table = base;
    for (const auto& p : own) {
        // A class that publishes an inherited name again keeps the base's place for it but its
        // own setter, so one table never holds a name twice.
        const auto it = std::find_if(table.begin(), table.end(), [&](const auto& b) { return b.name == p.name; });
        if (it != table.end())
            it->apply = p.apply;
        else
            table.push_back(p);
    }
    return table;
}

PropertyTable PublishedAhead(std::initializer_list<PublishedProperty> own, const PropertyTable& base,
                             std::initializer_list<std::string_view> dropped) {
    PropertyTable table(own);
    for (const auto& p : base) {
        const auto named = [&p](std::string_view other) { return other == p.name; };
        const bool replaced = std::any_of(own.begin(), own.end(), [&p](const auto& o) { return o.name == p.name; });
        if (!replaced && std::none_of(dropped.begin(), dropped.end(), named)) table.push_back(p);
    }
    return table;
}

PropertyTable PublishInOrder(const PropertyTable& base, std::initializer_list<PublishedProperty> own,
                             const std::vector<std::string_view>& order) {
    const auto named = [&](std::string_view name) {
        return std::find(order.begin(), order.end(), name) != order.end();
    };
    PropertyTable table;
    for (const auto& p : base)
        if (!named(p.name)) table.push_back(p);
    for (const std::string_view name : order) {
        const auto byName = [name](const PublishedProperty& p) { return p.name == name; };
        if (const auto mine = std::find_if(own.begin(), own.end(), byName); mine != own.end())
            table.push_back(*mine);
        else if (const auto inherited = std::find_if(base.begin(), base.end(), byName); inherited != base.end())
            table.push_back(*inherited);
        else
            throw std::logic_error("Published order names an unknown property " + std::string(name));
    }
    for (const auto& p : own)
        if (!named(p.name)) table.push_back(p);
    return table;
}

void TPersistentComponent::Keep(std::string_view name, const PropertyValue& value) {
    for (auto& [n, v] : kept_)
        if (n == name) {
            v = value;
            return;
        }
    kept_.emplace_back(std::string(name), value);
}

const PropertyValue* TPersistentComponent::Kept(std::string_view name) const {
    for (const auto& [n, v] : kept_)
        if (n == name) return &v;
    return nullptr;
}

PublishedProperty KeptProp(std::string_view name) {
    return {name, [name](TComponent& c, const PropertyValue& v) { static_cast<TPersistentComponent&>(c).Keep(name, v); }};
}

const PropertyTable& TPersistentComponent::Published() const {
    static const PropertyTable none;
    return none;
}

namespace {

using Values = std::vector<std::pair<std::string, PropertyValue>>;

// The row's values in the class's published order; an unknown name is a broken layout.
std::vector<std::pair<const PublishedProperty*, const PropertyValue*>> inPublishedOrder(
    const TPersistentComponent& target, const Values& values) {
    const PropertyTable& table = target.Published();
    std::vector<std::pair<const PublishedProperty*, const PropertyValue*>> ordered;
    for (const auto& [name, value] : values) {
        // Named capture: clang 14 cannot capture a structured binding.
        const auto it = std::find_if(table.begin(), table.end(), [&n = name](const auto& p) { return p.name == n; });
        if (it == table.end()) throw ELayoutError("Property " + name + " does not exist");
        ordered.emplace_back(&*it, &value);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return ordered;
}

bool isReference(const PropertyValue& v) { return std::holds_alternative<Ref>(v); }

TComponent* resolve(TComponent& scope, const Ref& ref) {
    if (ref.name.empty()) return nullptr;
    TComponent* found = scope.FindComponent(ref.name);
    if (found == nullptr) throw ELayoutError("Component " + ref.name + " not found");
    return found;
}

void apply(TPersistentComponent& target, const Values& values, TComponent& scope, bool references) {
    for (const auto& [property, value] : inPublishedOrder(target, values)) {
        if (isReference(*value) != references) continue;
        if (references)
            property->apply(target, PropertyValue{resolve(scope, std::get<Ref>(*value))});
        else
            property->apply(target, *value);
    }
}

}  // namespace

void ApplyProperties(TPersistentComponent& target, const Values& values, TComponent& scope) {
    apply(target, values, scope, false);
    apply(target, values, scope, true);
}

void LoadLayout(TPersistentComponent& owner, const std::vector<LayoutRow>& rows) {
    std::vector<TPersistentComponent*> built;
    built.reserve(rows.size());
    owner.BeginLoading();
    for (const auto& row : rows) {
        TPersistentComponent& c = row.create(owner);
        c.BeginLoading();
        c.SetName(row.name);
        built.push_back(&c);
        TComponent* parent = row.parent.empty() ? &owner : owner.FindComponent(row.parent);
        if (parent == nullptr) throw ELayoutError("Parent " + row.parent + " not found");
        c.SetParentComponent(parent);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) apply(*built[i], rows[i].values, owner, false);
    for (std::size_t i = 0; i < rows.size(); ++i) apply(*built[i], rows[i].values, owner, true);
    for (TPersistentComponent* c : built) c->Loaded();
    owner.Loaded();
}

}  // namespace trimwell
