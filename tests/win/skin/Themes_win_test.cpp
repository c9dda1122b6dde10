// Styles and themes as the program runs them: bitmaps and the skin archive from the program's own
// resources, theme files next to the program, and the renewal walk over a real form.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "framework/Forms_win.h"
#include "platform/Files.h"
#include "platform/Resources.h"
#include "skin/SUIMgr.h"
#include "tests/native/skin/ExpectedStyles.h"
#include "tests/native/skin/SkinChecks.h"

namespace trimwell {
namespace {

namespace fs = std::filesystem;

TEST(StyleResources, EveryBitmapItemOfEveryStyleLoadsFromTheProgram) {
    for (const auto& row : expected::kStyleRows) {
        if (row.kind != TsuiItemKind::Bitmap) continue;
        for (std::size_t s = 0; s < 5; ++s) {
            const auto& want = row.byStyle[s];
            if (!*want.resource) continue;
            Bitmap b;
            GetBitmap(expected::kBuiltInStyles[s], row.item, &b);
            EXPECT_EQ(b.Width(), want.width) << want.resource;
            EXPECT_EQ(b.Height(), want.height) << want.resource;
        }
    }
    for (const char* extra : {"MACOS_COMBOBOX_BUTTON", "MACOS_FORM_BACKGROUND", "MACOS_MENU_BAR",
                              "MACOS_MENU_SELECT", "PROTEIN_FORM_BACKGROUND", "WINXP_COMBOBOX_BUTTON"})
        EXPECT_TRUE(LoadProgramBitmap(extra)) << extra;
    EXPECT_FALSE(LoadProgramBitmap("NO_SUCH_BITMAP"));
}

TEST(EmbeddedSkinResource, LoadsThroughATemporaryFileThatIsGoneAfterwards) {
    const Bytes archive = EmbeddedSkinArchive();
    ASSERT_GT(archive.size(), 22u);
    EXPECT_EQ(archive[0], 'S');
    EXPECT_EQ(archive[1], 'K');
    const auto before = expected::GuidNamedTempFiles();
    TsuiBuiltInFileTheme theme(nullptr);
    theme.SetSkinData(archive);
    expected::ExpectEmbeddedSkin(theme);
    EXPECT_EQ(expected::GuidNamedTempFiles(), before);
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L'\\') + 1);
}

TEST(ThemeFileSearch, ANameFoundOnlyInTheProgramFolderIsLoadedFromThere) {
    const fs::path copy = fs::path(ProgramFolder()) / L"themes-win-test-skin.sui";
    const Bytes archive = EmbeddedSkinArchive();
    std::ofstream(copy, std::ios::binary).write(reinterpret_cast<const char*>(archive.data()),
                                                static_cast<std::streamsize>(archive.size()));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile("C:\\designer\\skins\\themes-win-test-skin.sui");
    fs::remove(copy);
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(fs::u8path(theme.ThemeFile()), copy);

    theme.SetThemeFile("C:\\designer\\skins\\found-nowhere.sui");
    EXPECT_EQ(fs::u8path(theme.ThemeFile()), copy);
    EXPECT_TRUE(theme.Ready());
}

struct ThemedControl : TComponent, TsuiFileThemeUser {
    using TComponent::TComponent;
    TsuiFileTheme* FileTheme() const override { return theme; }
    void SetFileTheme(TsuiFileTheme* t) override {
        theme = t;
        ++handed;
    }
    bool IsSuiForm() const override { return suiForm; }
    TsuiFileTheme* theme = nullptr;
    int handed = 0;
    bool suiForm = false;
};

TEST(ThemeRenewal, OnlyAFormOwnerRenewsItsControls) {
    TForm form(nullptr);
    auto& theme = form.Add<TsuiBuiltInFileTheme>();
    auto& control = form.Add<ThemedControl>();
    auto& skinForm = form.Add<ThemedControl>();
    control.theme = &theme;
    skinForm.theme = &theme;
    skinForm.suiForm = true;
    EXPECT_TRUE(IsFormComponent(&form));
    EXPECT_EQ(DefaultUIStyle(&form), TsuiUIStyle::DeepBlue);

    theme.SetSkinData(EmbeddedSkinArchive());  // first load: frame left alone
    ASSERT_TRUE(theme.Ready());
    EXPECT_EQ(control.handed, 2);
    form.HandleNeeded();
    theme.SetSkinData(EmbeddedSkinArchive());  // a reload recomputes the form's frame
    EXPECT_EQ(control.handed, 4);
    EXPECT_EQ(skinForm.handed, 4);

    TComponent plainOwner;
    auto& loose = plainOwner.Add<TsuiFileTheme>();
    auto& looseControl = plainOwner.Add<ThemedControl>();
    looseControl.theme = &loose;
    EXPECT_FALSE(IsFormComponent(&plainOwner));
    const fs::path file = fs::u8path(TempFolder()) / L"themes-win-test-loose.sui";
    const Bytes archive = EmbeddedSkinArchive();
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(archive.data()),
                                                static_cast<std::streamsize>(archive.size()));
    loose.SetThemeFile(TempFolder() + "themes-win-test-loose.sui");
    fs::remove(file);
    EXPECT_TRUE(loose.Ready());
    EXPECT_EQ(looseControl.handed, 0);
}

}  // namespace
}  // namespace trimwell
