#pragma once
// The program's file operations, with UTF-8 paths on every platform: existence, whole-file read
// and write, the atomic save, C streams, and the one owner of a temporary file.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace trimwell {

// What reading a whole file found. Only a file that is not there counts as missing: a file that
// exists but cannot be opened or read is a failure, so that nobody takes it for an empty one and
// writes a new file over it.
struct FileContents {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    std::string bytes;  // the content when Read, empty otherwise
};

FileContents LoadWholeFile(const std::string& path);

// The whole file, or nothing when it cannot be opened for reading.
std::optional<std::string> ReadWholeFile(const std::string& path);

// True only for an existing file, never for a folder.
bool FileExists(const std::string& path);

// What the caller's new content was built from: the file as it was read, or nothing because no
// file was there. Content built from nothing must never take the place of a file that has
// appeared since, or that file's whole content would be lost.
enum class BuiltFrom { ExistingFile, NoFile };

// Replaces the file's content atomically: the bytes go to a temporary file beside it (named
// `.NAME.trimwell-XXXXXX.tmp`), are flushed to disk and then take the original's place in one
// rename that never leaves the path missing, keeping the original's attributes or mode and owner.
// A file reached through a symbolic link is written where the link points. A file that cannot be
// written is refused before anything happens. Content built from no file only ever creates the
// file. Returns false on a refusal: the original is then untouched and no temporary file is left.
bool ReplaceFileContents(const std::string& path, const std::string& bytes, BuiltFrom builtFrom);

// Writes the bytes as the whole file, creating or truncating it; a write that fails deletes what
// it began. Not atomic: for files of the program's own making, not the user's (see the save above).
bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// `mode` as for fopen; reading opens share the file with other readers and writers.
FilePtr OpenFileStream(const std::string& path, const char* mode);
bool DeleteFileAt(const std::string& path);
bool SeekTo(std::FILE* file, std::uint64_t offset);
std::optional<std::uint64_t> FileSizeOf(std::FILE* file);

// The system's temporary folder, always with a trailing path separator.
std::string TempFolder();
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" of a freshly generated GUID, or nothing when the
// system gives none.
std::optional<std::string> NewGuid();

// A temporary file that is deleted when this goes, however the work on it ends.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() { DeleteFileAt(path_); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace trimwell
