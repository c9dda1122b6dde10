// The skin the program carries: loaded the way the windows load it, every key against the table,
// its archive as skintool lists it, and the look of its button.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "platform/Files.h"
#include "platform/Resources.h"
#include "skin/SUIMgr.h"
#include "tests/native/skin/SkinChecks.h"
#include "tools/skintool/SkinTool.h"

namespace trimwell {
namespace {

namespace fs = std::filesystem;

using expected::GuidNamedTempFiles;

class EmbeddedSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetResourceFolder(TRIMWELL_GENERATED_DIR); }
    static std::string ArchivePath() { return std::string(TRIMWELL_GENERATED_DIR) + "/" + kEmbeddedSkinResource + ".sui"; }
};

TEST_F(EmbeddedSkin, LoadsFromSkinDataAndLeavesNoTemporaryFile) {
    const Bytes archive = EmbeddedSkinArchive();
    ASSERT_FALSE(archive.empty());
    const auto before = GuidNamedTempFiles();
    TsuiBuiltInFileTheme theme(nullptr);
    theme.SetSkinData(archive);
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(GuidNamedTempFiles(), before);
}

TEST_F(EmbeddedSkin, EveryKeyOfEveryGroupAnswersTheTable) {
    TsuiBuiltInFileTheme theme(nullptr);
    theme.SetSkinData(EmbeddedSkinArchive());
    expected::ExpectEmbeddedSkin(theme);
}

TEST_F(EmbeddedSkin, SkintoolListsItsEightyTwoRecordsWithTheTablesValues) {
    std::set<std::string> want;
    for (const auto& c : expected::kSkinColors) want.insert("integer " + std::string(c.key) + " " + std::to_string(c.value));
    for (const auto& c : expected::kSkinIntegers) want.insert("integer " + std::string(c.key) + " " + std::to_string(c.value));
    for (const auto& c : expected::kSkinUnkeyedIntegers)
        want.insert("integer " + std::string(c.key) + " " + std::to_string(c.value));
    for (const auto& c : expected::kSkinBooleans) want.insert("boolean " + std::string(c.key) + " " + std::to_string(c.value));
    for (const auto& b : expected::kSkinBitmaps)
        if (b.width)
            want.insert("bitmap " + std::string(b.key) + " " + std::to_string(b.width) + "x" + std::to_string(b.height) +
                        " 24bpp");
    ASSERT_EQ(want.size(), 82u);

    std::ostringstream out, err;
    ASSERT_EQ(RunSkinTool({"list", ArchivePath()}, out, err), 0) << err.str();
    std::istringstream lines(out.str());
    std::set<std::string> got;
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) got.insert(line);
    EXPECT_EQ(count, 82);
    EXPECT_EQ(got, want);
}

TEST_F(EmbeddedSkin, SkinDataKeepsItsLayoutSize) {
    // 24-byte header, 83 record headers of 77 bytes, 30 BMPs, 43 integers and 9 booleans.
    const std::string out = (fs::path(TempFolder()) / "trimwell-embedded-skin.sk2").string();
    ASSERT_EQ(ExtractSkinEntry(ArchivePath(), "skindata.sk2", out, ""), kSkinExtracted);
    EXPECT_EQ(fs::file_size(out), 117296u);
    fs::remove(out);
}

TEST_F(EmbeddedSkin, ButtonIsSilverAmberAndBlueWithMagentaCorners) {
    TsuiBuiltInFileTheme theme(nullptr);
    theme.SetSkinData(EmbeddedSkinArchive());
    constexpr int kButton = 15;
    Bitmap normal, hot, down;
    theme.GetBitmap(kButton, normal, 1, 3);
    theme.GetBitmap(kButton, hot, 2, 3);
    theme.GetBitmap(kButton, down, 3, 3);
    for (const Bitmap* b : {&normal, &hot, &down}) {
        ASSERT_EQ(b->Width(), 92);
        for (auto [x, y] : {std::pair{0, 0}, {91, 0}, {0, 24}, {91, 24}})
            EXPECT_EQ(PixelToColorRef(b->Pixel(x, y)), 0x00FF00FFu) << x << "," << y;
    }
    auto rgb = [](const Bitmap& b) {
        const std::uint32_t p = b.Pixel(46, 18);
        return std::array<int, 3>{int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
    };
    const auto n = rgb(normal), h = rgb(hot), d = rgb(down);
    EXPECT_GT(n[0], 180);  // silver-white: light and nearly grey
    EXPECT_LT(std::abs(n[0] - n[2]), 40);
    EXPECT_GT(h[0], h[2] + 80);  // amber: red well above blue
    EXPECT_GT(d[2], d[0] + 80);  // blue
}

}  // namespace
}  // namespace trimwell
