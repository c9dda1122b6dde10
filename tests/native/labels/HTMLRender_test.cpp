#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "labels/FixedMetricsMeasurer.h"
#include "labels/HTMLRender.h"

using namespace trimwell;

namespace {

struct Parsed {
    Parsed() : render(std::make_unique<FixedMetricsMeasurer>()) {}
    TElHTMLRender render;
    TElHTMLData& data() { return render.Data(); }
    std::vector<TElHTMLItemKind> kinds() {
        std::vector<TElHTMLItemKind> k;
        for (auto& i : data().Items) k.push_back(i->Kind);
        return k;
    }
    // Text runs only, in order.
    std::vector<std::u16string> texts() {
        std::vector<std::u16string> t;
        for (auto& i : data().Items)
            if (i->Kind == ikText) t.push_back(i->GetText());
        return t;
    }
    std::u16string visible() {
        std::u16string all;
        for (auto& t : texts()) all += t;
        return all;
    }
    TElHTMLBreakItem& line(std::size_t n) {
        std::size_t seen = 0;
        for (auto& i : data().Items)
            if (i->IsBreak() && seen++ == n) return static_cast<TElHTMLBreakItem&>(*i);
        throw std::out_of_range("no such line");
    }
};

std::unique_ptr<Parsed> Parse(std::u16string_view text, int maxWidth = 10000, bool wrap = false) {
    auto p = std::make_unique<Parsed>();
    p->data().DefaultFontName = u"Tahoma";
    p->render.ParseMarkup(text, maxWidth, wrap);
    return p;
}

// Default font -11: 5 px per character, 6 in bold; text line height 13, descent 3.
constexpr int kChar = 5, kBoldChar = 6, kLine = 13;

}  // namespace

TEST(HTMLRenderParse, LoadedAircraftCaptionIsBoldPrefixThenPlainTitle) {
    auto p = Parse(u"<b>Loaded Aircraft:</b> Cessna Skyhawk");
    ASSERT_EQ(p->kinds(), (std::vector<TElHTMLItemKind>{ikParagraph, ikText, ikText}));
    auto& bold = *p->data().Items[1];
    auto& plain = *p->data().Items[2];
    EXPECT_EQ(bold.GetText(), u"Loaded Aircraft:");
    EXPECT_EQ(bold.Style, fsBold);
    EXPECT_EQ(plain.GetText(), u" Cessna Skyhawk");
    EXPECT_EQ(plain.Style, 0);
    // Each run is measured with its extra pixel and the line is their sum.
    EXPECT_EQ(bold.Width, 16 * kBoldChar + 1);
    EXPECT_EQ(plain.Width, 15 * kChar + 1);
    EXPECT_EQ(p->data().TextWidth, bold.Width + plain.Width);
    EXPECT_EQ(p->data().TextHeight, kLine);
}

TEST(HTMLRenderParse, EntitiesAndAmpersands) {
    EXPECT_EQ(Parse(u"AT&T wins")->visible(), u"AT");  // unknown entity swallows to the end
    EXPECT_EQ(Parse(u"A & B")->visible(), u"A & B");
    EXPECT_EQ(Parse(u"&lt;b&gt; &amp; &quot;&COPY;&euro;&trade;")->visible(), u"<b> & \"\u00A9\u20AC\u2122");
    EXPECT_EQ(Parse(u"x&#65;y&#0;z")->visible(), u"xAyz");
    EXPECT_EQ(Parse(u"a &#32; &#zz; b")->visible(), u"a b");  // numeric spaces still collapse
    EXPECT_EQ(Parse(u"&#65601;")->visible(), u"A");             // truncated to 16 bits
    EXPECT_EQ(Parse(u"tail&")->visible(), u"tail");
}

