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

// A path as the system's 8-bit text functions and message boxes show it: the ANSI code page on
// Windows (characters it lacks become '?'), unchanged elsewhere.
std::string PathForDisplay(const std::string& path);

}  // namespace trimwell
