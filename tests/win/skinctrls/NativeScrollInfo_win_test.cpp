// What the window system reports about a tree view's own vertical scroll bar, on which the
// linked skinned bar's sync decides: a shown bar, one hidden because everything fits, one hidden
// on request, and one disabled.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "skinctrls/SUITreeView.h"
#include "skinctrls/SUITreeView_win.h"

namespace trimwell {
namespace {

class NativeBar : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&icc);
    }
    void SetUp() override {
        top_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override { DestroyWindow(top_); }

    HWND tree(int items) {
        HWND t = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASLINES, 0, 0, 210, 225, top_,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        for (int i = 0; i < items; ++i) {
            std::wstring text = L"key" + std::to_wstring(i);
            TVINSERTSTRUCTW ins{};
            ins.hParent = TVI_ROOT;
            ins.hInsertAfter = TVI_LAST;
            ins.item.mask = TVIF_TEXT;
            ins.item.pszText = text.data();
            TreeView_InsertItem(t, &ins);
        }
        UpdateWindow(t);
        return t;
    }

    static TsuiNativeBarInfo described(HWND t, const char* what) {
        const auto info = NativeScrollBarInfo(t, OBJID_VSCROLL);
        EXPECT_TRUE(info.has_value()) << what;
        const TsuiNativeBarInfo i = info.value_or(TsuiNativeBarInfo{});
        std::printf("%-28s state 0x%04lx, thumb %d..%d\n", what, static_cast<unsigned long>(i.state), i.thumbTop,
                    i.thumbBottom);
        return i;
    }

    HWND top_ = nullptr;
};

TEST_F(NativeBar, ShownHiddenAndDisabledBarsAsTheSyncSeesThem) {
    const TsuiNativeBarInfo shown = described(tree(100), "shown");
    EXPECT_EQ(shown.state, 0u);
    EXPECT_GT(shown.thumbBottom, shown.thumbTop);
    EXPECT_EQ(PlanScrollBarSync(shown, true, {}).visible, true);

    // Everything fits, or the bar is hidden on request: exactly the invisible state.
    const TsuiNativeBarInfo fits = described(tree(3), "hidden (all rows fit)");
    EXPECT_EQ(fits.state, kNativeBarInvisible);
    const HWND hidden = tree(100);
    ShowScrollBar(hidden, SB_VERT, FALSE);
    EXPECT_EQ(described(hidden, "hidden (ShowScrollBar)").state, kNativeBarInvisible);
    const HWND emptied = tree(100);
    TreeView_DeleteAllItems(emptied);
    EXPECT_EQ(described(emptied, "hidden (items deleted)").state, kNativeBarInvisible);
    const auto horizontal = NativeScrollBarInfo(tree(100), OBJID_HSCROLL);
    ASSERT_TRUE(horizontal.has_value());
    EXPECT_EQ(horizontal->state, kNativeBarInvisible);  // a tree whose rows are all narrow enough

    // A disabled native bar: Windows reports it unavailable (1); Wine reports state 0 with an
    // empty thumb, so the linked bar shows with a thumb from its page size.
    const HWND disabled = tree(100);
    EnableScrollBar(disabled, SB_VERT, ESB_DISABLE_BOTH);
    const TsuiNativeBarInfo off = described(disabled, "disabled (EnableScrollBar)");
    EXPECT_TRUE(off.state == kNativeBarUnavailable || (off.state == 0 && off.thumbTop == off.thumbBottom));
    // A disabled window keeps its bar's state; the tree's own enabled state decides.
    const HWND window = tree(100);
    EnableWindow(window, FALSE);
    EXPECT_EQ(described(window, "disabled window").state, 0u);
}

}  // namespace
}  // namespace trimwell
