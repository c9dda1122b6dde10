// The shaped windows and skinned buttons of the running editor, driven with mouse and key
// messages and checked by their window regions and painted pixels.
#include "EditorFixture.h"

#include <algorithm>

#include "EditorResources.h"
#include "platform/Text.h"
#include "platform/Resources.h"
#include "skinctrls/SUIPublic.h"
#include "tests/win/labels/DibCanvas.h"
#include "tests/native/framework/FindAs.h"

using namespace trimwell;
using namespace trimwell::test;

namespace {

constexpr TColor kWindowKey = 0x00FF07FF;

int skinButtonKey() {
    const auto group = TsuiFileThemeMgr::KeyGroup::Bitmap;
    for (int key = 0; key < TsuiFileThemeMgr::KeyCount(group); ++key)
        if (TsuiFileThemeMgr::KeyName(group, key) == "SKIN2_BUTTON") return key;
    return -1;
}

// Pixels of the window's region that differ from the picture's opaque pixels.
int regionMismatches(HWND window, const Bitmap& picture) {
    const UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, region.get()) == ERROR) return -1;
    int wrong = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const bool opaque = PixelToColorRef(picture.Pixel(x, y)) != kWindowKey;
            wrong += opaque != (PtInRegion(region.get(), x, y) != FALSE);
        }
    return wrong;
}

// Where the caption of a button may draw: its measured text centred, one pixel to spare on
// every side and for the pressed shift.
RECT captionBox(TsuiButton& button) {
    const DibCanvas probe(1, 1);
    TFont font = button.Font();
    const SelectGuard selected(probe.dc(), font.Handle());
    const std::wstring text = AnsiToWide(button.Caption());
    RECT measured{0, 0, button.Width(), button.Height()};
    DrawTextW(probe.dc(), text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
    const TRect c = CentreIn({0, 0, button.Width(), button.Height()},
                             {measured.left, measured.top, measured.right, measured.bottom});
    return {c.left - 1, c.top - 1, c.right + 2, c.bottom + 2};
}

bool onFocusRing(const TsuiButton& b, int x, int y) {
    const int m = b.FocusedRectMargin();
    const bool withinX = x >= m && x < b.Width() - m, withinY = y >= m && y < b.Height() - m;
    return (withinY && (x == m || x == b.Width() - m - 1)) || (withinX && (y == m || y == b.Height() - m - 1));
}

class SkinnedTest : public EditorTest {
protected:
    // The button's own paint, into a bitmap.
    std::unique_ptr<DibCanvas> paint(TsuiButton& b) {
        auto canvas = std::make_unique<DibCanvas>(b.Width(), b.Height(), RGB(1, 2, 3));
        SendMessageW(b.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(canvas->dc()), 0);
        return canvas;
    }
    // The theme's frame of that state stretched over the window picture under the button.
    Bitmap reference(TsuiButton& b, const Bitmap& windowPicture, int frame) {
        Bitmap state;
        main().suiBuiltInFileTheme->GetBitmap(skinButtonKey(), state, frame, 3);
        Bitmap under(b.Width(), b.Height());
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) under.SetPixel(x, y, windowPicture.Pixel(b.Left() + x, b.Top() + y));
        RenderNineSlice(state, under, {0, 0, b.Width(), b.Height()}, true);
        return under;
    }
    // Pixels outside the caption (and the focus ring) that differ from the reference.
    int differences(TsuiButton& b, const DibCanvas& shown, const Bitmap& expected) {
        const RECT caption = captionBox(b);
        int wrong = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) {
                const POINT p{x, y};
                if (PtInRect(&caption, p) || (b.Focused() && onFocusRing(b, x, y))) continue;
                wrong += shown.at(x, y) != PixelToColorRef(expected.Pixel(x, y));
            }
        return wrong;
    }
    LPARAM inside(const TsuiButton& b) const { return MAKELPARAM(b.Width() / 2, b.Height() / 2); }
};

}  // namespace

