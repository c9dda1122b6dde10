#pragma once
// The program's own resources as the system's objects: GDI bitmaps, strings and cursors.
#include <windows.h>

#include <string>

#include "platform/Gdi_win.h"

namespace trimwell {

// A bitmap resource of the program by 8-bit name, as a DIB section (null when missing).
UniqueBitmap LoadBitmapResource(const std::string& name);

// A string resource of the program in the system's 8-bit code page ("" when missing).
std::string LoadResourceString(unsigned id);

// A cursor resource of the program (shared: never destroyed), or null when missing.
HCURSOR LoadCursorResource(LPCWSTR name);

}  // namespace trimwell
