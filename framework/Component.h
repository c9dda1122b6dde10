#pragma once
// Components: named objects with an owner that holds them in creation order and destroys them
// with itself, and removal notification so that a component holding a non-owning reference to
// another (a control to its theme, a tree to its linked scroll bar) is told when that one goes.
//
// Use:
//   TMyThing& t = owner.Add<TMyThing>();        // owned by `owner`, destroyed with it
//   t.SetName("thing1");                        // found by owner.FindComponent("thing1")
//   other.FreeNotification(&t);                 // `other.Notification(t, opRemove)` when t dies
//   void Notification(TComponent& c, TOperation op) override {
//       TBase::Notification(c, op);
//       if (op == TOperation::opRemove && &c == theme_) theme_ = nullptr;
//   }
// The owner's Notification forwards a removal to every component it owns, so siblings in one
// window learn of each other's removal without registering.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trimwell {

enum class TOperation { opInsert, opRemove };

class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr) : owner_(owner) {}
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Creates a component owned by this one; T's constructor takes the owner first.
    template <typename T, typename... Args>
    T& Add(Args&&... args) {
        auto made = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& ref = *made;
        adopt(std::move(made));
        return ref;
    }
    // Destroys an owned component now (its removal is announced first).
    void Destroy(TComponent& owned);

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) {
        if (name == name_) return;
        std::string old = std::exchange(name_, std::move(name));
        NameChanged(old);
    }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent& Component(int index) const { return *components_.at(static_cast<std::size_t>(index)); }
    // The owned component with this name (exact match), or null.
    TComponent* FindComponent(std::string_view name) const;

    // Asks `other` to call this->Notification(*other, opRemove) when it is destroyed, even when
    // the two have different owners. Cleared automatically when either side goes.
    void FreeNotification(TComponent* other);

    // Told about insertion and removal of components this one may reference.
    virtual void Notification(TComponent& component, TOperation operation);

    // Stored layouts: the component is being built from a table; Loaded runs once, after every
    // stored property and reference of the whole table was applied.
    bool IsLoading() const { return loading_; }
    void BeginLoading() { loading_ = true; }
    virtual void Loaded() { loading_ = false; }

    // Told after the name changed; `oldName` is the name it had before.
    virtual void NameChanged(const std::string& oldName) {}

    // Whether this component is a form, a top-level window of the framework.
    virtual bool IsForm() const { return false; }

    // The layout table names a parent for each component; controls take it as their parent.
    virtual void SetParentComponent(TComponent* parent) {}

private:
    void adopt(std::unique_ptr<TComponent> component);
    void announceRemoval();

    TComponent* owner_;
    std::string name_;
    std::vector<std::unique_ptr<TComponent>> components_;
    std::vector<TComponent*> freeNotifies_;
    bool loading_ = false;
    bool destroying_ = false;
};

}  // namespace trimwell
