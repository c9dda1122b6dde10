#include <windows.h>

#include <algorithm>
#include <string>

#include "config/FileIO.h"
#include "framework/Handles_win.h"
#include "framework/WinUtf.h"

namespace trimwell {

namespace {

// A temporary file beside the target that removes itself unless it was committed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& folder) {
        wchar_t name[MAX_PATH + 1] = {};
        if (folder.size() + 14 > MAX_PATH || !GetTempFileNameW(folder.c_str(), L"tw~", 0, name)) return;
        path_ = name;
        handle_.reset(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    ~TemporaryFile() {
        handle_.reset();
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool valid() const { return static_cast<bool>(handle_); }

    bool writeAndFlush(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            if (!WriteFile(handle_.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
            done += written;
        }
        if (!FlushFileBuffers(handle_.get())) return false;
        handle_.reset();
        return true;
    }

    // ReplaceFileW keeps the original's security and creation time; its attributes are carried
    // over by hand as well, since not every implementation of ReplaceFileW keeps them.
    bool commitOver(const std::wstring& target, bool targetExists, DWORD attributes) {
        constexpr DWORD settable = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                   FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        if (targetExists && (attributes & settable)) SetFileAttributesW(path_.c_str(), attributes & settable);
        const BOOL ok = targetExists
            ? ReplaceFileW(target.c_str(), path_.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
            : MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        if (ok) path_.clear();
        return ok != FALSE;
    }

private:
    std::wstring path_;
    UniqueFileHandle handle_;
};

std::wstring folderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    return path.substr(0, slash + 1);
}

// Another program holding the file open without write sharing would make the replacement fail
// half-way on some systems; ask first, with the same sharing a writer needs.
bool openableForWriting(const std::wstring& path) {
    UniqueFileHandle h(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(h);
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    UniqueFileHandle h(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(h.get(), buffer, sizeof buffer, &n, nullptr)) return std::nullopt;
        if (n == 0) break;
        bytes.append(buffer, n);
    }
    return bytes;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
    const std::wstring target = Utf8ToWide(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;
    if (exists && !openableForWriting(target)) return false;

    TemporaryFile temp(folderOf(target));
    return temp.valid() && temp.writeAndFlush(bytes) && temp.commitOver(target, exists, attributes);
}

}  // namespace trimwell
