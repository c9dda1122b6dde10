#pragma once
// File themes: a component that loads one skin archive and answers the skinned controls'
// requests for colours, integers, booleans and bitmaps by key number.
//
// TsuiFileTheme loads the archive named by ThemeFile (looked for at the given path, then by its
// file name in the program's folder, the Windows folder and the system folder).
// TsuiBuiltInFileTheme carries the whole archive in the window layout as SkinData:
//     Row<TsuiBuiltInFileTheme>("suiBuiltInFileTheme", "", {{"SkinData", EmbeddedSkinArchive()}})
// A control decides where it draws from with UsingFileTheme:
//     TsuiUIStyle style;
//     if (UsingFileTheme(theme, requested, style)) colour = theme->GetColor(kSkinButtonFontColor);
//     else colour = GetColor(style, 25);
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Layout.h"
#include "skin/SUIThemes.h"

namespace trimwell {

class TsuiFileTheme;

// Skinned controls that take a FileTheme. When a theme finishes loading it hands itself to each
// of these on its form again, so they take their look from the new skin.
class TsuiFileThemeUser {
public:
    virtual ~TsuiFileThemeUser() = default;
    virtual TsuiFileTheme* FileTheme() const = 0;
    virtual void SetFileTheme(TsuiFileTheme* theme) = 0;
    // The skin library's form component, whose window frame the theme draws.
    virtual bool IsSuiForm() const { return false; }
};

class TsuiFileTheme : public TPersistentComponent {
public:
    explicit TsuiFileTheme(TComponent* owner);
    ~TsuiFileTheme() override;

    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    // The path of the archive actually loaded. Setting it looks for the file, loads it and, when
    // the skin is ready, renews the theme of every control of the owner form that uses it. A name
    // found nowhere changes nothing.
    const std::string& ThemeFile() const { return themeFile_; }
    void SetThemeFile(const std::string& path);

    const std::string& Password() const { return password_; }
    // A non-empty password loads the current ThemeFile again with it.
    void SetPassword(const std::string& password);

    bool Ready() const { return ready_; }
    // Layouts store Ready; whether a skin is loaded is decided by loading alone.
    void SetReady(bool) {}

    // Lookups by key number of each group (TsuiFileThemeMgr::KeyName).
    const Bitmap* GetBitmap(int key) const;
    // The whole bitmap, or part `part` (from 1) of `count` slices when both are non-zero; an
    // absent bitmap leaves `target` empty.
    void GetBitmap(int key, Bitmap& target, int part, int count) const;
    std::int32_t GetColor(int key) const;
    std::int32_t GetInteger(int key) const;
    bool GetBool(int key) const;

    TsuiFileThemeMgr& Manager() { return *manager_; }

private:
    std::optional<std::string> FindThemeFile(const std::string& path) const;
    void RenewControls(bool wasEmpty);

    std::unique_ptr<TsuiFileThemeMgr> manager_;
    std::string themeFile_;
    std::string password_;
    bool ready_ = false;
};

// A file theme whose skin archive travels inside the window layout.
class TsuiBuiltInFileTheme : public TsuiFileTheme {
public:
    // How many fresh temporary names are tried when the skin data cannot be written.
    static constexpr int kSkinDataWriteAttempts = 8;

    using TsuiFileTheme::TsuiFileTheme;

    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    // The archive chosen when the layout was designed. The inherited ThemeFile keeps the path of
    // the file the skin was last loaded from (a temporary copy of SkinData, already deleted).
    const std::string& ThemeFile() const { return designThemeFile_; }
    const std::string& LoadedThemeFile() const { return TsuiFileTheme::ThemeFile(); }
    void SetThemeFile(const std::string& path);

    // Loads the skin from the archive's bytes: they are written to a temporary "{GUID}.sui" file,
    // loaded from there, and the file is deleted again.
    void SetSkinData(const Bytes& archive);
    // What a layout stores as SkinData: the content of the design-time ThemeFile, when it exists.
    std::optional<Bytes> SkinDataToStore() const;

private:
    std::string designThemeFile_;
};

// The style a control draws in: the file theme (true) when FromThemeFile is asked for and the
// theme is ready; otherwise the requested built-in style, or DeepBlue in place of a theme that
// is missing or not ready.
bool UsingFileTheme(const TsuiFileTheme* theme, TsuiUIStyle requested, TsuiUIStyle& effective);

// A free "{GUID}.sui" name in the temporary folder ("{GUID}1.sui", "{GUID}2.sui"... while the plain
// name is taken); empty when no GUID can be had.
std::string FreshSkinDataName();

// The skin archive the program carries for its windows.
inline constexpr const char* kEmbeddedSkinResource = "TRIMWELL_SKIN";
Bytes EmbeddedSkinArchive();

// Platform parts: the folders a theme file name is looked for in after the given path (the
// program's folder, the Windows folder, the system folder), and asking the window system to
// recompute a form's frame.
std::vector<std::string> ThemeSearchFolders();
void RecomputeFormFrame(TComponent& form);

}  // namespace trimwell
