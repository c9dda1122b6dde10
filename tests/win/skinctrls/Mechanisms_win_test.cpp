// The framework mechanisms the skinned controls stand on, each driven through real messages:
// published order, windows made while a layout loads, mouse routing and capture, dialog
// characters and keys, the focus notice, image lists, z-order, clipped painting and timers.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Forms_win.h"
#include "framework/ImageList_win.h"
#include "platform/Shell_win.h"
#include "framework/StdCtrls_win.h"
#include "framework/WindowClass_win.h"
#include "skinctrls/SUIButton_win.h"
#include "skinctrls/SUIScrollBar_win.h"
#include "tests/win/labels/DibCanvas.h"
#include "tests/native/framework/FindAs.h"

using namespace trimwell;

namespace {

class MechanismTest : public ::testing::Test {
protected:
    void TearDown() override {
        app.reset();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        ResetPlatform();
    }
    TForm& form(int w = 200, int h = 100) {
        TForm& f = app->CreateForm<TForm>();
        f.SetBounds(0, 0, w, h);
        return f;
    }
    template <typename T>
    T& child(TForm& f, RECT r) {
        T& c = f.Add<T>();
        c.SetParent(&f);
        c.SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        return c;
    }
    void pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    std::unique_ptr<TApplication> app = std::make_unique<TApplication>();
};

// A windowless control that writes down what reaches it.
class Probe : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void MouseDown(TMouseButton b, TShiftState, int x, int y) override { log += "down" + name(b) + at(x, y); }
    void MouseUp(TMouseButton b, TShiftState, int x, int y) override { log += "up" + name(b) + at(x, y); }
    void MouseMove(TShiftState, int x, int y) override { log += "move" + at(x, y); }
    void Click() override { log += "click;"; }
    void CaptureLost() override { log += "lost;"; }
    void CancelMode() override { log += "cancel;"; }
    bool ClickOnReleaseAt(int x, int y) const override { return clickAnywhere || TGraphicControl::ClickOnReleaseAt(x, y); }
    void Paint(TCanvas& canvas) override {
        ++paints;
        canvas.FillRect(ClientRect(), fill);
    }
    std::string log;
    int paints = 0;
    bool clickAnywhere = false;
    TColor fill = clWhite;

private:
    static std::string name(TMouseButton b) {
        return b == TMouseButton::mbLeft ? "L" : b == TMouseButton::mbRight ? "R" : "M";
    }
    static std::string at(int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ");"; }
};

// A windowed control that notes its creation-time placement and styles and every later move.
class WindowProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    static const PropertyTable& StaticPublished() {
        static const PropertyTable table = PublishInOrder(
            TCustomControl::StaticPublished(),
            {Prop<WindowProbe>("Second", &WindowProbe::SetSecond), Prop<WindowProbe>("First", &WindowProbe::SetFirst)},
            {"First", "Visible", "Second"});
        return table;
    }
    const PropertyTable& Published() const override { return StaticPublished(); }
    void SetFirst(int) { order += "First;"; }
    void SetSecond(int) { order += "Second;"; }
    std::string order;
    RECT created{};
    DWORD createdStyle = 0;
    int movesAfterCreation = 0;

protected:
    void CreateWnd() override {
        TCustomControl::CreateWnd();
        GetWindowRect(Handle(), &created);
        MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&created), 2);
        createdStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
    }
    void BoundsChanged() override {
        if (HandleAllocated()) ++movesAfterCreation;
        TCustomControl::BoundsChanged();
    }
};

// Asks for its form's window while the layout loads, as the shaped window does.
class NeedsFormWindow : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    static const PropertyTable& StaticPublished() {
        static const PropertyTable table =
            Inherit(TGraphicControl::StaticPublished(), {Prop<NeedsFormWindow>("Shape", &NeedsFormWindow::SetShape)});
        return table;
    }
    const PropertyTable& Published() const override { return StaticPublished(); }
    void SetShape(bool) { static_cast<TWinControl*>(Owner())->Handle(); }
};

}  // namespace

