#include "config/FSXPath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "config/WineRegistry.h"
#include "tests/native/config/TempDir.h"

using namespace trimwell;

namespace {

class FsxLookup : public ::testing::Test {
protected:
    std::string lookup() {
        return GetFSXPath(registry, [this](const std::string& p) { return files.count(p) > 0; });
    }
    void setAppPath(const std::string& v) { registry.setString(RegRoot::CurrentUser, kFsxRegistryKey, "AppPath", v); }
    void setSetupPath(const std::string& v) {
        registry.setString(RegRoot::LocalMachine, kFsxRegistryKey, "SetupPath", v);
    }
    void setSteamAppPath(const std::string& v) {
        registry.setString(RegRoot::CurrentUser, kFsxSteamRegistryKey, "AppPath", v);
    }

    MemoryRegistry registry;
    std::set<std::string> files;
};

}  // namespace

TEST_F(FsxLookup, CurrentUserWinsAndLosesOneTrailingBackslash) {
    files = {"D:\\FSX\\fsx.exe", "E:\\Other\\fsx.exe"};
    setAppPath("D:\\FSX\\");
    setSetupPath("E:\\Other");
    EXPECT_EQ(lookup(), "D:\\FSX");

    setAppPath("D:\\FSX\\\\");
    files.insert("D:\\FSX\\\\fsx.exe");
    EXPECT_EQ(lookup(), "D:\\FSX\\");
}

TEST_F(FsxLookup, FallsBackToTheMachineRoot) {
    files = {"E:\\Games\\FSX\\fsx.exe"};
    setAppPath("D:\\NoSimHere\\");
    setSetupPath("E:\\Games\\FSX\\");
    EXPECT_EQ(lookup(), "E:\\Games\\FSX");
}

TEST_F(FsxLookup, NothingValidGivesEmpty) {
    EXPECT_EQ(lookup(), "");
    files = {"\\fsx.exe"};  // an empty candidate never passes, whatever the drive root holds
    registry.createKey(RegRoot::CurrentUser, kFsxRegistryKey);
    setSetupPath("");
    EXPECT_EQ(lookup(), "");
}

TEST_F(FsxLookup, NonStringValueIsAnError) {
    registry.setOtherType(RegRoot::CurrentUser, kFsxRegistryKey, "AppPath");
    try {
        lookup();
        FAIL() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'AppPath'");
    }
}

TEST_F(FsxLookup, TheSteamEditionIsFoundOnlyWhenNoBoxedFolderIsValid) {
    files = {"C:\\Steam\\steamapps\\common\\FSX\\fsx.exe"};
    setSteamAppPath("C:\\Steam\\steamapps\\common\\FSX\\");
    EXPECT_EQ(lookup(), "C:\\Steam\\steamapps\\common\\FSX") << "Steam Edition alone";

    setAppPath("D:\\NoSimHere\\");
    setSetupPath("E:\\NoSimEither");
    EXPECT_EQ(lookup(), "C:\\Steam\\steamapps\\common\\FSX") << "boxed entries without fsx.exe";

    files.insert("E:\\NoSimEither\\fsx.exe");
    EXPECT_EQ(lookup(), "E:\\NoSimEither") << "the machine's boxed folder comes first";
    files.insert("D:\\NoSimHere\\fsx.exe");
    EXPECT_EQ(lookup(), "D:\\NoSimHere") << "the user's boxed folder comes first";

    files = {"C:\\Steam\\steamapps\\common\\FSX\\SimObjects"};
    EXPECT_EQ(lookup(), "") << "a Steam folder without fsx.exe";
}

TEST_F(FsxLookup, TheSteamEditionsNonStringValueIsAnErrorToo) {
    registry.setOtherType(RegRoot::CurrentUser, kFsxSteamRegistryKey, "AppPath");
    try {
        lookup();
        FAIL() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'AppPath'");
    }
    files = {"D:\\FSX\\fsx.exe"};
    setAppPath("D:\\FSX");
    EXPECT_EQ(lookup(), "D:\\FSX") << "a valid boxed folder never asks for the Steam Edition's value";
}

