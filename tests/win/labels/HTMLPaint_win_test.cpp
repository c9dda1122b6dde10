#include <gtest/gtest.h>

#include <string>

#include "labels/HTMLRender_win.h"
#include "tests/win/labels/DibCanvas.h"

using namespace trimwell;

namespace {

std::unique_ptr<TElHTMLRender> Prepared(std::u16string_view text, int maxWidth = 1000, bool wrap = false) {
    auto r = MakeGdiHTMLRender();
    r->Data().DefaultFontName = u"Tahoma";
    r->Data().DefaultColor = 0;  // black
    r->ParseMarkup(text, maxWidth, wrap);
    return r;
}

// Lowest row holding a dark pixel within the columns [x0, x1).
int LowestDarkRow(const DibCanvas& c, int x0, int x1) {
    for (int y = c.height() - 1; y >= 0; --y)
        for (int x = x0; x < x1; ++x)
            if (DibCanvas::IsDark(c.at(x, y))) return y;
    return -1;
}

}  // namespace

TEST(GdiTextMeasurer, WidthsAddUpCharacterByCharacter) {
    // Word wrap grows a run's width one character at a time; that must equal measuring it whole.
    GdiTextMeasurer m;
    const std::u16string text = u"Loaded Aircraft: Cessna Skyhawk 172SP (WAVE) \u00e9\u20ac";
    for (TFontStyles style : {0u, TFontStyles{fsBold}, TFontStyles{fsItalic}}) {
        for (const char16_t* face : {u"Tahoma", u"Trebuchet MS", u"MS Sans Serif"}) {
            m.SetFont(FontDesc{face, -11, style, 0});
            int sum = 0;
            for (char16_t c : text) sum += m.TextExtent(std::u16string_view(&c, 1));
            EXPECT_EQ(m.TextExtent(text), sum) << "style " << int(style);
        }
    }
}

TEST(GdiTextMeasurer, WrappedLayoutMatchesWholeRunMeasurement) {
    auto r = Prepared(u"The <b>quick brown</b> fox jumps over the <i>lazy</i> dog again and again", 90, true);
    GdiTextMeasurer fresh;
    int lines = 0;
    for (auto& item : r->Data().Items) {
        lines += item->IsBreak();
        if (item->Kind != ikText) continue;
        fresh.SetFont(item->Font());
        EXPECT_EQ(item->Width, fresh.TextExtent(item->GetText()) + 1);
    }
    EXPECT_GT(lines, 2);
    // A line may pass the limit only by the space it keeps at its end.
    fresh.SetFont(FontDesc{u"Tahoma", -11, fsBold, 0});
    EXPECT_LE(r->Data().TextWidth, 90 + fresh.TextExtent(u" ") + 1);
}

TEST(PaintMarkup, BoldRunIsDrawnBolderThanRegularRun) {
    auto r = Prepared(u"<b>HHHHHH</b><br>HHHHHH");
    DibCanvas c(200, 40);
    PaintMarkup(*r, c.dc(), {0, 0}, RECT{0, 0, 199, 39}, clNone);
    const int line = r->Data().Items[0]->Height;
    // Strokes cover more of the line in bold (however the font smooths its edges).
    auto inked = [](COLORREF p) { return p != RGB(255, 255, 255); };
    const int bold = c.Count({0, 0, 200, line}, inked);
    const int regular = c.Count({0, line, 200, 2 * line}, inked);
    EXPECT_GT(regular, 60);
    EXPECT_GT(bold, regular * 5 / 4);
}

TEST(PaintMarkup, RunsOfDifferentSizesShareTheBaseline) {
    auto r = Prepared(u"xxx<font size=+8>xxx</font>");
    DibCanvas c(200, 60);
    PaintMarkup(*r, c.dc(), {0, 0}, RECT{0, 0, 199, 59}, clNone);
    const int small = r->Data().Items[1]->Width;
    const int big = r->Data().Items[2]->Width;
    EXPECT_EQ(LowestDarkRow(c, 0, small), LowestDarkRow(c, small, small + big));
}

