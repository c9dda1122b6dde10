#include <iostream>

#include "tools/skintool/SkinTool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return trimwell::RunSkinTool(args, std::cout, std::cerr);
}
