// The skinned tree view, edit box and scroll bar in a real window: their flat rings on the
// screen, the stored order of style and border colour, and the tree's linked bar following the
// tree's own scrolling by keys, wheel and scroll messages, and scrolling it by its arrows and
// thumb under the system's mouse.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "framework/Bitmap_win.h"
#include "framework/Forms_win.h"
#include "skin/SUIMgr.h"
#include "skinctrls/SUIEdit_win.h"
#include "skinctrls/SUIScrollBar_win.h"
#include "skinctrls/SUITreeView_win.h"
#include "tests/native/framework/FindAs.h"

namespace trimwell {
namespace {

COLORREF ScreenPixel(HWND hwnd, int x, int y) {
    RECT r;
    GetWindowRect(hwnd, &r);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, r.left + x, r.top + y);
    ReleaseDC(nullptr, screen);
    return c;
}

// The screen's pixels in a rectangle of screen coordinates, read at once.
Bitmap ScreenPixels(const RECT& r) {
    HDC screen = GetDC(nullptr);
    OffscreenBuffer copy(screen, r.right - r.left, r.bottom - r.top);
    BitBlt(copy.dc(), 0, 0, copy.width(), copy.height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return FromHBitmap(copy.bitmap());
}

// With TRIMWELL_SHOT_DIR set, keeps a picture of the window as it is on the screen.
void SaveShot(HWND hwnd, const char* name) {
    const char* dir = std::getenv("TRIMWELL_SHOT_DIR");
    if (dir == nullptr) return;
    RECT r;
    GetWindowRect(hwnd, &r);
    const auto bytes = WriteBmp(ScreenPixels(r), 24);
    std::ofstream(std::string(dir) + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The main window's tree, bar and value box as the editor's layout places them.
class SkinnedControls : public ::testing::Test {
protected:
    void SetUp() override {
        form = &app.CreateForm<TForm>();
        form->SetBounds(0, 0, 500, 368);
        form->SetColor(0x00F7FFF7);
        LoadLayout(*form, {
            Row<TsuiBuiltInFileTheme>("suiBuiltInFileTheme", "", {{"SkinData", EmbeddedSkinArchive()}}),
            Row<TsuiTreeView>("fsxCfgTree", "", {{"Left", std::int64_t{25}}, {"Top", std::int64_t{72}},
                                                 {"Width", std::int64_t{210}}, {"Height", std::int64_t{225}},
                                                 {"Color", std::int64_t{clWhite}},
                                                 {"BorderColor", std::int64_t{0x0080521C}},
                                                 {"BorderWidth", std::int64_t{2}},
                                                 {"UIStyle", std::string("FromThemeFile")},
                                                 {"FileTheme", Ref{"suiBuiltInFileTheme"}},
                                                 {"VScrollBar", Ref{"suiScrollBar"}}}),
            Row<TsuiEdit>("edValue", "", {{"Left", std::int64_t{256}}, {"Top", std::int64_t{225}},
                                          {"Width", std::int64_t{214}}, {"Height", std::int64_t{19}},
                                          {"BorderColor", std::int64_t{clBlack}},
                                          {"UIStyle", std::string("Protein")},
                                          {"Color", std::int64_t{0x00EFE7DE}}, {"AutoSize", false}}),
            Row<TsuiScrollBar>("suiScrollBar", "", {{"Left", std::int64_t{217}}, {"Top", std::int64_t{73}},
                                                    {"Width", std::int64_t{16}}, {"Height", std::int64_t{223}},
                                                    {"Orientation", std::int64_t{1}},
                                                    {"UIStyle", std::string("Protein")},
                                                    {"Max", std::int64_t{1}}, {"SmallChange", std::int64_t{5}},
                                                    {"LargeChange", std::int64_t{2}}, {"PageSize", std::int64_t{2}},
                                                    {"Color", std::int64_t{0x00F5F5F5}},
                                                    {"Enabled", false}, {"Visible", false}}),
        });
        theme = FindAs<TsuiBuiltInFileTheme>(*form, "suiBuiltInFileTheme");
        tree = FindAs<TsuiTreeView>(*form, "fsxCfgTree");
        edit = FindAs<TsuiEdit>(*form, "edValue");
        bar = FindAs<TsuiScrollBar>(*form, "suiScrollBar");
        // Every change the bar reports, with its sender, before the tree acts on it.
        const TNotifyEvent treeHandler = bar->Track().OnChange;
        bar->Track().OnChange = [this, treeHandler](TComponent& sender) {
            changes.push_back(bar->Position());
            senders.push_back(&sender);
            if (treeHandler) treeHandler(sender);
        };
        form->Show();
        settle();
    }
    void TearDown() override { TsuiTreeView::SetNativeBarInfoSource(NativeScrollBarInfo); }

    void settle() {
        for (int i = 0; i < 10; ++i) {
            app.ProcessMessages();
            Sleep(5);
        }
        if (form->HandleAllocated()) RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        app.ProcessMessages();
    }

    void fill(int keys) {
        for (int i = 0; i < keys; ++i) tree->AddChild(nullptr, "key" + std::to_string(i));
    }
    int firstVisibleIndex() {
        const HTREEITEM first = TreeView_GetFirstVisible(tree->Handle());
        int index = 0;
        for (HTREEITEM n = TreeView_GetRoot(tree->Handle()); n != nullptr && n != first; n = TreeView_GetNextSibling(tree->Handle(), n)) ++index;
        return index;
    }
    // Handles messages for about `ms` milliseconds, as the running program would.
    void pumpFor(DWORD ms) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < ms) {
            app.ProcessMessages();
            Sleep(2);
        }
    }
    SCROLLINFO native() {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(tree->Handle(), SB_VERT, &si);
        return si;
    }

    TApplication app;
    TForm* form = nullptr;
    TsuiBuiltInFileTheme* theme = nullptr;
    TsuiTreeView* tree = nullptr;
    TsuiEdit* edit = nullptr;
    TsuiScrollBar* bar = nullptr;
    std::vector<int> changes;
    std::vector<const TComponent*> senders;
};

// The system's own mouse, moved and pressed as a user does it (screen coordinates).
void MouseTo(POINT p) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((p.x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = static_cast<LONG>((p.y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}
void LeftButton(bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
}
POINT CentreOnScreen(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(SkinnedControls, TheTreeShowsTwoFlatRingsInsteadOfTheEdge) {
    ASSERT_TRUE(theme->Ready());
    EXPECT_EQ(tree->BorderColor(), 0x0080521Cu);
    const HWND h = tree->Handle();
    EXPECT_FALSE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongPtrW(h, GWL_STYLE) & WS_BORDER);
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 210 - 4);
    EXPECT_EQ(client.bottom, 225 - 4);
    for (const POINT p : {POINT{0, 0}, POINT{209, 0}, POINT{0, 224}, POINT{100, 224}, POINT{209, 100}})
        EXPECT_EQ(ScreenPixel(h, p.x, p.y), 0x0080521Cu) << p.x << "," << p.y;
    for (const POINT p : {POINT{1, 1}, POINT{100, 1}, POINT{1, 223}, POINT{208, 50}})
        EXPECT_EQ(ScreenPixel(h, p.x, p.y), clWhite) << p.x << "," << p.y;

    // A new colour shows in the inner ring on the next paint.
    tree->SetColor(0x00C0FFFF);
    settle();
    EXPECT_EQ(ScreenPixel(h, 1, 1), 0x00C0FFFFu);
    EXPECT_EQ(ScreenPixel(h, 0, 1), 0x0080521Cu);
}

TEST_F(SkinnedControls, TheValueBoxShowsItsStoredBlackRingAroundItsOwnColour) {
    EXPECT_EQ(edit->BorderColor(), clBlack);
    const HWND h = edit->Handle();
    EXPECT_FALSE(GetWindowLongPtrW(h, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(ScreenPixel(h, 0, 0), clBlack);
    EXPECT_EQ(ScreenPixel(h, 213, 18), clBlack);
    EXPECT_EQ(ScreenPixel(h, 1, 1), 0x00EFE7DEu);
    EXPECT_EQ(ScreenPixel(h, 212, 17), 0x00EFE7DEu);
    EXPECT_EQ(ScreenPixel(h, 100, 9), 0x00EFE7DEu);  // the text area, empty

    edit->SetUIStyle(TsuiUIStyle::WinXP);
    settle();
    EXPECT_EQ(ScreenPixel(h, 0, 0), 0x00686868u);
    edit->SetColor(0x00FFE0E0);
    settle();
    EXPECT_EQ(ScreenPixel(h, 1, 1), 0x00FFE0E0u);
    EXPECT_EQ(ScreenPixel(h, 100, 9), 0x00FFE0E0u);
}

TEST_F(SkinnedControls, TheLastWrittenOfStyleAndBorderColourWinsAndARemovedThemeMeansDeepBlue) {
    // Stored style before stored colour: the stored colour stays, even for a style of another.
    TForm& other = app.CreateForm<TForm>();
    LoadLayout(other, {
        Row<TsuiBuiltInFileTheme>("t", "", {{"SkinData", EmbeddedSkinArchive()}}),
        Row<TsuiEdit>("e", "", {{"BorderColor", std::int64_t{0x000000FF}},
                                {"UIStyle", std::string("WinXP")}}),
        Row<TsuiEdit>("themed", "", {{"BorderColor", std::int64_t{0x000000FF}},
                                     {"UIStyle", std::string("FromThemeFile")},
                                     {"FileTheme", Ref{"t"}}}),
        Row<TsuiTreeView>("tv", "", {{"BorderColor", std::int64_t{0x000000FF}},
                                     {"UIStyle", std::string("FromThemeFile")},
                                     {"FileTheme", Ref{"t"}}}),
    });
    auto* plain = FindAs<TsuiEdit>(other, "e");
    auto* themed = FindAs<TsuiEdit>(other, "themed");
    auto* tv = FindAs<TsuiTreeView>(other, "tv");
    EXPECT_EQ(plain->BorderColor(), 0x000000FFu);
    EXPECT_EQ(themed->BorderColor(), 0x0080521Cu);  // the theme, attached last, replaces it
    EXPECT_EQ(tv->BorderColor(), 0x0080521Cu);

    tv->SetUIStyle(TsuiUIStyle::Protein);
    EXPECT_EQ(tv->BorderColor(), 0u);
    tv->SetUIStyle(TsuiUIStyle::FromThemeFile);
    other.Destroy(*FindAs<TsuiBuiltInFileTheme>(other, "t"));
    for (auto* c : {static_cast<TsuiFileThemeUser*>(themed), static_cast<TsuiFileThemeUser*>(tv)})
        EXPECT_EQ(c->FileTheme(), nullptr);
    EXPECT_EQ(themed->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(themed->BorderColor(), 0u);
    EXPECT_EQ(tv->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(tv->BorderColor(), 0u);
}

TEST_F(SkinnedControls, ALinkedBarKeepsItsStoredStyleAndTakesTheStepAndOrientation) {
    EXPECT_EQ(bar->UIStyle(), TsuiUIStyle::Protein);  // linked after the theme was attached
    EXPECT_EQ(bar->SmallChange(), 5);
    EXPECT_EQ(bar->Orientation(), TsuiProgressBarOrientation::suiVertical);
    EXPECT_EQ(bar->LargeChange(), 2);
    EXPECT_EQ(bar->PageSize(), 2);
    tree->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(bar->UIStyle(), TsuiUIStyle::FromThemeFile);
    tree->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(bar->UIStyle(), TsuiUIStyle::WinXP);
}

TEST_F(SkinnedControls, AFileThatFitsLeavesTheBarHiddenAndDisabled) {
    fill(300);
    tree->LayoutScrollBars();
    ASSERT_TRUE(bar->Visible());
    tree->Clear();
    fill(3);
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_FALSE(bar->Visible());
    EXPECT_FALSE(bar->Enabled());
    EXPECT_EQ(bar->LineButton(), 0);
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    ASSERT_TRUE(GetScrollBarInfo(tree->Handle(), OBJID_VSCROLL, &sbi));
    EXPECT_EQ(sbi.rgstate[0], static_cast<DWORD>(STATE_SYSTEM_INVISIBLE));
}

TEST_F(SkinnedControls, TheBarStandsOverTheNativeOneWithItsThumbLength) {
    fill(100);
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(tree->Handle(), WM_KEYUP, VK_DOWN, 0);
    settle();
    ASSERT_TRUE(bar->Visible());
    EXPECT_TRUE(bar->Enabled());
    EXPECT_EQ(bar->BoundsRect().left, 217);
    EXPECT_EQ(bar->BoundsRect().top, 73);
    EXPECT_EQ(bar->Width(), 16);
    EXPECT_EQ(bar->Height(), 223);

    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    ASSERT_TRUE(GetScrollBarInfo(tree->Handle(), OBJID_VSCROLL, &sbi));
    const int nativeThumb = sbi.xyThumbBottom - sbi.xyThumbTop;
    ASSERT_GE(nativeThumb, kMinLineButton);
    EXPECT_EQ(bar->LineButton(), nativeThumb);
    EXPECT_EQ(bar->Track().Slider().Height(), nativeThumb);
    EXPECT_EQ(bar->Track().Slider().Width(), 16);
    // The arrows at the ends, the track between them.
    EXPECT_EQ(bar->StartButton().BoundsRect().top, 0);
    EXPECT_EQ(bar->StartButton().Height(), 16);
    EXPECT_EQ(bar->EndButton().BoundsRect().bottom, 223);
    EXPECT_EQ(bar->Track().Top(), 16);
    EXPECT_EQ(bar->Track().Height(), 223 - 32);
    // The native bar lies under the linked one, which is drawn over it; Wine's native bar is a
    // pixel wider than the 16 pixels of the skinned one.
    RECT barBox;
    GetWindowRect(bar->Handle(), &barBox);
    EXPECT_EQ(sbi.rcScrollBar.right, barBox.right);
    EXPECT_EQ(sbi.rcScrollBar.top, barBox.top + 1);
    EXPECT_LE(barBox.left - sbi.rcScrollBar.left, 1);
    // What the screen shows there is the skinned bar: its Protein track colour below the thumb.
    EXPECT_EQ(bar->Color(), 0x00F5F5F5u);
    EXPECT_EQ(ScreenPixel(bar->Handle(), 8, 200), 0x00F5F5F5u);
    const SCROLLINFO si = native();
    EXPECT_EQ(bar->Max(), si.nMax - static_cast<int>(si.nPage) + 1);
    EXPECT_EQ(bar->Position(), si.nPos);
    edit->SetText("fsx.exe -cfg 42");
    settle();
    SaveShot(form->Handle(), "skinned-tree-edit.bmp");
}

// Whatever width the system gives its scroll bars (they grow with the screen's pixel density),
// not one pixel of the tree's native bar is seen: where the linked bar does not cover it, the form
// shows through, and the tree keeps its border beside it. at-dpi.sh runs this again at 120 and
// 144 dots per inch in a Wine prefix of its own.
TEST_F(SkinnedControls, NoPixelOfTheNativeBarIsSeenAtAnyPixelDensity) {
    if (const char* dpi = std::getenv("TRIMWELL_TEST_DPI")) {
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), std::atoi(dpi)) << "the prefix is not at the density asked for";
        ReleaseDC(nullptr, screen);
    }
    fill(100);
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(tree->Handle(), WM_KEYUP, VK_DOWN, 0);
    settle();
    ASSERT_TRUE(bar->Visible());
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    ASSERT_TRUE(GetScrollBarInfo(tree->Handle(), OBJID_VSCROLL, &sbi));
    const RECT native = sbi.rcScrollBar;
    RECT barBox;
    GetWindowRect(bar->Handle(), &barBox);
    const Bitmap shown = ScreenPixels(native);
    int stray = 0;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x) {
            const POINT p{native.left + x, native.top + y};
            if (!PtInRect(&barBox, p) && PixelToColorRef(shown.Pixel(x, y)) != 0x00F7FFF7u) ++stray;
        }
    EXPECT_EQ(stray, 0) << "pixels of the native bar, " << native.right - native.left << " wide, beside the linked bar";
    EXPECT_EQ(ScreenPixel(tree->Handle(), tree->Width() - 1, 100), 0x0080521Cu) << "the outer ring";
    EXPECT_EQ(ScreenPixel(tree->Handle(), tree->Width() - 2, 100), 0x00FFFFFFu) << "the inner ring";
    SaveShot(form->Handle(), "native-bar-hidden.bmp");
}

TEST_F(SkinnedControls, KeysWheelAndScrollMessagesResynchroniseTheBar) {
    fill(300);
    tree->SetFocus();
    tree->Select(tree->NodeAt(0));
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_NEXT, 0);
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_GT(native().nPos, 0);
    EXPECT_EQ(bar->Position(), native().nPos);
    const int thumbAt = bar->Track().Slider().Top();
    EXPECT_GT(thumbAt, 0);

    const int before = native().nPos;
    RECT r;
    GetWindowRect(tree->Handle(), &r);
    SendMessageW(tree->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(r.left + 50, r.top + 50));
    EXPECT_GT(native().nPos, before);
    EXPECT_EQ(bar->Position(), native().nPos);
    EXPECT_GT(bar->Track().Slider().Top(), thumbAt);

    SendMessageW(tree->Handle(), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(bar->Position(), bar->Max());
    EXPECT_EQ(native().nPos, bar->Max());
    EXPECT_EQ(bar->Track().Slider().BoundsRect().bottom, bar->Track().Height());
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->Track().Slider().Top(), 0);
}

TEST_F(SkinnedControls, MovingTheBarScrollsTheTreeWithoutScrollingTwice) {
    fill(300);
    tree->LayoutScrollBars();
    bar->SetPosition(40);
    EXPECT_EQ(firstVisibleIndex(), 40);
    EXPECT_EQ(native().nPos, 40);
    EXPECT_EQ(bar->Position(), 40);
    EXPECT_EQ(changes, std::vector<int>{40});  // the resynchronisation after it changed nothing
    // Past the tree's last page the tree stops and the bar is put back where the tree is.
    bar->SetPosition(bar->Max());
    EXPECT_EQ(native().nPos, bar->Max());
}

// Holding the down arrow steps the tree 5 lines at each tick of the arrow's 100 ms timer; the
// first step comes only after the first tick, so a quick click moves nothing.
TEST_F(SkinnedControls, HoldingTheDownArrowScrollsFiveLinesPerTickAndAQuickClickNone) {
    fill(300);
    tree->LayoutScrollBars();
    ASSERT_TRUE(bar->Visible());
    settle();
    const HWND down = bar->EndButton().Handle();
    MouseTo(CentreOnScreen(down));
    pumpFor(50);
    LeftButton(true);
    LeftButton(false);
    pumpFor(300);
    EXPECT_TRUE(changes.empty()) << "a click shorter than the repeat interval does not step";
    EXPECT_EQ(firstVisibleIndex(), 0);

    const DWORD start = GetTickCount();
    LeftButton(true);
    pumpFor(1000);
    LeftButton(false);
    const DWORD held = GetTickCount() - start;
    pumpFor(50);
    ASSERT_FALSE(changes.empty());
    EXPECT_LE(static_cast<DWORD>(changes.size()), held / kArrowRepeatIntervalMs) << "never sooner than 100 ms apart";
    for (std::size_t i = 0; i < changes.size(); ++i) EXPECT_EQ(changes[i], 5 * static_cast<int>(i + 1));
    for (const TComponent* sender : senders) EXPECT_EQ(sender, &bar->Track());
    EXPECT_EQ(firstVisibleIndex(), changes.back());
    EXPECT_EQ(native().nPos, changes.back());
    const std::size_t steps = changes.size();
    pumpFor(300);
    EXPECT_EQ(changes.size(), steps) << "the release stops the repeat";

    // The up arrow goes back the same way.
    MouseTo(CentreOnScreen(bar->StartButton().Handle()));
    pumpFor(50);
    LeftButton(true);
    pumpFor(400);
    LeftButton(false);
    pumpFor(50);
    ASSERT_GT(changes.size(), steps);
    EXPECT_EQ(changes[steps], changes[steps - 1] - 5);
    EXPECT_EQ(firstVisibleIndex(), bar->Position());
}

// Dragging the thumb one pixel at a time scrolls the tree line by line: one change per new
// whole position, each a line from the last, and the tree's first line follows every one.
TEST_F(SkinnedControls, DraggingTheThumbScrollsLineByLine) {
    fill(150);
    tree->LayoutScrollBars();
    ASSERT_TRUE(bar->Visible());
    settle();
    TsuiImagePanel& thumb = bar->Track().Slider();
    const int travel = bar->Track().Height() - thumb.Height();
    ASSERT_GE(travel, bar->Max()) << "no more positions than pixels, so that every line is met";
    std::vector<int> firstLines;
    const TNotifyEvent counted = bar->Track().OnChange;
    bar->Track().OnChange = [&](TComponent& sender) {
        counted(sender);
        firstLines.push_back(firstVisibleIndex());
    };
    POINT p = CentreOnScreen(thumb.Handle());
    MouseTo(p);
    pumpFor(30);
    LeftButton(true);
    pumpFor(30);
    for (int i = 0; i < travel + 10; ++i) {  // past the end: the thumb stops at Max
        ++p.y;
        MouseTo(p);
        pumpFor(4);
    }
    LeftButton(false);
    pumpFor(30);
    ASSERT_EQ(static_cast<int>(changes.size()), bar->Max());
    for (std::size_t i = 0; i < changes.size(); ++i) EXPECT_EQ(changes[i], static_cast<int>(i + 1));
    for (std::size_t i = 0; i < firstLines.size(); ++i) EXPECT_EQ(firstLines[i], changes[i]);
    EXPECT_EQ(native().nPos, bar->Max());
    EXPECT_EQ(thumb.BoundsRect().bottom, bar->Track().Height());
    EXPECT_FALSE(bar->Track().Dragging());

    // A press on the track above the thumb pages back towards the pointer.
    const int at = bar->Position();
    RECT trackBox;
    GetWindowRect(bar->Track().Handle(), &trackBox);
    MouseTo({(trackBox.left + trackBox.right) / 2, trackBox.top + 2});
    pumpFor(30);
    LeftButton(true);
    LeftButton(false);
    pumpFor(30);
    EXPECT_EQ(bar->Position(), at - bar->PageSize());
    EXPECT_EQ(native().nPos, bar->Position());
}

TEST_F(SkinnedControls, HidingDisablingAndUnlinkingTheTree) {
    fill(300);
    tree->LayoutScrollBars();
    ASSERT_TRUE(bar->Visible());
    tree->Hide();
    EXPECT_FALSE(bar->Visible());
    tree->Show();
    EXPECT_TRUE(bar->Visible());

    tree->SetEnabled(false);
    EXPECT_FALSE(bar->Enabled());
    EXPECT_TRUE(bar->Visible());
    tree->SetEnabled(true);
    EXPECT_TRUE(bar->Enabled());

    tree->SetVScrollBar(nullptr);
    EXPECT_FALSE(static_cast<bool>(bar->Track().OnChange));
    EXPECT_TRUE(bar->Enabled());
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->LineButton(), 0);
    // An unlinked bar no longer follows the tree.
    SendMessageW(tree->Handle(), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(bar->Max(), 100);
}

TEST_F(SkinnedControls, WithoutAScrollBarDescriptionTheBarStaysHidden) {
    fill(300);
    tree->Select(tree->NodeAt(0));
    TsuiTreeView::SetNativeBarInfoSource([](HWND, LONG) { return std::optional<TsuiNativeBarInfo>{}; });
    tree->LayoutScrollBars();
    EXPECT_FALSE(bar->Visible());
    EXPECT_FALSE(bar->Enabled());
    EXPECT_EQ(bar->LineButton(), 0);
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_NEXT, 0);  // the tree itself keeps scrolling
    EXPECT_GT(native().nPos, 0);
}

TEST_F(SkinnedControls, ARemovedBarIsForgotten) {
    fill(300);
    tree->Select(tree->NodeAt(0));
    form->Destroy(*bar);
    EXPECT_EQ(tree->VScrollBar(), nullptr);
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_GT(native().nPos, 0);
}

}  // namespace
}  // namespace trimwell
