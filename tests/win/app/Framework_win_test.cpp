// The window framework under the editor: modal forms, the error report, the message-pumping
// pause, the scroll bar's limits, and windowless controls painted and fed by their parent.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Forms_win.h"
#include "framework/Graphics_win.h"
#include "platform/Shell_win.h"
#include "framework/StdCtrls_win.h"
#include "skinctrls/SUIButton_win.h"
#include "u_main.h"

using namespace trimwell;

namespace {

class FrameworkTest : public ::testing::Test {
protected:
    void TearDown() override {
        app.reset();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        TickCount = [] { return static_cast<std::uint32_t>(GetTickCount()); };
    }
    TForm& form(int w = 200, int h = 100) {
        TForm& f = app->CreateForm<TForm>();
        f.SetBounds(0, 0, w, h);
        return f;
    }
    std::unique_ptr<TApplication> app = std::make_unique<TApplication>();
};

// Records its paint order into a shared log and the colour it finds under itself.
class ProbeControl : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void Paint(TCanvas& canvas) override {
        under = GetPixel(canvas.Handle(), 0, 0);
        canvas.FillRect(ClientRect(), fill);
        if (log) log->push_back(Name());
    }
    void MouseEnter() override { events += "enter;"; TGraphicControl::MouseEnter(); }
    void MouseLeave() override { events += "leave;"; TGraphicControl::MouseLeave(); }
    TColor fill = clWhite;
    COLORREF under = 0;
    std::vector<std::string>* log = nullptr;
    std::string events;
};

}  // namespace

