#include "skin/SUIThemes.h"

#include <array>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <span>

#include "platform/Files.h"
#include "platform/Resources.h"

namespace trimwell {

namespace {

// One item of one style: a number (colour, integer, 0/1 for a boolean) or a resource name.
struct StyleCell {
    std::int32_t value = 0;
    const char* resource = nullptr;
};

constexpr StyleCell Value(std::int64_t v) { return {static_cast<std::int32_t>(v), nullptr}; }
constexpr StyleCell Flag(bool v) { return {v ? 1 : 0, nullptr}; }
constexpr StyleCell Res(const char* name) { return {0, name}; }
constexpr StyleCell None() { return {}; }

struct StyleItem {
    TsuiItemKind kind;
    std::array<StyleCell, 5> byStyle;  // MacOS, WinXP, DeepBlue, Protein, BlueGlass
};

// Items 1 to 48 in order.
const StyleItem kItems[kStyleItemCount] = {
    {TsuiItemKind::Bitmap, {Res("MACOS_BUTTON"), Res("WINXP_BUTTON"), Res("DEEPBLUE_BUTTON"), Res("PROTEIN_BUTTON"), Res("BLUEGLASS_BUTTON")}},  // 1
    {TsuiItemKind::Boolean, {Flag(true), Flag(false), Flag(false), Flag(false), Flag(true)}},  // 2
    {TsuiItemKind::Bitmap, {Res("MACOS_CHECKBOX"), Res("WINXP_CHECKBOX"), Res("DEEPBLUE_CHECKBOX"), Res("PROTEIN_CHECKBOX"), Res("BLUEGLASS_CHECKBOX")}},  // 3
    {TsuiItemKind::Bitmap, {Res("MACOS_RADIOBUTTON"), Res("WINXP_RADIOBUTTON"), Res("DEEPBLUE_RADIOBUTTON"), Res("PROTEIN_RADIOBUTTON"), Res("BLUEGLASS_RADIOBUTTON")}},  // 4
    {TsuiItemKind::Bitmap, {Res("MACOS_TITLEBTN"), Res("WINXP_TITLEBTN"), Res("DEEPBLUE_TITLEBTN"), Res("PROTEIN_TITLEBTN"), Res("BLUEGLASS_TITLEBTN")}},  // 5
    {TsuiItemKind::Boolean, {Flag(false), Flag(false), Flag(false), Flag(true), Flag(true)}},  // 6
    {TsuiItemKind::Integer, {Value(3), Value(2), Value(0), Value(0), Value(4)}},  // 7
    {TsuiItemKind::Integer, {Value(-2), Value(-2), Value(0), Value(0), Value(-3)}},  // 8
    {TsuiItemKind::Integer, {Value(4), Value(5), Value(2), Value(2), Value(6)}},  // 9
    {TsuiItemKind::Bitmap, {Res("MACOS_TITLE_LEFT"), Res("WINXP_TITLE_LEFT"), Res("DEEPBLUE_TITLE_LEFT"), Res("PROTEIN_TITLE_LEFT"), Res("BLUEGLASS_TITLE_LEFT")}},  // 10
    {TsuiItemKind::Bitmap, {Res("MACOS_TITLE_CLIENT"), Res("WINXP_TITLE_CLIENT"), Res("DEEPBLUE_TITLE_CLIENT"), Res("PROTEIN_TITLE_CLIENT"), Res("BLUEGLASS_TITLE_CLIENT")}},  // 11
    {TsuiItemKind::Bitmap, {Res("MACOS_TITLE_RIGHT"), Res("WINXP_TITLE_RIGHT"), Res("DEEPBLUE_TITLE_RIGHT"), Res("PROTEIN_TITLE_RIGHT"), Res("BLUEGLASS_TITLE_RIGHT")}},  // 12
    {TsuiItemKind::Integer, {Value(130), Value(150), Value(130), Value(130), Value(270)}},  // 13
    {TsuiItemKind::Integer, {Value(0), Value(13), Value(0), Value(0), Value(11)}},  // 14
    {TsuiItemKind::Color, {Value(0x00E7E7E7), Value(0x00DEEBEF), Value(0x00E8E8E8), Value(0x00FBFBFB), Value(0x00E7E7E7)}},  // 15
    {TsuiItemKind::Color, {Value(0x007F7F7F), Value(0x00C82C00), Value(0x00000000), Value(0x00000000), Value(0x00000000)}},  // 16
    {TsuiItemKind::Integer, {Value(1), Value(3), Value(1), Value(1), Value(1)}},  // 17
    {TsuiItemKind::Color, {Value(0x00C47339), Value(0x00C66931), Value(0x00A04A44), Value(0x00C4302D), Value(0x00EC5E5E)}},  // 18
    {TsuiItemKind::Color, {Value(0x00C47339), Value(0x00EFD3C6), Value(0x00A04A44), Value(0x00C4302D), Value(0x00EC5E5E)}},  // 19
    {TsuiItemKind::Color, {Value(0x00FFFFFF), Value(0x00000000), Value(0x00FFFFFF), Value(0x00FFFFFF), Value(0x00FFFFFF)}},  // 20
    {TsuiItemKind::Color, {Value(0x00000000), Value(0x00FFFFFF), Value(0x00FFFFFF), Value(0x00FFFFFF), Value(0x00E7E7E7)}},  // 21
    {TsuiItemKind::Color, {Value(0x00000000), Value(0x00000000), Value(0x00000000), Value(0x00000000), Value(0x00000000)}},  // 22
    {TsuiItemKind::Color, {Value(0x00000000), Value(0x00CED3D6), Value(0x00CED3D6), Value(0x00CED3D6), Value(0x00CED3D6)}},  // 23
    {TsuiItemKind::Bitmap, {Res("MACOS_PROGRESSBAR"), Res("WINXP_PROGRESSBAR"), Res("DEEPBLUE_PROGRESSBAR"), Res("PROTEIN_PROGRESSBAR"), Res("BLUEGLASS_PROGRESSBAR")}},  // 24
    {TsuiItemKind::Color, {Value(0x007F7F7F), Value(0x00686868), Value(0x00000000), Value(0x00000000), Value(0x00000000)}},  // 25
    {TsuiItemKind::Color, {Value(0x00E7E7E7), Value(0x00DEEBEF), Value(0x00E8E8E8), Value(0x00FBFBFB), Value(0x00E7E7E7)}},  // 26
    {TsuiItemKind::Color, {Value(0x00000000), Value(0x00CF4602), Value(0x00000000), Value(0x00000000), Value(0x00000000)}},  // 27
    {TsuiItemKind::Bitmap, {Res("MACOS_TRACKBAR_BAR"), Res("WINXP_TRACKBAR_BAR"), Res("DEEPBLUE_TRACKBAR_BAR"), Res("PROTEIN_TRACKBAR_BAR"), Res("BLUEGLASS_TRACKBAR_BAR")}},  // 28
    {TsuiItemKind::Bitmap, {Res("MACOS_TRACKBAR_SLIDER"), Res("WINXP_TRACKBAR_SLIDER"), Res("DEEPBLUE_TRACKBAR_SLIDER"), Res("PROTEIN_TRACKBAR_SLIDER"), Res("BLUEGLASS_TRACKBAR_SLIDER")}},  // 29
    {TsuiItemKind::Bitmap, {Res("MACOS_TRACKBAR_SLIDER_V"), Res("WINXP_TRACKBAR_SLIDER_V"), Res("DEEPBLUE_TRACKBAR_SLIDER_V"), Res("PROTEIN_TRACKBAR_SLIDER_V"), Res("BLUEGLASS_TRACKBAR_SLIDER_V")}},  // 30
    {TsuiItemKind::Color, {Value(0x00C9C9C9), Value(0x00F9F9F9), Value(0x00F5F5F5), Value(0x00F5F5F5), Value(0x00F4F4F4)}},  // 31
    {TsuiItemKind::Bitmap, {Res("MACOS_SCROLLBAR_BUTTON"), Res("WINXP_SCROLLBAR_BUTTON"), Res("DEEPBLUE_SCROLLBAR_BUTTON"), Res("PROTEIN_SCROLLBAR_BUTTON"), Res("BLUEGLASS_SCROLLBAR_BUTTON")}},  // 32
    {TsuiItemKind::Bitmap, {Res("MACOS_SCROLLBAR_TRACK"), Res("WINXP_SCROLLBAR_TRACK"), Res("DEEPBLUE_SCROLLBAR_TRACK"), Res("PROTEIN_SCROLLBAR_TRACK"), Res("BLUEGLASS_SCROLLBAR_TRACK")}},  // 33
    {TsuiItemKind::Bitmap, {Res("MACOS_CHECKLIST"), Res("WINXP_CHECKLIST"), Res("DEEPBLUE_CHECKLIST"), Res("PROTEIN_CHECKLIST"), Res("BLUEGLASS_CHECKLIST")}},  // 34
    {TsuiItemKind::Color, {Value(0x00474747), Value(0x00C66931), Value(0x00474747), Value(0x00474747), Value(0x00474747)}},  // 35
    {TsuiItemKind::Color, {Value(0x00EFEFEF), Value(0x00EFD3C6), Value(0x00EFEFEF), Value(0x00EFEFEF), Value(0x00EFEFEF)}},  // 36
    {TsuiItemKind::Color, {Value(0x00D8D8D8), Value(0x00E1AC93), Value(0x00D8D8D8), Value(0x00D8D8D8), Value(0x00D8D8D8)}},  // 37
    {TsuiItemKind::Bitmap, {Res("MACOS_SCROLLBUTTON"), Res("WINXP_SCROLLBUTTON"), Res("MORE_SCROLLBUTTON"), Res("MORE_SCROLLBUTTON"), Res("MORE_SCROLLBUTTON")}},  // 38
    {TsuiItemKind::Bitmap, {Res("MACOS_TAB"), Res("WINXP_TAB"), Res("DEEPBLUE_TAB"), Res("PROTEIN_TAB"), Res("BLUEGLASS_TAB")}},  // 39
    {TsuiItemKind::Bitmap, {Res("MACOS_TAB_LINE"), Res("WINXP_TAB_LINE"), Res("DEEPBLUE_TAB_LINE"), Res("PROTEIN_TAB_LINE"), Res("BLUEGLASS_TAB_LINE")}},  // 40
    {TsuiItemKind::Bitmap, {Res("MACOS_SIDECHENNEL_HANDLE"), Res("WINXP_SIDECHENNEL_HANDLE"), Res("DEEPBLUE_SIDECHENNEL_HANDLE"), Res("PROTEIN_SIDECHENNEL_HANDLE"), Res("BLUEGLASS_SIDECHENNEL_HANDLE")}},  // 41
    {TsuiItemKind::Bitmap, {Res("MACOS_SIDECHENNEL_BAR"), Res("WINXP_SIDECHENNEL_BAR"), Res("DEEPBLUE_SIDECHENNEL_BAR"), Res("PROTEIN_SIDECHENNEL_BAR"), Res("BLUEGLASS_SIDECHENNEL_BAR")}},  // 42
    {TsuiItemKind::Bitmap, {None(), None(), None(), None(), None()}},  // 43
    {TsuiItemKind::Color, {Value(0x00000000), Value(0x00FFFFFF), Value(0x00FFFFFF), Value(0x00FFFFFF), Value(0x00FFFFFF)}},  // 44
    {TsuiItemKind::Bitmap, {None(), None(), None(), None(), None()}},  // 45
    {TsuiItemKind::Bitmap, {None(), None(), None(), None(), None()}},  // 46
    {TsuiItemKind::Integer, {Value(0), Value(0), Value(0), Value(0), Value(0)}},  // 47
    {TsuiItemKind::Color, {Value(0x00E7E7E7), Value(0x00DEEBEF), Value(0x00E8E8E8), Value(0x00FBFBFB), Value(0x00E7E7E7)}},  // 48
};

const StyleItem* itemOf(TsuiUIStyle style, int item) {
    if (style == TsuiUIStyle::FromThemeFile || item < 1 || item > kStyleItemCount) return nullptr;
    return &kItems[item - 1];
}

const StyleCell* cellOf(TsuiUIStyle style, int item, TsuiItemKind wanted) {
    const StyleItem* it = itemOf(style, item);
    const int column = static_cast<int>(style) - 1;
    if (it == nullptr || it->kind != wanted || column < 0 || column >= 5) return nullptr;
    return &it->byStyle[static_cast<std::size_t>(column)];
}

constexpr std::array<std::string_view, 6> kStyleNames = {"FromThemeFile", "MacOS", "WinXP",
                                                          "DeepBlue", "Protein", "BlueGlass"};

// Key names of the file theme's four groups, from the lists of the constants.
#define TRIMWELL_SKIN2_NAME(constant, name) name,
constexpr std::string_view kColorKeys[] = {TRIMWELL_SKIN2_COLOR_KEYS(TRIMWELL_SKIN2_NAME)};

constexpr std::string_view kBitmapKeys[] = {TRIMWELL_SKIN2_BITMAP_KEYS(TRIMWELL_SKIN2_NAME)};

constexpr std::string_view kIntegerKeys[] = {TRIMWELL_SKIN2_INTEGER_KEYS(TRIMWELL_SKIN2_NAME)};

constexpr std::string_view kBooleanKeys[] = {TRIMWELL_SKIN2_BOOLEAN_KEYS(TRIMWELL_SKIN2_NAME)};
#undef TRIMWELL_SKIN2_NAME

std::span<const std::string_view> keysOf(TsuiFileThemeMgr::KeyGroup group) {
    switch (group) {
        case TsuiFileThemeMgr::KeyGroup::Color: return kColorKeys;
        case TsuiFileThemeMgr::KeyGroup::Bitmap: return kBitmapKeys;
        case TsuiFileThemeMgr::KeyGroup::Integer: return kIntegerKeys;
        case TsuiFileThemeMgr::KeyGroup::Boolean: return kBooleanKeys;
    }
    return {};
}

}  // namespace

std::string_view UIStyleName(TsuiUIStyle style) {
    const auto i = static_cast<std::size_t>(style);
    return i < kStyleNames.size() ? kStyleNames[i] : std::string_view{};
}

std::optional<TsuiUIStyle> UIStyleFromName(std::string_view name) {
    for (std::size_t i = 0; i < kStyleNames.size(); ++i)
        if (kStyleNames[i] == name) return static_cast<TsuiUIStyle>(i);
    return std::nullopt;
}

std::optional<TsuiItemKind> StyleItemKind(int item) {
    if (item < 1 || item > kStyleItemCount) return std::nullopt;
    return kItems[item - 1].kind;
}

std::int32_t GetColor(TsuiUIStyle style, int item) {
    const StyleCell* c = cellOf(style, item, TsuiItemKind::Color);
    return c ? c->value : 0;
}

bool GetBool(TsuiUIStyle style, int item) {
    const StyleCell* c = cellOf(style, item, TsuiItemKind::Boolean);
    return c && c->value != 0;
}

std::int32_t GetInteger(TsuiUIStyle style, int item) {
    const StyleCell* c = cellOf(style, item, TsuiItemKind::Integer);
    return c ? c->value : -1;
}

std::string StyleBitmapName(TsuiUIStyle style, int item) {
    const StyleCell* c = cellOf(style, item, TsuiItemKind::Bitmap);
    return c && c->resource ? c->resource : "";
}

namespace {

// Each style bitmap is read from the program's resources once, at its first request; the
// resources do not change while the program runs. One user-interface thread asks.
const Bitmap* cachedStyleBitmap(const std::string& name) {
    static std::map<std::string, std::optional<Bitmap>, std::less<>> loaded;
    auto it = loaded.find(name);
    if (it == loaded.end()) it = loaded.emplace(name, LoadProgramBitmap(name)).first;
    return it->second ? &*it->second : nullptr;
}

}  // namespace

void GetBitmap(TsuiUIStyle style, int item, Bitmap* target, int part, int count) {
    if (target == nullptr) return;
    const std::string name = StyleBitmapName(style, item);
    if (name.empty()) return;
    const Bitmap* bitmap = cachedStyleBitmap(name);
    if (bitmap == nullptr) return;
    if (count == 0)
        *target = *bitmap;
    else
        CutBitmapPart(*bitmap, *target, part, count);
}

void CutBitmapPart(const Bitmap& source, Bitmap& target, int part, int count) {
    if (count < 1 || part < 1 || part > count) {
        target = Bitmap();
        return;
    }
    const int width = source.Width() / count;
    const int left = part == count ? source.Width() - width : width * (part - 1);
    Bitmap cut(width, source.Height());
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < width; ++x) cut.SetPixel(x, y, source.Pixel(left + x, y));
    cut.SetSourceBitsPerPixel(source.SourceBitsPerPixel());
    target = std::move(cut);
}