TEST(HTMLRenderParse, SpacesCollapseButNbspDoesNot) {
    EXPECT_EQ(Parse(u"two  spaces")->visible(), u"two spaces");
    EXPECT_EQ(Parse(u"two&nbsp;&nbsp;spaces")->visible(), u"two  spaces");
    EXPECT_EQ(Parse(u"a <b> b</b>")->visible(), u"a  b");  // a new run may start with a space
    EXPECT_EQ(Parse(u"l1\r\nl2\rl3\nl4")->visible(), u"l1l2l3\nl4");
}

TEST(HTMLRenderParse, MalformedTagsAndComments) {
    EXPECT_EQ(Parse(u"x < y")->visible(), u"x ");
    EXPECT_EQ(Parse(u"x < y > z")->visible(), u"x z");
    EXPECT_EQ(Parse(u"cut <b")->visible(), u"cut ");
    EXPECT_EQ(Parse(u"cut <font color=red")->visible(), u"cut ");
    EXPECT_EQ(Parse(u"<!-- a <b> comment -->text")->visible(), u"text");
    EXPECT_EQ(Parse(u"<!---->x")->visible(), u"x");
    EXPECT_EQ(Parse(u"shown<!-- never closed <b>bold</b>")->visible(), u"shown");
    auto p = Parse(u"<blink>odd</blink> <html>ok</b>");
    EXPECT_EQ(p->visible(), u"odd ok");
}

TEST(HTMLRenderParse, EmptyCaptionHasNoItemsAndNoSize) {
    auto p = Parse(u"");
    EXPECT_TRUE(p->data().Items.empty());
    EXPECT_EQ(p->data().TextWidth, 0);
    EXPECT_EQ(p->data().TextHeight, 0);
    EXPECT_TRUE(Parse(u"<b></b><!-- -->")->data().Items.empty());
}

TEST(HTMLRenderParse, ColourValues) {
    auto colourOf = [](std::u16string attr) {
        auto p = Parse(u"<font " + attr + u">x</font>");
        return p->data().Items.at(1)->Color;
    };
    EXPECT_EQ(colourOf(u"color=red"), 0x000000FFu);
    EXPECT_EQ(colourOf(u"color=clRed"), 0x000000FFu);
    EXPECT_EQ(colourOf(u"color=#FF0000"), 0x000000FFu);
    EXPECT_EQ(colourOf(u"color=\"#0080ff\""), 0x00FF8000u);
    EXPECT_EQ(colourOf(u"color=RED"), 0x000000FFu);
    EXPECT_EQ(colourOf(u"color=moneygreen"), 0x00C0DCC0u);
    EXPECT_EQ(colourOf(u"color=btnface"), clBtnFace);
    EXPECT_EQ(colourOf(u"color=none"), clNone);
    EXPECT_EQ(colourOf(u"color=#nothex"), clWindowText);   // the default colour
    EXPECT_EQ(colourOf(u"color=chartreuse"), clWindowText);  // unknown name: unchanged
    EXPECT_EQ(colourOf(u"color=Clred"), clWindowText);  // "Cl" is not the prefix, so "clClred"
    auto p = Parse(u"<font bgcolor=#zz>x</font>");
    EXPECT_EQ(p->data().Items.at(1)->BgColor, clNone);  // the default background
}

TEST(HTMLRenderParse, FontTagFaceSizeAndNesting) {
    auto p = Parse(u"<font face=Arial name='Courier New' size=+2>a<font size=+2>b</font>c</font>d");
    auto t = p->data().Items.begin() + 1;
    EXPECT_EQ((*t)->FontName, u"Courier New");  // name wins over face
    EXPECT_EQ((*t)->Size, -(11 + 3));             // +2 points at 96 dpi, relative to the default
    EXPECT_EQ((*(t + 1))->Size, -(11 + 3));       // nested: still relative to the default
    EXPECT_EQ((*(t + 2))->Size, -(11 + 3));
    EXPECT_EQ((*(t + 3))->Size, -11);
    EXPECT_EQ((*(t + 3))->FontName, u"Tahoma");
    EXPECT_EQ(Parse(u"<font size=20>x")->data().Items.at(1)->Size, 20);
    EXPECT_EQ(Parse(u"<font size=big>x")->data().Items.at(1)->Size, -11);
    // Colour nesting depth follows the tags that set a colour.
    auto c = Parse(u"<font color=red>a<font size=9>b</font>c</font>d");
    std::vector<int> depths;
    for (auto& i : c->data().Items)
        if (i->Kind == ikText) depths.push_back(i->ColorDepth);
    EXPECT_EQ(depths, (std::vector<int>{1, 1, 1, 0}));
}

