// Inflated skin data through the record parser, bitmaps included.
#include <cstdint>

#include "skin/SUI2SkinReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto reader = trimwell::Tsk2SkinFileReader::FromSkinData({data, size});
        for (const auto& record : reader.Records()) {
            (void)reader.GetInteger(record.name);
            (void)reader.GetBool(record.name);
            if (const trimwell::Bitmap* bitmap = reader.GetBitmap(record.name); bitmap && !bitmap->Empty())
                (void)bitmap->Pixel(bitmap->Width() - 1, bitmap->Height() - 1);
        }
    } catch (const trimwell::ESkinReadError&) {
    }
    return 0;
}