TEST_F(SkinnedTest, BothWindowsTakeTheOutlineAndSizeOfTheirPictures) {
    startEditor();
    for (const auto& [form, skin, name] :
         {std::tuple<TForm*, TsuiSkinForm*, const char*>{&main(), main().suiSkinForm, kMainPictureName},
          {frmDialog, frmDialog->suiSkinForm, kDialogPictureName}}) {
        const std::optional<Bitmap> picture = LoadProgramBitmap(name);
        ASSERT_TRUE(picture) << name;
        EXPECT_EQ(regionMismatches(form->Handle(), *picture), 0) << name;
        EXPECT_EQ(skin->Glyph(), *picture);
        EXPECT_EQ(skin->TransparentColor(), kWindowKey);
        EXPECT_EQ((std::vector<int>{skin->Left(), skin->Top(), skin->Width(), skin->Height()}),
                  (std::vector<int>{0, 0, picture->Width(), picture->Height()}));
        RECT client{};
        GetClientRect(form->Handle(), &client);
        EXPECT_EQ(client.right, picture->Width()) << name;
        EXPECT_EQ(client.bottom, picture->Height()) << name;
    }
    // The cut-away lower corners of the main window are outside it.
    const UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(main().Handle(), region.get());
    EXPECT_FALSE(PtInRegion(region.get(), 0, 367));
    EXPECT_FALSE(PtInRegion(region.get(), 499, 367));
    EXPECT_TRUE(PtInRegion(region.get(), 250, 200));
}

// The dialog nobody has seen yet has no window; the first notice makes it, already cut to the
// dialog's picture when it shows.
TEST_F(SkinnedTest, TheDialogsWindowIsMadeForItsFirstNoticeAndShowsInItsOutline) {
    startEditor();
    EXPECT_FALSE(frmDialog->HandleAllocated());
    const std::optional<Bitmap> picture = LoadProgramBitmap(kDialogPictureName);
    ASSERT_TRUE(picture);
    int mismatches = -2;
    const TNotifyEvent recordNotice = frmDialog->OnShow;
    frmDialog->OnShow = [&](TComponent& sender) {
        recordNotice(sender);
        mismatches = regionMismatches(frmDialog->Handle(), *picture);
    };
    click(*main().btnSave);  // the value box is empty: "Value Box Blank..."
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(mismatches, 0);
}

TEST_F(SkinnedTest, AnyPressOnThePictureAsksForTheCaptionMove) {
    startEditor();
    std::vector<std::pair<HWND, WPARAM>> presses;
    Platform().captionPress = [&](HWND window, WPARAM hit, LPARAM point) {
        EXPECT_EQ(point, 0);
        EXPECT_EQ(GetCapture(), nullptr) << "the capture is released first";
        presses.emplace_back(window, hit);
    };
    int downs = 0;
    main().suiSkinForm->OnMouseDown = [&](TComponent&, TMouseButton, TShiftState, int, int) { ++downs; };
    const HWND form = main().Handle();
    for (const UINT press : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        SendMessageW(form, press, 0, MAKELPARAM(5, 150));
        SendMessageW(form, press + 1, 0, MAKELPARAM(5, 150));
    }
    EXPECT_EQ(downs, 3);
    EXPECT_EQ(presses, (std::vector<std::pair<HWND, WPARAM>>(3, {form, HTCAPTION})));
    // A press on a label above the picture is the label's.
    presses.clear();
    SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(main().lbGbKey->Left() + 2, main().lbGbKey->Top() + 2));
    SendMessageW(form, WM_LBUTTONUP, 0, MAKELPARAM(main().lbGbKey->Left() + 2, main().lbGbKey->Top() + 2));
    EXPECT_TRUE(presses.empty());
}

TEST_F(SkinnedTest, ButtonsAreTheThemesFramesOverTheWindowPictureInEveryState) {
    startEditor();
    const std::optional<Bitmap> picture = LoadProgramBitmap(kMainPictureName);
    ASSERT_TRUE(picture);
    TsuiButton& b = *main().btnSave;
    EXPECT_TRUE(b.Transparent()) << "from the theme";
    EXPECT_EQ(b.Font().Desc().color, 0x006B635Au) << "from the theme";
    EXPECT_EQ((std::vector<int>{b.Width(), b.Height()}), (std::vector<int>{100, 26}));
    main().fsxCfgTree->SetFocus();

    for (TsuiButton* each : {main().btnOpen, main().btnSave, main().btnExitFSX, main().btnCloseMain})
        EXPECT_EQ(differences(*each, *paint(*each), reference(*each, *picture, 1)), 0) << each->Name() << " normal";
    SendMessageW(b.Handle(), WM_MOUSEMOVE, 0, inside(b));
    EXPECT_TRUE(b.MouseOver());
    EXPECT_EQ(differences(b, *paint(b), reference(b, *picture, 2)), 0) << "mouse over";
    SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside(b));
    EXPECT_TRUE(b.Pressed());
    EXPECT_TRUE(b.Focused());
    EXPECT_EQ(differences(b, *paint(b), reference(b, *picture, 3)), 0) << "pressed";

    // Released off the button: no click, and the pressed look is gone.
    int clicks = 0;
    b.OnClick = [&](TComponent&) { ++clicks; };
    SendMessageW(b.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 10));
    EXPECT_FALSE(b.Pressed());
    SendMessageW(b.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(150, 10));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(differences(b, *paint(b), reference(b, *picture, 1)), 0) << "normal again";

    // The focus look is the dotted rectangle at the margin.
    const auto focused = paint(b);
    const auto ringChanged = [&](const DibCanvas& c) {
        const Bitmap ref = reference(b, *picture, 1);
        int changed = 0;
        for (int x = 10; x < 90; ++x) changed += c.at(x, 2) != PixelToColorRef(ref.Pixel(x, 2));
        return changed;
    };
    EXPECT_GT(ringChanged(*focused), 20);

    // Disabled: frame 1 and a white caption one pixel off under a grey one.
    b.SetEnabled(false);
    const auto disabled = paint(b);
    EXPECT_EQ(differences(b, *disabled, reference(b, *picture, 1)), 0) << "disabled";
    const RECT caption = captionBox(b);
    EXPECT_GT(disabled->CountColor(caption, RGB(128, 128, 128)), 10);
    EXPECT_GT(disabled->CountColor(caption, RGB(255, 255, 255)), 5);
}