TEST(HTMLRenderParse, AttributesQuotesCaseAndRepeats) {
    auto p = Parse(u"<a HREF=\"go  there >now\" href=second>link</a>");
    // The run before a link is kept even when empty, so the link is a run of its own.
    ASSERT_EQ(p->texts(), (std::vector<std::u16string>{u"", u"link"}));
    auto& link = *p->data().Items.at(2);
    EXPECT_EQ(link.LinkRef, u"go there >now");  // doubled space dropped inside quotes
    EXPECT_EQ(link.Color, 0x00FF0000u);
    EXPECT_EQ(link.Style, fsUnderline);
    EXPECT_TRUE(link.Flags & hifLink);
    EXPECT_EQ(Parse(u"<a href = x>t</a>")->data().Items.at(2)->LinkRef, u"");  // no spaces around =
    // A link tag without attributes is not a link.
    EXPECT_FALSE(Parse(u"<a>t</a>")->data().Items.at(1)->Flags & hifLink);
    EXPECT_EQ(Parse(u"<a href = x>t</a>")->data().Items.at(2)->GetText(), u"t");
}

TEST(HTMLRenderLayout, LinesListsAndParagraphs) {
    auto ul = Parse(u"<ul>");
    ASSERT_EQ(ul->kinds(), (std::vector<TElHTMLItemKind>{ikListIndent}));
    EXPECT_EQ(ul->data().TextHeight, 0);

    auto blank = Parse(u"a<br><br>b");
    ASSERT_EQ(blank->kinds(),
              (std::vector<TElHTMLItemKind>{ikParagraph, ikText, ikLineBreak, ikLineBreak, ikText}));
    EXPECT_EQ(blank->line(1).Height, kLine);  // the empty line has its font's height
    EXPECT_EQ(blank->data().TextHeight, 3 * kLine);

    EXPECT_EQ(Parse(u"<p><p>a")->data().TextHeight, kLine);
    EXPECT_EQ(Parse(u"<p>a</p><p>b")->data().TextHeight, 2 * kLine);

    auto list = Parse(u"Items<br><ul><li>one<li>two</ul>after");
    // The line break before the list gives way to the list's own line.
    EXPECT_EQ(list->kinds(), (std::vector<TElHTMLItemKind>{ikParagraph, ikText, ikListIndent, ikBullet, ikText,
                                                          ikBullet, ikText, ikLineBreak, ikText}));
    EXPECT_EQ(list->line(2).Indent, 11);  // one maximum character width
    EXPECT_EQ(list->line(4).Indent, 0);
    EXPECT_EQ(list->line(2).ListLevel, 1);
    EXPECT_EQ(list->data().TextHeight, 4 * kLine);

    auto right = Parse(u"<p align=RIGHT indent=7>x<br>y");
    EXPECT_EQ(right->line(0).Alignment, 2);
    EXPECT_EQ(right->line(1).Alignment, 2);  // a line break keeps the paragraph's alignment
    EXPECT_EQ(right->line(0).Width, 7 + kChar + 1);
}

