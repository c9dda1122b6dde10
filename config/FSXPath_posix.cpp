// Without a registry of its own, this system reads the one of the Wine prefix in which the
// simulator is installed (WINEPREFIX, else ~/.wine), and maps the simulator's Windows paths onto
// the prefix's drives to test them.
#include <dirent.h>

#include <cstdlib>
#include <vector>

#include "config/FSXPath.h"
#include "platform/Files.h"
#include "config/WineRegistry.h"

namespace trimwell {

namespace {

std::string winePrefix() {
    if (const char* p = std::getenv("WINEPREFIX"); p && *p) return p;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

// Windows names are found whatever their letter case, as Wine itself does.
std::optional<std::string> childIgnoringCase(const std::string& folder, const std::string& name) {
    if (FileExists(folder + "/" + name)) return folder + "/" + name;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* e = ::readdir(dir)) {
        if (sameText(e->d_name, name)) {
            found = folder + "/" + e->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

bool wineFileExists(const std::string& windowsPath) {
    if (windowsPath.size() < 3 || windowsPath[1] != ':' || windowsPath[2] != '\\') return false;
    std::string path = winePrefix() + "/dosdevices/" + asciiLower(windowsPath[0]) + ":";
    std::size_t pos = 3;
    while (pos <= windowsPath.size()) {
        const auto end = std::min(windowsPath.find('\\', pos), windowsPath.size());
        const std::string part = windowsPath.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty()) continue;
        auto next = childIgnoringCase(path, part);
        if (!next) return false;
        path = std::move(*next);
    }
    return FileExists(path);
}

class WinePrefixRegistry final : public RegistryReader {
public:
    std::optional<std::string> readString(RegRoot root, const std::string& key, const std::string& valueName) override {
        const bool machine = root == RegRoot::LocalMachine;
        const auto file = ReadWholeFile(winePrefix() + (machine ? "/system.reg" : "/user.reg"));
        if (!file) return std::nullopt;
        std::string path = key;
        // A 64-bit program asking for the 32-bit view of the machine's software.
        if (machine && IsWin64RegistryFile(*file) && sameText(path.substr(0, 9), "SOFTWARE\\"))
            path.insert(9, "Wow6432Node\\");
        const WineRegLookup found = LookupWineRegValue(*file, path, valueName);
        if (!found.keyFound) return std::nullopt;
        if (!found.value) return std::string();
        if (!found.value->isString) throw ERegistryException("Invalid data type for '" + valueName + "'");
        return found.value->text.substr(0, found.value->text.find('\0'));
    }
};

}  // namespace

std::unique_ptr<RegistryReader> SystemRegistry() { return std::make_unique<WinePrefixRegistry>(); }

std::string GetFSXPath() { return GetFSXPath(*SystemRegistry(), wineFileExists); }

}  // namespace trimwell
