// The editor driven through its real windows: start-up, the tree, the value fields, saving,
// loading, leaving, and actions that run while another one pauses.
#include "EditorFixture.h"

#include <commdlg.h>

#include "EditorResources.h"
#include "platform/Resources_win.h"
#include "platform/Text.h"

using namespace trimwell;
using namespace trimwell::test;

namespace {

using Texts = std::vector<std::string>;
const std::string kSaveRefused = "Unable to save CFG file! (May be in use)";

int ButtonKey() {
    const auto group = TsuiFileThemeMgr::KeyGroup::Bitmap;
    for (int key = 0; key < TsuiFileThemeMgr::KeyCount(group); ++key)
        if (TsuiFileThemeMgr::KeyName(group, key) == "SKIN2_BUTTON") return key;
    return -1;
}

}  // namespace

TEST_F(EditorTest, StartsWithTheDefaultAircraftAsATree) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    EXPECT_EQ(CfgFileName, WideToUtf8(c172().wstring()));
    // Trusted is left out with its keys; a key name of two sections is under each.
    EXPECT_EQ(nodeTexts(), (Texts{"fltsim.0", "  title", "  sim", "  model", "fltsim.1", "  title", "  sim",
                                         "General"}));
    TTreeView& tree = *m.fsxCfgTree;
    EXPECT_EQ(tree.Selected(), tree.NodeAt(0));
    EXPECT_EQ(m.blLoadedAcft->Text(), "<b>Loaded Aircraft:</b> Cessna Skyhawk");
    EXPECT_EQ(m.lblSection->Caption(), "");
    EXPECT_EQ(m.lbKey->Caption(), "");
    EXPECT_EQ(m.edValue->Text(), "");
    EXPECT_TRUE(m.fsxCfgTree->Visible());
    // The demo file fits the tree: the skinned bar follows the native one, hidden and disabled.
    EXPECT_FALSE(m.suiScrollBar->Visible());
    EXPECT_FALSE(m.suiScrollBar->Enabled());
    EXPECT_TRUE(notices.empty());
    EXPECT_TRUE(boxes.empty());

    // Sections with keys are bold, the empty one is not, keys never are; images folder and page,
    // and whatever is selected shows the arrow.
    const auto bold = [&](TTreeView::Node n) { return tree.State(n, TVIS_BOLD) != 0; };
    EXPECT_TRUE(bold(findNode("fltsim.0")));
    EXPECT_FALSE(bold(findNode("General")));
    EXPECT_FALSE(bold(findNode("fltsim.0", "title")));
    EXPECT_EQ(tree.ImageIndex(findNode("General")), 1);
    EXPECT_EQ(tree.ImageIndex(findNode("fltsim.1", "sim")), 2);
    EXPECT_EQ(tree.SelectedIndex(findNode("fltsim.1", "sim")), 0);
    EXPECT_EQ(tree.SelectedIndex(findNode("General")), 0);
    EXPECT_TRUE(tree.DoubleBuffered());
    EXPECT_EQ(m.imgTreeIcos->Count(), 5);

    // The tree's fixed settings.
    const LONG_PTR style = GetWindowLongPtrW(tree.Handle(), GWL_STYLE);
    for (const DWORD bit : {TVS_HASLINES, TVS_LINESATROOT, TVS_HASBUTTONS, TVS_SINGLEEXPAND, TVS_TRACKSELECT,
                            TVS_SHOWSELALWAYS})
        EXPECT_TRUE(style & bit) << bit;
    EXPECT_FALSE(style & TVS_EDITLABELS);
    EXPECT_FALSE(style & TVS_NOTOOLTIPS);
    EXPECT_EQ(TreeView_GetIndent(tree.Handle()), 20u);

    // Fonts and colours of the layout reach the controls.
    for (TsuiButton* b : {m.btnOpen, m.btnSave, m.btnExitFSX, m.btnCloseMain}) {
        EXPECT_EQ(b->Font().Desc().style, static_cast<TFontStyles>(fsBold)) << b->Name();
        EXPECT_EQ(b->Font().Desc().color, 0x006B635Au) << b->Name();
        EXPECT_EQ(b->Font().Desc().name, "Tahoma") << b->Name();
    }
    EXPECT_EQ(tree.Font().Desc().name, "Verdana");
    EXPECT_EQ(tree.Font().Desc().height, -9);
    EXPECT_EQ(m.lbGbSection->Font().Desc().style, static_cast<TFontStyles>(fsBold));
    EXPECT_EQ(m.Label1->Font().Desc().style, static_cast<TFontStyles>(fsBold));

    // Both windows loaded the skin they carry, each from a temporary copy that is gone again.
    for (TsuiBuiltInFileTheme* theme : {m.suiBuiltInFileTheme, frmDialog->suiBuiltInFileTheme}) {
        ASSERT_NE(theme, nullptr);
        EXPECT_TRUE(theme->Ready());
        const Bitmap* button = theme->Manager().GetBitmap(ButtonKey());
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Width(), 278);
        EXPECT_FALSE(std::filesystem::exists(Utf8ToWide(theme->LoadedThemeFile())));
    }
}

