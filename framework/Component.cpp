#include "framework/Component.h"

#include <algorithm>

namespace trimwell {

namespace {
void eraseOne(std::vector<TComponent*>& list, const TComponent* c) {
    list.erase(std::remove(list.begin(), list.end(), c), list.end());
}
}  // namespace

TComponent::~TComponent() {
    destroying_ = true;
    // Owned components go last-created first, as later ones may refer to earlier ones.
    while (!components_.empty()) {
        std::unique_ptr<TComponent> last = std::move(components_.back());
        components_.pop_back();
        last->announceRemoval();
        last.reset();
    }
    // An owner destroys this one through Destroy or its own destructor, which announce first;
    // a component without an owner announces here.
    if (owner_ == nullptr) announceRemoval();
}

void TComponent::adopt(std::unique_ptr<TComponent> component) {
    TComponent& added = *component;
    components_.push_back(std::move(component));
    Notification(added, TOperation::opInsert);
}

void TComponent::Destroy(TComponent& owned) {
    const auto it = std::find_if(components_.begin(), components_.end(),
                                 [&](const auto& p) { return p.get() == &owned; });
    if (it == components_.end()) return;
    std::unique_ptr<TComponent> doomed = std::move(*it);
    components_.erase(it);
    doomed->announceRemoval();
}

void TComponent::announceRemoval() {
    destroying_ = true;
    if (owner_ != nullptr && !owner_->destroying_) owner_->Notification(*this, TOperation::opRemove);
    // Each listener is told once and forgets this component; copying first keeps the walk safe
    // when a listener changes its own references while it is told.
    const std::vector<TComponent*> listeners = std::move(freeNotifies_);
    freeNotifies_.clear();
    for (TComponent* listener : listeners) {
        eraseOne(listener->freeNotifies_, this);
        listener->Notification(*this, TOperation::opRemove);
    }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (const auto& c : components_)
        if (c->name_ == name) return c.get();
    return nullptr;
}

void TComponent::FreeNotification(TComponent* other) {
    if (other == nullptr || other == this) return;
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
    // The link runs both ways so that whichever side goes first unhooks itself from the other.
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
}

void TComponent::Notification(TComponent& component, TOperation operation) {
    if (operation != TOperation::opRemove) return;
    eraseOne(freeNotifies_, &component);
    for (const auto& c : components_)
        if (c.get() != &component) c->Notification(component, operation);
}

}  // namespace trimwell