TEST_F(MechanismTest, PublishedOrderIsTheStatedOneWhateverTheRowSays) {
    const PropertyTable& table = WindowProbe::StaticPublished();
    std::vector<std::string_view> names;
    for (const auto& p : table) names.push_back(p.name);
    // Inherited properties left out of the order come first, the stated ones after in that order.
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[0], "Left");
    EXPECT_EQ((std::vector<std::string_view>(names.end() - 3, names.end())),
              (std::vector<std::string_view>{"First", "Visible", "Second"}));
    EXPECT_THROW(PublishInOrder(TControl::StaticPublished(), {}, {"NoSuchProperty"}), std::logic_error);

    TForm& f = form();
    LoadLayout(f, {Row<WindowProbe>("probe", "", {{"Second", std::int64_t{1}}, {"First", std::int64_t{2}}})});
    EXPECT_EQ(FindAs<WindowProbe>(f, "probe")->order, "First;Second;");

    // The skinned scroll bar loads its range before its page: a page of 5 with Max 1 is refused.
    LoadLayout(f, {Row<TsuiScrollBar>("bar", "", {{"PageSize", std::int64_t{5}}, {"Max", std::int64_t{1}}})});
    EXPECT_EQ(FindAs<TsuiScrollBar>(f, "bar")->PageSize(), 2);
}

TEST_F(MechanismTest, WindowsMadeWhileALayoutLoadsTakeTheirStoredPlaceAndStyles) {
    TForm& f = form();
    LoadLayout(f, {
                      Row<NeedsFormWindow>("shape", "", {{"Shape", true}}),
                      Row<WindowProbe>("probe", "", {{"Left", std::int64_t{10}},
                                                     {"Top", std::int64_t{20}},
                                                     {"Width", std::int64_t{30}},
                                                     {"Height", std::int64_t{40}},
                                                     {"Visible", false},
                                                     {"Enabled", false}}),
                  });
    ASSERT_TRUE(f.HandleAllocated()) << "the form's window was made during loading";
    auto& probe = *FindAs<WindowProbe>(f, "probe");
    ASSERT_TRUE(probe.HandleAllocated());
    EXPECT_EQ(probe.created.left, 10);
    EXPECT_EQ(probe.created.top, 20);
    EXPECT_EQ(probe.created.right, 40);
    EXPECT_EQ(probe.created.bottom, 60);
    EXPECT_EQ(probe.movesAfterCreation, 0);
    EXPECT_FALSE(probe.createdStyle & WS_VISIBLE);
    EXPECT_TRUE(probe.createdStyle & WS_DISABLED);

    // A control put on a form that has its window gets one at once; moving it to another form
    // moves its window.
    TForm& other = form();
    other.HandleNeeded();
    WindowProbe& late = other.Add<WindowProbe>();
    late.SetParent(&other);
    ASSERT_TRUE(late.HandleAllocated());
    EXPECT_EQ(GetParent(late.Handle()), other.Handle());
    const HWND window = late.Handle();
    late.SetParent(&f);
    EXPECT_EQ(late.Handle(), window);
    EXPECT_EQ(GetParent(window), f.Handle());
}

TEST_F(MechanismTest, EveryButtonReachesWindowlessControlsAndALeftReleaseInsideClicksOnce) {
    TForm& f = form();
    Probe& p = child<Probe>(f, {10, 10, 50, 50});
    f.Show();
    const HWND w = f.Handle();
    SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(15, 16));
    SendMessageW(w, WM_RBUTTONUP, 0, MAKELPARAM(15, 16));
    SendMessageW(w, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(20, 20));
    SendMessageW(w, WM_MBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(p.log, "downR(5,6);upR(5,6);downM(10,10);upM(10,10);") << "no click from other buttons";
    // The right release still asks for the control's context menu.
    int menus = 0;
    p.OnContextPopup = [&](TComponent&, POINT, bool& handled) {
        ++menus;
        handled = true;
    };
    SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(15, 16));
    SendMessageW(w, WM_RBUTTONUP, 0, MAKELPARAM(15, 16));
    EXPECT_EQ(menus, 1);

    // Pressed inside, moved out and released out: the moves and the release still reach it, with
    // no click; a double click is two presses and two clicks, never more.
    p.log.clear();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 80));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(150, 80));
    EXPECT_EQ(p.log, "downL(5,5);move(140,70);upL(140,70);");
    EXPECT_EQ(GetCapture(), nullptr);
    p.log.clear();
    for (const UINT press : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
        SendMessageW(w, press, MK_LBUTTON, MAKELPARAM(15, 15));
        SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(15, 15));
    }
    EXPECT_EQ(p.log, "downL(5,5);upL(5,5);click;downL(5,5);upL(5,5);click;");

    // A control with its own idea of where a release clicks.
    p.log.clear();
    p.clickAnywhere = true;
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(150, 80));
    EXPECT_EQ(p.log, "downL(5,5);upL(140,70);click;");
}