TEST_F(EditorTest, WithoutTheSimulatorStartsEmptyAndSilent) {
    std::filesystem::remove(sim() / "fsx.exe");
    startEditor();
    TfrmMain_Trimwell& m = main();
    EXPECT_EQ(m.fsxCfgTree->Count(), 0);
    EXPECT_TRUE(m.fsxCfgTree->Visible());
    EXPECT_FALSE(m.suiScrollBar->Visible());
    EXPECT_EQ(m.blLoadedAcft->Text(), "<b>Loaded Aircraft:</b>");
    EXPECT_TRUE(notices.empty());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(CfgFileName, "\\SimObjects\\Airplanes\\C172\\aircraft.cfg");
}

TEST_F(EditorTest, AFileWithoutTitleShowsNone) {
    writeFile(c172(), "[fltsim.0]\r\nsim=x\r\n");
    startEditor();
    EXPECT_EQ(main().blLoadedAcft->Text(), "<b>Loaded Aircraft:</b> (None)");
}

TEST_F(EditorTest, ClickAndEnterShowTheSelectedKey) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    clickNode(findNode("fltsim.1", "title"));
    EXPECT_EQ(m.lblSection->Caption(), "fltsim.1");
    EXPECT_EQ(m.lbKey->Caption(), "title");
    EXPECT_EQ(m.edValue->Text(), "Second Paint");

    // A section node empties the fields.
    clickNode(findNode("General"));
    EXPECT_EQ(m.lblSection->Caption(), "");
    EXPECT_EQ(m.edValue->Text(), "");

    // Arrow keys move the selection without showing; Enter shows the newly selected key.
    m.fsxCfgTree->Select(findNode("fltsim.0", "title"));
    SendMessageW(m.fsxCfgTree->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    pump();
    EXPECT_EQ(m.lbKey->Caption(), "");
    SendMessageW(m.fsxCfgTree->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(m.lblSection->Caption(), "fltsim.0");
    EXPECT_EQ(m.lbKey->Caption(), "sim");
    EXPECT_EQ(m.edValue->Text(), "Cessna172SP");
}

TEST_F(EditorTest, SaveWritesExactlyTheSelectedLine) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    const std::string before = readFile(c172());
    clickNode(findNode("fltsim.0", "title"));
    m.edValue->SetText("  New Title  ");
    bool lineDuringNotice = true;
    duringPause = [&] { lineDuringNotice = m.blLoadedAcft->Text() == "<b>Loaded Aircraft:</b> Cessna Skyhawk"; };
    click(*m.btnSave);

    std::string expected = before;
    expected.replace(expected.find("title=Cessna Skyhawk"), 20, "title=  New Title  ");
    EXPECT_EQ(readFile(c172()), expected);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].heading, "Saved...");
    EXPECT_EQ(notices[0].message, "\r\nThe edited value has been saved!");
    EXPECT_FALSE(notices[0].modal);
    EXPECT_FALSE(notices[0].buttonVisible);
    EXPECT_FALSE(notices[0].iconVisible);
    EXPECT_TRUE(lineDuringNotice) << "the title line changes only after the notice's pause";
    EXPECT_EQ(m.blLoadedAcft->Text(), "<b>Loaded Aircraft:</b>   New Title  ");
    EXPECT_FALSE(dialog().Visible());
    EXPECT_EQ(sounds.size(), 1u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(EditorTest, ALongValueShowsWholeAndSavesBackUnchanged) {
    const std::string longValue(3000, 'v');
    writeFile(c172(), "[fltsim.0]\r\ntitle=Cessna Skyhawk\r\ntexture=" + longValue + "\r\n");
    startEditor();
    TfrmMain_Trimwell& m = main();
    const std::string before = readFile(c172());
    clickNode(findNode("fltsim.0", "texture"));
    EXPECT_EQ(m.edValue->Text(), longValue);
    click(*m.btnSave);
    EXPECT_EQ(readFile(c172()), before);
}

TEST_F(EditorTest, SaveChangesTheTitleLineOnlyForTheFirstTitle) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    for (const auto& [section, key] : {std::pair{"fltsim.0", "sim"}, std::pair{"fltsim.1", "title"}}) {
        clickNode(findNode(section, key));
        m.edValue->SetText("Changed");
        click(*m.btnSave);
        EXPECT_EQ(m.blLoadedAcft->Text(), "<b>Loaded Aircraft:</b> Cessna Skyhawk") << section << " " << key;
    }
    EXPECT_NE(readFile(c172()).find("[fltsim.1]\r\ntitle=Changed\r\n"), std::string::npos);
}