TsuiUIStyle DefaultUIStyle(const TComponent* owner) {
    if (owner != nullptr && IsFormComponent(owner))
        for (int i = 0; i < owner->ComponentCount(); ++i)
            if (const auto* form = dynamic_cast<const TsuiStyledForm*>(&owner->Component(i))) return form->UIStyle();
    return TsuiUIStyle::DeepBlue;
}

std::string_view TsuiFileThemeMgr::KeyName(KeyGroup group, int key) {
    const auto keys = keysOf(group);
    return key >= 0 && static_cast<std::size_t>(key) < keys.size() ? keys[static_cast<std::size_t>(key)]
                                                                    : std::string_view{};
}

int TsuiFileThemeMgr::KeyCount(KeyGroup group) { return static_cast<int>(keysOf(group).size()); }

namespace {

// The archive read last and what it gave. Each window carries the same skin archive: the second
// window's theme takes the reader of the first instead of unpacking and decoding it again.
struct LastReadSkin {
    std::string archive, password;
    std::weak_ptr<const Tsk2SkinFileReader> reader;
};

LastReadSkin& lastReadSkin() {
    static LastReadSkin last;
    return last;
}

}  // namespace

bool TsuiFileThemeMgr::LoadTheme(const std::string& fileName, const std::string& password) {
    if (!FileExists(fileName)) return false;
    reader_.reset();
    try {
        LastReadSkin& last = lastReadSkin();
        std::optional<std::string> archive = ReadWholeFile(fileName);
        if (archive && *archive == last.archive && password == last.password) reader_ = last.reader.lock();
        if (reader_) return true;
        auto reader = std::make_shared<const Tsk2SkinFileReader>(fileName, password);
        if (!reader->IsLoaded()) return false;
        reader_ = reader;
        if (archive) last = {std::move(*archive), password, reader};
    } catch (const std::exception&) {
        // An unreadable skin leaves the theme without a skin; the controls fall back to a
        // built-in style, and nothing is shown to the user.
    }
    return reader_ != nullptr;
}

std::int32_t TsuiFileThemeMgr::GetColor(int key) const {
    if (!reader_) return 0;
    const std::string_view name = KeyName(KeyGroup::Color, key);
    return name.empty() ? -1 : reader_->GetInteger(name);
}

std::int32_t TsuiFileThemeMgr::GetInteger(int key) const {
    if (!reader_) return 0;
    const std::string_view name = KeyName(KeyGroup::Integer, key);
    return name.empty() ? -1 : reader_->GetInteger(name);
}

bool TsuiFileThemeMgr::GetBool(int key) const {
    const std::string_view name = KeyName(KeyGroup::Boolean, key);
    return reader_ && !name.empty() && reader_->GetBool(name);
}

const Bitmap* TsuiFileThemeMgr::GetBitmap(int key) const {
    const std::string_view name = KeyName(KeyGroup::Bitmap, key);
    return reader_ && !name.empty() ? reader_->GetBitmap(name) : nullptr;
}

}  // namespace trimwell