TEST_F(MechanismTest, AControlTakesAndReleasesCaptureAndHearsWhenItIsTakenAway) {
    TForm& f = form();
    Probe& p = child<Probe>(f, {10, 10, 50, 50});
    f.Show();
    const HWND w = f.Handle();
    p.SetMouseCapture(true);
    EXPECT_TRUE(p.MouseCapture());
    EXPECT_EQ(GetCapture(), w);
    SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(190, 90));
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(190, 90));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(190, 90));
    EXPECT_EQ(p.log, "move(180,80);downL(180,80);upL(180,80);") << "outside, yet it holds the capture";
    EXPECT_FALSE(p.MouseCapture());

    p.log.clear();
    p.SetMouseCapture(true);
    p.SetMouseCapture(false);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(p.log, "") << "letting go itself is no loss";
    p.SetMouseCapture(true);
    TForm& other = form();
    other.Show();
    SetCapture(other.Handle());
    EXPECT_EQ(p.log, "lost;");
    ReleaseCapture();

    // Cancel mode reaches the windowless children and frees the mouse.
    p.log.clear();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    SendMessageW(w, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(p.log, "downL(5,5);cancel;");
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(15, 15));
    EXPECT_EQ(p.log.find("click"), std::string::npos);
}

TEST_F(MechanismTest, TheCaptionPressSeamRecordsInsteadOfMoving) {
    TForm& f = form();
    f.Show();
    std::vector<std::pair<HWND, WPARAM>> presses;
    Platform().captionPress = [&](HWND hwnd, WPARAM hit, LPARAM point) {
        EXPECT_EQ(point, 0);
        presses.emplace_back(hwnd, hit);
    };
    Platform().captionPress(f.Handle(), HTCAPTION, 0);
    EXPECT_EQ(presses, (std::vector<std::pair<HWND, WPARAM>>{{f.Handle(), HTCAPTION}}));
}

