#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "config/FSXPath.h"
#include "platform/Files.h"
#include "platform/Files_win.h"
#include "config/IniFiles.h"
#include "platform/WineHost_win.h"
#include "platform/Handles_win.h"
#include "platform/Text.h"
#include "tests/win/config/Folder_win.h"

using namespace trimwell;
namespace fs = std::filesystem;

namespace {

const std::string kCfg = "[fltsim.0]\r\ntitle=Cessna\r\n\r\n[General]\r\natc_type=CESSNA\r\n";

}  // namespace

TEST(IniFileOnWindows, LockedOrReadOnlyFilesAreRefusedUntouched) {
    Folder dir(L"trimwell-locked");
    const std::string path = dir.write(L"aircraft.cfg", kCfg);
    {
        // The simulator holding the file open without sharing it.
        UniqueFileHandle lock(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock);
        try {
            TIniFile(path).WriteValue("fltsim.0", "title", "Changed");
            ADD_FAILURE() << "locked file was written";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
        }
    }
    EXPECT_EQ(slurp(path), kCfg);

    ASSERT_TRUE(SetFileAttributesW(Utf8ToWide(path).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(TIniFile(path).WriteValue("fltsim.0", "title", "Changed"), EIniFileException);
    EXPECT_EQ(slurp(path), kCfg);
    EXPECT_EQ(dir.entries(), 1u) << "a temporary file was left behind";
}

TEST(IniFileOnWindows, WritesKeepAttributesAndWorkOnAnyPath) {
    Folder dir(L"trimwell-\u03A9mega \u2708 \u65E5\u672C");
    const std::string path = dir.write(L"\u0416aircraft.cfg", kCfg);
    const std::wstring wide = Utf8ToWide(path);
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN));
    const FILETIME created{0x12345600u, 0x01C00000u};  // in the year 2001
    const auto creationOf = [&] {
        const UniqueFileHandle h(CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 7, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
        FILETIME t{};
        GetFileTime(h.get(), &t, nullptr, nullptr);
        return t;
    };
    {
        const UniqueFileHandle h(CreateFileW(wide.c_str(), FILE_WRITE_ATTRIBUTES, 7, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(SetFileTime(h.get(), &created, nullptr, nullptr));
    }
    // Wine on Linux has nowhere to keep a creation date; where the system keeps one, a save keeps it.
    const FILETIME before = creationOf();
    const bool keepsCreationDates = CompareFileTime(&before, &created) == 0;

    TIniFile(path).WriteValue("FLTSIM.0", "title", "Skyhawk \xE9");
    if (keepsCreationDates) {
        const FILETIME after = creationOf();
        EXPECT_EQ(CompareFileTime(&after, &created), 0) << "the creation date was not kept";
    }
    EXPECT_EQ(slurp(path), "[fltsim.0]\r\ntitle=Skyhawk \xE9\r\n\r\n[General]\r\natc_type=CESSNA\r\n");
    EXPECT_EQ(TIniFile(path).ReadValue("fltsim.0", "TITLE", ""), "Skyhawk \xE9");
    EXPECT_TRUE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(dir.entries(), 1u);

    // Refusals name the file as the system's 8-bit message boxes show it.
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));
    try {
        TIniFile(path).WriteValue("fltsim.0", "title", "Refused");
        ADD_FAILURE() << "read-only file was written";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + WideToAnsi(wide));
    }
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);

    const std::string fresh = dir.file(L"new \u00FC.cfg");
    TIniFile(fresh).WriteValue("s", "k", "v");
    EXPECT_EQ(slurp(fresh), "[s]\r\nk=v\r\n");
    EXPECT_TRUE(FileExists(fresh));
    EXPECT_FALSE(FileExists(WideToUtf8(fs::temp_directory_path().wstring())));
}

