#pragma once
// Turning skin pictures a quarter turn and composing a scroll thumb of any length from its three
// pieces (start cap, middle, end cap).
//
//   RotateRight(piece);                       // a 7 x 16 piece of a horizontal bar becomes 16 x 7
//   Bitmap thumb = ComposeThumb(start, middle, end, 40, TsuiProgressBarOrientation::suiVertical,
//                               TsuiThumbSource::BuiltInStyle);   // 16 x 40
#include "framework/Bitmap.h"
#include "skinctrls/SUIBounds.h"

namespace trimwell {

// A W x H picture becomes its H x W quarter turn counter-clockwise: (x, y) goes to (y, W - 1 - x).
void RotateLeft(Bitmap& bitmap);
// A quarter turn clockwise: (x, y) goes to (H - 1 - y, x).
void RotateRight(Bitmap& bitmap);

// Built-in styles stretch the middle piece between the caps; file themes keep the middle piece
// unscaled in the centre and stretch the caps' inner rows towards it.
enum class TsuiThumbSource { BuiltInStyle, FileTheme };

// The thumb picture, as thick as the start cap (its width for a vertical bar, its height for a
// horizontal one) and `length` long. Pieces that do not fit are cut; a length of 0 or less gives
// an empty picture.
Bitmap ComposeThumb(const Bitmap& startCap, const Bitmap& middle, const Bitmap& endCap, int length,
                    TsuiProgressBarOrientation orientation, TsuiThumbSource source);

}  // namespace trimwell
