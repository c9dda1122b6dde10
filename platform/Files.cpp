#include "platform/Files.h"

namespace trimwell {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    FileContents file = LoadWholeFile(path);
    if (file.status != FileContents::Status::Read) return std::nullopt;
    return std::move(file.bytes);
}

bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    bool ok = false;
    {
        const FilePtr f = OpenFileStream(path, "wb");
        if (!f) return false;
        ok = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() && std::fflush(f.get()) == 0;
    }
    if (!ok) DeleteFileAt(path);
    return ok;
}

}  // namespace trimwell
