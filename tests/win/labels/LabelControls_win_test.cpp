#include <gtest/gtest.h>

#include <string>

#include "framework/Forms_win.h"
#include "labels/ElHTMLLbl_win.h"
#include "labels/ElLabel_win.h"
#include "tests/win/labels/DibCanvas.h"

using namespace trimwell;

namespace {

// Rightmost column with a dark pixel, or -1.
int RightmostInk(const DibCanvas& c) {
    for (int x = c.width() - 1; x >= 0; --x)
        for (int y = 0; y < c.height(); ++y)
            if (DibCanvas::IsDark(c.at(x, y))) return x;
    return -1;
}

class LabelControls : public ::testing::Test {
protected:
    LabelControls() : form(app.CreateForm<TForm>()) { form.SetBounds(0, 0, 600, 200); }

    template <typename T>
    T& Make(int left, int top, int width, int height) {
        T& label = form.Add<T>();
        label.SetParent(&form);
        label.SetBounds(left, top, width, height);
        label.SetFontColor(clBlack);
        return label;
    }

    void PaintInto(TControl& label, DibCanvas& c) {
        TCanvas canvas(c.dc());
        dynamic_cast<TGraphicControl&>(label).Paint(canvas);
    }

    TApplication app;
    TForm& form;
};

}  // namespace

TEST_F(LabelControls, HtmlLabelShowsMarkupOrRawText) {
    auto& label = Make<TElHTMLLabel>(0, 0, 400, 13);
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 400, 13);
    label.SetCaptionAnsi("<b>Loaded Aircraft:</b> C172");
    label.SetIsHTML(true);
    DibCanvas html(400, 13), raw(400, 13);
    PaintInto(label, html);
    label.SetIsHTML(false);
    PaintInto(label, raw);
    EXPECT_GT(RightmostInk(html), 60);
    EXPECT_GT(RightmostInk(raw), RightmostInk(html) + 20);  // "<b>" and "</b>" are shown
    EXPECT_EQ(label.Width(), 400);
    EXPECT_EQ(label.Height(), 13);
}

TEST_F(LabelControls, HtmlPreparationFollowsCaptionFontAndSize) {
    auto& label = Make<TElHTMLLabel>(10, 10, 50, 50);
    label.SetIsHTML(true);
    label.SetCaptionAnsi("<b>bold</b> text");
    const TElHTMLData& data = label.Render().Data();
    ASSERT_EQ(data.Items.size(), 3u);
    // AutoSize (the default) sizes the label to the laid-out text.
    EXPECT_EQ(label.Width(), data.TextWidth);
    EXPECT_EQ(label.Height(), data.TextHeight);
    const TElHTMLItem* first = data.Items[1].get();
    label.SetCaptionAnsi("<b>bold</b> text");  // the same text: no new parse
    EXPECT_EQ(data.Items[1].get(), first);
    const int narrow = data.TextWidth;
    label.SetFontHeight(-20);
    EXPECT_GT(data.TextWidth, narrow);
    EXPECT_EQ(data.DefaultHeight, -20);
    label.SetLinkColor(0x0000FF00);
    EXPECT_EQ(data.LinkColor, 0x0000FF00u);
}

TEST_F(LabelControls, LinksTakeTheCursorAndTheClick) {
    auto& label = Make<TElHTMLLabel>(0, 0, 300, 13);
    label.SetIsHTML(true);
    label.SetCaptionAnsi("go <a href=\"http://corvane\">here</a> now");
    TElFString clicked;
    int plainClicks = 0;
    label.OnLinkClick = [&](TComponent&, const TElFString& href) { clicked = href; };
    label.OnClick = [&](TComponent&) { ++plainClicks; };
    const auto& items = label.Render().Data().Items;
    ASSERT_EQ(items[2]->GetText(), u"here");
    const int linkX = items[1]->Width + 3;

    label.MouseMove(0, linkX, 5);
    EXPECT_EQ(label.Cursor(), crURLCursor);
    label.Click();
    EXPECT_EQ(clicked, u"http://corvane");
    EXPECT_EQ(plainClicks, 0);

    label.MouseMove(0, 2, 5);
    EXPECT_EQ(label.Cursor(), crDefault);
    label.Click();
    EXPECT_EQ(plainClicks, 1);

    label.MouseMove(0, linkX, 5);
    label.MouseLeave();
    EXPECT_EQ(label.Cursor(), crDefault);
    label.SetLabelCursor(crHandPoint);
    EXPECT_EQ(label.Cursor(), crHandPoint);
}

TEST_F(LabelControls, LinkCursorResourceIsRegistered) {
    // The cursor drawn at build time is linked into this program as "URLCURSOR".
    HCURSOR cursor = LoadCursorW(GetModuleHandleW(nullptr), L"URLCURSOR");
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_EQ(info.xHotspot, 6u);
    EXPECT_EQ(info.yHotspot, 1u);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST_F(LabelControls, WideCaptionAndPackedHint) {
    auto& label = Make<TElLabel>(0, 0, 10, 10);
    label.SetCaption(u"Caf\u00e9 \u2708");
    EXPECT_EQ(label.Caption(), u"Caf\u00e9 \u2708");
    // Setting the 8-bit text directly hands it to the wide caption.
    label.SetText("plain");
    EXPECT_EQ(label.Caption(), u"plain");
    label.SetHint(u"tip");
    EXPECT_EQ(label.TControl::Hint().size(), 3u + 2 * 3 + 5);
    // AutoSize measures one line even for an empty caption.
    label.SetCaption(u"");
    EXPECT_GT(label.Height(), 5);
}

TEST_F(LabelControls, CaptionFollowsARenameOnlyWhileItIsTheName) {
    auto& label = Make<TElHTMLLabel>(0, 0, 100, 20);
    label.SetName("ElHTMLLabel1");
    label.SetCaptionAnsi("ElHTMLLabel1");
    label.SetName("lbTitle");
    EXPECT_EQ(label.Caption(), u"lbTitle");
    label.SetCaptionAnsi("Own text");
    label.SetName("lbOther");
    EXPECT_EQ(label.Caption(), u"Own text");
    // Names given while a window is being built leave the stored caption alone.
    label.SetCaptionAnsi("lbOther");
    form.BeginLoading();
    label.SetName("lbLoading");
    form.Loaded();
    EXPECT_EQ(label.Caption(), u"lbOther");
}

TEST_F(LabelControls, EffectLabelPaintsOutlineOnlyWhenOutlined) {
    auto& title = Make<TElLabel>(0, 0, 315, 27);
    title.SetFontName("Tahoma");
    title.SetFontHeight(-21);
    title.SetCaptionAnsi("CORVANE");
    title.SetOutlineColor(RGB(255, 0, 0));
    DibCanvas c(315, 40);
    PaintInto(title, c);
    EXPECT_EQ(c.CountColor({0, 0, 315, 40}, RGB(255, 0, 0)), 0);  // normal style: no outline
    EXPECT_GT(c.CountDark({0, 0, 315, 40}), 50);
    title.SetStyle(ltsOutlined);
    c.Fill(RGB(255, 255, 255));
    PaintInto(title, c);
    EXPECT_GT(c.CountColor({0, 0, 315, 40}, RGB(255, 0, 0)), 50);
    title.SetEnabled(false);
    c.Fill(RGB(255, 255, 255));
    PaintInto(title, c);
    EXPECT_EQ(c.CountColor({0, 0, 315, 40}, RGB(255, 0, 0)), 0);
    EXPECT_GT(c.CountColor({0, 0, 315, 40}, GetSysColor(COLOR_BTNSHADOW)), 50);
}
