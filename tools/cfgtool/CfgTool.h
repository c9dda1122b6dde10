#pragma once
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace trimwell {

// The cfgtool command line: args[0] is the command, the file path is UTF-8, names and values are
// 8-bit bytes. `fsxPath` looks the simulator up; `showPath` renders a path for the terminal;
// `textToPath` turns 8-bit text into a UTF-8 path (unchanged when empty).
// Returns the exit code: 0 done, 1 write or new variation refused, 2 wrong usage.
int RunCfgTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const std::function<std::string()>& fsxPath,
               const std::function<std::string(const std::string&)>& showPath,
               const std::function<std::string(const std::string&)>& textToPath = {});

}  // namespace trimwell