TEST_F(EditorTest, SaveGoesToTheKeySelectedNowNotTheOneShown) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    clickNode(findNode("fltsim.0", "title"));
    m.fsxCfgTree->Select(findNode("fltsim.0", "sim"));  // moved with the arrows, no Enter
    m.edValue->SetText("Moved");
    click(*m.btnSave);
    const std::string text = readFile(c172());
    EXPECT_NE(text.find("title=Cessna Skyhawk"), std::string::npos);
    EXPECT_NE(text.find("[fltsim.0]\r\ntitle=Cessna Skyhawk\r\nsim=Moved\r\n"), std::string::npos);
}

TEST_F(EditorTest, RefusedSavesShowTheMessageBoxAndNoNotice) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    const std::string before = readFile(c172());

    // A section node with text in the value box.
    clickNode(findNode("fltsim.1"));
    m.edValue->SetText("x");
    click(*m.btnSave);
    // A read-only file.
    clickNode(findNode("fltsim.0", "sim"));
    m.edValue->SetText("y");
    SetFileAttributesW(c172().c_str(), FILE_ATTRIBUTE_READONLY);
    click(*m.btnSave);

    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.text, kSaveRefused);
        EXPECT_EQ(box.caption, "Corvane");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONERROR | MB_OK));
    }
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(readFile(c172()), before);
    EXPECT_EQ(m.edValue->Text(), "y");
}

TEST_F(EditorTest, AnyFailureUnderTheSaveGuardShowsTheMessageBox) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    clickNode(findNode("fltsim.0", "sim"));
    m.edValue->SetText("x");
    duringPause = [] { throw 42; };  // a failure that is no std::exception, during the notice
    click(*m.btnSave);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kSaveRefused);
    EXPECT_EQ(boxes[0].caption, "Corvane");
}

