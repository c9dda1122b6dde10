#pragma once
// Resources the program carries by name: the built-in style bitmaps and the skin archive. On
// Windows they are resources of the program itself; the portable build reads the same generated
// files from a folder (`<folder>/styles/NAME.bmp`, `<folder>/NAME.sui`).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trimwell {

// The bytes of a bitmap the program carries: on Windows the resource's packed DIB (a BMP file
// without its file header) seen where it lies in the program image, with no copy made; in the
// portable build the bytes of a BMP file read for it.
class ProgramBitmapBytes {
public:
    static ProgramBitmapBytes PackedDibView(std::span<const std::uint8_t> dib) { return {dib, {}}; }
    static ProgramBitmapBytes BmpFile(std::vector<std::uint8_t> file) { return {{}, std::move(file)}; }

    bool IsPackedDib() const { return file_.empty(); }
    std::span<const std::uint8_t> Bytes() const { return IsPackedDib() ? view_ : std::span<const std::uint8_t>(file_); }

private:
    ProgramBitmapBytes(std::span<const std::uint8_t> view, std::vector<std::uint8_t> file)
        : view_(view), file_(std::move(file)) {}

    std::span<const std::uint8_t> view_;
    std::vector<std::uint8_t> file_;
};

// The named bitmap resource, or nothing when there is none.
std::optional<ProgramBitmapBytes> FindProgramBitmap(std::string_view name);

// The bytes of a named binary resource (the skin archive), or nothing.
std::optional<std::vector<std::uint8_t>> LoadProgramData(std::string_view name);

// Where the portable build finds the resource files; the Windows build ignores it.
void SetResourceFolder(std::string folder);

}  // namespace trimwell
