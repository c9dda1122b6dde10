// The labels in the editor's message dialog, as the user sees them on screen.
#include <gtest/gtest.h>

#include <string>

#include "app/u_frmDialog.h"
#include "tests/win/labels/DibCanvas.h"

using namespace trimwell;

namespace {

// The window's pixels as they are on the screen.
void CaptureWindow(HWND hwnd, DibCanvas& into) {
    RECT r;
    GetWindowRect(hwnd, &r);
    HDC screen = GetDC(nullptr);
    BitBlt(into.dc(), 0, 0, into.width(), into.height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
}

class DialogLabels : public ::testing::Test {
protected:
    DialogLabels() : dialog(app.CreateForm<TfrmDialog>()) {}

    // What the main window's notice routine does before showing the dialog modeless.
    // A modal notice's look (icon and button) is shown without waiting for the user.
    void ShowNotice(const std::string& heading, const std::string& message, bool modalLook = false) {
        dialog.hdgLabel->SetCaptionAnsi(heading);
        dialog.msgLabel->SetCaptionAnsi(message);
        dialog.btnCloseMain->SetCaption("&OK");
        dialog.btnCloseMain->SetVisible(modalLook);
        dialog.imgError->SetVisible(modalLook);
        dialog.Show();
        for (int i = 0; i < 20; ++i) {
            app.ProcessMessages();
            Sleep(10);
        }
        UpdateWindow(dialog.Handle());
        CaptureWindow(dialog.Handle(), shot);
    }

    // Dark text pixels of the message label's area (67, 47, 300 x 85) and below it.
    int MessageInk(int top, int bottom) const { return shot.CountDark({67, 47 + top, 367, 47 + bottom}); }

    TApplication app;
    TfrmDialog& dialog;
    DibCanvas shot{391, 171};
};

}  // namespace

TEST_F(DialogLabels, SavedNoticeStartsItsMessageOneLineDown) {
    ShowNotice("Saved...", "\r\nThe edited value has been saved!");
    SaveShot(shot, "dialog-saved.bmp");
    EXPECT_GT(shot.CountDark({67, 28, 347, 47}), 30);  // the bold heading
    EXPECT_EQ(MessageInk(0, 12), 0);                   // the leading line break
    EXPECT_GT(MessageInk(13, 26), 30);
    EXPECT_EQ(MessageInk(26, 85), 0);
}

TEST_F(DialogLabels, LongMessageWrapsAndIsCutAtTheLabelsBottom) {
    std::string message = "The Corvane Trimwell cannot find your fsx.exe file. This may be because you do not "
                          "have FSX installed correctly or perhaps your FSX registry entry has been invalidated."
                          "\r\n\r\nPlease visit the Corvane Forum for help on this issue.";
    for (int i = 0; i < 4; ++i) message += " More text that does not fit into the notice any more.";
    ShowNotice("Hmmmm...", message, true);
    SaveShot(shot, "dialog-long.bmp");
    EXPECT_GT(MessageInk(0, 12), 30);
    EXPECT_GT(MessageInk(70, 85), 30);  // filled to the bottom...
    // ...and nothing of it below: the dialog's picture there has no dark pixels of its own.
    EXPECT_EQ(shot.CountDark({67, 47 + 85, 260, 47 + 85 + 8}), 0);  // left of the button
    EXPECT_EQ(dialog.msgLabel->Height(), 85);
    EXPECT_EQ(dialog.msgLabel->Width(), 300);
}
