#pragma once
// The shared drawing routines of the skinned controls, over GDI.
//
//   SetWindowRegionFromBitmap(form.Handle(), glyph, 0x00FF07FF);   // the window takes the shape
//   DrawParentBackground(buffer, button);      // what the parent shows under the button
//   DrawNineSlice(stateImage, buffer, {0, 0, 100, 26}, transparent);
#include <windows.h>

#include <vector>

#include "framework/Bitmap.h"
#include "framework/Controls_win.h"
#include "skinctrls/SUIPublic.h"

namespace trimwell {

// The region made of the strips, in one call; an empty list gives an empty region.
UniqueRegion RegionFromStrips(const std::vector<TRect>& strips);

// Cuts `window` to the pixels of `picture` that differ from `transparent` and asks for a redraw;
// the window system owns the region from then on.
void SetWindowRegionFromBitmap(HWND window, const Bitmap& picture, TColor transparent);

// Paints into `dc` what `control`'s parent shows under the control (its background and its
// windowless controls), with the control's top-left corner at the DC's origin. Nothing without a
// parent window.
void DrawParentBackground(HDC dc, const TControl& control);

// Stretches `source` over `dest` by the nine-slice plan: corners at natural size through an image
// list (masked on 0x00FF00FF only when `transparent`), edges and centre stretched and always
// keyed on 0x00FF00FF.
void DrawNineSlice(const Bitmap& source, HDC dc, const TRect& dest, bool transparent);

}  // namespace trimwell