TEST_F(EditorTest, KeyNamesLongerThanAnyFixedBufferSaveIntoTheirOwnLine) {
    const std::string longKey(12000, 'k');
    writeFile(c172(), "[fltsim.0]\r\ntitle=T\r\n" + longKey + "=old\r\n");
    startEditor();
    TfrmMain_Trimwell& m = main();
    m.fsxCfgTree->Select(findNode("fltsim.0", longKey));
    SendMessageW(m.fsxCfgTree->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(m.lbKey->Caption(), longKey);
    EXPECT_EQ(m.edValue->Text(), "old");
    m.edValue->SetText("new");
    click(*m.btnSave);
    EXPECT_EQ(readFile(c172()), "[fltsim.0]\r\ntitle=T\r\n" + longKey + "=new\r\n");
}

TEST_F(EditorTest, EmptyValueBoxSavesNothing) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    const std::string before = readFile(c172());
    clickNode(findNode("fltsim.0", "model"));
    ASSERT_EQ(m.edValue->Text(), "");
    click(*m.btnSave);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].heading, "Value Box Blank...");
    EXPECT_EQ(notices[0].message, "\r\nNothing entered, nothing saved!");
    EXPECT_FALSE(dialog().Visible());
    EXPECT_EQ(readFile(c172()), before);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(EditorTest, LoadCfgAsksWithTheStatedDialogAndLoadsTheChoice) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    const auto other = sim() / L"Ünïcode folder" / "other.cfg";
    writeFile(other, "[fltsim.0]\r\ntitle=Other <i>Plane</i>\r\n[TRUSTED]\r\na=1\r\n");
    fileDialogAnswer = other.wstring();
    bool hiddenDuringPause = false;
    duringPause = [&] { hiddenDuringPause = !m.fsxCfgTree->Visible() && !m.suiScrollBar->Visible(); };
    click(*m.btnOpen);

    ASSERT_EQ(fileDialogRequests.size(), 1u);
    const OpenFileRequest& r = fileDialogRequests[0];
    EXPECT_EQ(r.title, L"Select your Aircraft CFG file");
    EXPECT_EQ(r.filterText, L"Aircraft CFG files (*.cfg)");
    EXPECT_EQ(r.filterPattern, L"*.cfg");
    EXPECT_EQ(r.initialDir, sim().wstring() + L"\\SimObjects\\Airplanes");
    EXPECT_EQ(r.fileName, L"");
    EXPECT_EQ(r.defaultExt, L"");
    EXPECT_TRUE(r.flags & OFN_HIDEREADONLY);
    EXPECT_TRUE(r.flags & OFN_ENABLESIZING);
    EXPECT_FALSE(r.flags & OFN_FILEMUSTEXIST);
    EXPECT_TRUE(hiddenDuringPause);

    EXPECT_EQ(CfgFileName, WideToUtf8(other.wstring()));
    EXPECT_EQ(nodeTexts(), (Texts{"fltsim.0", "  title", "TRUSTED", "  a"}));
    EXPECT_EQ(m.blLoadedAcft->Text(), "<b>Loaded Aircraft:</b> Other <i>Plane</i>");
    EXPECT_TRUE(m.fsxCfgTree->Visible());
    EXPECT_FALSE(m.suiScrollBar->Visible()) << "shown with the tree, then hidden as the file fits";
    EXPECT_TRUE(sounds.empty()) << "Load CFG plays no click";

    // The same file again gives the same tree, never a doubled one.
    click(*m.btnOpen);
    EXPECT_EQ(nodeTexts(), (Texts{"fltsim.0", "  title", "TRUSTED", "  a"}));
}

TEST_F(EditorTest, CancelledLoadChangesNothing) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    clickNode(findNode("fltsim.0", "sim"));
    const auto treeBefore = nodeTexts();
    fileDialogAnswer.reset();
    click(*m.btnOpen);
    EXPECT_EQ(nodeTexts(), treeBefore);
    EXPECT_EQ(m.edValue->Text(), "Cessna172SP");
    EXPECT_EQ(CfgFileName, WideToUtf8(c172().wstring()));
    EXPECT_TRUE(m.fsxCfgTree->Visible());
}

TEST_F(EditorTest, LoadingAMissingFileShowsOoopsAndKeepsTheTitleLine) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    fileDialogAnswer = (sim() / "typed-name.cfg").wstring();
    click(*m.btnOpen);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].heading, "Ooops...");
    EXPECT_EQ(notices[0].message, LoadResourceString(101));
    EXPECT_NE(notices[0].message.find("fsx.cfg file.") , std::string::npos);
    EXPECT_NE(notices[0].message.find("invalidated.\r\n\r\nPlease visit"), std::string::npos);
    EXPECT_EQ(notices[0].button, "&OK");
    EXPECT_TRUE(notices[0].modal);
    EXPECT_TRUE(notices[0].buttonVisible);
    EXPECT_TRUE(notices[0].iconVisible);
    EXPECT_FALSE(notices[0].mainEnabled) << "a modal notice disables the main window";
    EXPECT_TRUE(IsWindowEnabled(m.Handle()));
    EXPECT_EQ(m.fsxCfgTree->Count(), 0);
    EXPECT_TRUE(m.fsxCfgTree->Visible());
    EXPECT_EQ(m.blLoadedAcft->Text(), "<b>Loaded Aircraft:</b> Cessna Skyhawk");
}

