// The five built-in styles: every item against the tables, the part-cutting rule, the pictures'
// described looks, and the choice of a new control's style.
#include <gtest/gtest.h>

#include "platform/Resources.h"
#include "skin/SUIThemes.h"
#include "tests/native/skin/ExpectedStyles.h"

namespace trimwell {
namespace {

using expected::kBuiltInStyles;
using expected::kStyleRows;

class BuiltInStyles : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetResourceFolder(TRIMWELL_GENERATED_DIR); }

    // A picture no lookup produces, to see whether a lookup left its target alone.
    static Bitmap Sentinel() { return Bitmap(3, 2, 0x12345678); }
};

TEST_F(BuiltInStyles, EveryItemOfEveryStyleAnswersItsTable) {
    ASSERT_EQ(std::size(kStyleRows), static_cast<std::size_t>(kStyleItemCount));
    for (const auto& row : kStyleRows) {
        EXPECT_EQ(StyleItemKind(row.item), row.kind) << "item " << row.item;
        for (std::size_t s = 0; s < 5; ++s) {
            const TsuiUIStyle style = kBuiltInStyles[s];
            const auto& want = row.byStyle[s];
            SCOPED_TRACE(testing::Message() << UIStyleName(style) << " item " << row.item);
            // Lookups of another kind answer their defaults.
            EXPECT_EQ(GetColor(style, row.item), row.kind == TsuiItemKind::Color ? want.value : 0);
            EXPECT_EQ(GetInteger(style, row.item), row.kind == TsuiItemKind::Integer ? want.value : -1);
            EXPECT_EQ(GetBool(style, row.item), row.kind == TsuiItemKind::Boolean && want.value != 0);
            Bitmap b = Sentinel();
            GetBitmap(style, row.item, &b);
            if (row.kind == TsuiItemKind::Bitmap && *want.resource) {
                EXPECT_EQ(StyleBitmapName(style, row.item), want.resource);
                EXPECT_EQ(b.Width(), want.width);
                EXPECT_EQ(b.Height(), want.height);
            } else {
                EXPECT_EQ(b, Sentinel());
            }
        }
    }
}

TEST_F(BuiltInStyles, FromThemeFileAnswersDefaultsAndOutOfTableItemsAreSafe) {
    for (int item : {0, 1, 2, 7, 25, 48, 49, -3}) {
        EXPECT_EQ(GetColor(TsuiUIStyle::FromThemeFile, item), 0);
        EXPECT_EQ(GetInteger(TsuiUIStyle::FromThemeFile, item), -1);
        EXPECT_FALSE(GetBool(TsuiUIStyle::FromThemeFile, item));
        Bitmap b = Sentinel();
        GetBitmap(TsuiUIStyle::FromThemeFile, item, &b, 1, 3);
        EXPECT_EQ(b, Sentinel());
        GetBitmap(TsuiUIStyle::Protein, item, nullptr, 1, 3);  // no target: nothing happens
    }
    for (int item : {0, 49}) {
        EXPECT_EQ(GetColor(TsuiUIStyle::Protein, item), 0);
        Bitmap b = Sentinel();
        GetBitmap(TsuiUIStyle::Protein, item, &b);
        EXPECT_EQ(b, Sentinel());
    }
}

TEST_F(BuiltInStyles, StyleNamesRoundTrip) {
    for (int i = 0; i <= 5; ++i) {
        const auto style = static_cast<TsuiUIStyle>(i);
        EXPECT_EQ(UIStyleFromName(UIStyleName(style)), style);
    }
    EXPECT_EQ(UIStyleName(TsuiUIStyle::Protein), "Protein");
    EXPECT_FALSE(UIStyleFromName("protein"));
}

// Source pixel x carries the value x, so a cut shows where it was taken from.
Bitmap Ruler(int width, int height) {
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.SetPixel(x, y, static_cast<std::uint32_t>(x));
    return b;
}

TEST(CutBitmapPart, EqualSlicesWithTheLastFlushRight) {
    struct Case {
        int width, count, part, left, partWidth;
    };
    for (const Case c : {Case{278, 3, 1, 0, 92}, Case{278, 3, 2, 92, 92}, Case{278, 3, 3, 186, 92},
                         Case{96, 6, 6, 80, 16}, Case{21, 3, 2, 7, 7}, Case{100, 3, 3, 67, 33}}) {
        Bitmap part;
        CutBitmapPart(Ruler(c.width, 5), part, c.part, c.count);
        ASSERT_EQ(part.Width(), c.partWidth);
        ASSERT_EQ(part.Height(), 5);
        EXPECT_EQ(part.Pixel(0, 4), static_cast<std::uint32_t>(c.left)) << c.width << " part " << c.part;
        EXPECT_EQ(part.Pixel(c.partWidth - 1, 0), static_cast<std::uint32_t>(c.left + c.partWidth - 1));
    }
}

