#include "config/IniFiles.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Files.h"

#include "tests/native/config/TempDir.h"

using trimwell::EIniFileException;
using trimwell::TIniFile;
using trimwell::TStrings;

namespace {

const std::string kAircraft =
    "[General]\r\n"
    "atc_type=CESSNA\r\n"
    "\r\n"
    "[fltsim.0]\r\n"
    "title=Cessna Skyhawk\r\n"
    "ui_type=\"C172SP\"\r\n"
    "ui_variation='Red'\r\n"
    "  texture =  2   // comment stays  \r\n"
    "empty=\r\n"
    "\r\n"
    "[Trusted]\r\n";

TStrings sections(const std::string& path) {
    TStrings names{"stale"};
    TIniFile(path).ListSectionNames(names);
    return names;
}

TStrings keys(const std::string& path, const std::string& section) {
    TStrings names{"stale"};
    TIniFile(path).ListKeyNames(section, names);
    return names;
}

std::string read(const std::string& path, const std::string& section, const std::string& key) {
    return TIniFile(path).ReadValue(section, key, "<default>");
}

void write(const std::string& path, const std::string& section, const std::string& key, const std::string& value) {
    TIniFile(path).WriteValue(section, key, value);
}

}  // namespace

TEST(IniFileReading, ListsSectionsAndKeysInFileOrder) {
    TempDir dir;
    const auto path = dir.write("aircraft.cfg", kAircraft);
    EXPECT_EQ(sections(path), (TStrings{"General", "fltsim.0", "Trusted"}));
    EXPECT_EQ(keys(path, "FLTSIM.0"), (TStrings{"title", "ui_type", "ui_variation", "texture", "empty"}));
    EXPECT_EQ(keys(path, "Trusted"), TStrings{});
    EXPECT_EQ(keys(path, "absent"), TStrings{});
    EXPECT_EQ(sections(dir.file("missing.cfg")), TStrings{});
}

TEST(IniFileReading, ValuesFollowTheProfileRules) {
    TempDir dir;
    const auto path = dir.write("aircraft.cfg", kAircraft);
    EXPECT_EQ(read(path, "FLTSIM.0", "Title"), "Cessna Skyhawk");
    EXPECT_EQ(read(path, "fltsim.0", "ui_type"), "C172SP");
    EXPECT_EQ(read(path, "fltsim.0", "ui_variation"), "Red");
    EXPECT_EQ(read(path, "fltsim.0", "texture"), "2   // comment stays");
    EXPECT_EQ(read(path, "fltsim.0", "empty"), "");
    EXPECT_EQ(read(path, "fltsim.0", "absent"), "<default>");
    EXPECT_EQ(read(path, "absent", "title"), "<default>");
    EXPECT_EQ(read(dir.file("missing.cfg"), "fltsim.0", "title"), "<default>");
}

TEST(IniFileReading, OddLinesAndDuplicatesUseFirstOccurrenceButAreAllListed) {
    TempDir dir;
    const auto path = dir.write("odd.cfg",
                                "orphan=before any section\n"
                                "[A]\n"
                                "; comment=not a key\n"
                                "no equals sign\n"
                                "=no name\n"
                                "k=first\n"
                                "K=second\n"
                                " = second empty name\n"
                                "  [ Spaced ]  \n"
                                "x = \"unbalanced\n"
                                "q=\"\n"
                                "[a]\n"
                                "k=other section\n"
                                "[Unclosed\n"
                                "u=1");
    EXPECT_EQ(sections(path), (TStrings{"A", "Spaced", "Unclosed"}));
    // A key written twice shows twice, so the tree does not hide that the file holds it twice;
    // reading either finds the first.
    EXPECT_EQ(keys(path, "a"), (TStrings{"k", "K"}));
    EXPECT_EQ(read(path, "a", "K"), "first");
    // A line with nothing before its "=" is a key with an empty name: not listed, since an empty
    // name would end the list, but read by the empty name like any other key.
    EXPECT_EQ(read(path, "a", ""), "no name");
    EXPECT_EQ(read(path, "a", "  "), "no name");
    EXPECT_EQ(read(path, "spaced", ""), "<default>");
    EXPECT_EQ(read(path, "spaced", "x"), "\"unbalanced");
    EXPECT_EQ(read(path, "spaced", "q"), "\"");
    EXPECT_EQ(read(path, "Unclosed", "u"), "1");
    EXPECT_EQ(read(path, "", "orphan"), "<default>");
}

