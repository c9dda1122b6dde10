#include <windows.h>
#include <objbase.h>

#include <cstdio>

#include "platform/Files.h"
#include "platform/Text.h"

namespace trimwell {

FilePtr OpenFileStream(const std::string& path, const char* mode) {
    return FilePtr(_wfopen(Utf8ToWide(path).c_str(), Utf8ToWide(mode).c_str()));
}

bool DeleteFileAt(const std::string& path) { return DeleteFileW(Utf8ToWide(path).c_str()) != 0; }

bool SeekTo(std::FILE* file, std::uint64_t offset) {
    return offset <= static_cast<std::uint64_t>(INT64_MAX) &&
           _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
}

std::optional<std::uint64_t> FileSizeOf(std::FILE* file) {
    const __int64 here = _ftelli64(file);
    if (here < 0 || _fseeki64(file, 0, SEEK_END) != 0) return std::nullopt;
    const __int64 size = _ftelli64(file);
    if (size < 0 || _fseeki64(file, here, SEEK_SET) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

std::optional<std::string> NewGuid() {
    GUID guid{};
    if (FAILED(CoCreateGuid(&guid))) return std::nullopt;
    wchar_t text[39] = {};
    if (StringFromGUID2(guid, text, 39) != 39) return std::nullopt;
    return WideToUtf8(text);
}

std::string TempFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, path);
    std::string folder = length == 0 || length > MAX_PATH ? std::string(".\\") : WideToUtf8(path);
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

}  // namespace trimwell
