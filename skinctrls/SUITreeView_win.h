#pragma once
// TsuiTreeView: the platform's tree view with a flat two-ring border (BorderColor around the
// tree's Color) over a two-pixel inset instead of the 3-D edge, and up to two linked skinned
// scroll bars that stand over its native bars and follow their state.
//
//   Row<TsuiTreeView>("fsxCfgTree", "", {{"FileTheme", Ref{"suiBuiltInFileTheme"}},
//                                        {"VScrollBar", Ref{"suiScrollBar"}}, ...})
// The bar follows the tree on every scroll, key, wheel turn, click, move and size; moving the
// bar scrolls the tree.
#include <windows.h>

#include <functional>
#include <optional>

#include "framework/StdCtrls_win.h"
#include "skinctrls/SUIBorderedControl_win.h"
#include "skinctrls/SUIScrollBarLink_win.h"
#include "skinctrls/SUITreeView.h"

namespace trimwell {

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// The window system's description of a window's native scroll bar (OBJID_VSCROLL or
// OBJID_HSCROLL), looked up in User32 at first use; nothing when the system lacks it or the
// window has none to describe.
using TNativeBarInfoSource = std::function<std::optional<TsuiNativeBarInfo>(HWND, LONG objectId)>;
std::optional<TsuiNativeBarInfo> NativeScrollBarInfo(HWND hwnd, LONG objectId);

class TsuiTreeView : public TsuiBorderedControl<TTreeView> {
public:
    explicit TsuiTreeView(TComponent* owner);
    ~TsuiTreeView() override;

    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    TsuiLinkedScrollBar* VScrollBar() const { return vScrollBar_; }
    void SetVScrollBar(TsuiLinkedScrollBar* bar);
    TsuiLinkedScrollBar* HScrollBar() const { return hScrollBar_; }
    void SetHScrollBar(TsuiLinkedScrollBar* bar);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode) { biDiMode_ = mode; }

    // Copies the native scroll state to the linked bars.
    void SyncScrollBars();
    // Resynchronises, then places the linked bars over the native ones.
    void LayoutScrollBars();

    // Where the native bar descriptions come from (tests replace it; null: none to be had).
    static void SetNativeBarInfoSource(TNativeBarInfoSource source);

    void Notification(TComponent& component, TOperation operation) override;

protected:
    void StyleChanged(TsuiUIStyle resolved) override;
    bool OnlyTheRingsShowOutsideTheClientArea() override;
    void CreateWnd() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void VisibleChanged() override;
    void EnabledChanged() override;

private:
    void linkBar(TsuiLinkedScrollBar*& slot, TsuiLinkedScrollBar* bar, TsuiProgressBarOrientation orientation,
                 UINT scrollMessage);
    void releaseBar(TsuiLinkedScrollBar& bar);
    void bringToFront(TsuiLinkedScrollBar& bar);
    void syncBar(TsuiLinkedScrollBar& bar, LONG objectId, int scrollBarKind);
    void barChanged(TsuiLinkedScrollBar* bar, UINT scrollMessage);
    bool rightToLeft() const;
    void afterMessage(UINT msg);
    void clipToBorderAndClientArea();

    TsuiLinkedScrollBar* vScrollBar_ = nullptr;
    TsuiLinkedScrollBar* hScrollBar_ = nullptr;
    TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
    bool mouseHeld_ = false;
    bool syncing_ = false;
    RECT clippedClient_{};  // the client area, in window coordinates, the window is clipped to
};

}  // namespace trimwell