TEST(HTMLRenderLayout, RulesImagesAndSpacers) {
    struct Pic : TElHTMLImage {
        int Width() const override { return 40; }
        int Height() const override { return 30; }
    } pic;
    Parsed p;
    int asked = 0;
    p.render.OnImageNeeded = [&](TElHTMLRender&, const TElFString& src, const TElHTMLImage*& img) {
        ++asked;
        if (src == u"pic") img = &pic;
    };
    p.render.ParseMarkup(u"<img src=pic>x<img src=none width=5 transparent=solid><hr width=-3><ind width=8>y"
                         u"<ind width=2 pos=ABS>",
                         1000, false);
    EXPECT_EQ(asked, 2);
    auto& items = p.data().Items;
    EXPECT_EQ(items[1]->Width, 40);
    EXPECT_EQ(items[1]->Height, 30);
    EXPECT_TRUE(items[1]->Transparent);
    EXPECT_EQ(items[3]->Width, 5);
    EXPECT_FALSE(items[3]->Transparent);
    EXPECT_EQ(items[5]->Kind, ikRule);
    EXPECT_EQ(items[5]->Width, 0);  // a negative width is no width
    EXPECT_EQ(p.line(0).Height, 30);
    EXPECT_EQ(p.line(2).Width, 2);  // an absolute spacer restarts the line width
}

TEST(HTMLRenderLayout, SubAndSuperscriptHeights) {
    // -11 becomes -9 for the smaller script: height 11, descent 2.
    auto sub = Parse(u"<sub>x</sub>");
    EXPECT_EQ(sub->data().Items[1]->Height, 11 + 11 / 4);
    EXPECT_EQ(sub->line(0).Descent, 2 + 11 / 4);
    auto sup = Parse(u"<sup>x</sup>");
    EXPECT_EQ(sup->data().Items[1]->Height, 11 + 2 * 11 / 3);
    EXPECT_EQ(sup->line(0).Descent, 0);  // pushed above the baseline
    EXPECT_EQ(sup->data().Items[1]->Width, 4 + 1);
}

TEST(HTMLRenderWrap, TailAfterLastSpaceMovesToNextLine) {
    // 10 px wide runs: "aaa bb" is 30 + 1 + ..., so a limit of 40 breaks inside "bbbb".
    auto p = Parse(u"aaa bbbb", 40, true);
    ASSERT_EQ(p->texts(), (std::vector<std::u16string>{u"aaa ", u"bbbb"}));
    EXPECT_EQ(p->line(1).Kind, ikSoftBreak);
    EXPECT_EQ(p->data().TextHeight, 2 * kLine);
    EXPECT_LE(p->data().TextWidth, 40);
}

TEST(HTMLRenderWrap, WordsWithoutSpacesAndLaterRuns) {
    // No space and first on its line: only the last character moves.
    EXPECT_EQ(Parse(u"abcdefgh", 21, true)->texts(), (std::vector<std::u16string>{u"abcd", u"efgh"}));
    // No space and not first: the whole run moves, and the soft break copies the paragraph.
    auto p = Parse(u"<p align=center>abc <b>defghij</b>", 60, true);
    EXPECT_EQ(p->texts(), (std::vector<std::u16string>{u"abc ", u"defghij"}));
    EXPECT_EQ(p->line(1).Alignment, 1);
    EXPECT_EQ(p->data().Items.back()->Style, fsBold);
    // Nothing is lost however narrow the area.
    EXPECT_EQ(Parse(u"word wrap", 0, true)->visible(), u"word wrap");
}

TEST(HTMLRenderWrap, IncrementalWidthsMatchFreshMeasurement) {
    auto p = Parse(u"The <b>quick brown</b> fox &amp; the <i>lazy dog</i> jumped over it all", 60, true);
    FixedMetricsMeasurer fresh;
    for (auto& item : p->data().Items) {
        if (item->Kind != ikText) continue;
        fresh.SetFont(item->Font());
        EXPECT_EQ(item->Width, fresh.TextExtent(item->GetText()) + 1) << std::string(item->GetText().begin(), item->GetText().end());
    }
}