TEST(IniFileReading, LongValuesAndNameListsAreCut) {
    TempDir dir;
    const std::string longValue(3000, 'v');
    std::string many;
    for (int i = 0; i < 2000; ++i) many += "[section_number_" + std::to_string(i) + "]\r\n";
    const auto path = dir.write("big.cfg", "[s]\r\nk=" + longValue + "\r\n" + many);
    EXPECT_EQ(read(path, "s", "k"), longValue.substr(0, 2047));
    EXPECT_EQ(TIniFile(path).ReadWholeValue("s", "k", ""), longValue);  // what the editor shows

    const TStrings names = sections(path);
    std::size_t blockBytes = 1;  // the closing zero
    for (const auto& n : names) blockBytes += n.size() + 1;
    EXPECT_EQ(blockBytes, TIniFile::NameBlockSize);
    ASSERT_GT(names.size(), 2u);
    const std::string& last = names.back();
    const std::string uncut = "section_number_" + std::to_string(names.size() - 2);
    EXPECT_LT(last.size(), uncut.size());
    EXPECT_EQ(uncut.substr(0, last.size()), last);
    EXPECT_EQ(names[names.size() - 2], "section_number_" + std::to_string(names.size() - 3));
}

TEST(IniFileReading, ByteOrderMarks) {
    TempDir dir;
    const auto utf8 = dir.write("utf8.cfg", "\xEF\xBB\xBF[fltsim.0]\r\ntitle=Bom\r\n");
    EXPECT_EQ(sections(utf8), TStrings{"fltsim.0"});
    EXPECT_EQ(read(utf8, "fltsim.0", "title"), "Bom");

    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[fltsim.0]\r\ntitle=Wide\r\n")) utf16 += std::string{c, '\0'};
    const auto wide = dir.write("utf16.cfg", utf16);
    EXPECT_EQ(read(wide, "fltsim.0", "title"), "Wide");
    EXPECT_THROW(write(wide, "fltsim.0", "title", "x"), EIniFileException);
    EXPECT_EQ(slurp(wide), utf16);
}

TEST(IniFileWriting, ChangesExactlyOneLine) {
    TempDir dir;
    const auto path = dir.write("aircraft.cfg", kAircraft);
    write(path, "FLTSIM.0", "texture", "5");
    std::string expected = kAircraft;
    expected.replace(expected.find("  texture ="), std::string("  texture =  2   // comment stays  ").size(), "texture=5");
    EXPECT_EQ(slurp(path), expected);
    EXPECT_EQ(dir.entries(), 1u) << "no temporary file may remain";
}

TEST(IniFileWriting, AddsKeysAndSectionsWithTheFilesLineEnding) {
    TempDir dir;
    const auto lf = dir.write("lf.cfg", "[A]\nk=1\n\n[B]\nx=2");
    write(lf, "a", "new", "v");
    EXPECT_EQ(slurp(lf), "[A]\nk=1\nnew=v\n\n[B]\nx=2");
    write(lf, "B", "y", "3");
    EXPECT_EQ(slurp(lf), "[A]\nk=1\nnew=v\n\n[B]\nx=2\ny=3");
    write(lf, "C", "z", "4");
    EXPECT_EQ(slurp(lf), "[A]\nk=1\nnew=v\n\n[B]\nx=2\ny=3\n\n[C]\nz=4\n");

    const auto emptySection = dir.write("trusted.cfg", "[General]\r\na=1\r\n[Trusted]\r\n");
    write(emptySection, "Trusted", "gauge", "1");
    EXPECT_EQ(slurp(emptySection), "[General]\r\na=1\r\n[Trusted]\r\ngauge=1\r\n");

    const auto created = dir.file("new.cfg");
    write(created, "fltsim.0", "title", "Fresh");
    EXPECT_EQ(slurp(created), "[fltsim.0]\r\ntitle=Fresh\r\n");
}

