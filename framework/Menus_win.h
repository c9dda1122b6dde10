#pragma once
// TPopupMenu: a context menu component. Its items are kept as data; the platform menu is built
// for each showing and destroyed when it closes, so no menu handle outlives a Popup call.
//
//   TPopupMenu& menu = form.Add<TPopupMenu>();
//   menu.AddItem("&Copy link", [](TComponent&) { ... });
//   label.SetPopupMenu(&menu);   // shown on a right click over the label
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Controls_win.h"

namespace trimwell {

class TPopupMenu : public TPersistentComponent {
public:
    explicit TPopupMenu(TComponent* owner) : TPersistentComponent(owner) {}

    void AddItem(std::string caption, TNotifyEvent onClick);

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool v) { autoPopup_ = v; }
    // The component the menu was last shown for; cleared when that component goes away.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* c);

    // Shows the menu at a screen position and returns when it closes, after running the chosen
    // item's OnClick. OnPopup runs first.
    void Popup(int x, int y);

    TNotifyEvent OnPopup;
    // Runs when the menu closed, whether or not an item was chosen.
    TNotifyEvent OnClose;

    void Notification(TComponent& component, TOperation operation) override;

private:
    struct Item {
        std::string caption;
        TNotifyEvent onClick;
    };
    HWND OwnerWindow() const;

    std::vector<Item> items_;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};

}  // namespace trimwell