namespace {

// Counts the messages the thread takes from its queue while the message dialog is modal.
class ModalMessageCount {
public:
    ModalMessageCount() : hook_(SetWindowsHookExW(WH_GETMESSAGE, &ModalMessageCount::seen, nullptr, GetCurrentThreadId())) {
        count_ = 0;
    }
    ~ModalMessageCount() { UnhookWindowsHookEx(hook_); }
    ModalMessageCount(const ModalMessageCount&) = delete;
    ModalMessageCount& operator=(const ModalMessageCount&) = delete;
    int count() const { return count_; }

private:
    static LRESULT CALLBACK seen(int code, WPARAM wp, LPARAM lp) {
        if (code >= 0 && wp == PM_REMOVE && frmDialog != nullptr && frmDialog->IsModal()) ++count_;
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline int count_ = 0;
    HHOOK hook_;
};

}  // namespace

TEST_F(EditorTest, ExitDuringLoadingLetsTheOoopsNoticeEndWithoutWaitingForInput) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    fileDialogAnswer = (sim() / "typed-name.cfg").wstring();
    // Nobody answers the notice.
    frmDialog->OnShow = [this](TComponent&) { notices.push_back({dialog().hdgLabel->Text(), "", "", true, true, true, false}); };
    postClick(*m.btnCloseMain);  // handled inside the first pause, before the notice
    // Should the notice wait for input after all, a timer ends the wait after ten seconds.
    const UINT_PTR lastResort = SetTimer(nullptr, 0, 10000, nullptr);
    int taken = 0;
    {
        const ModalMessageCount modalMessages;
        click(*m.btnOpen);
        taken = modalMessages.count();
    }
    KillTimer(nullptr, lastResort);
    EXPECT_EQ(taken, 0) << "the notice waited for a message after the quit";
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].heading, "Ooops...");
    EXPECT_TRUE(app->Terminated());
    EXPECT_FALSE(dialog().Visible());
    EXPECT_TRUE(m.fsxCfgTree->Visible()) << "the load runs to its end";
}

TEST_F(EditorTest, ExitWhileSavedShowsEndsTheProgramAfterTheSave) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    clickNode(findNode("fltsim.0", "title"));
    m.edValue->SetText("Last");
    postClick(*m.btnCloseMain);  // handled inside the save's pause
    click(*m.btnSave);
    EXPECT_TRUE(app->Terminated());
    EXPECT_TRUE(m.Visible()) << "the window stays until the loop is back";
    EXPECT_EQ(m.blLoadedAcft->Text(), "<b>Loaded Aircraft:</b> Last");
    EXPECT_FALSE(dialog().Visible());
    EXPECT_EQ(sounds.size(), 2u);
    app->Run();  // returns at once: the recorded quit is honoured
}

TEST_F(EditorTest, AModalNoticeDuringAModelessOneGoesToTheErrorReport) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    clickNode(findNode("fltsim.0", "sim"));
    m.edValue->SetText("Z");
    std::filesystem::remove(sim() / "fsx.exe");  // Exit to FSX will ask for the modal notice
    postClick(*m.btnExitFSX);
    bool hmmmmOnScreen = false;
    duringPause = [&] {
        pump();
        hmmmmOnScreen = dialog().Visible() && dialog().hdgLabel->Text() == "Hmmmm..." &&
                        dialog().btnCloseMain->Visible() && !dialog().IsModal();
    };
    click(*m.btnSave);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Cannot make a visible window modal.");
    EXPECT_EQ(boxes[0].caption, "Trimwell");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(hmmmmOnScreen);
    EXPECT_FALSE(app->Terminated()) << "Exit to FSX ended before closing the window";
    EXPECT_FALSE(dialog().Visible());
}

TEST_F(EditorTest, ExitToFsxStartsTheSimulator) {
    // The 8-bit start call gets the program's path in the code page, not in UTF-8.
    const auto folder = sim() / L"Simulat\u00E9ur";
    writeFile(folder / "fsx.exe", "MZ");
    registerSimulator(folder);
    startEditor();
    click(*main().btnExitFSX);
    app->ProcessMessages();
    EXPECT_EQ(opened, (Texts{WideToAnsi(folder.wstring()) + "\\fsx.exe"}));
    EXPECT_TRUE(app->Terminated());
    EXPECT_TRUE(notices.empty());
}

TEST_F(EditorTest, ExitToFsxWithoutTheSimulatorSaysSoAndEnds) {
    startEditor();
    std::filesystem::remove(sim() / "fsx.exe");
    click(*main().btnExitFSX);
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].heading, "Hmmmm...");
    EXPECT_EQ(notices[0].message, LoadResourceString(100));
    app->ProcessMessages();
    EXPECT_TRUE(app->Terminated());
}