TEST_F(FrameworkTest, ShowModalRefusesAVisibleFormAndDisablesTheOthers) {
    TForm& main = form();
    TForm& other = form();
    main.Show();
    other.Show();
    EXPECT_THROW(
        {
            try {
                other.ShowModal();
            } catch (const EInvalidOperation& e) {
                EXPECT_STREQ(e.what(), "Cannot make a visible window modal");
                throw;
            }
        },
        EInvalidOperation);
    other.Hide();

    // A button with a modal result ends the wait with it; the main form is disabled meanwhile.
    TsuiButton& ok = other.Add<TsuiButton>();
    ok.SetParent(&other);
    ok.SetModalResult(mrOk);
    bool mainDisabled = false;
    other.OnShow = [&](TComponent&) {
        mainDisabled = !IsWindowEnabled(main.Handle());
        PostMessageW(ok.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(ok.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    };
    EXPECT_EQ(other.ShowModal(), mrOk);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
    EXPECT_FALSE(other.Visible());
}

TEST_F(FrameworkTest, ClosingTheMainFormEndsTheProgramAndASecondFormOnlyHides) {
    TForm& main = form();
    TForm& second = form();
    main.Show();
    second.Show();
    second.Close();
    EXPECT_FALSE(second.Visible());
    EXPECT_FALSE(app->Terminated());
    main.Close();
    app->ProcessMessages();
    EXPECT_TRUE(app->Terminated());
}

TEST_F(FrameworkTest, ErrorReportAppendsAFullStopOnlyAfterHigherCharacters) {
    EXPECT_EQ(TApplication::ReportText("Broken"), "Broken.");
    EXPECT_EQ(TApplication::ReportText("Invalid data type for 'AppPath'"), "Invalid data type for 'AppPath'");
    EXPECT_EQ(TApplication::ReportText("Done."), "Done.");
    EXPECT_EQ(TApplication::ReportText("Stop!"), "Stop!");      // '!' is below '.'
    EXPECT_EQ(TApplication::ReportText("(x)"), "(x)");          // so is ')'
    EXPECT_EQ(TApplication::ReportText("Fin\xE9"), "Fin\xE9."); // 8-bit letters are above it
    EXPECT_EQ(TApplication::ReportText(""), "");
}

TEST_F(FrameworkTest, AnErrorInAHandlerIsReportedAndTheProgramGoesOn) {
    std::vector<std::string> shown;
    Platform().messageBox = [&](HWND, const std::string& text, const std::string& caption, UINT type) {
        shown.push_back(caption + "|" + text + "|" + std::to_string(type));
        return IDOK;
    };
    app->SetTitle("Trimwell");
    TForm& f = form();
    TsuiButton& b = f.Add<TsuiButton>();
    b.SetParent(&f);
    b.OnClick = [](TComponent&) { throw std::runtime_error("Broken"); };
    f.Show();
    SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(b.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ResetPlatform();
    EXPECT_EQ(shown, (std::vector<std::string>{"Trimwell|Broken.|" + std::to_string(MB_OK | MB_ICONERROR)}));
}

TEST_F(FrameworkTest, PauseHandlesTheQueueOnceForZeroAndSurvivesTheTickWrap) {
    TForm& f = form();
    f.Show();
    int handled = 0;
    f.OnKeyDown = [&](TComponent&, WORD&, TShiftState) { ++handled; };
    PostMessageW(f.Handle(), WM_KEYDOWN, 'A', 0);
    std::uint32_t now = 1000;
    int reads = 0;
    TickCount = [&] { ++reads; return now; };  // time stands still
    PauseWithMessages(0);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(reads, 2);

    // Starting just before the counter wraps, the pause still lasts its time and no more.
    now = 0xFFFFFFF0u;
    reads = 0;
    TickCount = [&] { ++reads; return now += 10; };
    PauseWithMessages(100);
    EXPECT_EQ(reads, 11);
}

TEST_F(FrameworkTest, AQuitDuringAPauseIsHonouredOnlyBackInTheLoop) {
    TForm& main = form();
    main.Show();
    PostQuitMessage(0);
    int reads = 0;
    TickCount = [&] { return static_cast<std::uint32_t>(++reads * 50); };
    PauseWithMessages(100);
    EXPECT_EQ(reads, 3) << "the pause ran to its end";
    EXPECT_TRUE(app->Terminated());
    app->Run();  // returns at once
}

// Between messages the pause sleeps until the next one or its end: over a quiet 300 ms it looks
// at the clock a handful of times where a spinning loop would look thousands of times, and a
// timer's messages are still handled as they come.
TEST_F(FrameworkTest, APauseSleepsBetweenMessagesAndStillHandlesThem) {
    TForm& f = form();
    f.Show();
    app->ProcessMessages();
    int reads = 0;
    TickCount = [&] { ++reads; return static_cast<std::uint32_t>(GetTickCount()); };
    PauseWithMessages(300);
    EXPECT_LT(reads, 30);

    static int ticks;
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
    PauseWithMessages(300);
    KillTimer(nullptr, timer);
    EXPECT_GE(ticks, 3) << "the timer's messages were handled during the pause";
}

TEST_F(FrameworkTest, ScrollBarKeepsItsPositionInRangeAndRefusesAPageAboveMax) {
    TForm& f = form();
    TsuiScrollBar& bar = f.Add<TsuiScrollBar>();
    bar.SetParent(&f);
    int changes = 0;
    bar.SetOnChange([&](TComponent&) { ++changes; });
    bar.SetMax(1);
    bar.SetPosition(10);
    EXPECT_EQ(bar.Position(), 1);
    bar.SetPosition(-5);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(changes, 2);
    bar.SetPosition(0);
    EXPECT_EQ(changes, 2) << "the same position fires nothing";
    bar.SetPageSize(2);
    EXPECT_EQ(bar.PageSize(), 2) << "the default page stays; 2 is above Max";
    bar.SetPageSize(1);
    EXPECT_EQ(bar.PageSize(), 1);
    bar.SetMax(50);
    bar.SetPosition(40);
    bar.SetMax(30);
    EXPECT_EQ(bar.Position(), 30) << "a lower Max pulls the position down";
}

TEST_F(FrameworkTest, WindowlessControlsPaintInCreationOrderOverTheParentAndGetEnterLeave) {
    TForm& f = form(100, 60);
    f.SetColor(0x00123456);
    std::vector<std::string> log;
    ProbeControl& below = f.Add<ProbeControl>();
    below.SetName("below");
    below.SetParent(&f);
    below.SetBounds(10, 10, 40, 40);
    below.fill = 0x000000FF;
    below.log = &log;
    ProbeControl& above = f.Add<ProbeControl>();
    above.SetName("above");
    above.SetParent(&f);
    above.SetBounds(30, 10, 40, 40);
    above.log = &log;
    f.Show();
    RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "below");
    EXPECT_EQ(log.back(), "above");
    EXPECT_EQ(below.under, 0x00123456u) << "the parent's background is there first";
    EXPECT_EQ(above.under, 0x000000FFu) << "and so is every control created before";

    // The top one takes the pointer where they overlap.
    SendMessageW(f.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(35, 20));
    SendMessageW(f.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(15, 20));
    SendMessageW(f.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(above.events, "enter;leave;");
    EXPECT_EQ(below.events, "enter;leave;");
}

TEST_F(FrameworkTest, ScreenCentredBorderlessFormOwnedByTheApplication) {
    TForm& f = form(500, 368);
    f.Show();
    RECT r{};
    GetWindowRect(f.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 368);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 500) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 368) / 2);
    const LONG_PTR style = GetWindowLongPtrW(f.Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(GetWindow(f.Handle(), GW_OWNER), app->Handle());
}

namespace {

// The colour at the middle of a 32 x 32 icon drawn on white.
COLORREF IconMiddle(HICON icon) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 32, 32};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    // Left of the exclamation mark, inside the triangle.
    const COLORREF c = GetPixel(dc, 11, 22);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return c;
}

}  // namespace

