#pragma once
// Windows side of the file operations: the one system call whose partial failures the
// replacement must survive, replaceable so that tests can reproduce each of them.
#include <windows.h>

#include <functional>

namespace trimwell {

// Puts `replacement` in the place of `replaced`, parking the original under `backup`; the
// system's ReplaceFileW by default.
using ReplaceFileCall = std::function<BOOL(const wchar_t* replaced, const wchar_t* replacement, const wchar_t* backup)>;
ReplaceFileCall& SystemReplaceFile();

}  // namespace trimwell
