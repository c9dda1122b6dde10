#pragma once
// Windows side of the file operations: the rename that puts new content in place, replaceable so
// that tests can hold a save inside it or make it fail.
#include <windows.h>

#include <functional>

namespace trimwell {

// Renames `from` to `to` with MoveFileExW's flags; the system's MoveFileExW by default.
using MoveFileCall = std::function<BOOL(const wchar_t* from, const wchar_t* to, DWORD flags)>;
MoveFileCall& SystemMoveFile();

}  // namespace trimwell
