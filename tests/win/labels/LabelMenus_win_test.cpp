// The HTML label's link menu, hints and setters, driven through real window messages.
#include <gtest/gtest.h>

#include <string>

#include "framework/Forms_win.h"
#include "framework/HintText.h"
#include "framework/Hints_win.h"
#include "framework/Menus_win.h"
#include "labels/ElHTMLLbl_win.h"
#include "tests/win/labels/DibCanvas.h"

using namespace trimwell;

namespace {

// Where the last tracked menu appeared; the timer closes it so no test waits on a menu.
RECT g_menuRect{};
void CALLBACK CloseMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND menu = FindWindowW(L"#32768", nullptr)) GetWindowRect(menu, &g_menuRect);
    EndMenu();
}

struct MenuProbe {
    explicit MenuProbe(TPopupMenu& menu) {
        menu.AddItem("&Copy", {});
        menu.OnPopup = [this](TComponent&) {
            ++shown;
            SetTimer(nullptr, 0, 50, CloseMenuSoon);
        };
        menu.OnClose = [this](TComponent&) { ++closed; };
    }
    int shown = 0, closed = 0;
};

class LabelMenus : public ::testing::Test {
protected:
    LabelMenus() : form(app.CreateForm<TForm>()), label(form.Add<TElHTMLLabel>()) {
        form.SetBounds(50, 50, 400, 100);
        label.SetParent(&form);
        label.SetBounds(10, 20, 300, 13);
        label.SetAutoSize(false);
        label.SetIsHTML(true);
        label.SetCaptionAnsi("go <a href=\"http://corvane\">here</a> now");
        form.Show();
        app.ProcessMessages();
    }

    POINT OnLabel(int x) const { return label.ClientToScreen({x, 5}); }
    int LinkX() const { return label.Render().Data().Items[1]->Width + 3; }
    void RightClick(POINT screen) { SendMessageW(form.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.Handle()), MAKELPARAM(screen.x, screen.y)); }

    TApplication app;
    TForm& form;
    TElHTMLLabel& label;
};

}  // namespace

TEST_F(LabelMenus, RightClickOverLinkShowsTheLinkMenuElseThePlainOne) {
    auto& linkMenu = form.Add<TPopupMenu>();
    auto& plainMenu = form.Add<TPopupMenu>();
    MenuProbe link(linkMenu), plain(plainMenu);
    label.SetLinkPopupMenu(&linkMenu);
    label.SetPopupMenu(&plainMenu);
    std::vector<POINT> asked;
    label.OnContextPopup = [&](TComponent&, POINT p, bool&) { asked.push_back(p); };

    const POINT overLink = OnLabel(LinkX());
    RightClick(overLink);
    EXPECT_EQ(link.shown, 1);
    EXPECT_EQ(link.closed, 1);
    EXPECT_EQ(plain.shown, 0);
    EXPECT_EQ(linkMenu.PopupComponent(), &label);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].x, overLink.x);  // the link menu's event gets the screen position
    EXPECT_NEAR(g_menuRect.left, overLink.x, 2);

    RightClick(OnLabel(2));
    EXPECT_EQ(link.shown, 1);
    EXPECT_EQ(plain.shown, 1);
    EXPECT_EQ(asked.size(), 2u);

    // A keyboard request opens the menu at the label's top-left corner.
    bool handled = false;
    label.ContextMenu({-1, -1}, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(plain.shown, 2);
    const POINT corner = label.ClientToScreen({0, 0});
    EXPECT_NEAR(g_menuRect.left, corner.x, 2);
    EXPECT_NEAR(g_menuRect.top, corner.y, 2);
}

