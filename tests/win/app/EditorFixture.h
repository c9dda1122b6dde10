#pragma once
// A running editor inside the test process: a simulator installation in a temporary folder,
// registered where the editor looks for it, the application with its two windows, and the
// platform calls answered and recorded by the test instead of a user.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Forms_win.h"
#include "platform/Shell_win.h"
#include "u_frmDialog.h"
#include "u_main.h"

namespace trimwell::test {

struct MessageBoxCall {
    std::string text, caption;
    UINT type;
};

// What the dialog showed each time it came up, seen from inside the action that showed it.
struct NoticeSeen {
    std::string heading, message, button;
    bool modal, buttonVisible, iconVisible, mainEnabled;
};

class EditorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The simulator folder: fsx.exe, the click sound and the default aircraft file.
    std::filesystem::path sim() const { return sim_; }
    std::filesystem::path c172() const;
    void writeFile(const std::filesystem::path& path, const std::string& bytes) const;
    std::string readFile(const std::filesystem::path& path) const;
    // Points the registry at `folder` (a folder without fsx.exe makes the simulator not found).
    void registerSimulator(const std::filesystem::path& folder) const;

    // Creates the application and windows and shows the main window, as the program's start does.
    void startEditor();
    TfrmMain_Trimwell& main() { return *frmMain_Trimwell; }
    TfrmDialog& dialog() { return *frmDialog; }

    // Handles what is waiting in the queue.
    void pump();
    // Presses and releases the left mouse button in the middle of a button, now or when the
    // queue is next handled.
    void click(TsuiButton& button);
    void postClick(TsuiButton& button);
    // A mouse click on a tree node, as the user makes it.
    void clickNode(TTreeView::Node node);
    std::vector<std::string> nodeTexts();
    TTreeView::Node findNode(const std::string& section, const std::string& key = {});

    std::vector<MessageBoxCall> boxes;
    std::vector<std::string> opened;  // shell opens
    std::vector<std::string> sounds;
    std::optional<std::wstring> fileDialogAnswer;
    std::vector<OpenFileRequest> fileDialogRequests;
    std::vector<NoticeSeen> notices;
    // Runs once, inside the next pause, after the pause's first handling of the queue.
    std::function<void()> duringPause;

    std::unique_ptr<TApplication> app;

private:
    std::filesystem::path sim_;
    std::optional<std::wstring> savedAppPath_;
    std::uint32_t fakeTicks_ = 0;
};

// Keys pressed on the keyboard: they go through the system's input queue to whichever window has
// the focus, as a user's keys do.
void pressKey(WORD key);
void pressAltKey(WORD key);

}  // namespace trimwell::test
