#include <windows.h>

#include <iostream>

#include "platform/Text.h"
#include "tools/skintool/SkinTool.h"

namespace {

// Entry names and passwords are compared and hashed as the 8-bit bytes ZIP tools store, so they
// take the system's code page; paths become UTF-8 so that any path works.
bool IsEightBitText(const std::vector<std::wstring>& args, std::size_t index) {
    if (args.empty()) return false;
    if (args[0] == L"extract") return index == 2 || index == 4;
    if (args[0] == L"list") return index == 2;
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> wide(argv + 1, argv + argc);
    std::vector<std::string> args;
    for (std::size_t i = 0; i < wide.size(); ++i)
        args.push_back(IsEightBitText(wide, i) ? trimwell::WideToAnsi(wide[i]) : trimwell::WideToUtf8(wide[i]));
    return trimwell::RunSkinTool(args, std::cout, std::cerr);
}