TEST_F(EditorTest, DialogClosesByEscOrButtonAndIsAlwaysTheSameWindow) {
    startEditor();
    TfrmDialog* const first = frmDialog;
    const HWND handle = dialog().Handle();
    main().ShowMessageDialog("Saved...", "\r\nx", "", false);
    EXPECT_TRUE(dialog().Visible());
    SendMessageW(dialog().Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(dialog().Visible());
    dialog().Close();  // a caller closing it again changes nothing
    EXPECT_FALSE(dialog().Visible());

    // The modal button plays the click and ends the wait.
    frmDialog->OnShow = [this](TComponent&) { postClick(*dialog().btnCloseMain); };
    main().ShowMessageDialog("Hmmmm...", "m", "&OK", true);
    EXPECT_FALSE(dialog().Visible());
    EXPECT_EQ(sounds.size(), 1u);
    EXPECT_EQ(frmDialog, first);
    EXPECT_EQ(dialog().Handle(), handle);
}

namespace {

// What the styling pass leaves of the tree and its linked bar.
struct ScrolledState {
    int barPosition, barMin, barMax, lineButton, nativePosition;
    bool barVisible, barEnabled, horizontalShown, firstNodeOnTop;
    bool operator==(const ScrolledState&) const = default;
};

ScrolledState StateOf(TfrmMain_Trimwell& m) {
    const HWND tree = m.fsxCfgTree->Handle();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(tree, SB_VERT, &si);
    SCROLLBARINFO horizontal{};
    horizontal.cbSize = sizeof horizontal;
    GetScrollBarInfo(tree, OBJID_HSCROLL, &horizontal);
    TsuiScrollBar& bar = *m.suiScrollBar;
    return {bar.Position(), bar.Min(), bar.Max(), bar.LineButton(), si.nPos, bar.Visible(), bar.Enabled(),
            (horizontal.rgstate[0] & STATE_SYSTEM_INVISIBLE) == 0, TreeView_GetFirstVisible(tree) == TreeView_GetRoot(tree)};
}

}  // namespace

// When a notice goes, the main window is active again and the keys the user types next reach the
// control that had the focus before: after a modeless notice and after a modal one, whether the
// action came from the keyboard (the focus stays in the value box) or from a click (a skinned
// button takes the focus when pressed, and keeps it).
TEST_F(EditorTest, TheKeysAfterANoticeReachTheControlThatHadTheFocus) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    const auto typedReachesValueBox = [&](WORD key, char letter) {
        pressKey(key);
        for (int i = 0; i < 200 && m.edValue->Text().find(letter) == std::string::npos; ++i) {
            Sleep(5);
            pump();
        }
        return m.edValue->Text().find(letter) != std::string::npos;
    };
    const auto waitForNotices = [&](std::size_t count) {
        for (int i = 0; i < 1000 && (notices.size() < count || dialog().Visible()); ++i) {
            Sleep(5);
            pump();
        }
        return notices.size() == count && !dialog().Visible();
    };
    clickNode(findNode("fltsim.0", "sim"));
    SetFocus(m.edValue->Handle());
    pressAltKey('S');
    ASSERT_TRUE(waitForNotices(1));
    EXPECT_EQ(GetActiveWindow(), m.Handle());
    EXPECT_EQ(GetFocus(), m.edValue->Handle());
    EXPECT_TRUE(typedReachesValueBox('Q', 'q')) << "the key went nowhere: " << m.edValue->Text();

    click(*m.btnSave);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(GetActiveWindow(), m.Handle());
    EXPECT_EQ(GetFocus(), m.btnSave->Handle()) << "the pressed button had the focus";

    fileDialogAnswer = (sim() / "typed-name.cfg").wstring();
    SetFocus(m.edValue->Handle());
    pressAltKey('L');  // the modal "Ooops..." notice, answered with Esc
    ASSERT_TRUE(waitForNotices(3));
    EXPECT_TRUE(notices[2].modal);
    EXPECT_EQ(GetActiveWindow(), m.Handle());
    EXPECT_EQ(GetFocus(), m.edValue->Handle());
    EXPECT_TRUE(typedReachesValueBox('J', 'j')) << "the key went nowhere: " << m.edValue->Text();
}

