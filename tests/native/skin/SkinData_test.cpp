// Tsk2SkinFileReader: the record chain, the lookups, skintool's listing, and that no temporary
// file survives any load.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "platform/Files.h"
#include "skin/SUI2SkinReader.h"
#include "tests/native/skin/SkinArchiveBuilder.h"
#include "tests/native/skin/SkinTestDir.h"
#include "tools/skintool/SkinTool.h"

namespace trimwell {
namespace {

using testing::Bytes;
using testing::IntegerValue;
using testing::SkinRecordLayout;

Bytes SmallBmp(int width, int height) {
    Bitmap bitmap(width, height, 0x00336699);
    bitmap.SetPixel(0, 0, 0x00FF00FF);
    return WriteBmp(bitmap, 24);
}

const std::string kLongName(64, 'N');

std::vector<SkinRecordLayout> SampleRecords() {
    return {
        {"SKIN2_BUTTON", 0, SmallBmp(278, 25)},
        {"SKIN2_FORMCOLOR", 1, IntegerValue(0x00EDFCED)},
        {"SKIN2_MINUSONE", 1, IntegerValue(-1)},
        {"SKIN2_FLAG", 2, {1}},
        {"SKIN2_NAME", 3, {'G', 'r', 'e', 'e', 'n'}},
        {"skin2_formcolor", 1, IntegerValue(7)},  // a later record of the same name is never found
        {kLongName, 2, {0}},
        {"SKIN2_FUTURE", 9, {1, 2, 3}},
    };
}

class ReaderTest : public testing::SkinTestDir {
protected:
    std::string WriteArchive(const Bytes& skinData, const std::string& password = "") {
        testing::ArchiveLayout layout = testing::StoredLayout(skinData);
        layout.password = password;
        testing::WriteFileBytes(Path("skin.sk"), testing::BuildSkinArchive(layout));
        return Path("skin.sk");
    }
};

TEST_F(ReaderTest, LoadsEveryKindAndLooksNamesUpWithoutRegardToCase) {
    const Tsk2SkinFileReader reader(WriteArchive(testing::BuildSkinData(SampleRecords())), "");
    ASSERT_TRUE(reader.IsLoaded());
    EXPECT_TRUE(TempFolderEmpty());

    const Bitmap* button = reader.GetBitmap("skin2_button");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Width(), 278);
    EXPECT_EQ(button->Height(), 25);
    EXPECT_EQ(button->Pixel(0, 0), 0x00FF00FFu);
    EXPECT_EQ(reader.GetBitmap("SKIN2_MENUBAR"), nullptr);

    EXPECT_EQ(reader.GetInteger("Skin2_FormColor"), 0x00EDFCED);
    EXPECT_EQ(reader.GetInteger("SKIN2_MINUSONE"), -1);
    EXPECT_EQ(reader.GetInteger("SKIN2_MISSING"), -1);
    EXPECT_EQ(reader.GetInteger("SKIN2_FLAG"), -1);  // booleans are not integers
    EXPECT_TRUE(reader.GetBool("skin2_flag"));
    EXPECT_FALSE(reader.GetBool(kLongName));
    EXPECT_FALSE(reader.GetBool("SKIN2_MISSING"));

