// Any bytes as a configuration file: list, read and write through the same rules the editor
// uses. The write must change only what it should, and a second read must see the new value.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "config/IniFiles.h"

namespace {

std::string scratchPath() {
    static const std::string path = [] {
        const char* dir = std::getenv("TMPDIR");
        return std::string(dir && *dir ? dir : "/tmp") + "/trimwell-fuzz-" + std::to_string(::getpid()) + ".cfg";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = scratchPath();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;

    trimwell::TIniFile ini(path);
    trimwell::TStrings sections, keys;
    ini.ListSectionNames(sections);
    for (const auto& s : sections) {
        ini.ListKeyNames(s, keys);
        for (const auto& k : keys) {
            const std::string v = ini.ReadValue(s, k, "");
            if (v.size() > trimwell::TIniFile::MaxValueLength) std::abort();
        }
    }
    const std::string section = sections.empty() ? "fuzz" : sections.back();
    const std::string key = keys.empty() ? "k" : keys.front();
    try {
        ini.WriteValue(section, key, "new value");
        if (trimwell::TIniFile(path).ReadValue(section, key, "<none>") != "new value") std::abort();
    } catch (const trimwell::EIniFileException&) {
        // Refused writes (a UTF-16 file, a name that cannot be written) must leave the bytes as they were.
        std::ifstream in(path, std::ios::binary);
        const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (after != bytes) std::abort();
    }
    return 0;
}