TEST_F(MechanismTest, DialogCharactersAndKeysReachTheControlThatTakesThem) {
    TForm& f = form(300, 100);
    auto& open = child<TsuiButton>(f, {0, 0, 100, 26});
    open.SetCaption("&Load CFG");
    auto& quit = child<TsuiButton>(f, {100, 0, 200, 26});
    quit.SetCaption("E&xit");
    quit.SetCancel(true);
    auto& edit = child<TEdit>(f, {0, 40, 100, 60});
    edit.SetTabOrder(0);
    std::string clicks;
    open.OnClick = [&](TComponent&) { clicks += "open;"; };
    quit.OnClick = [&](TComponent&) { clicks += "quit;"; };
    f.Show();
    constexpr LPARAM alt = LPARAM{1} << 29;

    // In the edit box a plain letter is typing; with Alt it is the button's letter.
    edit.SetFocus();
    SendMessageW(edit.Handle(), WM_CHAR, L'l', 0);
    EXPECT_EQ(clicks, "");
    SendMessageW(edit.Handle(), WM_CHAR, L'l', alt);
    SendMessageW(edit.Handle(), WM_SYSCHAR, L'X', alt);
    EXPECT_EQ(clicks, "open;quit;");

    // With a skinned button focused, which answers the private query, the plain letter clicks.
    clicks.clear();
    open.SetFocus();
    EXPECT_EQ(SendMessageW(open.Handle(), kSkinButtonQuery, 0, 0), 1);
    EXPECT_EQ(SendMessageW(edit.Handle(), kSkinButtonQuery, 0, 0), 0);
    SendMessageW(open.Handle(), WM_CHAR, L'x', 0);
    EXPECT_EQ(clicks, "quit;");

    // Escape clicks the Cancel button; Enter the focused skinned button, which is the active
    // default, once (the key-up after it clicks nothing more).
    clicks.clear();
    SendMessageW(edit.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(clicks, "quit;");
    clicks.clear();
    open.SetFocus();
    EXPECT_TRUE(open.ActiveDefault());
    EXPECT_FALSE(quit.ActiveDefault());
    SendMessageW(open.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(open.Handle(), WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(clicks, "open;");

    // Away from the buttons the Default button is the active default; setting Default announces
    // the focus again so that the answer follows.
    edit.SetFocus();
    EXPECT_FALSE(open.ActiveDefault());
    quit.SetDefault(true);
    EXPECT_TRUE(quit.ActiveDefault());
    clicks.clear();
    SendMessageW(edit.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(clicks, "quit;");
}

TEST_F(MechanismTest, ImageListDrawsMaskedAndGreyed) {
    Bitmap picture(8, 4, ColorRefToPixel(RGB(200, 0, 0)));
    for (int y = 0; y < 4; ++y) picture.SetPixel(0, y, ColorRefToPixel(RGB(255, 0, 255)));
    TCustomImageList list(4, 4);
    EXPECT_EQ(list.AddMasked(picture, RGB(255, 0, 255)), 0);
    EXPECT_EQ(list.Count(), 2) << "a picture twice as wide adds two images";
    EXPECT_EQ(list.Width(), 4);
    EXPECT_EQ(list.Height(), 4);
    DibCanvas canvas(12, 4, RGB(0, 0, 255));
    list.Draw(canvas.dc(), 0, 0, 0);
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 0, 255)) << "the mask colour is see-through";
    EXPECT_EQ(canvas.at(1, 1), RGB(200, 0, 0));
    list.DrawGreyed(canvas.dc(), 6, 0, 1);
    EXPECT_NE(canvas.at(7, 1), RGB(200, 0, 0)) << "greyed, not the picture's colour";
}

TEST_F(MechanismTest, BringToFrontChangesPaintOrderAndWindowOrder) {
    TForm& f = form();
    Probe& below = child<Probe>(f, {0, 0, 50, 50});
    below.fill = 0x000000FF;
    Probe& above = child<Probe>(f, {0, 0, 50, 50});
    above.fill = 0x00FF0000;
    auto& first = child<WindowProbe>(f, {100, 0, 150, 50});
    auto& second = child<WindowProbe>(f, {100, 0, 150, 50});
    f.Show();
    below.BringToFront();
    first.BringToFront();
    DibCanvas canvas(200, 100);
    SendMessageW(f.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    EXPECT_EQ(canvas.at(10, 10), RGB(255, 0, 0)) << "the red one is painted last now";
    EXPECT_EQ(GetWindow(f.Handle(), GW_CHILD), first.Handle());
    EXPECT_EQ(GetWindow(first.Handle(), GW_HWNDNEXT), second.Handle());
}

TEST_F(MechanismTest, APaintRendersOnlyItsClipBox) {
    TForm& f = form();
    Probe& close = child<Probe>(f, {0, 0, 20, 20});
    Probe& distant = child<Probe>(f, {150, 50, 200, 100});
    f.Show();
    close.paints = distant.paints = 0;
    DibCanvas canvas(200, 100);
    IntersectClipRect(canvas.dc(), 0, 0, 30, 30);
    SendMessageW(f.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    EXPECT_EQ(close.paints, 1);
    EXPECT_EQ(distant.paints, 0);
}

// A windowed control of a class it names itself.
class NamedClassControl : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::wstring className = L"TrimwellControl";

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.className = className;
    }
};

TEST_F(MechanismTest, AClassOrWindowTheSystemRefusesIsAnErrorThatNamesTheClass) {
    TForm& f = form();
    f.HandleNeeded();
    auto& unregistrable = f.Add<NamedClassControl>();
    unregistrable.className = std::wstring(256, L'x');  // one longer than any class name may be
    try {
        unregistrable.SetParent(&f);
        ADD_FAILURE() << "no error for a class the system refuses";
    } catch (const EWindowError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot register the window class xxx", 0), 0u) << e.what();
    }
    EXPECT_FALSE(unregistrable.HandleAllocated());

    // A child window with no parent window is refused by the system.
    NamedClassControl orphan(nullptr);
    try {
        orphan.HandleNeeded();
        ADD_FAILURE() << "no error for a window the system refuses";
    } catch (const EWindowError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create a window of class TrimwellControl", 0), 0u) << e.what();
    }
    EXPECT_FALSE(orphan.HandleAllocated());
}

TEST_F(MechanismTest, AWindowTimerTicksWithItsIdUntilItGoes) {
    const HWND window = form().Handle();
    constexpr UINT_PTR kId = 0x77;
    const auto ticksWithin = [&](DWORD ms) {
        int ticks = 0;
        for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(10)) {
            MSG msg;
            while (PeekMessageW(&msg, window, WM_TIMER, WM_TIMER, PM_REMOVE))
                if (msg.wParam == kId) ++ticks;
        }
        return ticks;
    };
    std::optional<WindowTimer> timer;
    timer.emplace(window, kId, 50);
    EXPECT_TRUE(timer->Ticked(kId));
    EXPECT_FALSE(timer->Ticked(kId + 1));
    EXPECT_GE(ticksWithin(1000), 1);
    timer.reset();
    EXPECT_EQ(ticksWithin(200), 0);
}