    EXPECT_EQ(reader.Integers(), (std::vector<std::string>{"SKIN2_FORMCOLOR=15596781", "SKIN2_MINUSONE=-1",
                                                           "skin2_formcolor=7"}));
    EXPECT_EQ(reader.Booleans(), (std::vector<std::string>{"SKIN2_FLAG=1", kLongName + "=0"}));
    EXPECT_EQ(reader.Texts(), (std::vector<std::string>{"SKIN2_NAME=Green"}));
    EXPECT_EQ(reader.Records().size(), 8u);  // the unknown kind is listed but answers no lookup
}

TEST_F(ReaderTest, AChainOfOnlyTheTerminatorLoadsEmpty) {
    const Tsk2SkinFileReader reader(WriteArchive(testing::BuildSkinData({})), "");
    EXPECT_TRUE(reader.IsLoaded());
    EXPECT_TRUE(reader.Records().empty());
    EXPECT_TRUE(reader.Integers().empty());
    EXPECT_TRUE(TempFolderEmpty());
}

TEST_F(ReaderTest, PasswordProblemsLeaveTheReaderQuietlyNotLoaded) {
    const std::string path = WriteArchive(testing::BuildSkinData(SampleRecords()), "pw");
    for (const char* password : {"", "wrong"}) {
        const Tsk2SkinFileReader reader(path, password);
        EXPECT_FALSE(reader.IsLoaded());
        EXPECT_EQ(reader.GetInteger("SKIN2_FORMCOLOR"), -1);
    }
    EXPECT_TRUE(Tsk2SkinFileReader(path, "pw").IsLoaded());
    EXPECT_TRUE(TempFolderEmpty());
}

TEST_F(ReaderTest, UnreadableArchiveRaisesTheReaderError) {
    try {
        Tsk2SkinFileReader reader(Path("missing.sk"), "");
        FAIL() << "no error raised";
    } catch (const ESkinReadError& error) {
        EXPECT_STREQ(error.what(), "Failed to read skin file!");
    }
    EXPECT_TRUE(TempFolderEmpty());
}

// Each corruption is applied to valid skin data; the reader must refuse it and clean up.
TEST_F(ReaderTest, MalformedSkinDataIsRefusedAndLeavesNoTemporaryFile) {
    const Bytes valid = testing::BuildSkinData({{"A", 1, IntegerValue(5)}, {"B", 0, SmallBmp(4, 4)}});
    const std::size_t second = 24 + 77 + 4;  // the bitmap record's header
    auto patch32 = [](Bytes b, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
        return b;
    };
    struct Case {
        const char* name;
        Bytes data;
    };
    const std::vector<Case> cases = {
        {"shorter than the header", Bytes(valid.begin(), valid.begin() + 20)},
        {"header size below 24", patch32(valid, 12, 16)},
        {"header size beyond the data", patch32(valid, 12, 1u << 30)},
        {"first record outside", patch32(valid, 20, static_cast<std::uint32_t>(valid.size()))},
        {"data offset outside", patch32(valid, 24 + 65, 0xFFFFFF00u)},
        {"data size outside", patch32(valid, 24 + 69, 0x7FFFFFFFu)},
        {"next record pointing back", patch32(valid, second + 73, 24)},
        {"integer of 3 bytes", patch32(valid, 24 + 69, 3)},
        {"bitmap that is not a BMP", [&] { Bytes b = valid; b[second + 77] = 'X'; return b; }()},
        {"chain cut before its terminator", Bytes(valid.begin(), valid.end() - 40)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(Tsk2SkinFileReader::FromSkinData(c.data), ESkinReadError);
        EXPECT_THROW(Tsk2SkinFileReader(WriteArchive(c.data), ""), ESkinReadError);
        EXPECT_TRUE(TempFolderEmpty());
    }
}

TEST_F(ReaderTest, SkintoolListsRecordsInChainOrderWithExitCodes) {
    const std::string path = WriteArchive(testing::BuildSkinData(SampleRecords()), "pw");
    std::ostringstream out, err;
    EXPECT_EQ(RunSkinTool({"list", path, "pw"}, out, err), 0);
    EXPECT_EQ(out.str(),
              "bitmap SKIN2_BUTTON 278x25 24bpp\n"
              "integer SKIN2_FORMCOLOR 15596781\n"
              "integer SKIN2_MINUSONE -1\n"
              "boolean SKIN2_FLAG 1\n"
              "text SKIN2_NAME Green\n"
              "integer skin2_formcolor 7\n"
              "boolean " + kLongName + " 0\n"
              "unknown SKIN2_FUTURE kind 9, 3 bytes\n");
    EXPECT_EQ(RunSkinTool({"list", path}, out, err), 2);
    EXPECT_EQ(RunSkinTool({"list", Path("missing.sk")}, out, err), 1);
    EXPECT_NE(err.str().find("Failed to read skin file!"), std::string::npos);

    std::ostringstream code;
    EXPECT_EQ(RunSkinTool({"extract", path, "skindata.sk2", Path("x"), "pw"}, code, err), 0);
    EXPECT_EQ(RunSkinTool({"extract", path, "skindata.sk2", Path("x"), "no"}, code, err), 2);
    EXPECT_EQ(code.str(), "0\n2\n");
    EXPECT_TRUE(TempFolderEmpty());
}

TEST(TemporaryNames, AreFreshBracedGuidsInTheTemporaryFolder) {
    const std::regex braced("\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}");
    const std::string first = NewGuidString(), second = NewGuidString();
    EXPECT_EQ(first.size(), 38u);
    EXPECT_TRUE(std::regex_match(first, braced)) << first;
    EXPECT_NE(first, second);
#ifndef _WIN32
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(TempFolder(), "/var/tmp/");
    unsetenv("TMPDIR");
    EXPECT_EQ(TempFolder(), "/tmp/");
    if (old) setenv("TMPDIR", saved.c_str(), 1);
#endif
}

}  // namespace
}  // namespace trimwell