TEST_F(SkinnedTest, ReleaseInsideClicksOnceAndThePressedCaptionMovesOnePixel) {
    startEditor();
    TsuiButton& b = *main().btnOpen;
    fileDialogAnswer.reset();
    SendMessageW(b.Handle(), WM_MOUSEMOVE, 0, inside(b));
    const auto up = paint(b);
    SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside(b));
    const auto down = paint(b);
    // The caption's ink, found in both pictures, is one pixel further right and down.
    const RECT box = captionBox(b);
    const auto ink = [&](const DibCanvas& c, int x, int y) { return c.at(x, y) == RGB(0x5A, 0x63, 0x6B); };
    int moved = 0, inkPixels = 0;
    for (int y = box.top; y < box.bottom - 1; ++y)
        for (int x = box.left; x < box.right - 1; ++x)
            if (ink(*up, x, y)) {
                ++inkPixels;
                moved += ink(*down, x + 1, y + 1);
            }
    EXPECT_GT(inkPixels, 10);
    EXPECT_EQ(moved, inkPixels);
    SendMessageW(b.Handle(), WM_LBUTTONUP, 0, inside(b));
    EXPECT_EQ(fileDialogRequests.size(), 1u);
    EXPECT_FALSE(b.Pressed());
    EXPECT_EQ(main().ModalResult(), mrNone);
}

TEST_F(SkinnedTest, HoldingTheButtonRepeatsEveryIntervalUntilRelease) {
    startEditor();
    TsuiButton& b = *main().btnSave;
    int repeats = 0, clicks = 0;
    b.OnMouseContinuouslyDown = [&](TComponent&) { ++repeats; };
    b.OnClick = [&](TComponent&) { ++clicks; };
    EXPECT_EQ(b.MouseContinuouslyDownInterval(), 100);
    const auto runFor = [&](DWORD ms) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < ms) {
            pump();
            Sleep(5);
        }
    };
    SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside(b));
    runFor(550);
    EXPECT_GE(repeats, 3);
    EXPECT_LE(repeats, 6);
    SendMessageW(b.Handle(), WM_LBUTTONUP, 0, inside(b));
    const int atRelease = repeats;
    runFor(250);
    EXPECT_EQ(repeats, atRelease) << "the repeat ends with the release";
    EXPECT_EQ(clicks, 1);

    // Released off the button (even without a move there first) there is no click, and the
    // repeat and the pressed look end all the same.
    SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside(b));
    SendMessageW(b.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    EXPECT_FALSE(b.RepeatTimerRunning());
    EXPECT_FALSE(b.Pressed());
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinnedTest, AltWithTheAccessLetterPressesEachMainButton) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    constexpr LPARAM altHeld = LPARAM{1} << 29;
    fileDialogAnswer.reset();
    m.edValue->SetFocus();
    SendMessageW(m.edValue->Handle(), WM_SYSCHAR, L'l', altHeld);
    EXPECT_EQ(fileDialogRequests.size(), 1u);
    SendMessageW(m.edValue->Handle(), WM_SYSCHAR, L'S', altHeld);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].heading, "Value Box Blank...");
    SendMessageW(m.edValue->Handle(), WM_SYSCHAR, L'f', altHeld);
    EXPECT_EQ(opened.size(), 1u);
    SendMessageW(m.edValue->Handle(), WM_SYSCHAR, L'e', altHeld);
    EXPECT_EQ(sounds.size(), 3u) << "save, simulator and exit each played the click";
    app->ProcessMessages();
    EXPECT_TRUE(app->Terminated());
}

