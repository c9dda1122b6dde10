// Image-list streams through the reader for a list whose cell size the first two bytes choose;
// whatever it accepts must come back unchanged through the writer.
#include <cstdint>

#include "labels/ElImgLst.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int cellWidth = 1 + data[0] % 64, cellHeight = 1 + data[1] % 64;
    try {
        const trimwell::ImageListCells cells = trimwell::ReadImageListStream({data + 2, size - 2}, cellWidth, cellHeight);
        if (cells.Count() == 0) return 0;
        const auto stored = trimwell::WriteImageListStream(cells);
        const trimwell::ImageListCells back = trimwell::ReadImageListStream(stored, cellWidth, cellHeight);
        if (!(back.image == cells.image) || !(back.mask == cells.mask)) __builtin_trap();
    } catch (const trimwell::EElImageListError&) {
    }
    return 0;
}
