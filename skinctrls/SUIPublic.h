#pragma once
// Geometry the skinned controls share, free of the window system: the strips of a window shape,
// the nine-slice plan that stretches a state image over a button, the places of a button's glyph
// and caption, and access letters. SUIPublic_win.h draws with them.
//
//   auto strips = RegionStrips(glyph, 0x00FF07FF);          // one-row rectangles, top to bottom
//   for (const TNineSliceStep& s : PlanNineSlice(74, 21, {0, 0, 100, 26})) ...
//   TGlyphLayout g = LayoutGlyph(TButtonLayout::blGlyphLeft, 100, 26, 16, 16, 40, 13, 4);
//   char letter = AcceleratorChar("&Exit");                 // 'E'
#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"

namespace trimwell {

struct TRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// The opaque part of a picture as one-pixel-high strips: every maximal run of pixels in a row
// whose colour (0x00BBGGRR, the pixel's fourth byte left out) differs from `transparent`, rows
// top to bottom and runs left to right. A system colour or "no colour" matches no pixel, so
// every row is one strip.
std::vector<TRect> RegionStrips(const Bitmap& picture, TColor transparent);

// The transparent key of the skinned controls' pictures.
inline constexpr TColor kSkinKeyColor = 0x00FF00FF;

enum class TNineSlicePiece { TopLeft, BottomLeft, LeftEdge, TopRight, BottomRight, RightEdge, TopEdge, Centre, BottomEdge };
// Which side of the source a piece keeps where the source is cut to the destination's size.
enum class TCropSide { None, Left, Right, Top, Bottom };

struct TNineSliceStep {
    TNineSlicePiece piece;
    bool corner;       // drawn at natural size, masked only for a transparent image
    TRect source;      // in the state image, already cut to what is drawn
    TRect dest;        // on the canvas; edges and centre stretch `source` over it
    TCropSide kept;
};

// The pieces of a W x H state image drawn into `dest`, in drawing order: the four corners at
// natural size (cut to the destination's quarters), the four edges and the centre stretched
// between them. Pieces of no size are left out.
std::vector<TNineSliceStep> PlanNineSlice(int sourceWidth, int sourceHeight, const TRect& dest);

// Executes the plan on portable pictures, the way the Windows half draws it: corners copied
// (keyed on 0x00FF00FF when `transparent`), edges and centre stretched by nearest pixel and
// always keyed on 0x00FF00FF. Pixels outside `canvas` are left out. The reference the GDI
// drawing is checked against.
void RenderNineSlice(const Bitmap& source, Bitmap& canvas, const TRect& dest, bool transparent);

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TGlyphLayout {
    int glyphX = 0, glyphY = 0;    // glyph's top-left corner
    int textX = 0, textY = 0;      // caption origin
    int glyphWidth = 0;            // width of one image
    bool twoImages = false;        // enabled and disabled images side by side
};

// Glyph and caption of a button of bw x bh with a gw x gh glyph and a tw x th caption, `spacing`
// apart. A glyph twice as wide as high holds two images; positions by the layout table of the
// button (integer division toward zero).
TGlyphLayout LayoutGlyph(TButtonLayout layout, int bw, int bh, int gw, int gh, int tw, int th, int spacing);

// The character after a single '&' ("&&" is a literal ampersand), or 0 when there is none.
char AcceleratorChar(std::string_view caption);

// `measured` (a rectangle whose top-left is r's) moved to the middle of r, halves rounded
// toward zero.
TRect CentreIn(const TRect& r, const TRect& measured);

}  // namespace trimwell
