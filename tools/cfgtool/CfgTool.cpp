#include "tools/cfgtool/CfgTool.h"

#include "config/FSXPath.h"
#include "config/IniFiles.h"

namespace trimwell {

namespace {

constexpr const char* kUsage =
    "usage: cfgtool sections FILE | keys FILE SECTION | get FILE SECTION KEY | set FILE SECTION KEY VALUE | fsxpath";

void printLines(std::ostream& out, const TStrings& lines) {
    for (const auto& line : lines) out << line << '\n';
}

}  // namespace

int RunCfgTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const std::function<std::string()>& fsxPath,
               const std::function<std::string(const std::string&)>& showPath) {
    const std::string command = args.empty() ? std::string() : args[0];
    const std::size_t n = args.size();
    try {
        if (command == "sections" && n == 2) {
            TStrings names;
            TIniFile(args[1]).ListSectionNames(names);
            printLines(out, names);
        } else if (command == "keys" && n == 3) {
            TStrings names;
            TIniFile(args[1]).ListKeyNames(args[2], names);
            printLines(out, names);
        } else if (command == "get" && n == 4) {
            out << TIniFile(args[1]).ReadValue(args[2], args[3], "") << '\n';
        } else if (command == "set" && n == 5) {
            TIniFile(args[1]).WriteValue(args[2], args[3], args[4]);
        } else if (command == "fsxpath" && n == 1) {
            out << showPath(fsxPath()) << '\n';
        } else {
            err << kUsage << '\n';
            return 2;
        }
    } catch (const EIniFileException& e) {
        err << e.what() << '\n';
        return 1;
    } catch (const ERegistryException& e) {
        err << e.what() << '\n';
        return 1;
    }
    out.flush();
    return 0;
}

}  // namespace trimwell
