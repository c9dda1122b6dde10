#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "config/FSXPath.h"
#include "config/FileIO.h"
#include "config/FileIO_win.h"
#include "config/IniFiles.h"
#include "framework/Handles_win.h"
#include "framework/WinUtf.h"

using namespace trimwell;
namespace fs = std::filesystem;

namespace {

const std::string kCfg = "[fltsim.0]\r\ntitle=Cessna\r\n\r\n[General]\r\natc_type=CESSNA\r\n";

class Folder {
public:
    explicit Folder(const std::wstring& name) : path_(fs::temp_directory_path() / name) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~Folder() {
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(path_, ec))
            SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(path_, ec);
    }
    std::string file(const std::wstring& name) const { return WideToUtf8((path_ / name).wstring()); }
    std::string write(const std::wstring& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return file(name);
    }
    std::size_t entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {})); }

private:
    fs::path path_;
};

std::string slurp(const std::string& utf8Path) {
    std::ifstream in(fs::path(Utf8ToWide(utf8Path)), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

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

    TIniFile(path).WriteValue("FLTSIM.0", "title", "Skyhawk \xE9");
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

// Stands in for the system's replace call for one test, to reproduce how it fails half-way.
class ReplaceFileStandIn {
public:
    explicit ReplaceFileStandIn(ReplaceFileCall call) : saved_(SystemReplaceFile()) { SystemReplaceFile() = std::move(call); }
    ~ReplaceFileStandIn() { SystemReplaceFile() = saved_; }
    ReplaceFileStandIn(const ReplaceFileStandIn&) = delete;
    ReplaceFileStandIn& operator=(const ReplaceFileStandIn&) = delete;

private:
    ReplaceFileCall saved_;
};

std::string writeError(const std::string& path, const std::string& title) {
    try {
        TIniFile(path).WriteValue("fltsim.0", "title", title);
    } catch (const EIniFileException& e) {
        return e.what();
    }
    return {};
}

std::string withTitle(const std::string& title) {
    return "[fltsim.0]\r\ntitle=" + title + "\r\n\r\n[General]\r\natc_type=CESSNA\r\n";
}

}  // namespace

TEST(IniFileOnWindows, AReplacementThatFailsHalfWayNeverLosesTheFile) {
    Folder dir(L"trimwell-halfway");
    const std::string path = dir.write(L"aircraft.cfg", kCfg);
    const std::wstring target = Utf8ToWide(path);
    {
        // Failed before anything moved: refused, nothing left behind.
        const ReplaceFileStandIn failing([](const wchar_t*, const wchar_t*, const wchar_t*) {
            SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED);
            return FALSE;
        });
        EXPECT_EQ(writeError(path, "Changed"), "Unable to write to " + path);
        EXPECT_EQ(slurp(path), kCfg);
        EXPECT_EQ(dir.entries(), 1u);
    }
    {
        // The original parked under the backup name, the replacement stopped short of its place.
        const ReplaceFileStandIn parked([](const wchar_t* replaced, const wchar_t*, const wchar_t* backup) {
            MoveFileExW(replaced, backup, MOVEFILE_REPLACE_EXISTING);
            SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
            return FALSE;
        });
        EXPECT_EQ(writeError(path, "Second"), "");
        EXPECT_EQ(slurp(path), withTitle("Second"));
        EXPECT_EQ(dir.entries(), 1u);
    }
    {
        // The original gone altogether, as happens when no backup name is given.
        const ReplaceFileStandIn removed([](const wchar_t* replaced, const wchar_t*, const wchar_t*) {
            DeleteFileW(replaced);
            SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
            return FALSE;
        });
        EXPECT_EQ(writeError(path, "Third"), "");
        EXPECT_EQ(slurp(path), withTitle("Third"));
        EXPECT_EQ(dir.entries(), 1u);
    }
    {
        // Something else takes the name meanwhile, so neither file can go back: both are kept.
        const ReplaceFileStandIn blocked([&](const wchar_t* replaced, const wchar_t*, const wchar_t* backup) {
            MoveFileExW(replaced, backup, MOVEFILE_REPLACE_EXISTING);
            CreateDirectoryW(replaced, nullptr);
            SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
            return FALSE;
        });
        const std::string error = writeError(path, "Fourth");
        const std::string prefix = "Unable to write to " + path + "; its content is kept in ";
        ASSERT_EQ(error.substr(0, prefix.size()), prefix);
        EXPECT_EQ(slurp(error.substr(prefix.size())), withTitle("Fourth"));
        std::vector<std::string> contents;
        for (const auto& e : fs::directory_iterator(fs::path(target).parent_path()))
            if (e.is_regular_file()) contents.push_back(slurp(WideToUtf8(e.path().wstring())));
        std::sort(contents.begin(), contents.end());
        EXPECT_EQ(contents, (std::vector<std::string>{withTitle("Fourth"), withTitle("Third")}));
    }
}

namespace {

// Sets registry values for one test and puts back what was there before.
class RegistryScope {
public:
    ~RegistryScope() {
        restore();
        for (const auto& [root, view] : created_) RegDeleteKeyExW(root, kKey, view, 0);
    }
    void set(HKEY root, REGSAM view, const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExW(root, kKey, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, &disposition),
                  ERROR_SUCCESS);
        const UniqueRegKey k(key);
        if (disposition == REG_CREATED_NEW_KEY) created_.push_back({root, view});
        saveOld(k.get(), root, view, name);
        ASSERT_EQ(RegSetValueExW(k.get(), name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
    void setText(HKEY root, REGSAM view, const wchar_t* name, const std::wstring& text) {
        set(root, view, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    static constexpr const wchar_t* kKey = L"SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\10.0";

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
    RegistryScope() = default;
    RegistryScope(const RegistryScope&) = delete;
    RegistryScope& operator=(const RegistryScope&) = delete;
    void restore() {
        for (auto it = olds_.rbegin(); it != olds_.rend(); ++it) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(it->root, kKey, 0, KEY_ALL_ACCESS | it->view, &key) != ERROR_SUCCESS) continue;
            const UniqueRegKey k(key);
            if (it->existed)
                RegSetValueExW(k.get(), it->name.c_str(), 0, it->type, it->data.data(), static_cast<DWORD>(it->data.size()));
            else
                RegDeleteValueW(k.get(), it->name.c_str());
        }
        olds_.clear();
    }

private:
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
