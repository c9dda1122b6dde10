// Raw deflate streams through the inflater from memory.
#include <cstdint>

#include "skin/SUI2SkinReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    volatile std::uint8_t sum = 0;
    trimwell::InflateRaw(
        {data, size},
        [&](const std::uint8_t* out, std::size_t n) {
            for (std::size_t i = 0; i < n; i += 4096) sum = sum ^ out[i];
            sum = sum ^ out[n - 1];
        },
        4u << 20);
    return 0;
}
