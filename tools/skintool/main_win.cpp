#include <windows.h>

#include <iostream>

#include "framework/WinUtf.h"
#include "tools/skintool/SkinTool.h"

// Paths become UTF-8 so that any path works. Entry names and passwords are compared and hashed as
// the 8-bit bytes ZIP tools store, so they take the system's code page.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const bool isText = (i == 3 && argc > 1 && std::wstring_view(argv[1]) == L"extract") || i == 5 ||
                            (i == 3 && argc > 1 && std::wstring_view(argv[1]) == L"list");
        args.push_back(isText ? trimwell::WideToAnsi(argv[i]) : trimwell::WideToUtf8(argv[i]));
    }
    return trimwell::RunSkinTool(args, std::cout, std::cerr);
}