TEST(HTMLRenderHitTest, LinkUnderThePoint) {
    auto p = Parse(u"go <a href=\"http://x\">here</a> now<br>second");
    const HTMLRect rect{0, 0, 200, 40};
    TElFString href = u"stale";
    // "go " is 16 px wide, the link "here" the next 21.
    EXPECT_TRUE(p->render.LinkAtPoint({20, 5}, {0, 0}, href, rect));
    EXPECT_EQ(href, u"http://x");
    EXPECT_FALSE(p->render.LinkAtPoint({5, 5}, {0, 0}, href, rect));
    EXPECT_EQ(href, u"");
    EXPECT_FALSE(p->render.LinkAtPoint({20, kLine + 5}, {0, 0}, href, rect));  // second line
    EXPECT_TRUE(p->render.LinkAtPoint({20, 5 + kLine}, {0, kLine * -1}, href, rect));  // scrolled
    EXPECT_EQ(p->render.ItemAtPoint({5, 100}, {0, 0}, rect), nullptr);
    EXPECT_EQ(p->render.ItemAtPoint({5, kLine + 2}, {0, 0}, rect)->GetText(), u"second");
}

TEST(HTMLRenderParse, ParseIntoAnotherDataLeavesCurrentAlone) {
    Parsed p;
    p.render.ParseMarkup(u"mine", 100, false);
    TElHTMLData other(&p.render);
    p.render.ParseMarkupInto(u"<b>other</b>", 100, other, false);
    EXPECT_EQ(p.visible(), u"mine");
    EXPECT_EQ(other.Items.at(1)->GetText(), u"other");
    EXPECT_EQ(&p.render.Data(), &p.render.Data());
}

TEST(HTMLRenderLimits, ExtremeSizesAndIndentsStayInRange) {
    // Font sizes keep to the pixel range, whichever sign and however they are reached.
    EXPECT_EQ(Parse(u"<font size=2147483647>x")->data().Items.back()->Size, kMaxFontHeight);
    // Relative: the default's sign times a hugely negative magnitude.
    EXPECT_EQ(Parse(u"<font size=-2147483648>x")->data().Items.back()->Size, kMaxFontHeight);
    EXPECT_EQ(Parse(u"<font size=+2000000000>x")->data().Items.back()->Size, -kMaxFontHeight);

    // Indents keep to 16 bits, however deep the lists and wherever they start.
    auto deep = Parse(u"<font size=2147483647><ul><ul><ul>x</ul></ul></ul></ul></ul></ul>y");
    auto indented = Parse(u"<p indent=2147483647><ul><ul>x<p indent=-2147483648></ul></ul>y");
    for (auto* p : {deep.get(), indented.get()}) {
        for (auto& item : p->data().Items) {
            EXPECT_LE(item->Indent, INT16_MAX);
            EXPECT_GE(item->Indent, INT16_MIN);
        }
        EXPECT_GT(p->data().TextHeight, 0);
    }

    // Scripts in the largest font grow the line without overflowing it.
    auto sup = Parse(u"<font size=2000000000><sup>x</sup><sub>y</sub>");
    EXPECT_GT(sup->data().TextHeight, kMaxFontHeight);
    EXPECT_GT(sup->data().TextWidth, 0);

    // A default height at either end of the int range behaves like the largest font.
    for (int defaultHeight : {INT_MIN, INT_MAX}) {
        Parsed p;
        p.data().DefaultHeight = defaultHeight;
        p.render.ParseMarkup(u"<ul><li>a<font size=-5>b</font><sup>c</sup></ul>", 1000, true);
        EXPECT_GT(p.data().TextHeight, 0);
        TElFString href;
        EXPECT_FALSE(p.render.LinkAtPoint({INT_MAX, INT_MAX}, {INT_MAX, INT_MAX}, href, {INT_MIN, 0, INT_MAX, 10}));
        EXPECT_EQ(p.render.ItemAtPoint({INT_MIN, INT_MIN}, {INT_MIN, INT_MIN}, {0, 0, 10, 10}), nullptr);
    }
}

