// File themes: loading from a path, from the program's folder and from the layout's skin data;
// lookups before, during and after a load; the renewal of the controls that use a theme.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "framework/Layout.h"
#include "platform/Files.h"
#include "resources/gen/SkinArchive.h"
#include "platform/Resources.h"
#include "skin/SUIMgr.h"
#include "tests/native/skin/SkinChecks.h"

namespace trimwell {
namespace {

namespace fs = std::filesystem;

constexpr int kTransColor = 0, kFormColor = 2, kButtonFontColor = 24;  // colour keys
constexpr int kButton = 15, kMenuBar = 13;                             // bitmap keys
constexpr int kTitleBarIconPosX = 0;                                   // integer key
constexpr int kButtonTrans = 5;                                        // boolean key

// A small skin: a button strip, two colours, one integer, one boolean; everything else absent.
Bytes SmallSkin(std::int32_t formColor) {
    Bitmap strip(278, 25);
    for (int x = 0; x < 278; ++x)
        for (int y = 0; y < 25; ++y) strip.SetPixel(x, y, static_cast<std::uint32_t>(x));
    const auto bmp = WriteBmp(strip, 24);
    return artwork::buildSkinArchive(
        "SKINDATA.SK2",
        artwork::encodeSkinData({{"SKIN2_BUTTON", artwork::RecordKind::Bitmap, Bytes(bmp.begin(), bmp.end())},
                                 artwork::integerRecord("SKIN2_FORMCOLOR", formColor),
                                 artwork::integerRecord("skin2_buttonfontcolor", 0x006B635A),
                                 artwork::integerRecord("SKIN2_TITLEBARICONPOSX", 21),
                                 artwork::booleanRecord("SKIN2_BUTTONTRANS", true)}));
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

using expected::GuidNamedTempFiles;

class FileTheme : public ::testing::Test {
protected:
    void SetUp() override {
        SetResourceFolder(TRIMWELL_GENERATED_DIR);
        dir_ = fs::path(TempFolder()) / ("trimwell-theme-test-" + std::to_string(getpid()));
        fs::create_directories(dir_);
        small_ = (dir_ / "small.sui").string();
        WriteFile(small_, SmallSkin(0x00EDFCED));
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
    std::string small_;
};

TEST_F(FileTheme, NothingLoadedAnswersZeroFalseAndNone) {
    TsuiFileTheme theme(nullptr);
    EXPECT_FALSE(theme.Ready());
    EXPECT_EQ(theme.GetColor(kFormColor), 0);
    EXPECT_EQ(theme.GetInteger(kTitleBarIconPosX), 0);
    EXPECT_FALSE(theme.GetBool(kButtonTrans));
    EXPECT_EQ(theme.GetBitmap(kButton), nullptr);
    Bitmap target(5, 5);
    theme.GetBitmap(kButton, target, 1, 3);
    EXPECT_TRUE(target.Empty());
}

TEST_F(FileTheme, LoadedSkinAnswersPresentAndAbsentKeys) {
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(small_);
    ASSERT_TRUE(theme.Ready());
    EXPECT_EQ(theme.ThemeFile(), small_);
    EXPECT_EQ(theme.GetColor(kFormColor), 0x00EDFCED);
    EXPECT_EQ(theme.GetColor(kButtonFontColor), 0x006B635A);  // names match without regard to case
    EXPECT_EQ(theme.GetColor(kTransColor), -1);               // absent from a loaded skin
    EXPECT_EQ(theme.GetColor(999), -1);
    EXPECT_EQ(theme.GetInteger(kTitleBarIconPosX), 21);
    EXPECT_EQ(theme.GetInteger(1), -1);
    EXPECT_TRUE(theme.GetBool(kButtonTrans));
    EXPECT_FALSE(theme.GetBool(0));
    EXPECT_EQ(theme.GetBitmap(kMenuBar), nullptr);
    ASSERT_NE(theme.GetBitmap(kButton), nullptr);

    // The strip's pixels hold their x: the three parts start at 0, 92 and 186.
    Bitmap part;
    for (auto [n, left] : {std::pair{1, 0u}, {2, 92u}, {3, 186u}}) {
        theme.GetBitmap(kButton, part, n, 3);
        ASSERT_EQ(part.Width(), 92);
        ASSERT_EQ(part.Height(), 25);
        EXPECT_EQ(part.Pixel(0, 0) & 0xFFFFFF, left);
    }
    theme.GetBitmap(kButton, part, 0, 0);
    EXPECT_EQ(part.Width(), 278);
}

// Themes loading the same archive, from any path, share what it decodes to; another archive, or
// the same one with another password, is read for itself and gives its own values.
TEST_F(FileTheme, ThemesOfTheSameArchiveShareOneDecodingAndOthersReadTheirOwn) {
    const std::string copy = (dir_ / "copy.sui").string(), other = (dir_ / "other.sui").string();
    WriteFile(copy, SmallSkin(0x00EDFCED));
    WriteFile(other, SmallSkin(0x00123456));
    TsuiFileTheme first(nullptr), second(nullptr), third(nullptr), fourth(nullptr);
    first.SetThemeFile(small_);
    second.SetThemeFile(copy);
    ASSERT_TRUE(second.Ready());
    EXPECT_EQ(second.GetBitmap(kButton), first.GetBitmap(kButton));
    third.SetThemeFile(other);
    EXPECT_EQ(third.GetColor(kFormColor), 0x00123456);
    EXPECT_NE(third.GetBitmap(kButton), first.GetBitmap(kButton));
    fourth.SetThemeFile(small_);
    EXPECT_EQ(fourth.GetColor(kFormColor), 0x00EDFCED);
    // A file rewritten with other content under the same name is read again.
    WriteFile(copy, SmallSkin(0x00ABCDEF));
    second.SetThemeFile(copy);
    EXPECT_EQ(second.GetColor(kFormColor), 0x00ABCDEF);
    EXPECT_EQ(first.GetColor(kFormColor), 0x00EDFCED);
}

TEST_F(FileTheme, UnreadableSkinLeavesNoSkinAndControlsFallBackToDeepBlue) {
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(small_);
    ASSERT_TRUE(theme.Ready());
    const std::string broken = (dir_ / "broken.sui").string();
    WriteFile(broken, Bytes{'S', 'K', 3, 4, 0, 0, 0});
    theme.SetThemeFile(broken);
    EXPECT_FALSE(theme.Ready());
    EXPECT_EQ(theme.ThemeFile(), broken);
    EXPECT_EQ(theme.GetColor(kFormColor), 0);
    EXPECT_EQ(theme.GetBitmap(kButton), nullptr);

    TsuiUIStyle effective{};
    EXPECT_FALSE(UsingFileTheme(&theme, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TsuiUIStyle::DeepBlue);
}

TEST_F(FileTheme, UsingFileThemeChoosesTheSource) {
    TsuiFileTheme ready(nullptr);
    ready.SetThemeFile(small_);
    TsuiUIStyle effective{};
    EXPECT_TRUE(UsingFileTheme(&ready, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TsuiUIStyle::FromThemeFile);
    EXPECT_FALSE(UsingFileTheme(&ready, TsuiUIStyle::Protein, effective));
    EXPECT_EQ(effective, TsuiUIStyle::Protein);
    EXPECT_FALSE(UsingFileTheme(nullptr, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TsuiUIStyle::DeepBlue);
}

TEST_F(FileTheme, NameFoundOnlyInTheProgramFolderIsLoadedFromThere) {
    const std::string folder = ThemeSearchFolders().at(0);
    const std::string name = "trimwell-theme-test-" + std::to_string(getpid()) + ".sui";
    const fs::path inProgramFolder = fs::path(folder) / name;
    WriteFile(inProgramFolder, SmallSkin(0x00112233));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile((dir_ / "not-here" / name).string());
    fs::remove(inProgramFolder);
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(fs::path(theme.ThemeFile()), inProgramFolder);
    EXPECT_EQ(theme.GetColor(kFormColor), 0x00112233);
}

TEST_F(FileTheme, NameFoundNowhereChangesNothing) {
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile((dir_ / "nowhere-at-all.sui").string());
    EXPECT_FALSE(theme.Ready());
    EXPECT_EQ(theme.ThemeFile(), "");

    theme.SetThemeFile(small_);
    theme.SetThemeFile((dir_ / "nowhere-at-all.sui").string());
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(theme.ThemeFile(), small_);
    EXPECT_EQ(theme.GetColor(kFormColor), 0x00EDFCED);
}

TEST_F(FileTheme, OnlyANonEmptyPasswordReloadsAndReadyCannotBeWritten) {
    TsuiFileTheme theme(nullptr);
    theme.SetReady(true);
    EXPECT_FALSE(theme.Ready());
    theme.SetThemeFile(small_);
    WriteFile(small_, SmallSkin(0x00445566));  // the file changes after the load

    theme.SetPassword("");
    EXPECT_EQ(theme.GetColor(kFormColor), 0x00EDFCED);
    theme.SetReady(false);
    EXPECT_TRUE(theme.Ready());

    theme.SetPassword("secret");  // the entry is not encrypted, so it loads with any password
    EXPECT_EQ(theme.Password(), "secret");
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(theme.GetColor(kFormColor), 0x00445566);
}

// The portable build has no windows; this component plays the form that owns a theme.
struct FakeForm : TPersistentComponent {
    using TPersistentComponent::TPersistentComponent;
    bool IsForm() const override { return true; }
};

// A skinned control as the renewal walk sees it: it records what it is handed.
struct ThemedControl : TComponent, TsuiFileThemeUser {
    using TComponent::TComponent;
    TsuiFileTheme* FileTheme() const override { return theme; }
    void SetFileTheme(TsuiFileTheme* t) override {
        theme = t;
        handed.push_back(t);
    }
    TsuiFileTheme* theme = nullptr;
    std::vector<TsuiFileTheme*> handed;
};

TEST_F(FileTheme, LoadingRenewsEveryControlOfTheFormThatUsesTheTheme) {
    FakeForm form;
    auto& theme = form.Add<TsuiFileTheme>();
    auto& other = form.Add<TsuiFileTheme>();
    auto& user = form.Add<ThemedControl>();
    auto& stranger = form.Add<ThemedControl>();
    form.Add<TComponent>();
    user.theme = &theme;
    stranger.theme = &other;

    theme.SetThemeFile((dir_ / "missing.sui").string());  // not found: no walk
    EXPECT_TRUE(user.handed.empty());

    theme.SetThemeFile(small_);
    EXPECT_EQ(user.handed, (std::vector<TsuiFileTheme*>{nullptr, &theme}));
    EXPECT_TRUE(stranger.handed.empty());

    user.handed.clear();
    WriteFile(small_, Bytes{'P', 'K'});
    theme.SetThemeFile(small_);  // a failed load renews nothing
    EXPECT_TRUE(user.handed.empty());

    // A theme whose owner is not a form renews nobody, not even the controls beside it.
    TPersistentComponent plainOwner;
    auto& looseTheme = plainOwner.Add<TsuiFileTheme>();
    auto& looseUser = plainOwner.Add<ThemedControl>();
    looseUser.theme = &looseTheme;
    WriteFile(small_, SmallSkin(0x00EDFCED));
    looseTheme.SetThemeFile(small_);
    EXPECT_TRUE(looseTheme.Ready());
    EXPECT_TRUE(looseUser.handed.empty());
}

TEST_F(FileTheme, SkinDataBeyondBoundedWriteAttemptsLeavesTheThemeNotReady) {
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    setenv("TMPDIR", (dir_ / "no" / "such" / "folder").c_str(), 1);
    TsuiBuiltInFileTheme theme(nullptr);
    theme.SetSkinData(SmallSkin(1));
    if (old) setenv("TMPDIR", saved.c_str(), 1); else unsetenv("TMPDIR");
    EXPECT_FALSE(theme.Ready());
}

TEST_F(FileTheme, LayoutLoadsTheDesignPathFirstThenTheSkinData) {
    const std::string design = (dir_ / "design" / "skin.sui").string();
    TPersistentComponent form;
    const auto before = GuidNamedTempFiles();
    LoadLayout(form, {Row<TsuiBuiltInFileTheme>("suiBuiltInFileTheme", "",
                                                {{"SkinData", SmallSkin(0x00ABCDEF)},
                                                 {"Ready", true},
                                                 {"ThemeFile", design}})});
    auto& theme = static_cast<TsuiBuiltInFileTheme&>(*form.FindComponent("suiBuiltInFileTheme"));
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(theme.ThemeFile(), design);
    EXPECT_EQ(theme.GetColor(kFormColor), 0x00ABCDEF);
    // Loaded from a temporary copy that is gone again.
    EXPECT_TRUE(theme.LoadedThemeFile().ends_with(".sui"));
    EXPECT_FALSE(fs::exists(theme.LoadedThemeFile()));
    EXPECT_EQ(GuidNamedTempFiles(), before);
    // Only an existing design file is stored back.
    EXPECT_FALSE(theme.SkinDataToStore());
    theme.SetThemeFile(small_);
    EXPECT_EQ(theme.SkinDataToStore(), SmallSkin(0x00EDFCED));
}

}  // namespace
}  // namespace trimwell
