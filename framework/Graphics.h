#pragma once
// Colours and font descriptions shared by portable and window code.
//
// TColor is 0x00BBGGRR; 0xFF0000nn names the system colour nn; clNone (0x1FFFFFFF) is no colour.
#include <cstdint>
#include <string>

namespace trimwell {

using TColor = std::uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clNavy = 0x00800000;
inline constexpr TColor clFuchsia = 0x00FF00FF;
inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clBtnFace = clSystemColor | 15;       // COLOR_BTNFACE
inline constexpr TColor clWindow = clSystemColor | 5;         // COLOR_WINDOW
inline constexpr TColor clWindowText = clSystemColor | 8;     // COLOR_WINDOWTEXT
inline constexpr TColor clHighlight = clSystemColor | 13;     // COLOR_HIGHLIGHT
inline constexpr TColor clBtnShadow = clSystemColor | 16;     // COLOR_BTNSHADOW
inline constexpr TColor clBtnHighlight = clSystemColor | 20;  // COLOR_BTNHIGHLIGHT

constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == clSystemColor; }
constexpr int SystemColorIndex(TColor c) { return static_cast<int>(c & 0xFFu); }

// Font style set.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// A font as stored in a layout: negative height is the character height in pixels, positive the
// cell height.
struct TFontDesc {
    std::string name = "Tahoma";
    int height = -11;
    TFontStyles style = 0;
    TColor color = clWindowText;
    friend bool operator==(const TFontDesc&, const TFontDesc&) = default;
};

}  // namespace trimwell
