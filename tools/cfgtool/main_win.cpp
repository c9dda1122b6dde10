#include <windows.h>

#include <iostream>

#include "config/FSXPath.h"
#include "platform/Text.h"
#include "tools/cfgtool/CfgTool.h"

// File paths arrive as UTF-16 and become UTF-8 so that any path works; names and values are the
// file's 8-bit text, so they take the system's code page.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(i == 2 ? trimwell::WideToUtf8(argv[i]) : trimwell::WideToAnsi(argv[i]));
    return trimwell::RunCfgTool(
        args, std::cout, std::cerr, [] { return trimwell::GetFSXPath(); },
        [](const std::string& path) { return trimwell::WideToAnsi(trimwell::Utf8ToWide(path)); },
        [](const std::string& text) { return trimwell::WideToUtf8(trimwell::AnsiToWide(text)); });
}
