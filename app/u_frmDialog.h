#pragma once
// The message dialog: one small window, made hidden at start and reused for every notice. A
// notice is modal (warning icon and one button, waits for the user) or modeless (heading and
// message only, closed by the action that showed it after its pause).
#include "framework/Forms_win.h"
#include "framework/StdCtrls_win.h"
#include "labels/ElLabel_win.h"
#include "skin/SUIMgr.h"
#include "skinctrls/SUIButton_win.h"
#include "skinctrls/SUISkinForm_win.h"

namespace trimwell {

class TfrmDialog : public TForm {
public:
    explicit TfrmDialog(TComponent* owner);

    TsuiBuiltInFileTheme* suiBuiltInFileTheme = nullptr;
    TsuiSkinForm* suiSkinForm = nullptr;
    TElLabel* msgLabel = nullptr;
    TElLabel* hdgLabel = nullptr;
    TImage* imgError = nullptr;
    TsuiButton* btnCloseMain = nullptr;

    void FormKeyDown(TComponent& sender, WORD& key, TShiftState shift);
    void btnCloseMainClick(TComponent& sender);

protected:
    void CreateParams(TCreateParams& params) override;
    void VisibleChanged() override;

private:
    // The window that was active when the notice came up; it is active again when the notice
    // goes, and its own activation puts the focus back on the control that had it.
    void giveFocusBack(HWND back);
    HWND activeBefore_ = nullptr;
};

// The dialog of the running editor (made by the program entry, or by a test).
extern TfrmDialog* frmDialog;

}  // namespace trimwell
