#include "skin/SUIMgr.h"

#include <cstdio>

#include "platform/Files.h"
#include "platform/Resources.h"

namespace trimwell {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool isSeparator(char c) { return c == '/' || c == '\\'; }

std::string fileNamePart(const std::string& path) {
    std::size_t i = path.size();
    while (i > 0 && !isSeparator(path[i - 1]) && path[i - 1] != ':') --i;
    return path.substr(i);
}

std::string joinPath(std::string folder, const std::string& name) {
    if (!folder.empty() && !isSeparator(folder.back())) folder += kSeparator;
    return folder + name;
}

}  // namespace

// "{GUID}.sui" in the temporary folder, numbered before the extension while the name is taken;
// empty when the system gives no fresh GUID.
std::string FreshSkinDataName() {
    std::string stem;
    try {
        stem = TempFolder() + NewGuidString();
    } catch (const std::exception&) {
        return {};
    }
    std::string name = stem + ".sui";
    for (int n = 1; FileExists(name); ++n) name = stem + std::to_string(n) + ".sui";
    return name;
}

TsuiFileTheme::TsuiFileTheme(TComponent* owner)
    : TPersistentComponent(owner), manager_(std::make_unique<TsuiFileThemeMgr>()) {}

TsuiFileTheme::~TsuiFileTheme() = default;

const PropertyTable& TsuiFileTheme::StaticPublished() {
    static const PropertyTable table = Inherit(PropertyTable{}, {
        Prop<TsuiFileTheme>("ThemeFile", &TsuiFileTheme::SetThemeFile),
        Prop<TsuiFileTheme>("Password", &TsuiFileTheme::SetPassword),
        Prop<TsuiFileTheme>("Ready", &TsuiFileTheme::SetReady),
    });
    return table;
}

const PropertyTable& TsuiFileTheme::Published() const { return StaticPublished(); }

std::optional<std::string> TsuiFileTheme::FindThemeFile(const std::string& path) const {
    if (FileExists(path)) return path;
    const std::string name = fileNamePart(path);
    if (name.empty()) return std::nullopt;
    for (const std::string& folder : ThemeSearchFolders()) {
        const std::string candidate = joinPath(folder, name);
        if (FileExists(candidate)) return candidate;
    }
    return std::nullopt;
}

void TsuiFileTheme::SetThemeFile(const std::string& path) {
    const bool wasEmpty = themeFile_.empty();
    const std::optional<std::string> found = FindThemeFile(path);
    if (!found) return;
    themeFile_ = *found;
    ready_ = manager_->LoadTheme(themeFile_, password_);
    if (ready_) RenewControls(wasEmpty);
}

// Hands the theme again to every control of the owner form that uses it, so each one takes its
// look from the skin just loaded.
void TsuiFileTheme::RenewControls(bool wasEmpty) {
    TComponent* form = Owner();
    if (form == nullptr || !IsFormComponent(form)) return;
    bool usedByForm = false;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* user = dynamic_cast<TsuiFileThemeUser*>(&form->Component(i));
        if (user == nullptr || user->FileTheme() != this) continue;
        usedByForm = usedByForm || user->IsSuiForm();
        user->SetFileTheme(nullptr);
        user->SetFileTheme(this);
    }
    if (usedByForm && !wasEmpty) RecomputeFormFrame(*form);
}

void TsuiFileTheme::SetPassword(const std::string& password) {
    password_ = password;
    if (!password_.empty()) SetThemeFile(themeFile_);
}

const Bitmap* TsuiFileTheme::GetBitmap(int key) const { return manager_->GetBitmap(key); }

void TsuiFileTheme::GetBitmap(int key, Bitmap& target, int part, int count) const {
    const Bitmap* source = manager_->GetBitmap(key);
    if (source == nullptr)
        target = Bitmap();
    else if (part != 0 && count != 0)
        CutBitmapPart(*source, target, part, count);
    else
        target = *source;
}

std::int32_t TsuiFileTheme::GetColor(int key) const { return manager_->GetColor(key); }
std::int32_t TsuiFileTheme::GetInteger(int key) const { return manager_->GetInteger(key); }
bool TsuiFileTheme::GetBool(int key) const { return manager_->GetBool(key); }

const PropertyTable& TsuiBuiltInFileTheme::StaticPublished() {
    // ThemeFile is published again with the design-time field; SkinData comes after every
    // published property, so a layout's ThemeFile is applied before its SkinData.
    static const PropertyTable table = Inherit(TsuiFileTheme::StaticPublished(), {
        Prop<TsuiBuiltInFileTheme>("ThemeFile", &TsuiBuiltInFileTheme::SetThemeFile),
        Prop<TsuiBuiltInFileTheme>("SkinData", &TsuiBuiltInFileTheme::SetSkinData),
    });
    return table;
}

const PropertyTable& TsuiBuiltInFileTheme::Published() const { return StaticPublished(); }

void TsuiBuiltInFileTheme::SetThemeFile(const std::string& path) {
    designThemeFile_ = path;
    TsuiFileTheme::SetThemeFile(path);
}

void TsuiBuiltInFileTheme::SetSkinData(const Bytes& archive) {
    const Bytes copy = archive;
    for (int attempt = 0; attempt < kSkinDataWriteAttempts; ++attempt) {
        const std::string name = FreshSkinDataName();
        if (name.empty() || !WriteWholeFile(name, copy)) continue;
        const TemporaryFile temporary(name);
        TsuiFileTheme::SetThemeFile(temporary.Path());
        return;
    }
    // Every attempt failed: the theme keeps what it had, and the controls their fallback style.
}

std::optional<Bytes> TsuiBuiltInFileTheme::SkinDataToStore() const {
    if (!FileExists(designThemeFile_)) return std::nullopt;
    std::optional<std::string> content = ReadWholeFile(designThemeFile_);
    if (!content) return std::nullopt;
    return Bytes(content->begin(), content->end());
}

bool UsingFileTheme(const TsuiFileTheme* theme, TsuiUIStyle requested, TsuiUIStyle& effective) {
    if (requested != TsuiUIStyle::FromThemeFile) {
        effective = requested;
        return false;
    }
    if (theme != nullptr && theme->Ready()) {
        effective = TsuiUIStyle::FromThemeFile;
        return true;
    }
    effective = TsuiUIStyle::DeepBlue;
    return false;
}

Bytes EmbeddedSkinArchive() { return LoadProgramData(kEmbeddedSkinResource).value_or(Bytes{}); }

}  // namespace trimwell