TEST_F(SkinnedTest, APlainLetterPressesAButtonOnlyWhileASkinnedButtonHasTheFocus) {
    startEditor();
    TfrmMain_Trimwell& m = main();
    fileDialogAnswer.reset();
    m.edValue->SetFocus();
    SendMessageW(m.edValue->Handle(), WM_CHAR, L'l', 0);
    EXPECT_TRUE(fileDialogRequests.empty());
    EXPECT_EQ(m.edValue->Text(), "l") << "typed into the value box";
    m.btnSave->SetFocus();
    SendMessageW(m.btnSave->Handle(), WM_CHAR, L'l', 0);
    EXPECT_EQ(fileDialogRequests.size(), 1u);
    // Space on the focused button presses it on the way down and clicks on the way up.
    m.btnOpen->SetFocus();
    SendMessageW(m.btnOpen->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(m.btnOpen->Pressed());
    SendMessageW(m.btnOpen->Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(fileDialogRequests.size(), 2u);
}

TEST_F(SkinnedTest, TheDialogButtonClosesTheModalNoticeByMouseAndItsLetter) {
    startEditor();
    frmDialog->OnShow = [this](TComponent&) {
        TsuiButton& b = *dialog().btnCloseMain;
        PostMessageW(b.Handle(), WM_SYSCHAR, L'o', LPARAM{1} << 29);
    };
    main().ShowMessageDialog("Hmmmm...", "m", "&OK", true);
    EXPECT_FALSE(dialog().Visible());
    EXPECT_EQ(sounds.size(), 1u);
    EXPECT_TRUE(dialog().btnCloseMain->Transparent());
    // Esc closes it without the button.
    frmDialog->OnShow = [this](TComponent&) { PostMessageW(dialog().Handle(), WM_KEYDOWN, VK_ESCAPE, 0); };
    main().ShowMessageDialog("Hmmmm...", "m", "&OK", true);
    EXPECT_FALSE(dialog().Visible());
    EXPECT_EQ(sounds.size(), 1u);
}

TEST_F(SkinnedTest, WithoutItsThemeAButtonFallsBackToDeepBlueAndAutoSizeUsesTheBuiltInStrip) {
    startEditor();
    TsuiButton& b = *main().btnExitFSX;
    main().Destroy(*main().suiBuiltInFileTheme);
    main().suiBuiltInFileTheme = nullptr;
    EXPECT_EQ(b.FileTheme(), nullptr);
    EXPECT_EQ(b.UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_FALSE(b.Transparent());
    EXPECT_EQ(b.Font().Desc().color, clBlack);
    b.SetAutoSize(true);
    EXPECT_EQ((std::vector<int>{b.Width(), b.Height()}), (std::vector<int>{74, 21}));
    b.SetUIStyle(TsuiUIStyle::FromThemeFile);
    b.SetAutoSize(true);
    EXPECT_EQ((std::vector<int>{b.Width(), b.Height()}), (std::vector<int>{24, 21}));
}


TEST_F(SkinnedTest, TheThemeAttachedLastReplacesStoredTransparencyAndCaptionColour) {
    startEditor();
    TForm& f = app->CreateForm<TForm>();
    LoadLayout(f, {Row<TsuiBuiltInFileTheme>("theme", "", {{"SkinData", EmbeddedSkinArchive()}}),
                   Row<TsuiButton>("button", "", {{"FileTheme", Ref{"theme"}},
                                                  {"Font.Color", std::int64_t{0x000000FF}},
                                                  {"Transparent", false},
                                                  {"UIStyle", std::string("FromThemeFile")}})});
    const TsuiButton& b = *FindAs<TsuiButton>(f, "button");
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.Font().Desc().color, 0x006B635Au);
    EXPECT_EQ((std::vector<int>{b.Width(), b.Height()}), (std::vector<int>{80, 27}));
}

TEST_F(SkinnedTest, MacAndGlassStylesShowTheFocusByABoldCaptionInsteadOfTheRectangle) {
    startEditor();
    TsuiButton& b = *main().btnSave;
    const auto ring = [&](const DibCanvas& c) {
        std::vector<COLORREF> line;
        for (int x = 10; x < 90; ++x) line.push_back(c.at(x, 2));
        return line;
    };
    const auto ink = [&](const DibCanvas& c) {
        return c.Count(captionBox(b), [](COLORREF p) { return GetRValue(p) < 140 && GetBValue(p) < 160; });
    };
    main().fsxCfgTree->SetFocus();
    b.SetFontStyle(0);
    b.SetUIStyle(TsuiUIStyle::MacOS);
    const auto unfocused = paint(b);
    b.SetFocus();
    const auto focused = paint(b);
    EXPECT_EQ(ring(*focused), ring(*unfocused)) << "no dotted rectangle";
    EXPECT_GT(ink(*focused), ink(*unfocused)) << "a bolder caption";
    b.SetUIStyle(TsuiUIStyle::Protein);
    EXPECT_NE(ring(*paint(b)), ring(*unfocused));
}

TEST_F(SkinnedTest, AnImageButtonShowsEachStatesPictureUnscaledAndSizesToTheNormalOne) {
    startEditor();
    TsuiImageButton& arrow = main().Add<TsuiImageButton>();
    arrow.SetParent(&main());
    arrow.SetTabStop(false);
    arrow.SetAutoSize(true);
    arrow.SetTransparent(false);
    arrow.SetPicNormal(Bitmap(16, 12, ColorRefToPixel(RGB(10, 20, 30))));
    arrow.SetPicMouseOn(Bitmap(16, 12, ColorRefToPixel(RGB(40, 50, 60))));
    arrow.SetPicMouseDown(Bitmap(16, 12, ColorRefToPixel(RGB(70, 80, 90))));
    EXPECT_EQ((std::vector<int>{arrow.Width(), arrow.Height()}), (std::vector<int>{16, 12}));
    const auto shown = [&] {
        DibCanvas c(16, 12);
        SendMessageW(arrow.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(c.dc()), 0);
        return c.at(8, 6);
    };
    EXPECT_EQ(shown(), RGB(10, 20, 30));
    SendMessageW(arrow.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(shown(), RGB(40, 50, 60));
    int steps = 0;
    arrow.OnMouseContinuouslyDown = [&](TComponent&) { ++steps; };
    SendMessageW(arrow.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(shown(), RGB(70, 80, 90));
    EXPECT_FALSE(arrow.Focused()) << "no tab stop, no focus";
    SendMessageW(arrow.Handle(), WM_TIMER, 0x5B01, 0);
    EXPECT_EQ(steps, 1);
    SendMessageW(arrow.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(shown(), RGB(40, 50, 60));
}

TEST_F(SkinnedTest, WithoutAPictureTheSkinWindowIsABlackFrameAndTheFormKeepsItsSize) {
    startEditor();
    TForm& f = app->CreateForm<TForm>();
    f.SetBounds(0, 0, 300, 200);
    TsuiSkinForm& skin = f.Add<TsuiSkinForm>();
    skin.SetParent(&f);
    skin.SetTransparentColor(0x00FF07FF);
    EXPECT_EQ((std::vector<int>{skin.Width(), skin.Height(), f.Width(), f.Height()}),
              (std::vector<int>{200, 100, 300, 200}));
    f.Show();
    DibCanvas c(300, 200);
    SendMessageW(f.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(c.dc()), 0);
    EXPECT_EQ(c.at(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(c.at(199, 50), RGB(0, 0, 0));
    EXPECT_EQ(c.at(100, 99), RGB(0, 0, 0));
    EXPECT_NE(c.at(100, 50), RGB(0, 0, 0));
    const UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(f.Handle(), region.get()), ERROR) << "no shape was given";
}

TEST_F(SkinnedTest, AnOpaqueBuiltInStyleFillsTheColourAndDrawsItsCornersUnmasked) {
    startEditor();
    TsuiButton& b = *main().btnCloseMain;
    main().fsxCfgTree->SetFocus();
    b.SetUIStyle(TsuiUIStyle::Protein);
    ASSERT_FALSE(b.Transparent()) << "the style's button is opaque";
    b.SetColor(0x00336699);
    Bitmap state;
    GetBitmap(TsuiUIStyle::Protein, 1, &state, 1, 3);
    ASSERT_EQ((std::vector<int>{state.Width(), state.Height()}), (std::vector<int>{74, 21}));
    Bitmap expected(b.Width(), b.Height(), ColorRefToPixel(0x00336699));
    RenderNineSlice(state, expected, {0, 0, b.Width(), b.Height()}, false);
    EXPECT_EQ(differences(b, *paint(b), expected), 0);
}
