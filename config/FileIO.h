#pragma once
// The few file operations the configuration code needs, with UTF-8 paths on every platform.
#include <optional>
#include <string>

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

// The result of replacing a file's content.
struct ReplaceOutcome {
    enum class Status {
        Replaced,  // the new content is in place
        Refused,   // nothing changed: the original is in place as it was
        Stranded,  // the system failed half-way and the file could not be put back in place;
                   // nothing was deleted: the new content is kept in `keptAs`
    };
    Status status = Status::Refused;
    std::string keptAs;  // UTF-8 path, Stranded only

    bool replaced() const { return status == Status::Replaced; }
};

// Replaces the file's content atomically: the bytes go to a temporary file in the same folder,
// are flushed to disk and then take the original's place (keeping its attributes or mode). A file
// that cannot be written is refused before anything happens. On a refusal the original is
// untouched and no temporary file is left behind; a file that holds the only copy of the data is
// never deleted.
ReplaceOutcome ReplaceFileContents(const std::string& path, const std::string& bytes);

// A path as the system's 8-bit text functions and message boxes show it: the ANSI code page on
// Windows (characters it lacks become '?'), unchanged elsewhere.
std::string PathForDisplay(const std::string& path);

}  // namespace trimwell