// The program file carries every resource once: the dialog's warning icon is its own picture
// and not the application icon's, which icons numbered per resource script would give.
// A form brought up comes over the other shown forms, whether or not it was already on top.
TEST_F(FrameworkTest, AFormShownOrBroughtToFrontLiesOverTheOthers) {
    TForm& a = form();
    TForm& b = form();
    const auto topOfOurs = [&] {
        for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
            if (w == a.Handle() || w == b.Handle()) return w;
        return HWND{};
    };
    a.Show();
    b.Show();
    EXPECT_EQ(topOfOurs(), b.Handle());
    a.BringToFront();
    EXPECT_EQ(topOfOurs(), a.Handle());
    EXPECT_EQ(GetForegroundWindow(), a.Handle());
    a.BringToFront();
    EXPECT_EQ(topOfOurs(), a.Handle());
    b.Hide();
    b.Show();
    EXPECT_EQ(topOfOurs(), b.Handle());
    EXPECT_EQ(GetActiveWindow(), b.Handle());
}

namespace {

int IconWidth(LONG_PTR icon) {
    ICONINFO info{};
    if (!GetIconInfo(reinterpret_cast<HICON>(icon), &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

}  // namespace

// The task bar shows the small icon and task switching the big one: each window class carries
// the program's icon at both sizes, not the big one twice.
TEST_F(FrameworkTest, EveryWindowClassCarriesTheProgramIconAtBothSizes) {
    TForm& f = form();
    TsuiButton& button = f.Add<TsuiButton>();
    button.SetParent(&f);
    f.Show();
    for (const HWND w : {app->Handle(), f.Handle(), button.Handle()}) {
        EXPECT_EQ(IconWidth(GetClassLongPtrW(w, GCLP_HICON)), GetSystemMetrics(SM_CXICON));
        EXPECT_EQ(IconWidth(GetClassLongPtrW(w, GCLP_HICONSM)), GetSystemMetrics(SM_CXSMICON));
    }
}

TEST(ProgramFile, WarningIconIsNotTheApplicationIcon) {
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring program(self, n);
    program = program.substr(0, program.find_last_of(L'\\') + 1) + L"Trimwell.exe";
    const HMODULE file = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr);
    const HICON warning = static_cast<HICON>(LoadImageW(file, L"WARNINGICON", IMAGE_ICON, 32, 32, 0));
    const HICON application = static_cast<HICON>(LoadImageW(file, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(warning, nullptr);
    ASSERT_NE(application, nullptr);
    const COLORREF yellow = IconMiddle(warning);
    EXPECT_GT(GetRValue(yellow), 200) << std::hex << yellow;
    EXPECT_GT(GetGValue(yellow), 140) << std::hex << yellow;
    EXPECT_LT(GetBValue(yellow), 110) << std::hex << yellow;
    EXPECT_NE(IconMiddle(application), yellow);
    DestroyIcon(warning);
    DestroyIcon(application);
    FreeLibrary(file);
}

namespace {

// The family of the font the system gives for a face asked for by name.
std::wstring familyGivenFor(const wchar_t* face, bool bold) {
    const trimwell::WindowDC dc(nullptr);
    const trimwell::UniqueFont font(CreateFontW(-11, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                                DEFAULT_CHARSET, 0, 0, 0, 0, face));
    const trimwell::SelectGuard selected(dc.get(), font.get());
    const UINT size = GetOutlineTextMetricsW(dc.get(), 0, nullptr);
    if (size == 0) return {};
    std::vector<char> buffer(size);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (GetOutlineTextMetricsW(dc.get(), size, metrics) == 0) return {};
    return reinterpret_cast<const wchar_t*>(buffer.data() + reinterpret_cast<std::uintptr_t>(metrics->otmpFamilyName));
}

}  // namespace

// The windows ask for Tahoma, Verdana and Trebuchet MS by name. Where the system has none of
// their files (a fresh Wine prefix), each must still come out as a font of its own, in regular
// and bold, rather than the one face every unknown name falls back to.
TEST(ProgramFonts, EveryDesignedFaceHasAFontOfItsOwn) {
    const std::wstring fallback = familyGivenFor(L"No Such Face Anywhere", false);
    for (const wchar_t* face : {L"Tahoma", L"Verdana", L"Trebuchet MS"})
        for (const bool bold : {false, true}) {
            const std::wstring family = familyGivenFor(face, bold);
            EXPECT_FALSE(family.empty()) << face;
            EXPECT_NE(family, fallback) << face << (bold ? L" bold" : L"") << " falls back to " << family;
        }
}
