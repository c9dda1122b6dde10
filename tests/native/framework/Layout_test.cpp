// Stored layouts: creation order, values in published order, references after all values,
// Loaded last, and broken tables refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Layout.h"
#include "tests/native/framework/FindAs.h"

using namespace trimwell;

namespace {

std::vector<std::string> gApplied;

class Part : public TPersistentComponent {
public:
    using TPersistentComponent::TPersistentComponent;
    const PropertyTable& Published() const override {
        static const PropertyTable table = {
            Prop<Part>("Max", &Part::SetMax),
            Prop<Part>("Position", &Part::SetPosition),
            RefProp<Part>("Link", &Part::SetLink),
            Prop<Part>("Caption", &Part::SetCaption),
        };
        return table;
    }
    void SetMax(int v) { max = v; gApplied.push_back(Name() + ".Max"); }
    // Clamps to Max as it stands when the position arrives.
    void SetPosition(int v) { position = std::min(v, max); gApplied.push_back(Name() + ".Position"); }
    void SetCaption(std::string c) { caption = std::move(c); gApplied.push_back(Name() + ".Caption"); }
    void SetLink(Part* p) {
        link = p;
        // What a control takes from its linked component replaces its stored value.
        if (p != nullptr) caption = p->caption;
        gApplied.push_back(Name() + ".Link");
    }
    void SetParentComponent(TComponent* p) override { parent = p; }
    void Loaded() override {
        TPersistentComponent::Loaded();
        gApplied.push_back(Name() + ".Loaded");
    }
    int max = 10, position = 0;
    std::string caption;
    Part* link = nullptr;
    TComponent* parent = nullptr;
};

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override { gApplied.clear(); }
    Part form{nullptr};
};

}  // namespace

TEST_F(LayoutTest, ValuesInPublishedOrderThenReferencesThenLoaded) {
    LoadLayout(form, {
        Row<Part>("a", "", {{"Caption", std::string("own")}, {"Link", Ref{"b"}}, {"Position", std::int64_t{50}},
                            {"Max", std::int64_t{100}}}),
        Row<Part>("b", "a", {{"Caption", std::string("theme")}}),
    });
    auto& a = *FindAs<Part>(form, "a");
    auto& b = *FindAs<Part>(form, "b");
    EXPECT_EQ(gApplied, (std::vector<std::string>{"a.Max", "a.Position", "a.Caption", "b.Caption", "a.Link",
                                                  "a.Loaded", "b.Loaded", ".Loaded"}));
    EXPECT_EQ(a.position, 50) << "Max came first although the row lists it last";
    EXPECT_EQ(a.caption, "theme") << "the reference, attached last, replaced the stored caption";
    EXPECT_EQ(a.link, &b);
    EXPECT_EQ(b.parent, &a);
    EXPECT_EQ(a.parent, &form);
    EXPECT_FALSE(a.IsLoading());
}

TEST_F(LayoutTest, BrokenTablesAreRefused) {
    EXPECT_THROW(LoadLayout(form, {Row<Part>("a", "", {{"Nope", true}})}), ELayoutError);
    EXPECT_THROW(LoadLayout(form, {Row<Part>("b", "", {{"Max", std::string("ten")}})}), ELayoutError);
    EXPECT_THROW(LoadLayout(form, {Row<Part>("c", "", {{"Link", Ref{"missing"}}})}), ELayoutError);
    EXPECT_THROW(LoadLayout(form, {Row<Part>("d", "nobody", {})}), ELayoutError);
    EXPECT_THROW(FindAs<Part>(form, "zzz"), ELayoutError);
}

TEST_F(LayoutTest, InheritKeepsTheBasePlaceForARepublishedName) {
    const PropertyTable base = {Prop<Part>("Max", &Part::SetMax), Prop<Part>("Caption", &Part::SetCaption)};
    const PropertyTable own = Inherit(base, {Prop<Part>("Position", &Part::SetPosition),
                                             Prop<Part>("Max", &Part::SetPosition)});
    ASSERT_EQ(own.size(), 3u);
    EXPECT_EQ(own[0].name, "Max");
    EXPECT_EQ(own[2].name, "Position");
    Part p{nullptr};
    own[0].apply(p, std::int64_t{7});
    EXPECT_EQ(p.position, 7) << "the republished setter is the one used";
}
