#pragma once
// The main editor window: the section/key tree, the three value fields, the loaded-aircraft
// line, and the user's actions; with the file being edited and the routines the actions share.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>

#include "config/IniFiles.h"
#include "framework/Forms_win.h"
#include "framework/ImageList_win.h"
#include "framework/StdCtrls_win.h"
#include "labels/ElHTMLLbl_win.h"
#include "labels/ElLabel_win.h"
#include "labels/ElPopBtn_win.h"
#include "skin/SUIMgr.h"
#include "skinctrls/SUIButton_win.h"
#include "skinctrls/SUIEdit_win.h"
#include "skinctrls/SUIScrollBar_win.h"
#include "skinctrls/SUISkinForm_win.h"
#include "skinctrls/SUITreeView_win.h"

namespace trimwell {

// Full UTF-8 path of the configuration file being edited; empty until the window is first shown.
extern std::string CfgFileName;

// One value of CfgFileName ("" when absent); the file is opened for this one operation.
std::string ReadCfgValue(const std::string& section, const std::string& key);
// Writes one value into CfgFileName; throws EIniFileException when the file refuses the write.
void WriteCfgValue(const std::string& section, const std::string& key, const std::string& value);

// Handles window messages for at least `ms` milliseconds of the tick count, the queue at least
// once. Actions run inside it; a quit request met here ends the program when control is back in
// the message loop.
void PauseWithMessages(std::uint32_t ms);
// The millisecond tick count the pause reads (replaceable for tests of the wrap-around).
extern std::function<std::uint32_t()> TickCount;
// Sleeps until a message comes, for at most `ms` milliseconds.
void SleepUntilMessage(std::uint32_t ms);
// How the pause waits between messages (SleepUntilMessage; replaced together with TickCount by
// tests whose clock is not the real one).
extern std::function<void(std::uint32_t)> WaitForMessages;

// Plays the simulator's button sound when its file exists.
void PlayClickSound();

// Adds the file's sections and keys to the tree (without clearing it): a "Trusted" section is
// left out; the first node is selected when asked and the tree is not empty.
void FillTreeFromIni(TTreeView& tree, const TCustomIniFile& file, bool selectFirst);
// Switches the bold flag of a node alone; null does nothing.
void SetNodeBold(TTreeView& tree, TTreeView::Node node, bool bold);

class TfrmMain_Trimwell : public TForm {
public:
    explicit TfrmMain_Trimwell(TComponent* owner);

    TsuiBuiltInFileTheme* suiBuiltInFileTheme = nullptr;
    TsuiSkinForm* suiSkinForm = nullptr;
    TImage* imgKey = nullptr;
    TImage* imgSection = nullptr;
    TElGraphicButton* btnClose = nullptr;
    TElGraphicButton* btnMinimize = nullptr;
    TElLabel* lbMainTitle = nullptr;
    TLabel* lbCorvane = nullptr;
    TLabel* lblSection = nullptr;
    TLabel* lbKey = nullptr;
    TImage* imgValue = nullptr;
    TLabel* lbGbSection = nullptr;
    TLabel* lbGbKey = nullptr;
    TLabel* lbGbValue = nullptr;
    TLabel* Label1 = nullptr;
    TElHTMLLabel* blLoadedAcft = nullptr;
    TsuiButton* btnCloseMain = nullptr;
    TsuiButton* btnSave = nullptr;
    TsuiButton* btnExitFSX = nullptr;
    TsuiTreeView* fsxCfgTree = nullptr;
    TsuiEdit* edValue = nullptr;
    TsuiButton* btnOpen = nullptr;
    TsuiScrollBar* suiScrollBar = nullptr;
    TImageList* imgTreeIcos = nullptr;
    TElImageList* imgListClose = nullptr;
    TElImageList* imgListCloseHot = nullptr;
    TElImageList* imgListCloseDown = nullptr;
    TElImageList* imgListMin = nullptr;
    TElImageList* imgListMinHot = nullptr;
    TElImageList* imgListMinDown = nullptr;

    void FormCreate(TComponent& sender);
    void FormShow(TComponent& sender);
    void LoadConfig();
    void ReloadConfig();
    void ClearEditFields();
    // Bold sections with keys, scroll bar back to the top, no horizontal bar, double buffering.
    void StyleTree();
    void ShowMessageDialog(const std::string& heading, const std::string& message, const std::string& buttonCaption,
                           bool modal);
    void SetLoadedAircraftTitle(const std::string& title);

    void fsxCfgTreeClick(TComponent& sender);
    void fsxCfgTreeKeyDown(TComponent& sender, WORD& key, TShiftState shift);
    void btnSaveClick(TComponent& sender);
    void btnOpenClick(TComponent& sender);
    void btnExitFSXClick(TComponent& sender);
    void btnCloseMainClick(TComponent& sender);
    void btnCloseClick(TComponent& sender);
    void btnMinimizeClick(TComponent& sender);
    void lbCorvaneMouseEnter(TComponent& sender);
    void lbCorvaneMouseLeave(TComponent& sender);
    void lbCorvaneClick(TComponent& sender);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void showTreeAndBar();
    void bindEvents();
};

extern TfrmMain_Trimwell* frmMain_Trimwell;

// The maker's page that the link label opens.
inline constexpr const char* kMakerPage = "http://www.corvane.example/?=Trimwell";
inline constexpr const char* kLoadedAircraftPrefix = "<b>Loaded Aircraft:</b> ";

}  // namespace trimwell