TEST(CutBitmapPart, PartsOutsideTheCountGiveAnEmptyPicture) {
    for (auto [part, count] : {std::pair{0, 3}, {4, 3}, {1, 0}, {-1, 2}}) {
        Bitmap target(4, 4);
        CutBitmapPart(Ruler(30, 4), target, part, count);
        EXPECT_TRUE(target.Empty()) << part << " of " << count;
    }
}

TEST_F(BuiltInStyles, StripsCutIntoTheFramesTheControlsUse) {
    Bitmap b;
    GetBitmap(TsuiUIStyle::Protein, 32, &b, 6, 6);
    EXPECT_EQ(b.Width(), 16);
    EXPECT_EQ(b.Height(), 16);
    GetBitmap(TsuiUIStyle::Protein, 33, &b, 2, 3);
    EXPECT_EQ(b.Width(), 7);
    EXPECT_EQ(b.Height(), 16);
    GetBitmap(TsuiUIStyle::Protein, 1, &b, 3, 3);
    EXPECT_EQ(b.Width(), 74);
    EXPECT_EQ(b.Height(), 21);
    EXPECT_FALSE(GetBool(TsuiUIStyle::Protein, 2));
    EXPECT_EQ(StyleBitmapName(TsuiUIStyle::Protein, 38), "MORE_SCROLLBUTTON");
}

int Brightness(const Bitmap& b) {
    long sum = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const std::uint32_t p = b.Pixel(x, y);
            sum += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        }
    return static_cast<int>(sum / (3L * b.Width() * b.Height()));
}

TEST_F(BuiltInStyles, StateFramesDifferAsDescribed) {
    // Protein's arrows: of each three frames the second is lighter and the third darker.
    for (int first : {1, 4}) {
        Bitmap normal, hot, pressed;
        GetBitmap(TsuiUIStyle::Protein, 32, &normal, first, 6);
        GetBitmap(TsuiUIStyle::Protein, 32, &hot, first + 1, 6);
        GetBitmap(TsuiUIStyle::Protein, 32, &pressed, first + 2, 6);
        EXPECT_GT(Brightness(hot), Brightness(normal));
        EXPECT_LT(Brightness(pressed), Brightness(normal));
        // A dark blue arrow sits in the middle of each frame.
        const std::uint32_t centre = normal.Pixel(8, 8);
        EXPECT_GT(centre & 0xFF, (centre >> 16) & 0xFF) << std::hex << centre;
        EXPECT_LT(Brightness(Bitmap(1, 1, centre)), 100);
    }
    // DeepBlue's button: the middle frame is lighter than the first.
    Bitmap first, middle;
    GetBitmap(TsuiUIStyle::DeepBlue, 1, &first, 1, 3);
    GetBitmap(TsuiUIStyle::DeepBlue, 1, &middle, 2, 3);
    EXPECT_EQ(first.Width(), 74);
    EXPECT_GT(Brightness(middle), Brightness(first));
}

struct StyledForm : TComponent, TsuiStyledForm {
    StyledForm(TComponent* owner, TsuiUIStyle s) : TComponent(owner), style(s) {}
    TsuiUIStyle UIStyle() const override { return style; }
    TsuiUIStyle style;
};

struct FakeForm : TComponent {
    using TComponent::TComponent;
    bool IsForm() const override { return true; }
};

TEST(DefaultUIStyle, TakesTheFirstSkinFormsStyleElseDeepBlue) {
    EXPECT_EQ(DefaultUIStyle(nullptr), TsuiUIStyle::DeepBlue);
    TComponent notAForm;
    notAForm.Add<StyledForm>(TsuiUIStyle::MacOS);
    EXPECT_EQ(DefaultUIStyle(&notAForm), TsuiUIStyle::DeepBlue);
    FakeForm form;
    EXPECT_EQ(DefaultUIStyle(&form), TsuiUIStyle::DeepBlue);
    form.Add<TComponent>();
    EXPECT_EQ(DefaultUIStyle(&form), TsuiUIStyle::DeepBlue);
    form.Add<StyledForm>(TsuiUIStyle::MacOS);
    form.Add<StyledForm>(TsuiUIStyle::WinXP);
    EXPECT_EQ(DefaultUIStyle(&form), TsuiUIStyle::MacOS);
}

}  // namespace
}  // namespace trimwell
