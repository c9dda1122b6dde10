#include "u_main.h"

#include <commdlg.h>
#include <mmsystem.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "EditorColors.h"
#include "EditorResources.h"
#include "config/FSXPath.h"
#include "platform/Files.h"
#include "platform/Shell_win.h"
#include "platform/Resources.h"
#include "platform/Resources_win.h"
#include "platform/Text.h"
#include "u_frmDialog.h"

namespace trimwell {

std::string CfgFileName;
TfrmMain_Trimwell* frmMain_Trimwell = nullptr;
std::function<std::uint32_t()> TickCount = [] { return static_cast<std::uint32_t>(GetTickCount()); };
std::function<void(std::uint32_t)> WaitForMessages = SleepUntilMessage;

namespace {

constexpr const char* kDefaultAircraft = "\\SimObjects\\Airplanes\\C172\\aircraft.cfg";
constexpr const char* kAircraftFolder = "\\SimObjects\\Airplanes";
constexpr const char* kSimulatorProgram = "\\fsx.exe";
constexpr const char* kClickSound = "\\Uires\\btnstdc.wav";
constexpr UINT kClickSoundFlags = SND_FILENAME | SND_ASYNC;
constexpr int kSectionImage = 1;
constexpr int kKeyImage = 2;

}  // namespace

// The value box gets the whole value: it is what Save Key writes back, so a value cut for showing
// would lose its end at the next save.
std::string ReadCfgValue(const std::string& section, const std::string& key) {
    const TIniFile file(CfgFileName);
    return file.ReadWholeValue(section, key, "");
}

void WriteCfgValue(const std::string& section, const std::string& key, const std::string& value) {
    TIniFile file(CfgFileName);
    file.WriteValue(section, key, value);
}

void SleepUntilMessage(std::uint32_t ms) {
    MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

// Between batches of messages the thread sleeps until the next message or the end of the pause,
// so a notice costs no processor time while every message is still handled at once.
void PauseWithMessages(std::uint32_t ms) {
    const std::uint32_t start = TickCount();
    for (;;) {
        Application().ProcessMessages();
        const std::uint32_t elapsed = TickCount() - start;
        if (elapsed >= ms) return;
        WaitForMessages(ms - elapsed);
    }
}

void PlayClickSound() {
    const std::string sound = GetFSXPath() + kClickSound;
    if (FileExists(sound)) Platform().playSound(AnsiFileName(sound), kClickSoundFlags);
}

// Every section node is added before any key node. The tree ends the same, but the platform's
// tree may look a parent node up among its items in the order they were added (Wine's does, at
// every insert): parents added first are found at once however many keys the file holds.
void FillTreeFromIni(TTreeView& tree, const TCustomIniFile& file, bool selectFirst) {
    TStrings sections, keys;
    file.ListSectionNames(sections);
    std::vector<std::pair<const std::string*, TTreeView::Node>> shown;
    for (const std::string& section : sections)
        if (section != "Trusted") shown.emplace_back(&section, tree.AddChild(nullptr, section, kSectionImage));
    for (const auto& [section, node] : shown) {
        file.ListKeyNames(*section, keys);
        tree.AddChildren(node, std::move(keys), kKeyImage);
        keys.clear();
    }
    if (selectFirst && tree.Count() > 0) tree.Select(tree.NodeAt(0));
}

void SetNodeBold(TTreeView& tree, TTreeView::Node node, bool bold) {
    if (node == nullptr) return;
    tree.SetState(node, bold ? TVIS_BOLD : 0, TVIS_BOLD);
}

namespace {

using Values = std::vector<std::pair<std::string, PropertyValue>>;

Values place(int l, int t, int w, int h, Values more = {}) {
    Values v{{"Left", std::int64_t{l}}, {"Top", std::int64_t{t}}, {"Width", std::int64_t{w}}, {"Height", std::int64_t{h}}};
    v.insert(v.end(), more.begin(), more.end());
    return v;
}

constexpr std::int64_t kPanelColor = 0x00F7FFF7;
constexpr std::int64_t kTitleButtonColor = 0x007F3727;

// The four skinned buttons: drawn from the window's embedded skin, which also gives them their
// transparency and caption colour when it is attached.
Values pushButton(int l, int t, const char* caption, int tabOrder) {
    return place(l, t, 100, 26, {{"Caption", std::string(caption)},
                                 {"Font.Color", kButtonText},
                                 {"Font.Style", std::int64_t{fsBold}},
                                 {"FileTheme", Ref{"suiBuiltInFileTheme"}},
                                 {"UIStyle", std::string("FromThemeFile")},
                                 {"TabOrder", std::int64_t{tabOrder}},
                                 {"Transparent", true}});
}

Values frameCaption(int l, int t, int w, const char* caption) {
    return place(l, t, w, 13, {{"Caption", std::string(caption)},
                               {"Color", kPanelColor},
                               {"Font.Color", std::int64_t{clBlack}},
                               {"Font.Style", std::int64_t{fsBold}}});
}

Values valueField(int t) {
    return place(253, t, 220, 13, {{"Alignment", std::int64_t{static_cast<int>(TAlignment::taCenter)}},
                                   {"Color", kPanelColor},
                                   {"Constraints.MaxWidth", std::int64_t{220}},
                                   {"Constraints.MinWidth", std::int64_t{220}},
                                   {"Font.Color", std::int64_t{clNavy}}});
}

Values framePicture(int t) {
    return place(243, t, 239, 58, {{"Picture", std::string(kFramePictureName)}, {"Stretch", true}});
}

// A title-bar button: its three lists, image 0, no border, no visual styles.
Values titleButton(int left, const char* images, const char* hotImages, const char* downImages) {
    return place(left, 6, 34, 34, {{"Color", kTitleButtonColor},
                                   {"DownImages", Ref{downImages}},
                                   {"HotImages", Ref{hotImages}},
                                   {"ImageIndex", std::int64_t{0}},
                                   {"Images", Ref{images}},
                                   {"LinkStyle", std::int64_t{fsUnderline}},
                                   {"NumGlyphs", std::int64_t{1}},
                                   {"ParentColor", false},
                                   {"ShowBorder", false},
                                   {"Spacing", std::int64_t{0}},
                                   {"UseImageList", true},
                                   {"UseXPThemes", false}});
}

// One of the title buttons' lists: 30 x 22 cells from the stream the build encoded.
LayoutRow titleButtonList(const char* name, const char* streamResource, TElImageList** bound) {
    return Row<TElImageList>(name, "", {{"Height", std::int64_t{22}},
                                        {"Width", std::int64_t{30}},
                                        {"Bitmap", LoadProgramData(streamResource).value_or(Bytes{})}}, bound);
}

// Creation order is back-to-front order; the windowed controls lie above every picture and label.
std::vector<LayoutRow> mainLayout(TfrmMain_Trimwell& form) {
    return {
        // The skin both windows carry; the skinned controls take their look from it.
        Row<TsuiBuiltInFileTheme>("suiBuiltInFileTheme", "", {{"SkinData", EmbeddedSkinArchive()}},
                                  &form.suiBuiltInFileTheme),
        Row<TsuiSkinForm>("suiSkinForm", "", place(0, 0, 500, 368, {{"Glyph", std::string(kMainPictureName)},
                                                                   {"TransparentColor", kSkinTransparent}}),
                          &form.suiSkinForm),
        Row<TImage>("imgKey", "", framePicture(139), &form.imgKey),
        Row<TImage>("imgSection", "", framePicture(72), &form.imgSection),
        Row<TElGraphicButton>("btnClose", "", titleButton(444, "imgListClose", "imgListCloseHot", "imgListCloseDown"),
                              &form.btnClose),
        Row<TElGraphicButton>("btnMinimize", "", titleButton(412, "imgListMin", "imgListMinHot", "imgListMinDown"),
                              &form.btnMinimize),
        Row<TElLabel>("lbMainTitle", "", place(62, 10, 315, 27, {{"Caption", std::string("CORVANE - TRIMWELL")},
                                                                 {"Font.Name", std::string("Trebuchet MS")},
                                                                 {"Font.Height", std::int64_t{-21}},
                                                                 {"OutlineColor", std::int64_t{0x00F5EDE9}}}),
                      &form.lbMainTitle),
        Row<TLabel>("lbCorvane", "", place(56, 330, 160, 13, {{"Caption", std::string("Visit the Corvane web site")},
                                                              {"Cursor", std::int64_t{crHandPoint}},
                                                              {"Font.Color", std::int64_t{clNavy}},
                                                              {"Font.Style", std::int64_t{fsBold}},
                                                              {"Transparent", true}}), &form.lbCorvane),
        Row<TLabel>("lblSection", "", valueField(95), &form.lblSection),
        Row<TLabel>("lbKey", "", valueField(162), &form.lbKey),
        Row<TImage>("imgValue", "", framePicture(206), &form.imgValue),
        Row<TLabel>("lbGbSection", "", frameCaption(256, 67, 42, "Section"), &form.lbGbSection),
        Row<TLabel>("lbGbKey", "", frameCaption(256, 134, 21, "Key"), &form.lbGbKey),
        Row<TLabel>("lbGbValue", "", frameCaption(256, 201, 31, "Value"), &form.lbGbValue),
        Row<TLabel>("Label1", "", place(100, 177, 53, 13, {{"Caption", std::string("Loading...")},
                                                           {"Font.Style", std::int64_t{fsBold}},
                                                           {"Transparent", true}}), &form.Label1),
        Row<TElHTMLLabel>("blLoadedAcft", "", place(25, 53, 460, 13, {{"Caption", std::string("<b>Loaded Aircraft:</b>")},
                                                                     {"AutoSize", false},
                                                                     {"IsHTML", true},
                                                                     {"LinkStyle", std::int64_t{fsUnderline}}}),
                          &form.blLoadedAcft),
        Row<TsuiButton>("btnCloseMain", "", pushButton(363, 325, "&Exit", 4), &form.btnCloseMain),
        Row<TsuiButton>("btnSave", "", pushButton(367, 269, "&Save Key", 2), &form.btnSave),
        Row<TsuiButton>("btnExitFSX", "", pushButton(257, 325, "Exit to &FSX", 5), &form.btnExitFSX),
        Row<TsuiTreeView>("fsxCfgTree", "", place(25, 72, 210, 225, {{"FileTheme", Ref{"suiBuiltInFileTheme"}},
                                                                    {"UIStyle", std::string("FromThemeFile")},
                                                                    {"BorderColor", std::int64_t{0x0080521C}},
                                                                    {"VScrollBar", Ref{"suiScrollBar"}},
                                                                    {"AutoExpand", true},
                                                                    {"BorderStyle", std::int64_t{0}},
                                                                    {"BorderWidth", std::int64_t{2}},
                                                                    {"Color", std::int64_t{clWhite}},
                                                                 {"Font.Color", std::int64_t{clBlack}},
                                                                 {"Font.Height", std::int64_t{-9}},
                                                                 {"Font.Name", std::string("Verdana")},
                                                                 {"HideSelection", false},
                                                                 {"HotTrack", true},
                                                                 {"Indent", std::int64_t{20}},
                                                                 {"ReadOnly", true},
                                                                 {"TabOrder", std::int64_t{1}},
                                                                 {"ToolTips", true}}), &form.fsxCfgTree),
        Row<TsuiEdit>("edValue", "", place(256, 225, 214, 19, {{"UIStyle", std::string("Protein")},
                                                              {"BorderColor", std::int64_t{clBlack}},
                                                              {"AutoSize", false},
                                                              {"Color", std::int64_t{0x00EFE7DE}},
                                                           {"Font.Color", std::int64_t{clBlack}},
                                                           {"TabOrder", std::int64_t{3}}}), &form.edValue),
        Row<TsuiButton>("btnOpen", "", pushButton(261, 269, "&Load CFG", 0), &form.btnOpen),
        Row<TsuiScrollBar>("suiScrollBar", "", place(217, 73, 16, 223, {{"Orientation", std::int64_t{static_cast<int>(TsuiProgressBarOrientation::suiVertical)}},
                                                                       {"UIStyle", std::string("Protein")},
                                                                       {"Max", std::int64_t{1}},
                                                                       {"SmallChange", std::int64_t{5}},
                                                                       {"LargeChange", std::int64_t{2}},
                                                                       {"PageSize", std::int64_t{2}},
                                                                       {"Color", std::int64_t{0x00F5F5F5}},
                                                                       {"Enabled", false},
                                                                       {"Visible", false}}), &form.suiScrollBar),
        // The tree's images, and the title buttons' glyphs.
        Row<TImageList>("imgTreeIcos", "", {{"Height", std::int64_t{16}},
                                            {"Width", std::int64_t{16}},
                                            {"Picture", std::string(kTreeIconsName)}}, &form.imgTreeIcos),
        titleButtonList("imgListClose", kCloseListName, &form.imgListClose),
        titleButtonList("imgListCloseHot", kCloseHotListName, &form.imgListCloseHot),
        titleButtonList("imgListCloseDown", kCloseDownListName, &form.imgListCloseDown),
        titleButtonList("imgListMin", kMinimizeListName, &form.imgListMin),
        titleButtonList("imgListMinHot", kMinimizeHotListName, &form.imgListMinHot),
        titleButtonList("imgListMinDown", kMinimizeDownListName, &form.imgListMinDown),
    };
}


}  // namespace

TfrmMain_Trimwell::TfrmMain_Trimwell(TComponent* owner) : TForm(owner) {
    SetName("frmMain_Trimwell");
    ApplyProperties(*this,
                    {{"ClientWidth", std::int64_t{500}},
                     {"ClientHeight", std::int64_t{368}},
                     {"Color", kPanelColor},
                     {"Font.Name", std::string("Tahoma")},
                     {"Font.Height", std::int64_t{-11}},
                     {"Font.Color", std::int64_t{clWindowText}},
                     {"Caption", std::string("Corvane - Trimwell")},
                     {"Scaled", false}},
                    *this);
    LoadLayout(*this, mainLayout(*this));
    fsxCfgTree->SetImages(imgTreeIcos->Handle());
    bindEvents();
    frmMain_Trimwell = this;
}

void TfrmMain_Trimwell::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    params.className = L"TfrmMain_Trimwell";
}


void TfrmMain_Trimwell::bindEvents() {
    OnCreate = [this](TComponent& s) { FormCreate(s); };
    OnShow = [this](TComponent& s) { FormShow(s); };
    fsxCfgTree->OnClick = [this](TComponent& s) { fsxCfgTreeClick(s); };
    fsxCfgTree->OnKeyDown = [this](TComponent& s, WORD& key, TShiftState shift) { fsxCfgTreeKeyDown(s, key, shift); };
    btnSave->OnClick = [this](TComponent& s) { btnSaveClick(s); };
    btnOpen->OnClick = [this](TComponent& s) { btnOpenClick(s); };
    btnExitFSX->OnClick = [this](TComponent& s) { btnExitFSXClick(s); };
    btnCloseMain->OnClick = [this](TComponent& s) { btnCloseMainClick(s); };
    btnClose->OnClick = [this](TComponent& s) { btnCloseClick(s); };
    btnMinimize->OnClick = [this](TComponent& s) { btnMinimizeClick(s); };
    lbCorvane->OnMouseEnter = [this](TComponent& s) { lbCorvaneMouseEnter(s); };
    lbCorvane->OnMouseLeave = [this](TComponent& s) { lbCorvaneMouseLeave(s); };
    lbCorvane->OnClick = [this](TComponent& s) { lbCorvaneClick(s); };
}

void TfrmMain_Trimwell::FormCreate(TComponent&) { ClearEditFields(); }

void TfrmMain_Trimwell::FormShow(TComponent&) {
    CfgFileName = GetFSXPath() + kDefaultAircraft;
    if (!FileExists(CfgFileName)) return;
    ReloadConfig();
    showTreeAndBar();
}

// The bar is shown with the tree, then brought in step with the tree's native bar at once: a
// file that fits has no native bar, and a bar left standing would cover the tree's right edge.
void TfrmMain_Trimwell::showTreeAndBar() {
    fsxCfgTree->Show();
    suiScrollBar->Show();
    fsxCfgTree->SyncScrollBars();
}

void TfrmMain_Trimwell::ClearEditFields() {
    lblSection->SetCaption("");
    lbKey->SetCaption("");
    edValue->SetText("");
}

void TfrmMain_Trimwell::SetLoadedAircraftTitle(const std::string& title) {
    blLoadedAcft->SetCaptionAnsi(kLoadedAircraftPrefix + title);
}

void TfrmMain_Trimwell::LoadConfig() {
    const TIniFile file(CfgFileName);
    FillTreeFromIni(*fsxCfgTree, file, true);
    SetLoadedAircraftTitle(file.ReadValue("fltsim.0", "title", "(None)"));
}

void TfrmMain_Trimwell::ReloadConfig() {
    fsxCfgTree->Clear();
    ClearEditFields();
    if (FileExists(CfgFileName))
        LoadConfig();
    else
        ShowMessageDialog("Ooops...", LoadResourceString(kFileNotFoundText), "&OK", true);
    StyleTree();
}

void TfrmMain_Trimwell::StyleTree() {
    TTreeView& tree = *fsxCfgTree;
    if (const TTreeView::Node first = tree.NodeAt(0); first != nullptr) {
        // Sections that hold keys are bold. Only section nodes can have children in this
        // two-level tree, so the sections alone are visited: every platform call on the tree
        // costs, and a walk over the key nodes too would find nothing more.
        for (TTreeView::Node node = first; node != nullptr; node = tree.NextSibling(node))
            if (tree.HasChildren(node)) SetNodeBold(tree, node, true);
        // Moving the linked bar to its end and back leaves the freshly filled tree scrolled to
        // its top with the bar in step; once is enough, as nothing is drawn in between.
        suiScrollBar->SetPosition(10);
        suiScrollBar->SetPosition(0);
        ShowScrollBar(tree.Handle(), SB_HORZ, FALSE);
    }
    tree.SetDoubleBuffered(true);
}

void TfrmMain_Trimwell::ShowMessageDialog(const std::string& heading, const std::string& message,
                                          const std::string& buttonCaption, bool modal) {
    frmDialog->hdgLabel->SetCaptionAnsi(heading);
    frmDialog->msgLabel->SetCaptionAnsi(message);
    frmDialog->btnCloseMain->SetCaption(buttonCaption);
    frmDialog->btnCloseMain->SetVisible(modal);
    frmDialog->imgError->SetVisible(modal);
    if (modal)
        frmDialog->ShowModal();
    else
        frmDialog->Show();
}

void TfrmMain_Trimwell::fsxCfgTreeClick(TComponent&) {
    const TTreeView::Node node = fsxCfgTree->Selected();
    const TTreeView::Node parent = fsxCfgTree->ParentOf(node);
    if (parent == nullptr) {
        ClearEditFields();
        return;
    }
    const std::string section = fsxCfgTree->NodeText(parent);
    const std::string key = fsxCfgTree->NodeText(node);
    const std::string value = ReadCfgValue(section, key);
    lblSection->SetCaption(section);
    lbKey->SetCaption(key);
    edValue->SetText(value);
}

void TfrmMain_Trimwell::fsxCfgTreeKeyDown(TComponent& sender, WORD& key, TShiftState) {
    if (key == VK_RETURN) fsxCfgTreeClick(sender);
}

void TfrmMain_Trimwell::btnSaveClick(TComponent&) {
    PlayClickSound();
    try {
        if (edValue->Text().empty()) {
            ShowMessageDialog("Value Box Blank...", "\r\nNothing entered, nothing saved!", "", false);
            PauseWithMessages(1500);
            frmDialog->Close();
            return;
        }
        const TTreeView::Node node = fsxCfgTree->Selected();
        const TTreeView::Node parent = fsxCfgTree->ParentOf(node);
        if (parent == nullptr) throw std::runtime_error("The selection is not a key");
        const std::string section = fsxCfgTree->NodeText(parent);
        const std::string key = fsxCfgTree->NodeText(node);
        const std::string value = edValue->Text();
        WriteCfgValue(section, key, value);
        ShowMessageDialog("Saved...", "\r\nThe edited value has been saved!", "", false);
        PauseWithMessages(2000);
        if (section == "fltsim.0" && key == "title") SetLoadedAircraftTitle(value);
        frmDialog->Close();
    } catch (...) {
        // Whatever failed, the user learns only that the value was not saved.
        Platform().messageBox(nullptr, "Unable to save CFG file! (May be in use)", "Corvane", MB_ICONERROR | MB_OK);
    }
}

void TfrmMain_Trimwell::btnOpenClick(TComponent&) {
    OpenFileRequest request;
    request.title = L"Select your Aircraft CFG file";
    request.filterText = L"Aircraft CFG files (*.cfg)";
    request.filterPattern = L"*.cfg";
    request.initialDir = Utf8ToWide(GetFSXPath() + kAircraftFolder);
    request.flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
    const std::optional<std::wstring> chosen = Platform().openFile(Handle(), request);
    if (!chosen) return;
    CfgFileName = WideToUtf8(*chosen);
    fsxCfgTree->Hide();
    suiScrollBar->Hide();
    PauseWithMessages(1000);
    ReloadConfig();
    PauseWithMessages(1000);
    showTreeAndBar();
}

void TfrmMain_Trimwell::btnExitFSXClick(TComponent&) {
    PlayClickSound();
    const std::string program = GetFSXPath() + kSimulatorProgram;
    if (FileExists(program))
        Platform().shellOpen(AnsiFileName(program));
    else
        ShowMessageDialog("Hmmmm...", LoadResourceString(kSimulatorNotFoundText), "&OK", true);
    Close();
}

void TfrmMain_Trimwell::btnCloseMainClick(TComponent&) {
    PlayClickSound();
    Close();
}

void TfrmMain_Trimwell::btnCloseClick(TComponent& sender) { btnCloseMainClick(sender); }

void TfrmMain_Trimwell::btnMinimizeClick(TComponent&) {
    PlayClickSound();
    Application().Minimize();
}

void TfrmMain_Trimwell::lbCorvaneMouseEnter(TComponent&) { lbCorvane->SetFontStyle(fsBold | fsUnderline); }

void TfrmMain_Trimwell::lbCorvaneMouseLeave(TComponent&) { lbCorvane->SetFontStyle(fsBold); }

void TfrmMain_Trimwell::lbCorvaneClick(TComponent&) { Platform().shellOpen(kMakerPage); }

}  // namespace trimwell
