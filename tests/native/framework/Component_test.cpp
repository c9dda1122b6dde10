// Ownership and removal notification: who is destroyed when, and who is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"

using namespace trimwell;

namespace {

std::vector<std::string> gLog;

// Holds a non-owning reference to another component and forgets it when told of its removal.
class Holder : public TComponent {
public:
    explicit Holder(TComponent* owner, std::string name = {}) : TComponent(owner) { SetName(std::move(name)); }
    ~Holder() override { gLog.push_back("~" + Name()); }
    void Refer(TComponent* c) {
        ref = c;
        FreeNotification(c);
    }
    void Notification(TComponent& c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == TOperation::opRemove) {
            gLog.push_back(Name() + " told of " + c.Name());
            if (&c == ref) ref = nullptr;
        }
    }
    TComponent* ref = nullptr;
};

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { gLog.clear(); }
};

}  // namespace

TEST_F(ComponentTest, OwnerKeepsCreationOrderAndDestroysLastFirst) {
    {
        Holder owner(nullptr, "form");
        owner.Add<Holder>("a");
        owner.Add<Holder>("b");
        ASSERT_EQ(owner.ComponentCount(), 2);
        EXPECT_EQ(owner.Component(0).Name(), "a");
        EXPECT_EQ(owner.FindComponent("b"), &owner.Component(1));
        EXPECT_EQ(owner.FindComponent("B"), nullptr);
        EXPECT_EQ(owner.FindComponent(""), nullptr);
        gLog.clear();
    }
    // Siblings are not told while their owner goes: all of them go.
    EXPECT_EQ(gLog, (std::vector<std::string>{"~form", "~b", "~a"}));
}

TEST_F(ComponentTest, SiblingsAndFreeNotifiedStrangersForgetARemovedComponent) {
    Holder form(nullptr, "form");
    Holder other(nullptr, "other");
    auto& theme = form.Add<Holder>("theme");
    auto& button = form.Add<Holder>("button");
    button.Refer(&theme);
    other.Refer(&theme);  // different owner: told through the free-notification link
    gLog.clear();
    form.Destroy(theme);
    EXPECT_EQ(button.ref, nullptr);
    EXPECT_EQ(other.ref, nullptr);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(std::count(gLog.begin(), gLog.end(), "other told of theme"), 1);
}

TEST_F(ComponentTest, AListenerThatGoesFirstIsNeverToldLater) {
    auto theme = std::make_unique<Holder>(nullptr, "theme");
    {
        Holder listener(nullptr, "listener");
        listener.Refer(theme.get());
    }
    gLog.clear();
    theme.reset();  // under the address sanitizer a call into the gone listener would fail here
    EXPECT_EQ(gLog, (std::vector<std::string>{"~theme"}));
}