TEST_F(EditorTest, CloseMinimiseAndTheMakersLink) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    const HWND form = m.Handle();
    const auto at = [](TControl& c) { return MAKELPARAM(c.Left() + 3, c.Top() + 3); };

    // The link: bold, underlined under the pointer, opens the maker's page.
    EXPECT_EQ(m.lbCorvane->Font().Desc().style, static_cast<TFontStyles>(fsBold));
    SendMessageW(form, WM_MOUSEMOVE, 0, at(*m.lbCorvane));
    EXPECT_EQ(m.lbCorvane->Font().Desc().style, static_cast<TFontStyles>(fsBold | fsUnderline));
    SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, at(*m.lbCorvane));
    SendMessageW(form, WM_LBUTTONUP, 0, at(*m.lbCorvane));
    EXPECT_EQ(opened, (Texts{std::string(kMakerPage)}));
    EXPECT_NE(std::string(kMakerPage).find("/?=Trimwell"), std::string::npos);
    SendMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(300, 100));
    EXPECT_EQ(m.lbCorvane->Font().Desc().style, static_cast<TFontStyles>(fsBold));
    EXPECT_EQ(m.lbCorvane->Cursor(), crHandPoint);

    // Minimise: the window leaves the screen, the application's task bar button stays.
    SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, at(*m.btnMinimize));
    SendMessageW(form, WM_LBUTTONUP, 0, at(*m.btnMinimize));
    pump();
    EXPECT_TRUE(IsIconic(app->Handle()));
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_FALSE(app->Terminated());
    app->Restore();
    pump();
    EXPECT_TRUE(IsWindowVisible(form));

    // The title close button ends the program, with the click.
    SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, at(*m.btnClose));
    SendMessageW(form, WM_LBUTTONUP, 0, at(*m.btnClose));
    app->ProcessMessages();
    EXPECT_TRUE(app->Terminated());
    EXPECT_EQ(sounds.size(), 2u);
    EXPECT_EQ(sounds[0], WideToAnsi(sim().wstring()) + "\\Uires\\btnstdc.wav");
}

TEST_F(EditorTest, TheClickSoundIsNamedSoThe8BitCallFindsIt) {
    // A folder the code page can spell reaches the call in it; one it cannot by its short name.
    for (const wchar_t* name : {L"Fl\u00E9ight Sim", L"Sim \u2708 \u65E5\u672C"}) {
        const auto folder = sim() / name;
        writeFile(folder / "Uires" / "btnstdc.wav", "RIFF");
        writeFile(folder / "fsx.exe", "MZ");
        registerSimulator(folder);
        sounds.clear();
        PlayClickSound();
        ASSERT_EQ(sounds.size(), 1u);
        EXPECT_NE(sounds[0], WideToUtf8((folder / "Uires" / "btnstdc.wav").wstring()));
        EXPECT_NE(GetFileAttributesA(sounds[0].c_str()), INVALID_FILE_ATTRIBUTES) << sounds[0];
    }
}

TEST_F(EditorTest, ButtonsAnswerTheirAccessLetters) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    fileDialogAnswer.reset();
    constexpr LPARAM altHeld = LPARAM{1} << 29;
    SendMessageW(m.edValue->Handle(), WM_SYSCHAR, L'l', altHeld);
    EXPECT_EQ(fileDialogRequests.size(), 1u);
    SendMessageW(m.edValue->Handle(), WM_SYSCHAR, L'E', altHeld);
    app->ProcessMessages();
    EXPECT_TRUE(app->Terminated());
}

TEST_F(EditorTest, AKeyTheFileHoldsTwiceShowsTwiceAndBothReadTheFirst) {
    writeFile(c172(), "[fltsim.0]\r\ntitle=First\r\nsim=C172\r\nTitle=Second\r\n");
    startEditor();
    TfrmMain_Trimwell& m = main();
    EXPECT_EQ(nodeTexts(), (Texts{"fltsim.0", "  title", "  sim", "  Title"}));
    clickNode(m.fsxCfgTree->NodeAt(3));
    EXPECT_EQ(m.lbKey->Caption(), "Title");
    EXPECT_EQ(m.edValue->Text(), "First");
}

