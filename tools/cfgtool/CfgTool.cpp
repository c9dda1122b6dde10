#include "tools/cfgtool/CfgTool.h"

#include <filesystem>

#include "config/FSXPath.h"
#include "config/IniFiles.h"
#include "config/IniLayout.h"
#include "config/Variations.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace trimwell {

namespace {

constexpr const char* kUsage =
    "usage: cfgtool sections FILE | keys FILE SECTION | get FILE SECTION KEY | set FILE SECTION KEY VALUE | fsxpath\n"
    "       cfgtool variations FILE | add-variation FILE TITLE TEXTURE [FROM]";

void printLines(std::ostream& out, const TStrings& lines) {
    for (const auto& line : lines) out << line << '\n';
}

void printVariations(const std::string& path, std::ostream& out, std::ostream& err) {
    const FileContents file = LoadWholeFile(path);
    const VariationList list = ListVariations(IniLayout(file.bytes));
    for (const auto& v : list.variations) out << v.number << '\t' << v.title << '\t' << v.texture << '\n';
    printLines(err, list.warnings);
}

std::filesystem::path utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool textureFolderBeside(const std::string& path, const std::string& folderName) {
    std::error_code ec;
    return std::filesystem::is_directory(utf8Path(path).parent_path() / utf8Path(folderName), ec);
}

// The file keeps every byte but the new section's; a refusal writes nothing.
int addVariation(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::function<std::string(const std::string&)>& textToPath) {
    const std::string& path = args[1];
    const FileContents file = LoadWholeFile(path);
    if (file.status != FileContents::Status::Read) {
        err << "Unable to read " << PathForDisplay(path) << '\n';
        return 1;
    }
    const AddedVariation added = AddVariation(IniLayout(file.bytes), args[2], args[3], args.size() > 4 ? args[4] : "0");
    if (!added.refusals.empty()) {
        printLines(err, added.refusals);
        return 1;
    }
    if (!ReplaceFileContents(path, added.bytes, BuiltFrom::ExistingFile)) {
        err << "Unable to write to " << PathForDisplay(path) << '\n';
        return 1;
    }
    out << added.sectionName << '\n';
    const std::string folder = TextureFolderName(args[3]);
    if (!textureFolderBeside(path, textToPath ? textToPath(folder) : folder))
        err << "no folder " << folder << " beside the file yet\n";
    return 0;
}

}  // namespace

int RunCfgTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const std::function<std::string()>& fsxPath,
               const std::function<std::string(const std::string&)>& showPath,
               const std::function<std::string(const std::string&)>& textToPath) {
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
        } else if (command == "variations" && n == 2) {
            printVariations(args[1], out, err);
        } else if (command == "add-variation" && (n == 4 || n == 5)) {
            return addVariation(args, out, err, textToPath);
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
