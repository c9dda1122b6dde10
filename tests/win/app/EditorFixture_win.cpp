#include "EditorFixture.h"

#include <windows.h>

#include <mmsystem.h>

#include <fstream>
#include <sstream>

#include "platform/Handles_win.h"
#include "platform/Text.h"

namespace trimwell::test {

namespace fs = std::filesystem;

namespace {

const wchar_t kSimKey[] = L"SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\10.0";

UniqueRegKey openSimKey() {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kSimKey, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr);
    return UniqueRegKey(key);
}

std::optional<std::wstring> readAppPath() {
    const UniqueRegKey key = openSimKey();
    wchar_t buffer[4096];
    DWORD size = sizeof buffer, type = 0;
    if (RegQueryValueExW(key.get(), L"AppPath", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    return std::wstring(buffer, size / sizeof(wchar_t)).c_str();
}

void writeAppPath(const std::optional<std::wstring>& path) {
    const UniqueRegKey key = openSimKey();
    if (!path) {
        RegDeleteValueW(key.get(), L"AppPath");
        return;
    }
    RegSetValueExW(key.get(), L"AppPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path->c_str()),
                   static_cast<DWORD>((path->size() + 1) * sizeof(wchar_t)));
}

}  // namespace

void EditorTest::SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
}

void EditorTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    sim_ = fs::temp_directory_path() / (std::string("trimwell-editor-") + info->name());
    fs::remove_all(sim_);
    fs::create_directories(sim_ / "Uires");
    writeFile(sim_ / "fsx.exe", "MZ");
    writeFile(sim_ / "Uires" / "btnstdc.wav", "RIFF");
    writeFile(c172(),
              "[fltsim.0]\r\ntitle=Cessna Skyhawk\r\nsim=Cessna172SP\r\nmodel=\r\n\r\n"
              "[fltsim.1]\r\ntitle=Second Paint\r\nsim=Cessna172SP\r\n\r\n"
              "[Trusted]\r\nsecret=1\r\n\r\n[General]\r\n");
    savedAppPath_ = readAppPath();
    registerSimulator(sim_);

    Platform().messageBox = [this](HWND, const std::string& text, const std::string& caption, UINT type) {
        boxes.push_back({text, caption, type});
        return IDOK;
    };
    Platform().openFile = [this](HWND, const OpenFileRequest& request) {
        fileDialogRequests.push_back(request);
        return fileDialogAnswer;
    };
    Platform().shellOpen = [this](const std::string& target) { opened.push_back(target); };
    Platform().playSound = [this](const std::string& file, UINT flags) {
        EXPECT_EQ(flags, static_cast<UINT>(SND_FILENAME | SND_ASYNC));
        sounds.push_back(file);
    };
    // A clock that moves 50 ms each time it is read, so pauses take no real time.
    TickCount = [this] {
        if (duringPause) {
            const auto action = std::move(duringPause);
            duringPause = nullptr;
            action();
        }
        return fakeTicks_ += 50;
    };
    WaitForMessages = [](std::uint32_t) {};
}

void EditorTest::TearDown() {
    app.reset();
    frmMain_Trimwell = nullptr;
    frmDialog = nullptr;
    CfgFileName.clear();
    // A quit request left by a test must not reach the next one.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    ResetPlatform();
    TickCount = [] { return static_cast<std::uint32_t>(GetTickCount()); };
    WaitForMessages = SleepUntilMessage;
    writeAppPath(savedAppPath_);
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(sim_, ec))
        SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(sim_, ec);
}

fs::path EditorTest::c172() const { return sim_ / "SimObjects" / "Airplanes" / "C172" / "aircraft.cfg"; }

void EditorTest::writeFile(const fs::path& path, const std::string& bytes) const {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string EditorTest::readFile(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void EditorTest::registerSimulator(const fs::path& folder) const { writeAppPath(folder.wstring() + L"\\"); }

void EditorTest::startEditor() {
    app = std::make_unique<TApplication>();
    app->SetTitle("Trimwell");
    app->CreateForm<TfrmMain_Trimwell>();
    frmDialog = &app->CreateForm<TfrmDialog>();
    frmDialog->OnShow = [this](TComponent&) {
        TfrmDialog& d = *frmDialog;
        notices.push_back({d.hdgLabel->Text(), d.msgLabel->Text(), d.btnCloseMain->Caption(), d.IsModal(),
                           d.btnCloseMain->Visible(), d.imgError->Visible(),
                           IsWindowEnabled(frmMain_Trimwell->Handle()) != FALSE});
        // A modal notice is answered with Esc once its loop runs.
        if (d.IsModal()) PostMessageW(d.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    main().Show();
    pump();
}

void EditorTest::pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(0);  // left for the application to find
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void EditorTest::click(TsuiButton& button) {
    const LPARAM middle = MAKELPARAM(button.Width() / 2, button.Height() / 2);
    SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageW(button.Handle(), WM_LBUTTONUP, 0, middle);
}

void EditorTest::postClick(TsuiButton& button) {
    const LPARAM middle = MAKELPARAM(button.Width() / 2, button.Height() / 2);
    PostMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageW(button.Handle(), WM_LBUTTONUP, 0, middle);
}

void EditorTest::clickNode(TTreeView::Node node) {
    const HWND tree = main().fsxCfgTree->Handle();
    TreeView_EnsureVisible(tree, node);
    RECT r{};
    TreeView_GetItemRect(tree, node, &r, TRUE);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    // The release waits in the queue for the tree's own tracking of the press.
    PostMessageW(tree, WM_LBUTTONUP, 0, at);
    SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    pump();
}

std::vector<std::string> EditorTest::nodeTexts() {
    std::vector<std::string> texts;
    TTreeView& tree = *main().fsxCfgTree;
    for (TTreeView::Node n = tree.NodeAt(0); n != nullptr; n = tree.NextInOrder(n))
        texts.push_back((tree.ParentOf(n) ? "  " : "") + tree.NodeText(n));
    return texts;
}

TTreeView::Node EditorTest::findNode(const std::string& section, const std::string& key) {
    TTreeView& tree = *main().fsxCfgTree;
    for (TTreeView::Node n = tree.NodeAt(0); n != nullptr; n = tree.NextInOrder(n)) {
        const TTreeView::Node parent = tree.ParentOf(n);
        if (key.empty() && parent == nullptr && tree.NodeText(n) == section) return n;
        if (!key.empty() && parent != nullptr && tree.NodeText(parent) == section && tree.NodeText(n) == key) return n;
    }
    return nullptr;
}

void pressKey(WORD key) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void pressAltKey(WORD key) {
    INPUT input[4]{};
    for (INPUT& i : input) i.type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[3].ki.wVk = VK_MENU;
    input[1].ki.wVk = input[2].ki.wVk = key;
    input[2].ki.dwFlags = input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, input, sizeof(INPUT));
}

}  // namespace trimwell::test
