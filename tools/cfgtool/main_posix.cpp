#include <iostream>

#include "config/FSXPath.h"
#include "tools/cfgtool/CfgTool.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return trimwell::RunCfgTool(
        args, std::cout, std::cerr, [] { return trimwell::GetFSXPath(); },
        [](const std::string& path) { return path; });
}
