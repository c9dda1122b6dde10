#pragma once
// The few file operations the configuration code needs, with UTF-8 paths on every platform.
#include <optional>
#include <string>

namespace trimwell {

// The whole file, or nothing when it cannot be opened for reading.
std::optional<std::string> ReadWholeFile(const std::string& path);

// True only for an existing file, never for a folder.
bool FileExists(const std::string& path);

// Replaces the file's content atomically: the bytes go to a temporary file in the same folder,
// are flushed to disk and then take the original's place (keeping its attributes or mode). A file
// that cannot be written is refused before anything happens. Returns false on any failure, with
// the original untouched and no temporary file left behind.
bool ReplaceFileContents(const std::string& path, const std::string& bytes);

}  // namespace trimwell
