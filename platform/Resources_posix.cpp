#include <fstream>
#include <iterator>

#include "platform/Resources.h"

namespace trimwell {

namespace {

std::string& folder() {
    static std::string path;
    return path;
}

std::optional<std::vector<std::uint8_t>> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

void SetResourceFolder(std::string path) { folder() = std::move(path); }

std::optional<ProgramBitmapBytes> FindProgramBitmap(std::string_view name) {
    if (folder().empty() || name.empty()) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> file = readFile(folder() + "/styles/" + std::string(name) + ".bmp");
    if (!file || file->empty()) return std::nullopt;
    return ProgramBitmapBytes::BmpFile(std::move(*file));
}

std::optional<std::vector<std::uint8_t>> LoadProgramData(std::string_view name) {
    if (folder().empty() || name.empty()) return std::nullopt;
    return readFile(folder() + "/" + std::string(name) + ".sui");
}

}  // namespace trimwell
