#pragma once
// Moving a portable Bitmap into and out of GDI. Every pixel keeps all 32 bits both ways.
#include <windows.h>

#include "framework/Bitmap.h"
#include "platform/Handles_win.h"

namespace trimwell {

namespace handle_detail {
inline HBITMAP nullBitmap() { return nullptr; }
inline void deleteBitmap(HBITMAP b) { DeleteObject(b); }
}  // namespace handle_detail

using UniqueHBitmap = UniqueHandle<HBITMAP, handle_detail::deleteBitmap, handle_detail::nullBitmap>;

// A top-down 32-bit DIB section holding the picture; empty handle when GDI refuses.
UniqueHBitmap ToDibSection(const Bitmap& bitmap);

// Copies the part `part` of the picture to the same place on `dc`, straight from its pixels: no
// platform bitmap is made for it.
void DrawBitmapPart(HDC dc, const Bitmap& bitmap, const RECT& part);

// The picture of any bitmap handle (DIB section or device-dependent), read as 32-bit pixels.
// Throws EBitmapError when GDI cannot describe or read it.
Bitmap FromHBitmap(HBITMAP handle);

}  // namespace trimwell