TEST(IniFileOnWindows, OnlyAFileThatIsNotThereReadsAsMissing) {
    using Read = FileContents::Status;
    Folder dir(L"trimwell-unreadable");
    const std::string path = dir.write(L"aircraft.cfg", kCfg);
    EXPECT_EQ(LoadWholeFile(dir.file(L"absent.cfg")).status, Read::Missing);
    EXPECT_EQ(LoadWholeFile(dir.file(L"no folder\\a.cfg")).status, Read::Missing);
    EXPECT_EQ(LoadWholeFile(dir.file(L"")).status, Read::Unreadable) << "a folder";
    {
        // Held open by a program that lets nobody else read it.
        const UniqueFileHandle other(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                                                 FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                                 nullptr));
        ASSERT_TRUE(other);
        EXPECT_EQ(LoadWholeFile(path).status, Read::Unreadable);
        EXPECT_EQ(TIniFile(path).ReadValue("fltsim.0", "title", "default"), "default");
        EXPECT_THROW(TIniFile(path).WriteValue("fltsim.0", "title", "Changed"), EIniFileException);
    }
    const FileContents contents = LoadWholeFile(path);
    EXPECT_EQ(contents.status, Read::Read);
    EXPECT_EQ(contents.bytes, kCfg);
}

namespace {

// Stands in for the rename that puts a save in place, for one test.
class MoveFileStandIn {
public:
    explicit MoveFileStandIn(MoveFileCall call) : saved_(SystemMoveFile()) { SystemMoveFile() = std::move(call); }
    ~MoveFileStandIn() { SystemMoveFile() = saved_; }
    MoveFileStandIn(const MoveFileStandIn&) = delete;
    MoveFileStandIn& operator=(const MoveFileStandIn&) = delete;
    const MoveFileCall& system() const { return saved_; }

private:
    MoveFileCall saved_;
};

std::string writeError(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) {
    try {
        TIniFile(path).WriteValue(section, key, value);
    } catch (const EIniFileException& e) {
        return e.what();
    }
    return {};
}

std::string withTitle(const std::string& title) {
    return "[fltsim.0]\r\ntitle=" + title + "\r\n\r\n[General]\r\natc_type=CESSNA\r\n";
}

// What a program that opens the file at any moment finds there; nullopt when the path is missing.
std::optional<std::string> readAsAnotherProgram(const std::wstring& path) {
    const UniqueFileHandle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
    if (!h) return GetLastError() == ERROR_FILE_NOT_FOUND ? std::nullopt : std::optional<std::string>("<locked>");
    std::string bytes;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(h.get(), buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
    return bytes;
}

// Starts a Unix program from inside Wine, which runs native programs named by their path on the
// Z: drive but gives no handle to wait on: callers wait for what the program leaves behind.
bool startUnix(const std::wstring& program, std::wstring arguments) {
    std::wstring path = L"Z:" + program;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring commandLine = program + L" " + arguments;
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    const UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
    return true;
}

bool appears(const std::string& utf8Path) {
    for (int i = 0; i < 1000; ++i, Sleep(10))
        if (GetFileAttributesW(Utf8ToWide(utf8Path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    return false;
}

std::wstring finalPath(const std::string& utf8Path) {
    const UniqueFileHandle h(CreateFileW(Utf8ToWide(utf8Path).c_str(), FILE_READ_ATTRIBUTES, 7, nullptr, OPEN_EXISTING, 0, nullptr));
    wchar_t buffer[MAX_PATH * 2] = {};
    return h && GetFinalPathNameByHandleW(h.get(), buffer, MAX_PATH * 2, 0) ? buffer : L"";
}

std::string unixPathOf(const std::string& utf8Path) { return UnixPathOf(Utf8ToWide(utf8Path)).value_or(""); }

}  // namespace

TEST(IniFileOnWindows, AnotherProgramNeverFindsThePathMissingOrPartWhileSavesRun) {
    Folder dir(L"trimwell-never-missing");
    const std::string path = dir.write(L"aircraft.cfg", withTitle("A"));
    const std::wstring wide = Utf8ToWide(path);
    const std::string titles[] = {"A", "A much longer title that makes the file grow", "B"};

    // One reader outside Wine, as the simulator's tools on Linux see the file, and one inside.
    const std::string unixPath = unixPathOf(path), unixStop = unixPathOf(dir.file(L"stop")),
                      unixCount = unixPathOf(dir.file(L"count"));
    const bool unixReader =
        !unixPath.empty() && startUnix(L"/bin/sh", L"-c \"n=0; m=0; while [ ! -e '" + Utf8ToWide(unixStop) +
                                                       L"' ]; do n=$((n+1)); [ -s '" + Utf8ToWide(unixPath) +
                                                       L"' ] || m=$((m+1)); done; echo $n $m > '" +
                                                       Utf8ToWide(unixCount) + L".part'; mv '" + Utf8ToWide(unixCount) +
                                                       L".part' '" + Utf8ToWide(unixCount) + L"'\"");

    std::atomic<bool> saving{true};
    std::atomic<int> reads{0}, missing{0}, torn{0};
    std::thread reader([&] {
        while (saving) {
            const std::optional<std::string> seen = readAsAnotherProgram(wide);
            Sleep(1);
            ++reads;
            if (!seen) ++missing;
            else if (std::none_of(std::begin(titles), std::end(titles), [&](const std::string& t) { return *seen == withTitle(t); }))
                ++torn;
        }
    });
    constexpr int kSaves = 150;
    int refused = 0;
    for (int i = 0; i < kSaves; ++i)
        if (!writeError(path, "fltsim.0", "title", titles[i % 3]).empty()) ++refused;
    saving = false;
    reader.join();
    EXPECT_GT(reads.load(), 20);
    EXPECT_EQ(missing.load(), 0) << "the path was missing during a save";
    EXPECT_EQ(torn.load(), 0) << "a reader saw part of a file";
    // Wine refuses to rename over a file that any of its programs has open; the save waits for
    // the reader to let go, so refusals stay rare.
    EXPECT_LT(refused, kSaves / 10);

    if (unixReader) {
        dir.write(L"stop", "");
        ASSERT_TRUE(appears(dir.file(L"count")));
        std::istringstream counts(slurp(dir.file(L"count")));
        long polls = -1, unseen = -1;
        counts >> polls >> unseen;
        EXPECT_GT(polls, 0);
        EXPECT_EQ(unseen, 0) << "a program on Linux found the path missing or empty " << unseen << " times";
    }
    EXPECT_EQ(dir.entries(), unixReader ? 3u : 1u) << "a temporary file was left behind";
}

TEST(IniFileOnWindows, TwoSavesAtOnceLoseAtMostOneUpdateNeverTheFile) {
    Folder dir(L"trimwell-two-saves");
    const std::string path = dir.write(L"aircraft.cfg", kCfg);
    std::wstring heldTemporary;
    {
        // The first save is held inside its rename while a second save runs whole.
        bool holding = true;
        MoveFileStandIn held([&](const wchar_t* from, const wchar_t* to, DWORD flags) {
            if (std::exchange(holding, false)) {
                heldTemporary = from;
                EXPECT_EQ(writeError(path, "General", "atc_type", "PIPER"), "");
                EXPECT_EQ(slurp(path), kCfg.substr(0, kCfg.size() - 8) + "PIPER\r\n") << "the second save";
            }
            return MoveFileExW(from, to, flags);
        });
        EXPECT_EQ(writeError(path, "fltsim.0", "title", "First"), "");
    }
    EXPECT_EQ(slurp(path), withTitle("First")) << "the first save's whole outcome";
    EXPECT_EQ(dir.entries(), 1u);
    const std::wstring name = fs::path(heldTemporary).filename().wstring();
    EXPECT_EQ(name.rfind(L".aircraft.cfg.trimwell-", 0), 0u) << WideToUtf8(name);
    EXPECT_EQ(name.substr(name.size() - 4), L".tmp");

    // A save that found no file must not replace one that another save created meanwhile.
    const std::string fresh = dir.file(L"fresh.cfg");
    {
        MoveFileStandIn held([&](const wchar_t* from, const wchar_t* to, DWORD flags) {
            std::ofstream(fs::path(to), std::ios::binary) << kCfg;
            return MoveFileExW(from, to, flags);
        });
        EXPECT_EQ(writeError(fresh, "fltsim.0", "title", "Lost"), "Unable to write to " + fresh);
    }
    EXPECT_EQ(slurp(fresh), kCfg);
    EXPECT_EQ(dir.entries(), 2u) << "a refused save left a temporary file";
}

TEST(IniFileOnWindows, RefusalsComeBeforeAnyRenameAndLeaveNothingBehind) {
    Folder dir(L"trimwell-refusals");
    const std::string path = dir.write(L"aircraft.cfg", kCfg);
    const std::wstring wide = Utf8ToWide(path);
    int renames = 0;
    MoveFileStandIn counting([&](const wchar_t* from, const wchar_t* to, DWORD flags) {
        ++renames;
        return MoveFileExW(from, to, flags);
    });
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(writeError(path, "fltsim.0", "title", "Changed"), "Unable to write to " + path);
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL));
    {
        const UniqueFileHandle lock(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_EQ(writeError(path, "fltsim.0", "title", "Changed"), "Unable to write to " + path);
    }
    EXPECT_EQ(renames, 0);
    EXPECT_EQ(slurp(path), kCfg);

    // A rename the system refuses: the original stays and the temporary file goes.
    SystemMoveFile() = [](const wchar_t*, const wchar_t*, DWORD) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    };
    EXPECT_EQ(writeError(path, "fltsim.0", "title", "Changed"), "Unable to write to " + path);
    EXPECT_EQ(slurp(path), kCfg);
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(IniFileOnWindows, ALinkedFileIsWrittenWhereItPointsAndEveryLinkStays) {
    // A run cut short leaves links that Wine can neither see nor delete once their target is
    // gone: the folder is cleared from outside first.
    const std::string unixTemp = unixPathOf(WideToUtf8(fs::temp_directory_path().wstring()));
    if (unixTemp.empty()) GTEST_SKIP() << "not under Wine";
    const std::string cleared = WideToUtf8((fs::temp_directory_path() / L"trimwell-links.cleared").wstring());
    ASSERT_TRUE(startUnix(L"/bin/sh", L"-c \"rm -rf '" + Utf8ToWide(unixTemp) + L"/trimwell-links'; touch '" +
                                          Utf8ToWide(unixPathOf(cleared)) + L"'\""));
    ASSERT_TRUE(appears(cleared));
    DeleteFileW(Utf8ToWide(cleared).c_str());
    Folder dir(L"trimwell-links");
    CreateDirectoryW(Utf8ToWide(dir.file(L"a")).c_str(), nullptr);
    CreateDirectoryW(Utf8ToWide(dir.file(L"b")).c_str(), nullptr);
    CreateDirectoryW(Utf8ToWide(dir.file(L"c")).c_str(), nullptr);
    const std::string target = dir.write(L"b\\aircraft.cfg", kCfg);
    const std::string viaA = dir.file(L"a\\aircraft.cfg"), viaC = dir.file(L"c\\aircraft.cfg");
    for (const std::string& link : {viaA, viaC}) {
        ASSERT_TRUE(startUnix(L"/bin/ln", L"-s ../b/aircraft.cfg \"" + Utf8ToWide(unixPathOf(link)) + L"\""));
        ASSERT_TRUE(appears(link));
    }
    TIniFile(viaA).WriteValue("fltsim.0", "title", "Linked");
    EXPECT_EQ(slurp(target), withTitle("Linked"));
    EXPECT_EQ(slurp(viaC), withTitle("Linked")) << "the other link dangles";
    EXPECT_EQ(finalPath(viaA), finalPath(target)) << "the link became a file";
    EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::directory_iterator(Utf8ToWide(dir.file(L"a"))), {})), 1u);
    EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::directory_iterator(Utf8ToWide(dir.file(L"b"))), {})), 1u);
    // Wine does not delete links; they go from outside, while what they point at is still there.
    const std::string removed = dir.file(L"links.removed");
    ASSERT_TRUE(startUnix(L"/bin/sh", L"-c \"rm '" + Utf8ToWide(unixPathOf(viaA)) + L"' '" +
                                          Utf8ToWide(unixPathOf(viaC)) + L"'; touch '" + Utf8ToWide(unixPathOf(removed)) +
                                          L"'\""));
    EXPECT_TRUE(appears(removed));
}