// A file of more sections than the tree shows: Load CFG hides tree and bar while it reloads and
// shows them after, the bar over the native one and in step with the tree at its top. The pass
// moves the bar to its end and back once after the walk rather than at every node: the end
// state is the same as the node-by-node pass leaves, as the pass run that way shows.
TEST_F(EditorTest, LoadCfgOfALongFileShowsTheBarInStepAndTheStylingPassEndsAsNodeByNode) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    std::string text = "[fltsim.0]\r\ntitle=Long\r\n";
    for (int i = 1; i < 150; ++i)
        text += "[section." + std::to_string(i) + "]\r\nkey_a=1\r\nkey_b=2\r\n";
    const auto longFile = sim() / "long.cfg";
    writeFile(longFile, text);
    fileDialogAnswer = longFile.wstring();
    bool hiddenDuringPause = false;
    duringPause = [&] { hiddenDuringPause = !m.fsxCfgTree->Visible() && !m.suiScrollBar->Visible(); };
    click(*m.btnOpen);
    EXPECT_TRUE(hiddenDuringPause);
    ASSERT_EQ(m.fsxCfgTree->Count(), 2 + 149 * 3);

    const ScrolledState once = StateOf(m);
    EXPECT_TRUE(once.barVisible);
    EXPECT_TRUE(once.barEnabled);
    EXPECT_EQ(once.barPosition, 0);
    EXPECT_EQ(once.nativePosition, 0);
    EXPECT_GT(once.barMax, 100);
    EXPECT_GE(once.lineButton, kMinLineButton);
    EXPECT_FALSE(once.horizontalShown);
    EXPECT_TRUE(once.firstNodeOnTop);

    // The pass as the tree's nodes are walked, the bar moved at every one of them.
    TTreeView& tree = *m.fsxCfgTree;
    tree.Clear();
    FillTreeFromIni(tree, TIniFile(CfgFileName), true);
    const int count = tree.Count();
    for (int i = 0; i < count; ++i) {
        const TTreeView::Node node = tree.NodeAt(i);
        if (tree.HasChildren(node)) SetNodeBold(tree, node, true);
        m.suiScrollBar->SetPosition(10);
        m.suiScrollBar->SetPosition(0);
        ShowScrollBar(tree.Handle(), SB_HORZ, FALSE);
    }
    EXPECT_EQ(StateOf(m), once);
}

// The keys of a section reach the platform's tree when the user opens it, so that clearing a long
// file's tree stays quick. Until then the section shows its expand button, counts and walks with
// its keys and is bold; a click opens it with its keys in file order, ready to pick.
TEST_F(EditorTest, KeysJoinThePlatformsTreeWhenTheirSectionOpens) {
    writeFile(c172(), "[fltsim.0]\r\ntitle=T\r\n[a]\r\nk1=1\r\nk2=2\r\n[b]\r\nz=9\r\ny=8\r\nx=7\r\n[empty]\r\n");
    startEditor();
    TfrmMain_Trimwell& m = main();
    TTreeView& tree = *m.fsxCfgTree;
    const HWND h = tree.Handle();
    const auto children = [&](TTreeView::Node n) {
        TVITEMW item{};
        item.mask = TVIF_CHILDREN;
        item.hItem = n;
        TreeView_GetItem(h, &item);
        return item.cChildren;
    };
    const TTreeView::Node b = TreeView_GetNextSibling(h, TreeView_GetNextSibling(h, TreeView_GetRoot(h)));
    ASSERT_EQ(tree.NodeText(b), "b");
    EXPECT_EQ(TreeView_GetChild(h, b), nullptr) << "not yet in the platform's tree";
    EXPECT_EQ(children(b), 1) << "the expand button shows";
    EXPECT_EQ(children(findNode("empty")), 0);
    EXPECT_TRUE(tree.HasChildren(b));
    EXPECT_NE(tree.State(b, TVIS_BOLD), 0u);
    EXPECT_EQ(tree.Count(), 10);

    clickNode(b);
    EXPECT_NE(tree.State(b, TVIS_EXPANDED), 0u);
    std::vector<std::string> shown;
    for (TTreeView::Node n = TreeView_GetNextVisible(h, b); n != nullptr && tree.ParentOf(n) == b;
         n = TreeView_GetNextVisible(h, n))
        shown.push_back(tree.NodeText(n));
    EXPECT_EQ(shown, (Texts{"z", "y", "x"}));
    clickNode(findNode("b", "y"));
    EXPECT_EQ(m.lbKey->Caption(), "y");
    EXPECT_EQ(m.edValue->Text(), "8");
    EXPECT_EQ(tree.Count(), 10);
    EXPECT_EQ(nodeTexts(), (Texts{"fltsim.0", "  title", "a", "  k1", "  k2", "b", "  z", "  y", "  x", "empty"}));
}
