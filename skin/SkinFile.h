#pragma once
// File access for the skin reader with UTF-8 paths on every platform, and the byte source the
// inflater reads from (a file or a block of memory).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace trimwell::skin_detail {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// `mode` as for fopen; reading opens share the file with other readers and writers.
FilePtr OpenFile(const std::string& utf8Path, const char* mode);
bool DeleteFileAt(const std::string& utf8Path);
bool SeekTo(std::FILE* file, std::uint64_t offset);
std::optional<std::uint64_t> FileSizeOf(std::FILE* file);

// A temporary file that is deleted when this goes, however the work on it ends.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string utf8Path) : path_(std::move(utf8Path)) {}
    ~TemporaryFile() { DeleteFileAt(path_); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes into `dst`; 0 only at the end. Throws on a read error.
    virtual std::size_t Read(std::uint8_t* dst, std::size_t size) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t Read(std::uint8_t* dst, std::size_t size) override {
        const std::size_t n = size < bytes_.size() ? size : bytes_.size();
        if (n) std::memcpy(dst, bytes_.data(), n);
        bytes_ = bytes_.subspan(n);
        return n;
    }

private:
    std::span<const std::uint8_t> bytes_;
};

class FileSource final : public ByteSource {
public:
    explicit FileSource(std::FILE* file) : file_(file) {}
    std::size_t Read(std::uint8_t* dst, std::size_t size) override;

private:
    std::FILE* file_;
};

}  // namespace trimwell::skin_detail