TEST_F(LabelMenus, HandledContextPopupOrManualMenuShowsNothing) {
    auto& linkMenu = form.Add<TPopupMenu>();
    MenuProbe link(linkMenu);
    label.SetLinkPopupMenu(&linkMenu);
    label.OnContextPopup = [](TComponent&, POINT, bool& handled) { handled = true; };
    RightClick(OnLabel(LinkX()));
    EXPECT_EQ(link.shown, 0);

    label.OnContextPopup = nullptr;
    linkMenu.SetAutoPopup(false);
    bool handled = false;
    label.ContextMenu(OnLabel(LinkX()), handled);
    EXPECT_TRUE(handled);  // the link still takes the request
    EXPECT_EQ(link.shown, 0);

    form.Destroy(linkMenu);
    EXPECT_EQ(label.LinkPopupMenu(), nullptr);
}

TEST_F(LabelMenus, HintShowsTheShortWideTextAndAnEmptyWideHintNothing) {
    auto& silent = form.Add<TElHTMLLabel>();
    silent.SetParent(&form);
    silent.SetBounds(10, 50, 100, 13);
    silent.SetAutoSize(false);
    silent.SetShowHint(true);
    silent.SetHint(u"");
    label.SetShowHint(true);
    label.SetHint(u"Fly \u2708|The whole story");

    auto hover = [&](TControl& c) {
        const RECT r = c.BoundsRect();
        SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 2, r.top + 2));
        SendMessageW(form.Handle(), WM_TIMER, TWinControl::kHintTimer, 0);
    };
    hover(label);
    ASSERT_NE(form.HintWindow(), nullptr);
    EXPECT_TRUE(form.HintWindow()->Showing());
    EXPECT_EQ(form.HintWindow()->Text(), u"Fly \u2708");

    hover(silent);
    EXPECT_FALSE(form.HintWindow()->Showing());

    // A hint window handed something other than the short hint gets the whole wide hint.
    std::string given = "changed on the way";
    ASSERT_TRUE(label.HintShow(given));
    EXPECT_EQ(UnpackHint(given), std::u16string(u"Fly \u2708|The whole story"));
}

TEST_F(LabelMenus, SettersPrepareTheMarkupOnlyWhenSomethingChanged) {
    int parses = 0;  // every parse asks for the image once
    label.OnImageNeeded = [&](TComponent&, const TElFString&, const TElHTMLImage*&) { ++parses; };
    label.SetWordWrap(true);
    label.SetAutoSize(true);
    parses = 0;
    label.SetCaptionAnsi("<img src=a width=4 height=4>wrapped words");
    EXPECT_EQ(parses, 1);
    label.SetWordWrap(true);
    label.SetAutoSize(true);
    EXPECT_EQ(parses, 1);

    // The 8-bit text set directly is shown at once.
    label.SetText("<b>direct</b>");
    EXPECT_EQ(label.Render().Data().Items.at(1)->GetText(), u"direct");

    // The layout's Cursor and Hint reach the label's own cursor and wide hint.
    for (const auto& p : label.Published()) {
        if (p.name == "Cursor") p.apply(label, PropertyValue(std::int64_t{crHandPoint}));
        if (p.name == "Hint") p.apply(label, PropertyValue(std::string("tip")));
    }
    EXPECT_EQ(label.ChosenCursor(), crHandPoint);
    EXPECT_EQ(label.Hint(), u"tip");
}

TEST_F(LabelMenus, HugeCaptionPaintsThroughALabelSizedBitmap) {
    std::string caption = "<b>Loaded Aircraft:</b> ";
    while (caption.size() < 100 * 1024) caption += "Cessna Skyhawk ";
    caption += "END";
    label.SetAlignment(laRight);
    label.SetCaptionAnsi(caption);
    ASSERT_GT(label.Render().Data().TextWidth, 100000);
    DibCanvas c(300, 13);
    TCanvas canvas(c.dc());
    label.Paint(canvas);
    // Right alignment shows the end of the text inside the label.
    EXPECT_GT(c.CountDark({150, 0, 300, 13}), 50);
    EXPECT_EQ(label.Width(), 300);
}
