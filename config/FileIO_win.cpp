#include "config/FileIO_win.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "config/FileIO.h"
#include "framework/Handles_win.h"
#include "framework/WinUtf.h"

namespace trimwell {

namespace {

using Status = ReplaceOutcome::Status;

// A file with a unique name in the target's folder. It is deleted at the end unless it was
// released: moved into the target's place, or left holding data that nothing else holds.
class ScratchFile {
public:
    explicit ScratchFile(const std::wstring& folder) {
        wchar_t name[MAX_PATH + 1] = {};
        if (folder.size() + 14 > MAX_PATH || !GetTempFileNameW(folder.c_str(), L"tw~", 0, name)) return;
        path_ = name;
    }
    ~ScratchFile() {
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    bool valid() const { return !path_.empty(); }
    const std::wstring& path() const { return path_; }
    void release() { path_.clear(); }

private:
    std::wstring path_;
};

bool writeAndFlush(const std::wstring& path, const std::string& bytes) {
    const UniqueFileHandle h(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(h.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return FlushFileBuffers(h.get()) != FALSE;
}

bool moveOver(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::wstring folderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    return path.substr(0, slash + 1);
}

// Which file a path names: the volume and the file's index on it, kept by a rename.
struct FileIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(HANDLE h) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// Another program holding the file open without write sharing would make the replacement fail
// half-way on some systems; ask first, with the same sharing a writer needs. Gives the file's
// identity when it may be written.
std::optional<FileIdentity> openableForWriting(const std::wstring& path) {
    const UniqueFileHandle h(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    return h ? identityOf(h.get()) : std::nullopt;
}

// True when the path still names the very file it named before.
bool stillThere(const std::wstring& path, const FileIdentity& original) {
    const UniqueFileHandle h(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    return h && identityOf(h.get()) == original;
}

// ReplaceFileW keeps the original's security and creation time. Given a backup name it parks the
// original there, so a failure after that step still leaves the original under a name known
// here: it is never lost, whichever step of the system's replacement failed.
ReplaceOutcome replaceExisting(const std::wstring& target, const FileIdentity& original, ScratchFile& replacement) {
    ScratchFile backup(folderOf(target));
    if (!backup.valid()) return {Status::Refused, {}};
    if (SystemReplaceFile()(target.c_str(), replacement.path().c_str(), backup.path().c_str())) {
        replacement.release();
        return {Status::Replaced, {}};
    }
    // The original still in its place means nothing was moved: both scratch files can go.
    if (stillThere(target, original)) return {Status::Refused, {}};
    // The original was moved away and the replacement stopped short of its place: finish the
    // move by hand, or else put the original back.
    if (moveOver(replacement.path(), target)) {
        replacement.release();
        return {Status::Replaced, {}};
    }
    if (stillThere(backup.path(), original) && moveOver(backup.path(), target)) {
        backup.release();
        return {Status::Refused, {}};
    }
    // Neither fits in the target's place: keep both, the new content and the original.
    ReplaceOutcome stranded{Status::Stranded, WideToUtf8(replacement.path())};
    replacement.release();
    backup.release();
    return stranded;
}

// Not every implementation of ReplaceFileW keeps the original's attributes, so they are carried
// over by hand.
void copySettableAttributes(const std::wstring& to, DWORD attributes) {
    constexpr DWORD settable = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes & settable) SetFileAttributesW(to.c_str(), attributes & settable);
}

}  // namespace

ReplaceFileCall& SystemReplaceFile() {
    static ReplaceFileCall call = [](const wchar_t* replaced, const wchar_t* replacement, const wchar_t* backup) {
        return ReplaceFileW(replaced, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    };
    return call;
}

FileContents LoadWholeFile(const std::string& path) {
    using ReadStatus = FileContents::Status;
    const std::wstring wide = Utf8ToWide(path);
    const HANDLE opened = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = GetLastError();
    const UniqueFileHandle h(opened);
    if (!h) {
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? ReadStatus::Missing : ReadStatus::Unreadable, {}};
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(h.get(), buffer, sizeof buffer, &n, nullptr)) return {ReadStatus::Unreadable, {}};
        if (n == 0) break;
        bytes.append(buffer, n);
    }
    return {ReadStatus::Read, std::move(bytes)};
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    FileContents file = LoadWholeFile(path);
    if (file.status != FileContents::Status::Read) return std::nullopt;
    return std::move(file.bytes);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ReplaceOutcome ReplaceFileContents(const std::string& path, const std::string& bytes) {
    const std::wstring target = Utf8ToWide(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return {Status::Refused, {}};
    const std::optional<FileIdentity> original = exists ? openableForWriting(target) : std::nullopt;
    if (exists && !original) return {Status::Refused, {}};

    ScratchFile temp(folderOf(target));
    if (!temp.valid() || !writeAndFlush(temp.path(), bytes)) return {Status::Refused, {}};
    if (exists) {
        copySettableAttributes(temp.path(), attributes);
        return replaceExisting(target, *original, temp);
    }
    if (!MoveFileExW(temp.path().c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return {Status::Refused, {}};
    temp.release();
    return {Status::Replaced, {}};
}

std::string PathForDisplay(const std::string& path) { return WideToAnsi(Utf8ToWide(path)); }

}  // namespace trimwell
