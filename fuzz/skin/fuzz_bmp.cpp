// BMP files and packed DIBs through the bitmap reader, and what it accepts back through the writer.
#include <cstdint>

#include "framework/Bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const trimwell::Bitmap bitmap = trimwell::ReadBmp({data, size});
        if (trimwell::ReadBmp(trimwell::WriteBmp(bitmap, 32)) != bitmap) __builtin_trap();
    } catch (const trimwell::EBitmapError&) {
    }
    try {
        (void)trimwell::ReadPackedDib({data, size});
    } catch (const trimwell::EBitmapError&) {
    }
    return 0;
}
