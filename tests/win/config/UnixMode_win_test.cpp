// What a save under Wine does to the file as Unix sees it: its mode, owner and group.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/IniFiles.h"
#include "platform/WineHost_win.h"
#include "platform/Text.h"
#include "tests/win/config/Folder_win.h"

using namespace trimwell;
namespace fs = std::filesystem;

namespace {

const std::string kCfg = "[fltsim.0]\r\ntitle=Cessna\r\n\r\n[General]\r\natc_type=CESSNA\r\n";

// Files under test live in a folder of their own, apart from the shell's output and marker, so
// that a count of entries sees only them.
class UnixFolder {
public:
    UnixFolder() { fs::create_directories(Utf8ToWide(root_.file(L"files"))); }
    std::string file(const std::wstring& name) const { return root_.file(L"files\\" + name); }

    // Runs a shell script on the Unix side with the Unix paths of `paths` as $1, $2, ... and waits
    // for it; returns what it printed.
    std::string shell(const std::string& script, const std::vector<std::string>& paths) const {
        const std::string marker = root_.write(L"running", ""), output = root_.file(L"output");
        std::vector<std::string> args;
        for (const auto& p : paths) args.push_back(UnixPathOf(Utf8ToWide(p)).value_or(""));
        args.push_back(UnixPathOf(Utf8ToWide(output)).value_or(""));
        args.push_back(UnixPathOf(Utf8ToWide(marker)).value_or(""));
        const std::string outputArg = std::to_string(paths.size() + 1), markerArg = std::to_string(paths.size() + 2);
        EXPECT_TRUE(RunUnixShellUntilGone("{ " + script + "; } > \"${" + outputArg + "}\" 2>&1; rm -f \"${" + markerArg + "}\"",
                                          args, Utf8ToWide(marker), 10000));
        return slurp(output);
    }
    std::string modeAndOwner(const std::string& path) const { return shell("stat -c %a:%u:%g \"$1\"", {path}); }

private:
    Folder root_{L"trimwell-unix-mode"};
};

}  // namespace

TEST(SaveUnderWine, KeepsTheUnixModeOwnerAndGroupOfEveryFile) {
    if (!RunningUnderWine()) GTEST_SKIP() << "not under Wine";
    const UnixFolder dir;
    const std::string path = dir.file(L"aircraft.cfg");
    struct Edit {
        const char* what;
        const char* section;
        const char* key;
    };
    const Edit edits[] = {{"an existing key", "fltsim.0", "title"},
                          {"a new key", "fltsim.0", "ui_variation"},
                          {"a new section", "fltsim.1", "title"}};
    for (const char* mode : {"600", "604", "640", "644", "660", "664", "666", "755", "2640"}) {
        for (const Edit& edit : edits) {
            std::ofstream(fs::path(Utf8ToWide(path)), std::ios::binary | std::ios::trunc) << kCfg;
            const std::string before = dir.shell(std::string("chmod ") + mode + " \"$1\" && stat -c %a:%u:%g \"$1\"", {path});
            ASSERT_EQ(before.substr(0, before.find(':')), mode) << before;
            TIniFile(path).WriteValue(edit.section, edit.key, "Changed");
            EXPECT_EQ(dir.modeAndOwner(path), before) << "mode " << mode << ", " << edit.what;
            EXPECT_EQ(TIniFile(path).ReadValue(edit.section, edit.key, ""), "Changed");
        }
    }
}

TEST(SaveUnderWine, KeepsAnotherUsersOwnershipAndGivesNewFilesNoExecuteBit) {
    if (!RunningUnderWine()) GTEST_SKIP() << "not under Wine";
    const UnixFolder dir;
    const std::string path = dir.file(L"aircraft.cfg");
    std::ofstream(fs::path(Utf8ToWide(path)), std::ios::binary) << kCfg;
    const std::string before = dir.shell("chown 65534:65533 \"$1\" 2>/dev/null; chmod 664 \"$1\"; stat -c %a:%u:%g \"$1\"", {path});
    TIniFile(path).WriteValue("fltsim.0", "title", "Changed");
    EXPECT_EQ(dir.modeAndOwner(path), before) << "the owner, where this user may give it, and the group stay";

    // A read-only file is refused before anything is written, as on Windows.
    dir.shell("chmod 444 \"$1\"", {path});
    EXPECT_THROW(TIniFile(path).WriteValue("fltsim.0", "title", "Refused"), EIniFileException);
    EXPECT_EQ(dir.modeAndOwner(path).substr(0, 4), "444:");
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(Utf8ToWide(path)).parent_path()), {}), 1)
        << "a temporary file was left behind";

    const std::string fresh = dir.file(L"new.cfg");
    TIniFile(fresh).WriteValue("s", "k", "v");
    const std::string mode = dir.shell("stat -c %a \"$1\"", {fresh});
    EXPECT_EQ(std::stoi(mode, nullptr, 8) & 0111, 0) << "a new file got an execute bit: " << mode;
}
