#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "labels/ElLabelDraw_win.h"
#include "tests/win/labels/DibCanvas.h"

using namespace trimwell;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// Crisp glyphs, so every pixel is either text or background.
UniqueFont CrispFont(int height, bool bold = true) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    wcscpy(lf.lfFaceName, L"Tahoma");
    return UniqueFont(CreateFontIndirectW(&lf));
}

struct Layer {
    int dx, dy;
    COLORREF color;
};

class EffectPixels : public ::testing::Test {
protected:
    static constexpr RECT kText{20, 20, 200, 70};

    // Draws the caption with `look` and checks every pixel against the plain text's shape put
    // down at each layer's offset, in drawing order.
    void ExpectLayers(const ElLabelLook& look, const std::vector<Layer>& layers) {
        DibCanvas mask(220, 90), drawn(220, 90);
        ElLabelLook plain;
        plain.fontColor = clBlack;
        Draw(mask, plain);
        Draw(drawn, look);
        int mismatches = 0, ink = 0;
        for (int y = 0; y < 90; ++y) {
            for (int x = 0; x < 220; ++x) {
                COLORREF expected = kWhite;
                for (const Layer& l : layers) {
                    const int sx = x - l.dx, sy = y - l.dy;
                    if (sx >= 0 && sy >= 0 && sx < 220 && sy < 90 && mask.at(sx, sy) != kWhite) expected = l.color;
                }
                ink += expected != kWhite;
                mismatches += drawn.at(x, y) != expected;
            }
        }
        EXPECT_GT(ink, 100);
        EXPECT_EQ(mismatches, 0);
    }

    void Draw(DibCanvas& c, const ElLabelLook& look) {
        SelectGuard keep(c.dc(), font_.get());
        RECT r = kText;
        ElLabelDrawText(c.dc(), u"Trim", r, 0, look);
    }

    UniqueFont font_ = CrispFont(-28);
};

COLORREF Sys(int index) { return GetSysColor(index); }

}  // namespace

TEST_F(EffectPixels, StylesPutTheirColoursAtTheirOffsets) {
    ElLabelLook look;
    look.fontColor = RGB(0, 0, 128);
    // The window title's settings: an outline colour that the normal style does not draw.
    look.outlineColor = 0x00F5EDE9;
    ExpectLayers(look, {{0, 0, RGB(0, 0, 128)}});

    look.style = ltsOutlined;
    look.outlineColor = RGB(255, 0, 0);
    ExpectLayers(look, {{-1, -1, RGB(255, 0, 0)}, {-1, 1, RGB(255, 0, 0)}, {1, -1, RGB(255, 0, 0)},
                        {1, 1, RGB(255, 0, 0)}, {0, 0, RGB(0, 0, 128)}});

    look.style = ltsEmbossed;
    look.lightColor = RGB(0, 255, 0);
    look.darkColor = RGB(64, 64, 64);
    ExpectLayers(look, {{-1, -1, RGB(0, 255, 0)}, {1, 1, RGB(64, 64, 64)}, {0, 0, RGB(0, 0, 128)}});

    look.style = ltsRecessed;
    ExpectLayers(look, {{-1, -1, RGB(64, 64, 64)}, {1, 1, RGB(0, 255, 0)}, {0, 0, RGB(0, 0, 128)}});
}

TEST_F(EffectPixels, ShadowAndExtrusionLieBehindTheText) {
    ElLabelLook look;
    look.fontColor = clBlack;
    look.effect = lesShadow;
    look.shadowColor = RGB(200, 0, 0);
    look.xOffset = 3;
    look.yOffset = -2;
    ExpectLayers(look, {{3, -2, RGB(200, 0, 0)}, {0, 0, RGB(0, 0, 0)}});

    look.effect = lesExtrude;
    look.depth = 4;
    look.extrudePosition = lepLeftBottom;
    look.nearColor = RGB(0, 0, 200);
    look.farColor = RGB(200, 0, 0);
    ExpectLayers(look, {{-4, 4, RGB(200, 0, 0)}, {-3, 3, RGB(150, 0, 50)}, {-2, 2, RGB(100, 0, 100)},
                        {-1, 1, RGB(50, 0, 150)}, {0, 0, RGB(0, 0, 0)}});

    look.depth = 0;  // no layers at all
    ExpectLayers(look, {{0, 0, RGB(0, 0, 0)}});
}

TEST_F(EffectPixels, DisabledLabelDrawsTwoColoursWhateverItsStyle) {
    ElLabelLook look;
    look.enabled = false;
    look.style = ltsOutlined;
    look.outlineColor = RGB(255, 0, 0);
    ExpectLayers(look, {{1, 1, Sys(COLOR_BTNHIGHLIGHT)}, {0, 0, Sys(COLOR_BTNSHADOW)}});
}

