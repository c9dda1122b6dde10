// Both live windows walked control by control against their designed layouts: kind, place,
// visibility, back-to-front order, tab order, fonts, colours and transparency. The expectations
// are written down here from the design, not read back from the windows' layout code.
#include "EditorFixture.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "framework/Graphics_win.h"
#include "labels/ElCLabel_win.h"
#include "platform/Text.h"
#include "skinctrls/SUIEdit_win.h"
#include "skinctrls/SUIScrollBar_win.h"
#include "skinctrls/SUITreeView_win.h"

using namespace trimwell;
using namespace trimwell::test;

namespace {

struct FontSpec {
    const char* name;
    int height;
    TFontStyles style;
    TColor color;
};
const FontSpec kTahoma{"Tahoma", -11, 0, clWindowText};
const FontSpec kTahomaBold{"Tahoma", -11, fsBold, clWindowText};
const FontSpec kButtonFont{"Tahoma", -11, fsBold, 0x006B635A};

constexpr TColor kPanel = 0x00F7FFF7;

struct Expected {
    const char* name;
    const char* kind;
    int left, top, width, height;
    bool visible;
    int tabOrder = -1;  // -1: not in the tab order (windowless)
    std::optional<FontSpec> font = std::nullopt;
    std::optional<TColor> color = std::nullopt;
    std::optional<bool> transparent = std::nullopt;
};

// The main window as designed, in creation (back-to-front) order, as the window stands before
// any file was loaded.
const std::vector<Expected> kMainWindow = {
    {"suiSkinForm", "TsuiSkinForm", 0, 0, 500, 368, true},
    {"imgKey", "TImage", 243, 139, 239, 58, true},
    {"imgSection", "TImage", 243, 72, 239, 58, true},
    {"btnClose", "TElGraphicButton", 444, 6, 34, 34, true, -1, std::nullopt, 0x007F3727},
    {"btnMinimize", "TElGraphicButton", 412, 6, 34, 34, true, -1, std::nullopt, 0x007F3727},
    {"lbMainTitle", "TElLabel", 62, 10, 315, 27, true, -1, FontSpec{"Trebuchet MS", -21, 0, clWindowText}},
    {"lbCorvane", "TLabel", 56, 330, 160, 13, true, -1, FontSpec{"Tahoma", -11, fsBold, clNavy}, std::nullopt, true},
    {"lblSection", "TLabel", 253, 95, 220, 13, true, -1, FontSpec{"Tahoma", -11, 0, clNavy}, kPanel, false},
    {"lbKey", "TLabel", 253, 162, 220, 13, true, -1, FontSpec{"Tahoma", -11, 0, clNavy}, kPanel, false},
    {"imgValue", "TImage", 243, 206, 239, 58, true},
    {"lbGbSection", "TLabel", 256, 67, 42, 13, true, -1, FontSpec{"Tahoma", -11, fsBold, clBlack}, kPanel, false},
    {"lbGbKey", "TLabel", 256, 134, 21, 13, true, -1, FontSpec{"Tahoma", -11, fsBold, clBlack}, kPanel, false},
    {"lbGbValue", "TLabel", 256, 201, 31, 13, true, -1, FontSpec{"Tahoma", -11, fsBold, clBlack}, kPanel, false},
    {"Label1", "TLabel", 100, 177, 53, 13, true, -1, kTahomaBold, std::nullopt, true},
    {"blLoadedAcft", "TElHTMLLabel", 25, 53, 460, 13, true, -1, kTahoma},
    {"btnCloseMain", "TsuiButton", 363, 325, 100, 26, true, 4, kButtonFont, std::nullopt, true},
    {"btnSave", "TsuiButton", 367, 269, 100, 26, true, 2, kButtonFont, std::nullopt, true},
    {"btnExitFSX", "TsuiButton", 257, 325, 100, 26, true, 5, kButtonFont, std::nullopt, true},
    {"fsxCfgTree", "TsuiTreeView", 25, 72, 210, 225, true, 1, FontSpec{"Verdana", -9, 0, clBlack}, clWhite},
    {"edValue", "TsuiEdit", 256, 225, 214, 19, true, 3, FontSpec{"Tahoma", -11, 0, clBlack}, 0x00EFE7DE},
    {"btnOpen", "TsuiButton", 261, 269, 100, 26, true, 0, kButtonFont, std::nullopt, true},
    {"suiScrollBar", "TsuiScrollBar", 217, 73, 16, 223, false, -1, std::nullopt, 0x00F5F5F5},
};

const std::vector<Expected> kDialog = {
    {"suiSkinForm", "TsuiSkinForm", 0, 0, 391, 171, true},
    {"msgLabel", "TElLabel", 67, 47, 300, 85, true, -1, kTahoma},
    {"hdgLabel", "TElLabel", 67, 28, 280, 20, true, -1, kTahomaBold},
    {"imgError", "TImage", 22, 28, 32, 32, true},
    {"btnCloseMain", "TsuiButton", 266, 124, 100, 26, true, 0, kButtonFont, std::nullopt, true},
};

// The title sizes itself to its caption once its window is built (AutoSize): it keeps its
// designed corner and height, and its width never passes the designed one.
const std::set<std::string_view> kSizedToCaption = {"lbMainTitle"};
// The plain labels whose width is free size themselves to their caption in the font they draw
// with: designed corner and height, the caption's width. The value fields keep their fixed width.
const std::set<std::string_view> kPlainLabelsSizedToCaption = {"lbCorvane", "lbGbSection", "lbGbKey", "lbGbValue",
                                                               "Label1"};

// The width of one line of text in a font made here from the label's description, apart from
// the label's own font and measuring.
int CaptionWidth(const TLabel& label) {
    const TFontDesc& desc = label.Font().Desc();
    const UniqueFont font(CreateFontW(desc.height, 0, 0, 0, (desc.style & fsBold) ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                      FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH, Utf8ToWide(desc.name).c_str()));
    const ScreenDC screen;
    const SelectGuard selected(screen.get(), font.get());
    const std::wstring text = Utf8ToWide(label.Caption());
    SIZE size{};
    GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

bool IsKind(TComponent& c, std::string_view kind) {
    if (kind == "TsuiSkinForm") return dynamic_cast<TsuiSkinForm*>(&c) != nullptr;
    if (kind == "TImage") return dynamic_cast<TImage*>(&c) != nullptr;
    if (kind == "TElGraphicButton") return dynamic_cast<TElGraphicButton*>(&c) != nullptr;
    if (kind == "TElLabel") return dynamic_cast<TElLabel*>(&c) != nullptr;
    if (kind == "TElHTMLLabel") return dynamic_cast<TElHTMLLabel*>(&c) != nullptr;
    if (kind == "TLabel") return dynamic_cast<TLabel*>(&c) != nullptr;
    if (kind == "TsuiButton") return dynamic_cast<TsuiButton*>(&c) != nullptr;
    if (kind == "TsuiTreeView") return dynamic_cast<TsuiTreeView*>(&c) != nullptr;
    if (kind == "TsuiEdit") return dynamic_cast<TsuiEdit*>(&c) != nullptr;
    if (kind == "TsuiScrollBar") return dynamic_cast<TsuiScrollBar*>(&c) != nullptr;
    return false;
}

std::optional<bool> TransparentOf(TControl& c) {
    if (auto* label = dynamic_cast<TLabel*>(&c)) return label->Transparent();
    if (auto* button = dynamic_cast<TsuiCustomButton*>(&c)) return button->Transparent();
    if (auto* label = dynamic_cast<TCustomElLabel*>(&c)) return label->Transparent();
    return std::nullopt;
}

// Where the window of a windowed control lies in its parent's client area.
RECT WindowBounds(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The form's child windows that are its controls, top first.
std::vector<std::string> ChildWindowsTopFirst(HWND form) {
    std::vector<std::string> names;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (TWinControl* control = TWinControl::FromHandle(child)) names.push_back(control->Name());
    return names;
}

void ExpectLayout(TForm& form, const std::vector<Expected>& table) {
    std::vector<std::string> windowedBackToFront, windowlessBackToFront;
    for (const Expected& e : table) {
        SCOPED_TRACE(std::string(form.Name()) + "." + e.name);
        auto* control = dynamic_cast<TControl*>(form.FindComponent(e.name));
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(IsKind(*control, e.kind)) << "not a " << e.kind;
        EXPECT_EQ(control->Parent(), &form);
        const RECT designed{e.left, e.top, e.left + e.width, e.top + e.height};
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
            windowedBackToFront.push_back(e.name);
            const HWND hwnd = windowed->Handle();
            const RECT window = WindowBounds(hwnd);
            EXPECT_TRUE(EqualRect(&designed, &window) != FALSE) << "window not at its designed place";
            EXPECT_EQ((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0, e.visible);
            if (e.tabOrder >= 0) EXPECT_EQ(windowed->TabOrder(), e.tabOrder);
        } else {
            windowlessBackToFront.push_back(e.name);
            EXPECT_EQ(control->Visible(), e.visible);
        }
        RECT bounds = control->BoundsRect();
        if (kSizedToCaption.contains(e.name)) {
            EXPECT_LE(bounds.right, designed.right);
            EXPECT_GT(bounds.right, bounds.left);
            bounds.right = designed.right;
        }
        if (kPlainLabelsSizedToCaption.contains(e.name)) {
            EXPECT_EQ(bounds.right - bounds.left, CaptionWidth(dynamic_cast<TLabel&>(*control)));
            bounds.right = designed.right;
        }
        EXPECT_TRUE(EqualRect(&designed, &bounds) != FALSE)
            << bounds.left << "," << bounds.top << " " << bounds.right - bounds.left << "x" << bounds.bottom - bounds.top;
        if (e.font) {
            const TFontDesc& font = control->Font().Desc();
            EXPECT_EQ(font.name, e.font->name);
            EXPECT_EQ(font.height, e.font->height);
            EXPECT_EQ(font.style, e.font->style);
            EXPECT_EQ(font.color, e.font->color);
        }
        if (e.color) EXPECT_EQ(control->Color(), *e.color);
        if (e.transparent) EXPECT_EQ(TransparentOf(*control), e.transparent);
    }
    // Windowless controls are painted in their creation order, beneath every window.
    std::vector<std::string> painted;
    for (int i = 0; i < form.ControlCount(); ++i)
        if (dynamic_cast<TWinControl*>(&form.Control(i)) == nullptr) painted.push_back(form.Control(i).Name());
    EXPECT_EQ(painted, windowlessBackToFront) << form.Name();
    std::reverse(windowedBackToFront.begin(), windowedBackToFront.end());
    EXPECT_EQ(ChildWindowsTopFirst(form.Handle()), windowedBackToFront) << form.Name();
}

// The focused control's name after each Tab, from the control first focused.
std::vector<std::string> TabWalk(TWinControl& first, int presses) {
    SetFocus(first.Handle());
    std::vector<std::string> walk{first.Name()};
    for (int i = 0; i < presses; ++i) {
        SendMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        SendMessageW(GetFocus(), WM_KEYUP, VK_TAB, 0);
        TWinControl* focused = TWinControl::FromHandle(GetFocus());
        walk.push_back(focused != nullptr ? focused->Name() : "(none)");
    }
    return walk;
}

}  // namespace

// Without a simulator the main window stays as it was built: the tree empty and visible, its
// scroll bar hidden and disabled.
TEST_F(EditorTest, BothWindowsStandAsDesigned) {
    std::filesystem::remove(sim() / "fsx.exe");
    startEditor();
    TfrmMain_Trimwell& m = main();
    ExpectLayout(m, kMainWindow);
    ExpectLayout(dialog(), kDialog);
    EXPECT_FALSE(dialog().Visible());

    // Label1 lies inside the tree's rectangle, so the tree hides it.
    RECT inside{};
    const RECT tree = m.fsxCfgTree->BoundsRect(), label = m.Label1->BoundsRect();
    IntersectRect(&inside, &tree, &label);
    EXPECT_TRUE(EqualRect(&inside, &label) != FALSE);
    EXPECT_FALSE(m.suiScrollBar->Enabled());
    EXPECT_EQ(m.lbMainTitle->Caption(), u"CORVANE - TRIMWELL");
    EXPECT_EQ(m.lbGbSection->Caption(), "Section");
    EXPECT_EQ(m.lbGbKey->Caption(), "Key");
    EXPECT_EQ(m.lbGbValue->Caption(), "Value");
    EXPECT_EQ(m.Label1->Caption(), "Loading...");
    EXPECT_EQ(m.btnOpen->Caption(), "&Load CFG");
    EXPECT_EQ(m.btnSave->Caption(), "&Save Key");
    EXPECT_EQ(m.btnExitFSX->Caption(), "Exit to &FSX");
    EXPECT_EQ(m.btnCloseMain->Caption(), "&Exit");
    for (TsuiButton* b : {m.btnOpen, m.btnSave, m.btnExitFSX, m.btnCloseMain, dialog().btnCloseMain}) {
        EXPECT_EQ(b->UIStyle(), TsuiUIStyle::FromThemeFile) << b->Name();
        EXPECT_EQ(b->FocusedRectMargin(), 2) << b->Name();
        EXPECT_EQ(b->Spacing(), 4) << b->Name();
        EXPECT_EQ(b->Layout(), TButtonLayout::blGlyphLeft) << b->Name();
        EXPECT_EQ(b->MouseContinuouslyDownInterval(), 100) << b->Name();
        EXPECT_EQ(b->ModalResult(), 0) << b->Name();
    }
    for (TElGraphicButton* b : {m.btnClose, m.btnMinimize}) {
        EXPECT_FALSE(b->ShowBorder()) << b->Name();
        EXPECT_EQ(b->ImageIndex(), 0) << b->Name();
    }
    EXPECT_EQ(m.btnClose->Images(), m.imgListClose);
    EXPECT_EQ(m.btnClose->HotImages(), m.imgListCloseHot);
    EXPECT_EQ(m.btnClose->DownImages(), m.imgListCloseDown);
    EXPECT_EQ(m.btnMinimize->Images(), m.imgListMin);
    EXPECT_EQ(m.btnMinimize->HotImages(), m.imgListMinHot);
    EXPECT_EQ(m.btnMinimize->DownImages(), m.imgListMinDown);
    for (TElImageList* list : {m.imgListClose, m.imgListCloseHot, m.imgListCloseDown, m.imgListMin,
                               m.imgListMinHot, m.imgListMinDown}) {
        EXPECT_EQ(list->Width(), 30) << list->Name();
        EXPECT_EQ(list->Height(), 22) << list->Name();
        EXPECT_GE(list->Count(), 1) << list->Name();
    }
    // The tree's five 16 x 16 images, a row of the layout like the title buttons' lists.
    EXPECT_EQ(m.FindComponent("imgTreeIcos"), m.imgTreeIcos);
    EXPECT_EQ(m.imgTreeIcos->Count(), 5);
    EXPECT_EQ(m.imgTreeIcos->Width(), 16);
    EXPECT_EQ(m.imgTreeIcos->Height(), 16);
    EXPECT_EQ(TreeView_GetImageList(m.fsxCfgTree->Handle(), TVSIL_NORMAL), m.imgTreeIcos->Handle());
    EXPECT_EQ(m.suiSkinForm->TransparentColor(), 0x00FF07FFu);
    EXPECT_EQ(dialog().suiSkinForm->TransparentColor(), 0x00FF07FFu);

    EXPECT_EQ(TabWalk(*m.btnOpen, 6),
              (std::vector<std::string>{"btnOpen", "fsxCfgTree", "btnSave", "edValue", "btnCloseMain", "btnExitFSX",
                                        "btnOpen"}));
}

// Once an aircraft too long for the tree is loaded the tree and its bar are shown, the bar over
// the tree's right edge and above it.
TEST_F(EditorTest, TheLoadedTreeShowsItsBarOverItsRightEdge) {
    std::string longFile = "[fltsim.0]\r\ntitle=Long\r\n";
    for (int i = 0; i < 60; ++i) longFile += "key_" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    writeFile(c172(), longFile);
    startEditor();
    TfrmMain_Trimwell& m = main();
    EXPECT_TRUE(IsWindowVisible(m.fsxCfgTree->Handle()));
    EXPECT_TRUE(IsWindowVisible(m.suiScrollBar->Handle()));
    const RECT bar = WindowBounds(m.suiScrollBar->Handle()), tree = WindowBounds(m.fsxCfgTree->Handle());
    EXPECT_EQ(bar.right, tree.right - 2);
    EXPECT_GT(bar.left, tree.left);
    const std::vector<std::string> order = ChildWindowsTopFirst(m.Handle());
    const auto at = [&](const char* name) { return std::find(order.begin(), order.end(), name) - order.begin(); };
    EXPECT_LT(at("suiScrollBar"), at("fsxCfgTree"));
}
