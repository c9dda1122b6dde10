#pragma once
// Checks shared by the native and the Windows tests of the embedded skin.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/Files.h"
#include "skin/SUI2SkinReader.h"
#include "skin/SUIMgr.h"
#include "tests/native/skin/ExpectedSkin.h"

namespace trimwell::expected {

// Files a skin load may leave in the temporary folder: names made of a braced GUID.
inline std::set<std::string> GuidNamedTempFiles() {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::u8path(TempFolder())))
        if (e.path().filename().string().starts_with("{")) names.insert(e.path().filename().string());
    return names;
}

// Every key of the four groups answers the embedded skin's table.
inline void ExpectEmbeddedSkin(const TsuiFileTheme& theme) {
    using Group = TsuiFileThemeMgr::KeyGroup;
    ASSERT_TRUE(theme.Ready());
    ASSERT_EQ(TsuiFileThemeMgr::KeyCount(Group::Color), static_cast<int>(std::size(kSkinColors)));
    for (int i = 0; i < TsuiFileThemeMgr::KeyCount(Group::Color); ++i) {
        EXPECT_EQ(TsuiFileThemeMgr::KeyName(Group::Color, i), kSkinColors[i].key);
        EXPECT_EQ(theme.GetColor(i), kSkinColors[i].value) << kSkinColors[i].key;
    }
    ASSERT_EQ(TsuiFileThemeMgr::KeyCount(Group::Bitmap), static_cast<int>(std::size(kSkinBitmaps)));
    for (int i = 0; i < TsuiFileThemeMgr::KeyCount(Group::Bitmap); ++i) {
        const auto& want = kSkinBitmaps[i];
        EXPECT_EQ(TsuiFileThemeMgr::KeyName(Group::Bitmap, i), want.key);
        const Bitmap* b = theme.GetBitmap(i);
        if (want.width == 0) {
            EXPECT_EQ(b, nullptr) << want.key;
            continue;
        }
        ASSERT_NE(b, nullptr) << want.key;
        EXPECT_EQ(b->Width(), want.width) << want.key;
        EXPECT_EQ(b->Height(), want.height) << want.key;
        EXPECT_EQ(b->SourceBitsPerPixel(), 24) << want.key;
    }
    ASSERT_EQ(TsuiFileThemeMgr::KeyCount(Group::Integer), static_cast<int>(std::size(kSkinIntegers)));
    for (int i = 0; i < TsuiFileThemeMgr::KeyCount(Group::Integer); ++i) {
        EXPECT_EQ(TsuiFileThemeMgr::KeyName(Group::Integer, i), kSkinIntegers[i].key);
        EXPECT_EQ(theme.GetInteger(i), kSkinIntegers[i].value) << kSkinIntegers[i].key;
    }
    ASSERT_EQ(TsuiFileThemeMgr::KeyCount(Group::Boolean), static_cast<int>(std::size(kSkinBooleans)));
    for (int i = 0; i < TsuiFileThemeMgr::KeyCount(Group::Boolean); ++i) {
        EXPECT_EQ(TsuiFileThemeMgr::KeyName(Group::Boolean, i), kSkinBooleans[i].key);
        EXPECT_EQ(theme.GetBool(i), kSkinBooleans[i].value != 0) << kSkinBooleans[i].key;
    }
}

}  // namespace trimwell::expected