TEST_F(EffectPixels, MeasuringCoversEffectAndStyle) {
    DibCanvas c(10, 10);
    SelectGuard keep(c.dc(), font_.get());
    auto measure = [&](const ElLabelLook& look, std::u16string_view text = u"Trim") {
        RECT r{0, 0, 300, 100};
        ElLabelDrawText(c.dc(), text, r, DT_CALCRECT, look);
        return r;
    };
    ElLabelLook look;
    const RECT plain = measure(look);
    look.style = ltsEmbossed;
    const RECT embossed = measure(look);
    EXPECT_EQ(embossed.right - embossed.left, plain.right - plain.left + 2);
    look.style = ltsNormal;
    look.effect = lesExtrude;
    look.depth = 5;
    const RECT extruded = measure(look);
    EXPECT_EQ(extruded.right, plain.right + 5);
    EXPECT_EQ(extruded.bottom, plain.bottom + 5);
    // An empty caption, or a lone accelerator mark, is one line high.
    ElLabelLook normal;
    const RECT empty = measure(normal, u"");
    EXPECT_EQ(empty.bottom - empty.top, plain.bottom - plain.top);
    EXPECT_EQ(measure(normal, u"&").right, measure(normal, u" ").right);
    EXPECT_EQ(c.CountColor({0, 0, 10, 10}, kWhite), 100);  // measuring draws nothing
}

TEST(LabelPainting, DialogMessageBreaksAtLinesAndIsCutAtItsBottom) {
    UniqueFont tahoma = CrispFont(-11, false);
    DibCanvas c(320, 140);
    LabelFrame frame;
    frame.width = 300;
    frame.height = 85;
    frame.wordWrap = true;
    std::u16string message = u"\r\nThe edited value has been saved!";
    for (int i = 0; i < 12; ++i) message += u" More words that wrap onto further lines of the notice.";
    ElLabelLook look;
    look.fontColor = clBlack;
    PaintElLabel(c.dc(), tahoma.get(), frame, [&](HDC dc, RECT& r, UINT flags) {
        ElLabelDrawText(dc, message, r, flags, look);
    });
    EXPECT_EQ(c.CountDark({0, 0, 320, 11}), 0);       // the leading line break
    EXPECT_GT(c.CountDark({0, 13, 300, 26}), 20);     // the message's first line
    EXPECT_GT(c.CountDark({0, 70, 300, 85}), 20);     // wrapped down to the bottom...
    EXPECT_EQ(c.CountDark({0, 85, 320, 140}), 0);     // ...and cut there
    EXPECT_EQ(c.CountDark({300, 0, 320, 140}), 0);
}

TEST(LabelPainting, LongTitleIsCutAtTheHtmlLabelsRightEdge) {
    auto render = MakeGdiHTMLRender();
    render->Data().DefaultFontName = u"Tahoma";
    render->Data().DefaultColor = clBlack;
    std::u16string caption = u"<b>Loaded Aircraft:</b> ";
    for (int i = 0; i < 10; ++i) caption += u"Very Long Aircraft Title ";
    render->ParseMarkup(caption, 460, false);
    ASSERT_GT(render->Data().TextWidth, 460);
    DibCanvas c(600, 30);
    LabelFrame frame;
    frame.width = 460;
    frame.height = 13;
    PaintHTMLLabel(c.dc(), frame, *render);
    EXPECT_GT(c.CountDark({400, 0, 460, 13}), 10);
    EXPECT_EQ(c.CountDark({460, 0, 600, 30}), 0);
    EXPECT_EQ(c.CountDark({0, 13, 600, 30}), 0);
}

TEST(LabelPainting, LayoutPlacesTextAtTheBottom) {
    UniqueFont tahoma = CrispFont(-11, false);
    DibCanvas c(100, 60);
    LabelFrame frame;
    frame.width = 100;
    frame.height = 60;
    frame.layout = tlBottom;
    frame.transparent = false;
    frame.color = RGB(255, 255, 0);
    ElLabelLook look;
    look.fontColor = clBlack;
    PaintElLabel(c.dc(), tahoma.get(), frame, [&](HDC dc, RECT& r, UINT flags) {
        ElLabelDrawText(dc, u"Hg", r, flags, look);
    });
    EXPECT_EQ(c.CountColor({0, 0, 100, 40}, RGB(255, 255, 0)), 100 * 40);
    EXPECT_GT(c.CountDark({0, 45, 100, 60}), 5);
}
