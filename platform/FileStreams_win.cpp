#include <windows.h>
#include <ntsecapi.h>

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

// A random (version 4) GUID, the kind the system's GUID maker gives, made here from the system's
// random bytes: loading the COM library for its maker cost every start a few milliseconds.
std::optional<std::string> NewGuid() {
    GUID guid{};
    if (!RtlGenRandom(&guid, sizeof guid)) return std::nullopt;
    guid.Data3 = static_cast<WORD>((guid.Data3 & 0x0FFFu) | 0x4000u);
    guid.Data4[0] = static_cast<BYTE>((guid.Data4[0] & 0x3Fu) | 0x80u);
    char text[39] = {};
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return std::string(text);
}

std::string TempFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, path);
    std::string folder = length == 0 || length > MAX_PATH ? std::string(".\\") : WideToUtf8(path);
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

}  // namespace trimwell
