#include <gtest/gtest.h>

#include <climits>

#include "framework/HintText.h"
#include "labels/ElLabel.h"

using namespace trimwell;

TEST(ElLabelRules, ExtrusionLayerColours) {
    const Rgb nearC{0, 100, 255}, farC{200, 0, 0};
    EXPECT_EQ(ExtrudeLayerColor(nearC, farC, 10, 10, false), farC);  // the farthest layer
    EXPECT_EQ(ExtrudeLayerColor(nearC, farC, 5, 10, false), (Rgb{100, 50, 128}));  // 127.5 goes to even
    EXPECT_EQ(ExtrudeLayerColor({0, 0, 0}, {5, 3, 7}, 1, 2, false), (Rgb{2, 2, 4}));  // 2.5, 1.5, 3.5
    // Striated: odd layers scale up and wrap to 8 bits, even layers are quartered.
    EXPECT_EQ(ExtrudeLayerColor({10, 0, 0}, {50, 0, 0}, 3, 4, true), (Rgb{60, 0, 0}));  // (40/4+10)*3
    EXPECT_EQ(ExtrudeLayerColor({10, 0, 0}, {50, 0, 0}, 4, 4, true), (Rgb{20, 0, 0}));  // 80 / 4
    EXPECT_EQ(ExtrudeLayerColor({100, 0, 0}, {100, 0, 0}, 3, 4, true), (Rgb{300 & 0xFF, 0, 0}));
    EXPECT_EQ(ExtrudeLayerColor({0, 0, 200}, {200, 0, 0}, 1, 4, true), (Rgb{50, 0, 150}));  // -50 div 4 = -12

    EXPECT_EQ(ExtrudeStepOf(lepLeftTop).dx, -1);
    EXPECT_EQ(ExtrudeStepOf(lepLeftTop).dy, -1);
    EXPECT_EQ(ExtrudeStepOf(lepBottom).dx, 0);
    EXPECT_EQ(ExtrudeStepOf(lepRightTop).dy, -1);
}

TEST(ElLabelRules, PackedHintCarriesBothForms) {
    const std::string packed = PackHint("Hi?", u"Hi\u263A");
    ASSERT_EQ(packed.size(), 3u + 2 * 3 + 5);
    EXPECT_EQ(packed.substr(0, 4), std::string("Hi?\0", 4));
    EXPECT_EQ(static_cast<unsigned char>(packed[8]), 0x3A);
    EXPECT_EQ(static_cast<unsigned char>(packed[9]), 0x26);
    EXPECT_EQ(packed.substr(10), std::string("\0\0\xFE\xFF", 4));
    EXPECT_EQ(PackHint("", u"").size(), 5u);

    // The hint window reads the wide text back; plain or damaged hints are not packed ones.
    EXPECT_EQ(UnpackHint(packed), std::u16string(u"Hi\u263A"));
    EXPECT_EQ(UnpackHint(PackHint("", u"")), std::u16string());
    EXPECT_FALSE(UnpackHint("plain hint").has_value());
    EXPECT_FALSE(UnpackHint(packed.substr(0, 5) + packed.substr(6)).has_value());  // half a code unit lost
    EXPECT_EQ(ShortHint(std::u16string_view(u"short|long")), u"short");
}

TEST(ElLabelRules, HtmlTextRectangle) {
    // The loaded-aircraft line: top, left, no border: the whole client area.
    EXPECT_EQ(HTMLTextRect(460, 13, 900, 13, tlTop, laLeft, 0, false), (LabelRect{0, 0, 460, 13}));
    EXPECT_EQ(HTMLTextRect(100, 40, 60, 13, tlCenter, laCenter, 0, false), (LabelRect{20, 13, 80, 26}));
    EXPECT_EQ(HTMLTextRect(100, 40, 60, 13, tlBottom, laRight, 0, false), (LabelRect{40, 26, 100, 40}));
    // Painting keeps the text inside the border.
    EXPECT_EQ(HTMLTextRect(100, 40, 60, 13, tlBottom, laRight, 3, true), (LabelRect{37, 23, 97, 37}));
    EXPECT_EQ(HTMLTextRect(100, 40, 60, 13, tlTop, laLeft, 3, true), (LabelRect{3, 3, 100, 37}));
    EXPECT_EQ(HTMLTextRect(100, 40, 60, 13, tlCenter, laLeft, 3, true), (LabelRect{3, 13, 100, 26}));
    // Text sizes at the end of the int range are placed without wrapping around.
    EXPECT_EQ(HTMLTextRect(-100, 40, INT_MAX, INT_MAX, tlCenter, laCenter, 0, false),
              (LabelRect{-1073741873, -1073741803, 1073741774, 1073741844}));
}