TEST(IniFileWriting, KeepsEveryOtherByte) {
    TempDir dir;
    const std::string before = "\xEF\xBB\xBF; header comment\r\n[A]\nk=1\r\n\r\n  ; note\r\n[B]\rx=2\r\n";
    const auto path = dir.write("mixed.cfg", before);
    write(path, "B", "x", "\"quoted\" // kept");
    EXPECT_EQ(slurp(path), "\xEF\xBB\xBF; header comment\r\n[A]\nk=1\r\n\r\n  ; note\r\n[B]\rx=\"quoted\" // kept\r\n");
    EXPECT_EQ(read(path, "b", "x"), "\"quoted\" // kept");

    // The object keeps serving reads after its own write without reading the file again.
    TIniFile ini(path);
    ini.WriteValue("A", "k", "2");
    ini.WriteValue("A", "k2", "3");
    EXPECT_EQ(ini.ReadValue("A", "k", ""), "2");
    EXPECT_EQ(ini.ReadValue("A", "k2", ""), "3");
}

TEST(IniFileWriting, RefusesWritesThatWouldDamageTheFile) {
    TempDir dir;
    const auto path = dir.write("aircraft.cfg", kAircraft);
    for (const auto& [section, key, value] :
         std::vector<std::tuple<std::string, std::string, std::string>>{{"fltsim.0", "title", "two\r\nlines"},
                                                                        {"fltsim.0", "a=b", "v"},
                                                                        {"bad]name", "k", "v"},
                                                                        {"fltsim.0", "", "v"},
                                                                        {"fltsim.0", "[x", "v"}}) {
        try {
            write(path, section, key, value);
            ADD_FAILURE() << "accepted " << section << "/" << key;
        } catch (const EIniFileException& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
        }
    }
    EXPECT_EQ(slurp(path), kAircraft);
}

