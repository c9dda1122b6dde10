#pragma once
// Resources the program carries by name: the built-in style bitmaps and the skin archive. On
// Windows they are resources of the program itself; the portable build reads the same generated
// files from a folder (`<folder>/styles/NAME.bmp`, `<folder>/NAME.sui`).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trimwell {

// The named bitmap resource as the bytes of a BMP file, or nothing when there is none.
std::optional<std::vector<std::uint8_t>> LoadProgramBitmapFile(std::string_view name);

// The bytes of a named binary resource (the skin archive), or nothing.
std::optional<std::vector<std::uint8_t>> LoadProgramData(std::string_view name);

// Where the portable build finds the resource files; the Windows build ignores it.
void SetResourceFolder(std::string folder);

}  // namespace trimwell