TEST(WineRegistryFile, FindsStringValuesAndTellsOtherTypes) {
    const std::string reg =
        "WINE REGISTRY Version 2\n"
        ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
        "\n#arch=win64\n\n"
        "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\10.0] 1700000000\n"
        "#time=1d9a\n"
        "\"AppPath\"=\"D:\\\\FSX\\\\\"\n"
        "\"Count\"=dword:00000001\n"
        "\"Expand\"=str(2):\"%ProgramFiles%\\\\FSX\"\n"
        "\"Quote\"=\"say \\\"hi\\\" \\x00e9\\xd83d\\xde00\"\n"
        "\"Blob\"=hex:01,02,\\\n  03\n"
        "\n[Software\\\\Other] 1700000000\n\"AppPath\"=\"wrong\"\n";
    const char* key = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\10.0\\";

    auto found = LookupWineRegValue(reg, key, "apppath");
    ASSERT_TRUE(found.keyFound && found.value && found.value->isString);
    EXPECT_EQ(found.value->text, "D:\\FSX\\");
    EXPECT_EQ(LookupWineRegValue(reg, key, "Expand").value->text, "%ProgramFiles%\\FSX");
    EXPECT_EQ(LookupWineRegValue(reg, key, "Quote").value->text, "say \"hi\" \xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_FALSE(LookupWineRegValue(reg, key, "Count").value->isString);
    EXPECT_FALSE(LookupWineRegValue(reg, key, "Blob").value->isString);

    const auto missingValue = LookupWineRegValue(reg, key, "SetupPath");
    EXPECT_TRUE(missingValue.keyFound);
    EXPECT_FALSE(missingValue.value);
    EXPECT_FALSE(LookupWineRegValue(reg, "Software\\Absent", "AppPath").keyFound);
    EXPECT_TRUE(IsWin64RegistryFile(reg));
}

TEST(WinePrefixLookup, ReadsThePrefixAndTestsPathsOnItsDrives) {
    TempDir prefix;
    namespace fs = std::filesystem;
    fs::create_directories(prefix.path() / "drive_c/Games/FSX");
    fs::create_directories(prefix.path() / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix.path() / "dosdevices/c:");
    prefix.write("drive_c/Games/FSX/FSX.EXE", "MZ");
    prefix.write("user.reg", "WINE REGISTRY Version 2\n#arch=win64\n");
    prefix.write("system.reg",
                 "WINE REGISTRY Version 2\n#arch=win64\n"
                 "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\10.0] 1\n"
                 "\"SetupPath\"=\"C:\\\\wrong view\\\\\"\n"
                 "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\10.0] 1\n"
                 "\"SetupPath\"=\"C:\\\\games\\\\fsx\\\\\"\n");
    const char* old = std::getenv("WINEPREFIX");
    const std::string saved = old ? old : "";
    setenv("WINEPREFIX", prefix.path().c_str(), 1);
    const std::string found = GetFSXPath();
    if (old) setenv("WINEPREFIX", saved.c_str(), 1); else unsetenv("WINEPREFIX");
    EXPECT_EQ(found, "C:\\games\\fsx");

    // The Steam Edition's folder, from the user's registry file, when the boxed one is gone.
    std::filesystem::remove(prefix.path() / "drive_c/Games/FSX/FSX.EXE");
    fs::create_directories(prefix.path() / "drive_c/Steam/steamapps/common/FSX");
    prefix.write("drive_c/Steam/steamapps/common/FSX/fsx.exe", "MZ");
    prefix.write("user.reg",
                 "WINE REGISTRY Version 2\n#arch=win64\n"
                 "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator - Steam Edition\\\\10.0] 1\n"
                 "\"AppPath\"=\"C:\\\\Steam\\\\steamapps\\\\common\\\\FSX\\\\\"\n");
    setenv("WINEPREFIX", prefix.path().c_str(), 1);
    const std::string steam = GetFSXPath();
    if (old) setenv("WINEPREFIX", saved.c_str(), 1); else unsetenv("WINEPREFIX");
    EXPECT_EQ(steam, "C:\\Steam\\steamapps\\common\\FSX");
}
