#include <sys/types.h>

#include <cstdio>
#include <random>

#include "platform/Files.h"

namespace trimwell {

FilePtr OpenFileStream(const std::string& path, const char* mode) { return FilePtr(std::fopen(path.c_str(), mode)); }

bool DeleteFileAt(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool SeekTo(std::FILE* file, std::uint64_t offset) {
    return offset <= static_cast<std::uint64_t>(INT64_MAX) && fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

std::optional<std::uint64_t> FileSizeOf(std::FILE* file) {
    const off_t here = ftello(file);
    if (here < 0 || fseeko(file, 0, SEEK_END) != 0) return std::nullopt;
    const off_t size = ftello(file);
    if (size < 0 || fseeko(file, here, SEEK_SET) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

std::optional<std::string> NewGuid() {
    std::random_device random;
    std::uint8_t bytes[16];
    for (int i = 0; i < 16; i += 4) {
        const std::uint32_t word = random();
        for (int b = 0; b < 4; ++b) bytes[i + b] = static_cast<std::uint8_t>(word >> (8 * b));
    }
    char text[39];
    std::snprintf(text, sizeof text, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8],
                  bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
    return text;
}

std::string TempFolder() {
    const char* env = std::getenv("TMPDIR");
    std::string folder = env && *env ? env : "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace trimwell