TEST(HTMLRenderParse, ClosingLinkTakesTheLookOfTheLastRunBeforeIt) {
    // The bold run is the last item without the link flag when the link closes.
    auto p = Parse(u"<b>x<a href=1>l<br>i<u>n</u>k</a>y");
    EXPECT_EQ(p->data().Items.back()->GetText(), u"y");
    EXPECT_EQ(p->data().Items.back()->Style, fsBold);
    EXPECT_EQ(p->data().Items.back()->Flags & hifLink, 0u);
    // Items cut from the list do not count: the list start removes the line break.
    auto cut = Parse(u"<a href=1>l</a><i>z</i><b><br><a href=2> <ul></a>w");
    EXPECT_EQ(cut->data().Items.back()->Style, fsItalic);
}

TEST(HTMLRenderParse, ParagraphAfterClosedLineBreakIsSwallowed) {
    // The closed flag reaches the line break through the opening paragraph and its runs; the
    // right-aligned paragraph after that break only clears the flag, so y stays left-aligned.
    auto p = Parse(u"</p><p>x<br><p align=right>y");
    ASSERT_EQ(p->kinds(), (std::vector<TElHTMLItemKind>{ikParagraph, ikParagraph, ikText, ikLineBreak, ikText}));
    EXPECT_EQ(p->line(2).Alignment, 0);
    EXPECT_EQ(p->line(2).Flags & hifClosedParagraph, 0u);
    EXPECT_NE(p->line(1).Flags & hifClosedParagraph, 0u);
    // Without a closed paragraph before it, the same paragraph tag starts a right-aligned line.
    EXPECT_EQ(Parse(u"<p>x<br><p align=right>y")->line(2).Alignment, 2);
}

namespace {
// Measures a surrogate pair as one character, as the platform draws it, to check that
// incremental widths agree with measuring the whole run at once.
class PairAwareMeasurer final : public TextMeasurer {
public:
    void SetFont(const FontDesc& font) override { inner_.SetFont(font); }
    FontMetrics Metrics() override { return inner_.Metrics(); }
    int LogPixelsY() override { return 96; }
    int TextExtent(std::u16string_view text) override {
        int pairs = 0;
        for (std::size_t i = 0; i + 1 < text.size(); ++i)
            if (text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++pairs;
        return inner_.TextExtent(text) - pairs * inner_.CharWidth();
    }

private:
    FixedMetricsMeasurer inner_;
};

// Text with a control character or a surrogate pair every few characters, in one long word.
std::u16string ControlHeavyText(std::size_t units) {
    const std::u16string chunk = u"ab\tc\x01" u"de\U0001F600f\nx\xDC00y\xD800";
    std::u16string text;
    while (text.size() < units) text += chunk;
    text.resize(units);
    return text;
}

std::uint64_t MeasuredUnits(std::u16string_view text) {
    auto measurer = std::make_unique<FixedMetricsMeasurer>();
    FixedMetricsMeasurer& m = *measurer;
    TElHTMLRender render(std::move(measurer));
    render.ParseMarkup(text, 1 << 30, true);
    return m.measuredUnits;
}
}  // namespace

TEST(HTMLRenderWrap, ControlCharactersAndSurrogatesMeasureIncrementally) {
    const std::uint64_t small = MeasuredUnits(ControlHeavyText(2000));
    const std::uint64_t large = MeasuredUnits(ControlHeavyText(8000));
    EXPECT_LE(small, 3u * 2000);  // a few measured units per character, not the whole run
    EXPECT_LE(large, 5u * small);

    for (int width : {1 << 30, 37}) {
        TElHTMLRender render(std::make_unique<PairAwareMeasurer>());
        render.ParseMarkup(ControlHeavyText(300) + u"\U0001F600 <b>\U0001F600\U0001F600</b>", width, true);
        PairAwareMeasurer fresh;
        for (auto& item : render.Data().Items) {
            if (item->Kind != ikText) continue;
            fresh.SetFont(item->Font());
            EXPECT_EQ(item->Width, fresh.TextExtent(item->GetText()) + 1);
        }
    }
}