TEST(PaintMarkup, ColoursHighlightBlendAndClipping) {
    auto r = Prepared(u"<font color=red bgcolor=#00FF00>MMMM</font><a href=x>MMMM</a>");
    DibCanvas c(200, 30);
    PaintMarkup(*r, c.dc(), {0, 0}, RECT{10, 5, 150, 25}, clNone);
    const int first = r->Data().Items[1]->Width;
    EXPECT_GT(c.CountColor({10, 5, 10 + first, 25}, RGB(255, 0, 0)), 10);
    EXPECT_GT(c.CountColor({10, 5, 10 + first, 25}, RGB(0, 255, 0)), 10);  // opaque background
    EXPECT_GT(c.CountColor({10 + first, 5, 150, 25}, RGB(0, 0, 255)), 10);  // link colour
    // Nothing outside the rectangle (and its one-pixel margin) changes.
    EXPECT_EQ(c.CountColor({0, 0, 200, 5}, RGB(255, 255, 255)), 200 * 5);
    EXPECT_EQ(c.CountColor({0, 0, 10, 30}, RGB(255, 255, 255)), 10 * 30);

    // Blending against a light colour halves the red; against a dark one it moves toward white.
    EXPECT_EQ(BlendTextColor(RGB(255, 0, 0), RGB(255, 255, 255)), RGB(127, 0, 0));
    EXPECT_EQ(BlendTextColor(RGB(255, 0, 0), RGB(0, 0, 0)), RGB(255, 127, 127));

    // The selected item takes the highlight colours.
    r->Data().SelectedItem = r->Data().Items[1].get();
    r->Data().HighlightColor = RGB(0, 0, 0);
    r->Data().HighlightBgColor = RGB(255, 255, 0);
    c.Fill(RGB(255, 255, 255));
    PaintMarkup(*r, c.dc(), {0, 0}, RECT{10, 5, 150, 25}, clNone);
    EXPECT_GT(c.CountColor({10, 5, 10 + first, 25}, RGB(255, 255, 0)), 10);
    EXPECT_EQ(c.CountColor({10, 5, 10 + first, 25}, RGB(255, 0, 0)), 0);
}

TEST(PaintMarkup, BulletsRulesAndImagesAppear) {
    HBITMAP bmp = CreateBitmap(8, 8, 1, 32, nullptr);
    {
        DibCanvas pic(8, 8, RGB(0, 128, 0));
        HDC dc = CreateCompatibleDC(pic.dc());
        HGDIOBJ old = SelectObject(dc, bmp);
        BitBlt(dc, 0, 0, 8, 8, pic.dc(), 0, 0, SRCCOPY);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    GdiHTMLImage image(bmp);
    auto r = MakeGdiHTMLRender();
    r->OnImageNeeded = [&](TElHTMLRender&, const TElFString&, const TElHTMLImage*& img) { img = &image; };
    r->Data().DefaultFontName = u"Tahoma";
    r->ParseMarkup(u"<ul><li>item</ul><hr><img src=a transparent=solid width=16 height=16>", 300, false);
    DibCanvas c(300, 100);
    PaintMarkup(*r, c.dc(), {0, 0}, RECT{0, 0, 299, 99}, clNone);
    EXPECT_GT(c.CountColor({0, 0, 300, 100}, RGB(0, 128, 0)), 200);  // stretched to 16 x 16
    EXPECT_GT(c.CountColor({0, 0, 300, 100}, GetSysColor(COLOR_BTNSHADOW)), 200);  // the rule
    const int indent = r->Data().Items[1]->Indent;
    EXPECT_GT(c.CountDark({0, 0, indent, 15}), 3);  // the bullet left of the item text
    DeleteObject(bmp);
}

TEST(PaintMarkup, StopsBelowTheVisibleRectangle) {
    std::u16string many;
    for (int i = 0; i < 200; ++i) many += u"line<br>";
    auto r = Prepared(many);
    DibCanvas c(100, 60);
    PaintMarkup(*r, c.dc(), {0, 0}, RECT{0, 0, 99, 30}, clNone);
    EXPECT_GT(c.CountDark({0, 0, 100, 31}), 10);
    EXPECT_EQ(c.CountDark({0, 32, 100, 60}), 0);
    // Scrolled: the second line is at the top.
    c.Fill(RGB(255, 255, 255));
    const int line = r->Data().Items[0]->Height;
    PaintMarkup(*r, c.dc(), {0, line}, RECT{0, 0, 99, 30}, clNone);
    EXPECT_GT(c.CountDark({0, 0, 100, line}), 10);
}
