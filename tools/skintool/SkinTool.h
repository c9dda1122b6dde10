#pragma once
// skintool: extracts and lists skin archives for skin authors.
#include <ostream>
#include <string>
#include <vector>

namespace trimwell {

// `args` excludes the program name; paths are UTF-8. Returns the process exit code.
int RunSkinTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace trimwell