namespace {

// Sets registry values for one test and puts back what was there before.
class RegistryScope {
public:
    ~RegistryScope() {
        restore();
        for (const auto& [root, view] : created_) RegDeleteKeyExW(root, key_, view, 0);
    }
    void set(HKEY root, REGSAM view, const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExW(root, key_, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, &disposition),
                  ERROR_SUCCESS);
        const UniqueRegKey k(key);
        if (disposition == REG_CREATED_NEW_KEY) created_.push_back({root, view});
        saveOld(k.get(), root, view, name);
        ASSERT_EQ(RegSetValueExW(k.get(), name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
    void setText(HKEY root, REGSAM view, const wchar_t* name, const std::wstring& text) {
        set(root, view, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    static constexpr const wchar_t* kBoxedKey = L"SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\10.0";
    static constexpr const wchar_t* kSteamKey =
        L"SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator - Steam Edition\\10.0";

private:
    struct Old {
        HKEY root;
        REGSAM view;
        std::wstring name;
        DWORD type;
        std::vector<BYTE> data;
        bool existed;
    };
    void saveOld(HKEY key, HKEY root, REGSAM view, const wchar_t* name) {
        Old old{root, view, name, 0, {}, false};
        DWORD size = 0;
        if (RegQueryValueExW(key, name, nullptr, &old.type, nullptr, &size) == ERROR_SUCCESS) {
            old.data.resize(size);
            RegQueryValueExW(key, name, nullptr, &old.type, old.data.data(), &size);
            old.existed = true;
        }
        olds_.push_back(std::move(old));
    }

public:
    explicit RegistryScope(const wchar_t* key = kBoxedKey) : key_(key) {}
    RegistryScope(const RegistryScope&) = delete;
    RegistryScope& operator=(const RegistryScope&) = delete;
    void restore() {
        for (auto it = olds_.rbegin(); it != olds_.rend(); ++it) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(it->root, key_, 0, KEY_ALL_ACCESS | it->view, &key) != ERROR_SUCCESS) continue;
            const UniqueRegKey k(key);
            if (it->existed)
                RegSetValueExW(k.get(), it->name.c_str(), 0, it->type, it->data.data(), static_cast<DWORD>(it->data.size()));
            else
                RegDeleteValueW(k.get(), it->name.c_str());
        }
        olds_.clear();
    }

private:
    const wchar_t* key_;
    std::vector<Old> olds_;
    std::vector<std::pair<HKEY, REGSAM>> created_;
};

}  // namespace

TEST(SimulatorLookupOnWindows, ReadsBothRootsThroughThe32BitView) {
    Folder userSim(L"trimwell-user-sim"), machineSim(L"trimwell-machine-sim");
    machineSim.write(L"fsx.exe", "MZ");
    const std::wstring machineFolder = Utf8ToWide(machineSim.file(L""));  // ends in a backslash

    RegistryScope reg;
    // No fsx.exe in the user's folder: the machine's 32-bit entry decides. A 64-bit entry for the
    // machine must not be seen.
    reg.setText(HKEY_CURRENT_USER, 0, L"AppPath", Utf8ToWide(userSim.file(L"")));
    reg.setText(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, L"SetupPath", L"C:\\nowhere\\");
    reg.setText(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, L"SetupPath", machineFolder);
    std::wstring expected = machineFolder;
    expected.pop_back();
    EXPECT_EQ(GetFSXPath(), WideToUtf8(expected));

    userSim.write(L"fsx.exe", "MZ");
    std::wstring userFolder = Utf8ToWide(userSim.file(L""));
    userFolder.pop_back();
    EXPECT_EQ(GetFSXPath(), WideToUtf8(userFolder));

    const DWORD number = 7;
    reg.set(HKEY_CURRENT_USER, 0, L"AppPath", REG_DWORD, &number, sizeof number);
    try {
        GetFSXPath();
        ADD_FAILURE() << "no error for a DWORD value";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'AppPath'");
    }
}

TEST(SimulatorLookupOnWindows, ExpandableStringsCountAsTextOtherTypesAreErrors) {
    Folder userSim(L"trimwell-expand-sim");
    userSim.write(L"fsx.exe", "MZ");
    std::wstring folder = Utf8ToWide(userSim.file(L""));

    RegistryScope reg;
    reg.set(HKEY_CURRENT_USER, 0, L"AppPath", REG_EXPAND_SZ, folder.c_str(),
            static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    folder.pop_back();
    EXPECT_EQ(GetFSXPath(), WideToUtf8(folder));

    const wchar_t list[] = L"C:\\FSX\0D:\\FSX\0";
    const BYTE bytes[] = {'C', ':', '\\', 0};
    const std::vector<std::tuple<HKEY, const wchar_t*, DWORD, const void*, DWORD>> others{
        {HKEY_CURRENT_USER, L"AppPath", REG_MULTI_SZ, list, sizeof list},
        {HKEY_CURRENT_USER, L"AppPath", REG_BINARY, bytes, sizeof bytes},
        {HKEY_LOCAL_MACHINE, L"SetupPath", REG_MULTI_SZ, list, sizeof list},
    };
    for (const auto& [root, name, type, data, size] : others) {
        if (root == HKEY_LOCAL_MACHINE) reg.setText(HKEY_CURRENT_USER, 0, L"AppPath", L"C:\\nowhere\\");
        reg.set(root, KEY_WOW64_32KEY, name, type, data, size);
        try {
            GetFSXPath();
            ADD_FAILURE() << "no error for type " << type;
        } catch (const ERegistryException& e) {
            EXPECT_EQ(std::string(e.what()), "Invalid data type for '" + WideToUtf8(name) + "'");
        }
    }
}

TEST(SimulatorLookupOnWindows, FindsTheSteamEditionWhenNoBoxedFolderIsValid) {
    Folder boxedSim(L"trimwell-boxed-sim"), steamSim(L"trimwell-steam-sim");
    const auto folderOf = [](const Folder& f) {
        std::string folder = f.file(L"");
        folder.pop_back();
        return folder;
    };
    RegistryScope boxed, steam(RegistryScope::kSteamKey);
    boxed.setText(HKEY_CURRENT_USER, 0, L"AppPath", Utf8ToWide(boxedSim.file(L"")));
    boxed.setText(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, L"SetupPath", L"C:\\nowhere\\");
    steam.setText(HKEY_CURRENT_USER, 0, L"AppPath", Utf8ToWide(steamSim.file(L"")));
    EXPECT_EQ(GetFSXPath(), "") << "a Steam Edition folder without fsx.exe";

    steamSim.write(L"fsx.exe", "MZ");
    EXPECT_EQ(GetFSXPath(), folderOf(steamSim)) << "only the Steam Edition is valid";

    boxedSim.write(L"fsx.exe", "MZ");
    EXPECT_EQ(GetFSXPath(), folderOf(boxedSim)) << "the boxed simulator comes first";
    boxed.setText(HKEY_CURRENT_USER, 0, L"AppPath", L"C:\\nowhere\\");
    boxed.setText(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, L"SetupPath", Utf8ToWide(boxedSim.file(L"")));
    EXPECT_EQ(GetFSXPath(), folderOf(boxedSim)) << "the machine's boxed folder comes first too";
}
