#pragma once
// The Unix system beneath Wine, as far as a Windows program can reach it. Wine maps a file's Unix
// mode onto Windows access rules and back in its own lossy way, so what only Unix can express
// (a file's exact mode, owner and group) is done by a Unix program that Wine starts.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace trimwell {

bool RunningUnderWine();

// The Unix path of a Windows path (its folder must exist); nullopt when not under Wine.
std::optional<std::string> UnixPathOf(const std::wstring& windowsPath);

// Runs `/bin/sh -c script` with `args` as $1, $2, ... Wine gives no handle to wait on for a Unix
// program, so the script's last act must remove or rename the file `watched`: this returns true
// once that file is gone, false when the shell cannot be started or `timeoutMs` runs out first.
bool RunUnixShellUntilGone(const std::string& script, const std::vector<std::string>& args,
                           const std::wstring& watched, DWORD timeoutMs);

}  // namespace trimwell
