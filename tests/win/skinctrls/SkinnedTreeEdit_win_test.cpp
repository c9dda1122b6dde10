// The skinned tree view and edit box in a real window: their flat rings on the screen, the
// stored order of style and border colour, and the tree's linked bar following the tree's own
// scrolling by keys, wheel, scroll messages and the bar.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "framework/Bitmap_win.h"
#include "framework/Forms_win.h"
#include "skin/SUIMgr.h"
#include "skinctrls/SUIEdit_win.h"
#include "skinctrls/SUITreeView_win.h"
#include "tests/win/skinctrls/LinkedBarDouble_win.h"

namespace trimwell {
namespace {

using test::TLinkedBarDouble;

COLORREF ScreenPixel(HWND hwnd, int x, int y) {
    RECT r;
    GetWindowRect(hwnd, &r);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, r.left + x, r.top + y);
    ReleaseDC(nullptr, screen);
    return c;
}

// With TRIMWELL_SHOT_DIR set, keeps a picture of the window as it is on the screen.
void SaveShot(HWND hwnd, const char* name) {
    const char* dir = std::getenv("TRIMWELL_SHOT_DIR");
    if (dir == nullptr) return;
    RECT r;
    GetWindowRect(hwnd, &r);
    HDC screen = GetDC(nullptr);
    OffscreenBuffer copy(screen, r.right - r.left, r.bottom - r.top);
    BitBlt(copy.dc(), 0, 0, copy.width(), copy.height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const auto bytes = WriteBmp(FromHBitmap(copy.bitmap()), 24);
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
                                                 {"UIStyle", std::int64_t{0}},
                                                 {"FileTheme", Ref{"suiBuiltInFileTheme"}},
                                                 {"VScrollBar", Ref{"suiScrollBar"}}}),
            Row<TsuiEdit>("edValue", "", {{"Left", std::int64_t{256}}, {"Top", std::int64_t{225}},
                                          {"Width", std::int64_t{214}}, {"Height", std::int64_t{19}},
                                          {"BorderColor", std::int64_t{clBlack}},
                                          {"UIStyle", std::int64_t{static_cast<int>(TsuiUIStyle::Protein)}},
                                          {"Color", std::int64_t{0x00EFE7DE}}, {"AutoSize", false}}),
            Row<TLinkedBarDouble>("suiScrollBar", "", {{"Left", std::int64_t{217}}, {"Top", std::int64_t{73}},
                                                       {"Width", std::int64_t{16}}, {"Height", std::int64_t{223}},
                                                       {"Enabled", false}, {"Visible", false}}),
        });
        theme = FindAs<TsuiBuiltInFileTheme>(*form, "suiBuiltInFileTheme");
        tree = FindAs<TsuiTreeView>(*form, "fsxCfgTree");
        edit = FindAs<TsuiEdit>(*form, "edValue");
        bar = FindAs<TLinkedBarDouble>(*form, "suiScrollBar");
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
    TLinkedBarDouble* bar = nullptr;
};

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
                                {"UIStyle", std::int64_t{static_cast<int>(TsuiUIStyle::WinXP)}}}),
        Row<TsuiEdit>("themed", "", {{"BorderColor", std::int64_t{0x000000FF}}, {"UIStyle", std::int64_t{0}},
                                     {"FileTheme", Ref{"t"}}}),
        Row<TsuiTreeView>("tv", "", {{"BorderColor", std::int64_t{0x000000FF}}, {"UIStyle", std::int64_t{0}},
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
    EXPECT_EQ(bar->style, TsuiUIStyle::Protein);  // linked after the theme was attached
    EXPECT_EQ(bar->smallChange, 5);
    EXPECT_EQ(bar->orientation, TsuiProgressBarOrientation::suiVertical);
    tree->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(bar->style, TsuiUIStyle::FromThemeFile);
    tree->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(bar->style, TsuiUIStyle::WinXP);
}

TEST_F(SkinnedControls, AFileThatFitsLeavesTheBarHiddenAndDisabled) {
    fill(3);
    tree->SyncScrollBars();
    EXPECT_FALSE(bar->Visible());
    EXPECT_FALSE(bar->Enabled());
    EXPECT_EQ(bar->LineButton(), 0);
}

TEST_F(SkinnedControls, TheBarStandsOverTheNativeOneWithItsThumbLength) {
    fill(300);
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
    EXPECT_EQ(bar->LineButton(), sbi.xyThumbBottom - sbi.xyThumbTop);
    EXPECT_GT(bar->LineButton(), 0);
    // The native bar lies under the linked one, which is drawn over it; Wine's native bar is a
    // pixel wider than the 16 pixels of the skinned one.
    RECT barBox;
    GetWindowRect(bar->Handle(), &barBox);
    EXPECT_EQ(sbi.rcScrollBar.right, barBox.right);
    EXPECT_EQ(sbi.rcScrollBar.top, barBox.top + 1);
    EXPECT_LE(barBox.left - sbi.rcScrollBar.left, 1);
    EXPECT_EQ(ScreenPixel(tree->Handle(), 200, 100), TLinkedBarDouble::kFace);
    const SCROLLINFO si = native();
    EXPECT_EQ(bar->Max(), si.nMax - static_cast<int>(si.nPage) + 1);
    EXPECT_EQ(bar->Position(), si.nPos);
    edit->SetText("fsx.exe -cfg 42");
    settle();
    SaveShot(form->Handle(), "skinned-tree-edit.bmp");
}

TEST_F(SkinnedControls, KeysWheelAndScrollMessagesResynchroniseTheBar) {
    fill(300);
    tree->SetFocus();
    tree->Select(tree->NodeAt(0));
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_NEXT, 0);
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_GT(native().nPos, 0);
    EXPECT_EQ(bar->Position(), native().nPos);

    const int before = native().nPos;
    RECT r;
    GetWindowRect(tree->Handle(), &r);
    SendMessageW(tree->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(r.left + 50, r.top + 50));
    EXPECT_GT(native().nPos, before);
    EXPECT_EQ(bar->Position(), native().nPos);

    SendMessageW(tree->Handle(), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(bar->Position(), bar->Max());
    EXPECT_EQ(native().nPos, bar->Max());
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(bar->Position(), 0);
}

TEST_F(SkinnedControls, MovingTheBarScrollsTheTreeWithoutScrollingTwice) {
    fill(300);
    tree->LayoutScrollBars();
    const int changes = bar->changes;
    bar->SetPosition(40);
    EXPECT_EQ(firstVisibleIndex(), 40);
    EXPECT_EQ(native().nPos, 40);
    EXPECT_EQ(bar->Position(), 40);
    EXPECT_EQ(bar->changes, changes + 1);  // the resynchronisation after it changed nothing
    for (int p = 41; p <= 45; ++p) bar->SetPosition(p);  // line by line, as a drag goes
    EXPECT_EQ(firstVisibleIndex(), 45);
    // Past the tree's last page the tree stops and the bar is put back where the tree is.
    bar->SetPosition(bar->Max());
    EXPECT_EQ(native().nPos, bar->Max());
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
    EXPECT_FALSE(bar->HasOnChange());
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
