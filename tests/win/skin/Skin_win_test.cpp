// The skin reader's Windows side: GDI bitmaps, GUID temporary names, and extraction through
// wide-character paths.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>

#include "framework/Bitmap_win.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "skin/SUI2SkinReader.h"
#include "tests/native/skin/SkinArchiveBuilder.h"

namespace trimwell {
namespace {

Bitmap Gradient() {
    Bitmap bitmap(37, 11);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.SetPixel(x, y, (static_cast<std::uint32_t>(x * 7) << 24) | static_cast<std::uint32_t>(x * 0x060504 + y * 0x100));
    return bitmap;
}

TEST(GdiBitmap, DibSectionRoundTripKeepsAll32Bits) {
    const Bitmap original = Gradient();
    const UniqueHBitmap dib = ToDibSection(original);
    ASSERT_TRUE(dib);
    const Bitmap copy = FromHBitmap(dib.get());
    ASSERT_EQ(copy.Width(), original.Width());
    ASSERT_EQ(copy.Height(), original.Height());
    for (int y = 0; y < copy.Height(); ++y)
        for (int x = 0; x < copy.Width(); ++x) ASSERT_EQ(copy.Pixel(x, y), original.Pixel(x, y)) << x << "," << y;
}

TEST(GdiBitmap, DeviceBitmapsReadBackTheirColours) {
    const Bitmap original = Gradient();
    const UniqueHBitmap dib = ToDibSection(original);
    HDC screen = GetDC(nullptr);
    const UniqueHBitmap device(CreateCompatibleBitmap(screen, original.Width(), original.Height()));
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HGDIOBJ oldFrom = SelectObject(from, dib.get());
    HGDIOBJ oldTo = SelectObject(to, device.get());
    BitBlt(to, 0, 0, original.Width(), original.Height(), from, 0, 0, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);

    const Bitmap copy = FromHBitmap(device.get());
    ASSERT_EQ(copy.Width(), original.Width());
    for (int y = 0; y < copy.Height(); ++y)
        for (int x = 0; x < copy.Width(); ++x)
            ASSERT_EQ(copy.Pixel(x, y) & 0xFFFFFF, original.Pixel(x, y) & 0xFFFFFF) << x << "," << y;
}

TEST(SkinTempFiles, GuidNamesAreBracedFreshAndTheFolderEndsWithASeparator) {
    const std::string a = NewGuidString();
    const std::string b = NewGuidString();
    ASSERT_EQ(a.size(), 38u);
    EXPECT_EQ(a.front(), '{');
    EXPECT_EQ(a.back(), '}');
    for (std::size_t i = 1; i < 37; ++i) {
        if (i == 9 || i == 14 || i == 19 || i == 24)
            EXPECT_EQ(a[i], '-') << a;
        else
            EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(a[i])) && !std::islower(static_cast<unsigned char>(a[i]))) << a;
    }
    // Random GUIDs: version 4, and the variant of the standard.
    EXPECT_EQ(a[15], '4') << a;
    EXPECT_NE(std::string("89AB").find(a[20]), std::string::npos) << a;
    EXPECT_NE(a, b);
    const std::string folder = TempFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(Utf8ToWide(folder))));
}

int CountGuidFiles() {
    int count = 0;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(Utf8ToWide(TempFolder()))))
        if (e.path().filename().wstring().front() == L'{') ++count;
    return count;
}

TEST(SkinExtraction, EncryptedArchiveUnderAWidePathExtractsAndLoads) {
    const auto dir = std::filesystem::path(Utf8ToWide(TempFolder())) / L"Skins \u00e9\u4e2d";
    std::filesystem::create_directories(dir);
    const testing::Bytes skinData = testing::BuildSkinData({
        {"SKIN2_BUTTON", 0, WriteBmp(Gradient(), 32)},
        {"SKIN2_FORMCOLOR", 1, testing::IntegerValue(0x00EDFCED)},
        {"SKIN2_FLAG", 2, {1}},
    });
    testing::ArchiveLayout layout = testing::StoredLayout(skinData);
    layout.password = "pass";
    const testing::Bytes archive = testing::BuildSkinArchive(layout);
    {
        std::ofstream f(dir / L"skin.sk", std::ios::binary);
        f.write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    }
    const std::string archivePath = WideToUtf8((dir / L"skin.sk").wstring());
    const std::string outPath = WideToUtf8((dir / L"out.sk2").wstring());
    const int before = CountGuidFiles();

    ASSERT_EQ(ExtractSkinEntry(archivePath, "skindata.sk2", outPath, "pass"), kSkinExtracted);
    EXPECT_EQ(std::filesystem::file_size(dir / L"out.sk2"), skinData.size());
    EXPECT_EQ(ExtractSkinEntry(archivePath, "skindata.sk2", outPath, "nope"), kSkinPasswordOrSize);
    EXPECT_FALSE(std::filesystem::exists(dir / L"out.sk2"));

    const Tsk2SkinFileReader reader(archivePath, "pass");
    ASSERT_TRUE(reader.IsLoaded());
    ASSERT_NE(reader.GetBitmap("skin2_button"), nullptr);
    EXPECT_EQ(*reader.GetBitmap("skin2_button"), Gradient());
    EXPECT_EQ(reader.GetInteger("SKIN2_FORMCOLOR"), 0x00EDFCED);
    EXPECT_TRUE(reader.GetBool("SKIN2_FLAG"));
    EXPECT_EQ(CountGuidFiles(), before);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace trimwell
