#pragma once
// Every item of the five built-in styles as the program must answer it: kind, then per style
// (MacOS, WinXP, DeepBlue, Protein, BlueGlass) the value, or the bitmap's resource and size.
#include <array>
#include <cstdint>

#include "skin/SUIThemes.h"

namespace trimwell::expected {

using Kind = TsuiItemKind;

struct StyleValue {
    std::int64_t value;
    const char* resource;  // bitmaps: "" when the style has none
    int width, height;
};

struct StyleRow {
    int item;
    Kind kind;
    StyleValue byStyle[5];
};

constexpr TsuiUIStyle kBuiltInStyles[] = {TsuiUIStyle::MacOS, TsuiUIStyle::WinXP, TsuiUIStyle::DeepBlue,
                                          TsuiUIStyle::Protein, TsuiUIStyle::BlueGlass};

inline const StyleRow kStyleRows[] = {
    {1, Kind::Bitmap, {{0, "MACOS_BUTTON", 252, 23}, {0, "WINXP_BUTTON", 54, 21}, {0, "DEEPBLUE_BUTTON", 222, 21}, {0, "PROTEIN_BUTTON", 222, 21}, {0, "BLUEGLASS_BUTTON", 231, 27}}},
    {2, Kind::Boolean, {{1, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {1, "", 0, 0}}},
    {3, Kind::Bitmap, {{0, "MACOS_CHECKBOX", 60, 17}, {0, "WINXP_CHECKBOX", 52, 13}, {0, "DEEPBLUE_CHECKBOX", 52, 13}, {0, "PROTEIN_CHECKBOX", 52, 13}, {0, "BLUEGLASS_CHECKBOX", 52, 13}}},
    {4, Kind::Bitmap, {{0, "MACOS_RADIOBUTTON", 64, 17}, {0, "WINXP_RADIOBUTTON", 52, 13}, {0, "DEEPBLUE_RADIOBUTTON", 52, 13}, {0, "PROTEIN_RADIOBUTTON", 52, 13}, {0, "BLUEGLASS_RADIOBUTTON", 52, 13}}},
    {5, Kind::Bitmap, {{0, "MACOS_TITLEBTN", 306, 17}, {0, "WINXP_TITLEBTN", 378, 21}, {0, "DEEPBLUE_TITLEBTN", 342, 19}, {0, "PROTEIN_TITLEBTN", 342, 19}, {0, "BLUEGLASS_TITLEBTN", 342, 19}}},
    {6, Kind::Boolean, {{0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {1, "", 0, 0}, {1, "", 0, 0}}},
    {7, Kind::Integer, {{3, "", 0, 0}, {2, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {4, "", 0, 0}}},
    {8, Kind::Integer, {{-2, "", 0, 0}, {-2, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {-3, "", 0, 0}}},
    {9, Kind::Integer, {{4, "", 0, 0}, {5, "", 0, 0}, {2, "", 0, 0}, {2, "", 0, 0}, {6, "", 0, 0}}},
    {10, Kind::Bitmap, {{0, "MACOS_TITLE_LEFT", 48, 23}, {0, "WINXP_TITLE_LEFT", 35, 29}, {0, "DEEPBLUE_TITLE_LEFT", 97, 32}, {0, "PROTEIN_TITLE_LEFT", 441, 23}, {0, "BLUEGLASS_TITLE_LEFT", 162, 33}}},
    {11, Kind::Bitmap, {{0, "MACOS_TITLE_CLIENT", 49, 23}, {0, "WINXP_TITLE_CLIENT", 37, 29}, {0, "DEEPBLUE_TITLE_CLIENT", 98, 32}, {0, "PROTEIN_TITLE_CLIENT", 1, 23}, {0, "BLUEGLASS_TITLE_CLIENT", 179, 33}}},
    {12, Kind::Bitmap, {{0, "MACOS_TITLE_RIGHT", 48, 23}, {0, "WINXP_TITLE_RIGHT", 35, 29}, {0, "DEEPBLUE_TITLE_RIGHT", 97, 32}, {0, "PROTEIN_TITLE_RIGHT", 1, 23}, {0, "BLUEGLASS_TITLE_RIGHT", 101, 33}}},
    {13, Kind::Integer, {{130, "", 0, 0}, {150, "", 0, 0}, {130, "", 0, 0}, {130, "", 0, 0}, {270, "", 0, 0}}},
    {14, Kind::Integer, {{0, "", 0, 0}, {13, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {11, "", 0, 0}}},
    {15, Kind::Color, {{0x00E7E7E7, "", 0, 0}, {0x00DEEBEF, "", 0, 0}, {0x00E8E8E8, "", 0, 0}, {0x00FBFBFB, "", 0, 0}, {0x00E7E7E7, "", 0, 0}}},
    {16, Kind::Color, {{0x007F7F7F, "", 0, 0}, {0x00C82C00, "", 0, 0}, {0x00000000, "", 0, 0}, {0x00000000, "", 0, 0}, {0x00000000, "", 0, 0}}},
    {17, Kind::Integer, {{1, "", 0, 0}, {3, "", 0, 0}, {1, "", 0, 0}, {1, "", 0, 0}, {1, "", 0, 0}}},
    {18, Kind::Color, {{0x00C47339, "", 0, 0}, {0x00C66931, "", 0, 0}, {0x00A04A44, "", 0, 0}, {0x00C4302D, "", 0, 0}, {0x00EC5E5E, "", 0, 0}}},
    {19, Kind::Color, {{0x00C47339, "", 0, 0}, {0x00EFD3C6, "", 0, 0}, {0x00A04A44, "", 0, 0}, {0x00C4302D, "", 0, 0}, {0x00EC5E5E, "", 0, 0}}},
    {20, Kind::Color, {{0x00FFFFFF, "", 0, 0}, {0x00000000, "", 0, 0}, {0x00FFFFFF, "", 0, 0}, {0x00FFFFFF, "", 0, 0}, {0x00FFFFFF, "", 0, 0}}},
    {21, Kind::Color, {{0x00000000, "", 0, 0}, {0x00FFFFFF, "", 0, 0}, {0x00FFFFFF, "", 0, 0}, {0x00FFFFFF, "", 0, 0}, {0x00E7E7E7, "", 0, 0}}},
    {22, Kind::Color, {{0x00000000, "", 0, 0}, {0x00000000, "", 0, 0}, {0x00000000, "", 0, 0}, {0x00000000, "", 0, 0}, {0x00000000, "", 0, 0}}},
    {23, Kind::Color, {{0x00000000, "", 0, 0}, {0x00CED3D6, "", 0, 0}, {0x00CED3D6, "", 0, 0}, {0x00CED3D6, "", 0, 0}, {0x00CED3D6, "", 0, 0}}},
    {24, Kind::Bitmap, {{0, "MACOS_PROGRESSBAR", 13, 10}, {0, "WINXP_PROGRESSBAR", 6, 10}, {0, "DEEPBLUE_PROGRESSBAR", 1, 10}, {0, "PROTEIN_PROGRESSBAR", 1, 10}, {0, "BLUEGLASS_PROGRESSBAR", 1, 10}}},
    {25, Kind::Color, {{0x007F7F7F, "", 0, 0}, {0x00686868, "", 0, 0}, {0x00000000, "", 0, 0}, {0x00000000, "", 0, 0}, {0x00000000, "", 0, 0}}},
    {26, Kind::Color, {{0x00E7E7E7, "", 0, 0}, {0x00DEEBEF, "", 0, 0}, {0x00E8E8E8, "", 0, 0}, {0x00FBFBFB, "", 0, 0}, {0x00E7E7E7, "", 0, 0}}},
    {27, Kind::Color, {{0x00000000, "", 0, 0}, {0x00CF4602, "", 0, 0}, {0x00000000, "", 0, 0}, {0x00000000, "", 0, 0}, {0x00000000, "", 0, 0}}},
    {28, Kind::Bitmap, {{0, "MACOS_TRACKBAR_BAR", 45, 5}, {0, "WINXP_TRACKBAR_BAR", 45, 8}, {0, "DEEPBLUE_TRACKBAR_BAR", 45, 4}, {0, "PROTEIN_TRACKBAR_BAR", 45, 4}, {0, "BLUEGLASS_TRACKBAR_BAR", 45, 4}}},
    {29, Kind::Bitmap, {{0, "MACOS_TRACKBAR_SLIDER", 11, 20}, {0, "WINXP_TRACKBAR_SLIDER", 11, 21}, {0, "DEEPBLUE_TRACKBAR_SLIDER", 11, 20}, {0, "PROTEIN_TRACKBAR_SLIDER", 11, 20}, {0, "BLUEGLASS_TRACKBAR_SLIDER", 11, 20}}},
    {30, Kind::Bitmap, {{0, "MACOS_TRACKBAR_SLIDER_V", 19, 11}, {0, "WINXP_TRACKBAR_SLIDER_V", 22, 11}, {0, "DEEPBLUE_TRACKBAR_SLIDER_V", 18, 11}, {0, "PROTEIN_TRACKBAR_SLIDER_V", 18, 11}, {0, "BLUEGLASS_TRACKBAR_SLIDER_V", 18, 11}}},
    {31, Kind::Color, {{0x00C9C9C9, "", 0, 0}, {0x00F9F9F9, "", 0, 0}, {0x00F5F5F5, "", 0, 0}, {0x00F5F5F5, "", 0, 0}, {0x00F4F4F4, "", 0, 0}}},
    {32, Kind::Bitmap, {{0, "MACOS_SCROLLBAR_BUTTON", 96, 22}, {0, "WINXP_SCROLLBAR_BUTTON", 96, 17}, {0, "DEEPBLUE_SCROLLBAR_BUTTON", 96, 16}, {0, "PROTEIN_SCROLLBAR_BUTTON", 96, 16}, {0, "BLUEGLASS_SCROLLBAR_BUTTON", 102, 16}}},
    {33, Kind::Bitmap, {{0, "MACOS_SCROLLBAR_TRACK", 33, 16}, {0, "WINXP_SCROLLBAR_TRACK", 21, 16}, {0, "DEEPBLUE_SCROLLBAR_TRACK", 21, 16}, {0, "PROTEIN_SCROLLBAR_TRACK", 21, 16}, {0, "BLUEGLASS_SCROLLBAR_TRACK", 21, 16}}},
    {34, Kind::Bitmap, {{0, "MACOS_CHECKLIST", 40, 11}, {0, "WINXP_CHECKLIST", 44, 11}, {0, "DEEPBLUE_CHECKLIST", 44, 11}, {0, "PROTEIN_CHECKLIST", 44, 11}, {0, "BLUEGLASS_CHECKLIST", 44, 11}}},
    {35, Kind::Color, {{0x00474747, "", 0, 0}, {0x00C66931, "", 0, 0}, {0x00474747, "", 0, 0}, {0x00474747, "", 0, 0}, {0x00474747, "", 0, 0}}},
    {36, Kind::Color, {{0x00EFEFEF, "", 0, 0}, {0x00EFD3C6, "", 0, 0}, {0x00EFEFEF, "", 0, 0}, {0x00EFEFEF, "", 0, 0}, {0x00EFEFEF, "", 0, 0}}},
    {37, Kind::Color, {{0x00D8D8D8, "", 0, 0}, {0x00E1AC93, "", 0, 0}, {0x00D8D8D8, "", 0, 0}, {0x00D8D8D8, "", 0, 0}, {0x00D8D8D8, "", 0, 0}}},
    {38, Kind::Bitmap, {{0, "MACOS_SCROLLBUTTON", 72, 18}, {0, "WINXP_SCROLLBUTTON", 72, 18}, {0, "MORE_SCROLLBUTTON", 72, 17}, {0, "MORE_SCROLLBUTTON", 72, 17}, {0, "MORE_SCROLLBUTTON", 72, 17}}},
    {39, Kind::Bitmap, {{0, "MACOS_TAB", 36, 27}, {0, "WINXP_TAB", 18, 18}, {0, "DEEPBLUE_TAB", 12, 17}, {0, "PROTEIN_TAB", 18, 17}, {0, "BLUEGLASS_TAB", 18, 17}}},
    {40, Kind::Bitmap, {{0, "MACOS_TAB_LINE", 17, 7}, {0, "WINXP_TAB_LINE", 8, 1}, {0, "DEEPBLUE_TAB_LINE", 5, 5}, {0, "PROTEIN_TAB_LINE", 10, 5}, {0, "BLUEGLASS_TAB_LINE", 10, 5}}},
    {41, Kind::Bitmap, {{0, "MACOS_SIDECHENNEL_HANDLE", 7, 84}, {0, "WINXP_SIDECHENNEL_HANDLE", 8, 86}, {0, "DEEPBLUE_SIDECHENNEL_HANDLE", 8, 83}, {0, "PROTEIN_SIDECHENNEL_HANDLE", 8, 83}, {0, "BLUEGLASS_SIDECHENNEL_HANDLE", 8, 86}}},
    {42, Kind::Bitmap, {{0, "MACOS_SIDECHENNEL_BAR", 1, 21}, {0, "WINXP_SIDECHENNEL_BAR", 1, 21}, {0, "DEEPBLUE_SIDECHENNEL_BAR", 1, 20}, {0, "PROTEIN_SIDECHENNEL_BAR", 1, 21}, {0, "BLUEGLASS_SIDECHENNEL_BAR", 1, 21}}},
    {43, Kind::Bitmap, {{0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}}},
    {44, Kind::Color, {{0x00000000, "", 0, 0}, {0x00FFFFFF, "", 0, 0}, {0x00FFFFFF, "", 0, 0}, {0x00FFFFFF, "", 0, 0}, {0x00FFFFFF, "", 0, 0}}},
    {45, Kind::Bitmap, {{0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}}},
    {46, Kind::Bitmap, {{0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}}},
    {47, Kind::Integer, {{0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}, {0, "", 0, 0}}},
    {48, Kind::Color, {{0x00E7E7E7, "", 0, 0}, {0x00DEEBEF, "", 0, 0}, {0x00E8E8E8, "", 0, 0}, {0x00FBFBFB, "", 0, 0}, {0x00E7E7E7, "", 0, 0}}},
};

}  // namespace trimwell::expected