TEST(IniFileWriting, RefusedWritesLeaveTheFileAndNoTemporaryFile) {
    TempDir dir;
    const auto path = dir.write("aircraft.cfg", kAircraft);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    try {
        write(path, "fltsim.0", "title", "Changed");
        ADD_FAILURE() << "read-only file was written";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(slurp(path), kAircraft);
    EXPECT_EQ(dir.entries(), 1u);

    EXPECT_THROW(write(dir.file("no/such/folder/a.cfg"), "s", "k", "v"), EIniFileException);
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(IniFileWriting, FullDiskLeavesTheFileAsItWas) {
    TempDir dir;
    const std::string big = kAircraft + std::string(64 * 1024, ';') + "\r\n";
    const auto path = dir.write("aircraft.cfg", big);
    // A child process whose files may not grow beyond 4 KB sees the disk as full.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            write(path, "fltsim.0", "title", "Changed");
        } catch (const EIniFileException&) {
            _exit(42);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 42);
    EXPECT_EQ(slurp(path), big);
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(IniFileWriting, KeepsTheFilesPermissions) {
    TempDir dir;
    const auto path = dir.write("aircraft.cfg", kAircraft);
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    write(path, "fltsim.0", "title", "Changed");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
}

TEST(IniFileWriting, ALinkedAircraftFileIsWrittenWhereTheLinkPoints) {
    TempDir dir;
    const auto target = dir.write("hangar.cfg", kAircraft);
    namespace fs = std::filesystem;
    const fs::path link = fs::path(target).parent_path() / "aircraft.cfg";
    fs::create_symlink(target, link);
    write(link.string(), "fltsim.0", "title", "Changed");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(read(target, "fltsim.0", "title"), "Changed");
}

TEST(IniFileWriting, AFileThatCannotBeReadIsNeverReplaced) {
    TempDir dir;
    const auto path = dir.write("aircraft.cfg", kAircraft);
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_write);
    // Root reads every file whatever its mode, so the attempt runs in a child that has become an
    // ordinary user who owns the file and its folder.
    constexpr int kWasRefused = 42, kCannotDropRoot = 3;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (geteuid() == 0 && (chown(dir.path().c_str(), kNobody, kNobody) != 0 ||
                               chown(path.c_str(), kNobody, kNobody) != 0 || setgid(kNobody) != 0 ||
                               setuid(kNobody) != 0))
            _exit(kCannotDropRoot);
        try {
            if (TIniFile(path).ReadValue("fltsim.0", "title", "default") != "default") _exit(1);
            write(path, "fltsim.0", "title", "Changed");
        } catch (const EIniFileException& e) {
            _exit(std::string(e.what()) == "Unable to write to " + path ? kWasRefused : 2);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kCannotDropRoot) GTEST_SKIP() << "cannot run as an ordinary user here";
    EXPECT_EQ(WEXITSTATUS(status), kWasRefused) << "0: the file was replaced; 1: read something; 2: wrong message";
    EXPECT_EQ(slurp(path), kAircraft);
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(IniFileWriting, KeysWrittenThreeTimesAreListedThreeTimesAndWriteTheFirst) {
    TempDir dir;
    const auto path = dir.write("dup.cfg", "[s]\r\nk=1\r\nK=2\r\nk=3\r\n");
    EXPECT_EQ(keys(path, "s"), (TStrings{"k", "K", "k"}));
    write(path, "s", "K", "9");
    EXPECT_EQ(slurp(path), "[s]\r\nK=9\r\nK=2\r\nk=3\r\n");
}

TEST(IniFileWriting, ContentBuiltFromNoFileNeverReplacesOneThatAppeared) {
    using trimwell::BuiltFrom;
    using trimwell::ReplaceFileContents;
    TempDir dir;
    const auto path = dir.write("aircraft.cfg", kAircraft);
    EXPECT_FALSE(ReplaceFileContents(path, "[s]\r\nk=v\r\n", BuiltFrom::NoFile));
    EXPECT_EQ(slurp(path), kAircraft);
    EXPECT_EQ(dir.entries(), 1u);

    const auto fresh = dir.file("new.cfg");
    EXPECT_TRUE(ReplaceFileContents(fresh, "[s]\r\nk=v\r\n", BuiltFrom::NoFile));
    EXPECT_EQ(slurp(fresh), "[s]\r\nk=v\r\n");
    // Built from a file that has gone since: the save puts it back.
    std::filesystem::remove(fresh);
    EXPECT_TRUE(ReplaceFileContents(fresh, "[s]\r\nk=w\r\n", BuiltFrom::ExistingFile));
    EXPECT_EQ(slurp(fresh), "[s]\r\nk=w\r\n");
    EXPECT_EQ(dir.entries(), 2u);
}

TEST(IniFileWriting, RootSavingAnotherUsersFileKeepsItsOwnerGroupAndMode) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root";
    TempDir dir;
    const auto path = dir.write("aircraft.cfg", kAircraft);
    constexpr uid_t kNobody = 65534;
    constexpr gid_t kGroup = 65533;
    ASSERT_EQ(chown(path.c_str(), kNobody, kGroup), 0);
    ASSERT_EQ(chmod(path.c_str(), 02640), 0);
    write(path, "fltsim.0", "title", "Changed");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_gid, kGroup);
    EXPECT_EQ(st.st_mode & 07777, 02640u);
    EXPECT_EQ(read(path, "fltsim.0", "title"), "Changed");
}

TEST(IniFileWriting, AStrandedTemporaryFileIsNamedAfterTheEditorAndTheFile) {
    TempDir dir;
    const auto path = dir.write("aircraft.cfg", kAircraft);
    // A child killed while its content is on the way: stopped by a size limit after the
    // temporary file was created.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{16, 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);
        write(path, "fltsim.0", "title", "Changed");
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(slurp(path), kAircraft);
    std::vector<std::string> others;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        if (e.path().filename() != "aircraft.cfg") others.push_back(e.path().filename().string());
    ASSERT_EQ(others.size(), 1u);
    EXPECT_EQ(others[0].rfind(".aircraft.cfg.trimwell-", 0), 0u) << others[0];
    EXPECT_EQ(others[0].substr(others[0].size() - 4), ".tmp");
}
