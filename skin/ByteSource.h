#pragma once
// The byte source the inflater reads from: a file or a block of memory.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>

namespace trimwell::skin_detail {

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
