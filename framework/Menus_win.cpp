#include "framework/Menus_win.h"

#include "platform/Handles_win.h"
#include "platform/Text.h"

namespace trimwell {

void TPopupMenu::AddItem(std::string caption, TNotifyEvent onClick) {
    items_.push_back({std::move(caption), std::move(onClick)});
}

void TPopupMenu::SetPopupComponent(TComponent* c) {
    if (c == popupComponent_) return;
    popupComponent_ = c;
    if (c != nullptr) FreeNotification(c);
}

void TPopupMenu::Notification(TComponent& component, TOperation operation) {
    TPersistentComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && &component == popupComponent_) popupComponent_ = nullptr;
}

// A tracked menu needs a window of this thread to own it: the form of the control it is shown
// for, else the active window.
HWND TPopupMenu::OwnerWindow() const {
    if (auto* control = dynamic_cast<TControl*>(popupComponent_)) {
        for (TControl* c = control; c != nullptr; c = c->Parent()) {
            if (auto* w = dynamic_cast<TWinControl*>(c); w != nullptr && w->HandleAllocated()) return w->Handle();
        }
    }
    return GetActiveWindow();
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(*this);
    const HWND owner = OwnerWindow();
    UniqueMenu menu(CreatePopupMenu());
    if (owner == nullptr || !menu) return;
    for (std::size_t i = 0; i < items_.size(); ++i)
        AppendMenuW(menu.get(), MF_STRING, i + 1, AnsiToWide(items_[i].caption).c_str());
    // The owner must be in the foreground for the menu to close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    menu.reset();
    if (OnClose) OnClose(*this);
    if (chosen >= 1 && chosen <= items_.size()) {
        const Item& item = items_[chosen - 1];
        if (item.onClick) item.onClick(*this);
    }
}

}  // namespace trimwell
