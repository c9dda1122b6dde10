#pragma once
// The five built-in UI styles, the choice between them and a file theme, and the file theme's
// manager.
//
// A style is a table of 48 numbered items, each of one kind shared by all styles: colours,
// integers, booleans, and bitmaps named after program resources.
//     std::int32_t border = GetColor(TsuiUIStyle::Protein, 25);      // 0: black
//     Bitmap up;  GetBitmap(TsuiUIStyle::Protein, 32, &up, 1, 6);    // first arrow frame, 16 x 16
// Lookups of the wrong kind, and every lookup for FromThemeFile, answer 0, false, -1 or leave
// the target bitmap as it was.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "framework/Bitmap.h"
#include "framework/Component.h"
#include "skin/SUI2SkinReader.h"
#include "skin/SUISkinKeys.h"

namespace trimwell {

enum class TsuiUIStyle { FromThemeFile = 0, MacOS = 1, WinXP = 2, DeepBlue = 3, Protein = 4, BlueGlass = 5 };

// Forms store the style by name ("Protein").
std::string_view UIStyleName(TsuiUIStyle style);
std::optional<TsuiUIStyle> UIStyleFromName(std::string_view name);

enum class TsuiItemKind { Integer, Color, Bitmap, Boolean };

constexpr int kStyleItemCount = 48;

// The kind of item 1..48; items outside the tables count as none of the kinds (nullopt).
std::optional<TsuiItemKind> StyleItemKind(int item);

std::int32_t GetColor(TsuiUIStyle style, int item);
bool GetBool(TsuiUIStyle style, int item);
std::int32_t GetInteger(TsuiUIStyle style, int item);
// The resource name behind a bitmap item, empty when the item has none.
std::string StyleBitmapName(TsuiUIStyle style, int item);
// Loads the item's bitmap into `target` (count 0), or part `part` (from 1) of `count` equal
// slices of it. The resource is read once, at the first request. Without a target, or for an item that is not
// a bitmap or has no resource, nothing happens.
void GetBitmap(TsuiUIStyle style, int item, Bitmap* target, int part = 0, int count = 0);

// Cuts part `part` (from 1) of `count` equal vertical slices of `source` into `target`: slices are
// source width / count wide (remainder dropped) and full height; the last slice is taken flush
// with the right edge. A part outside 1..count leaves `target` empty.
void CutBitmapPart(const Bitmap& source, Bitmap& target, int part, int count);

// Implemented by the skin library's form component: newly created controls on its form start
// with its style.
class TsuiStyledForm {
public:
    virtual ~TsuiStyledForm() = default;
    virtual TsuiUIStyle UIStyle() const = 0;
};

// Whether a component is a form (a top-level window of the framework).
inline bool IsFormComponent(const TComponent* component) { return component != nullptr && component->IsForm(); }

// The style of the first TsuiStyledForm among the owner's components when the owner is a form;
// DeepBlue otherwise.
TsuiUIStyle DefaultUIStyle(const TComponent* owner);

// Loads one skin archive and answers lookups by key number of the four key groups.
class TsuiFileThemeMgr {
public:
    enum class KeyGroup { Color, Bitmap, Integer, Boolean };

    // The key name of number `key` (from 0) of a group, empty outside the group's table.
    static std::string_view KeyName(KeyGroup group, int key);
    static int KeyCount(KeyGroup group);

    // Replaces any loaded skin with the archive `fileName`. False, with no skin loaded, when the
    // file does not exist or cannot be read.
    bool LoadTheme(const std::string& fileName, const std::string& password);

    bool HasSkin() const { return reader_ != nullptr; }
    // 0 / false / null with nothing loaded; -1 / false / null for a key absent from the skin.
    std::int32_t GetColor(int key) const;
    std::int32_t GetInteger(int key) const;
    bool GetBool(int key) const;
    const Bitmap* GetBitmap(int key) const;

private:
    // Shared by every manager that loaded the same archive: a reader never changes once loaded.
    std::shared_ptr<const Tsk2SkinFileReader> reader_;
};

}  // namespace trimwell
