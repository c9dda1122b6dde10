// Window pictures from outside bytes: a BMP file whose pixels are cut into region strips, and
// the nine-slice plan of that picture rendered into a button. The first four bytes pick the
// transparent colour, the next two the button's size. Every strip must lie in the picture and
// together they must cover exactly the pixels that differ from the colour.
#include <cstdint>
#include <cstring>

#include "skinctrls/SUIPublic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trimwell;
    if (size < 6) return 0;
    std::uint32_t colour;
    std::memcpy(&colour, data, 4);
    const int bw = data[4] % 130, bh = data[5] % 40;
    Bitmap picture;
    try {
        picture = ReadBmp({data + 6, size - 6});
    } catch (const EBitmapError&) {
        return 0;
    }
    if (picture.Width() * static_cast<std::int64_t>(picture.Height()) > (1 << 20)) return 0;
    std::int64_t covered = 0;
    int lastY = -1, lastRight = -1;
    for (const TRect& r : RegionStrips(picture, colour)) {
        if (r.left < 0 || r.right > picture.Width() || r.top < 0 || r.bottom != r.top + 1 ||
            r.bottom > picture.Height() || r.Width() <= 0 || r.top < lastY || (r.top == lastY && r.left <= lastRight))
            __builtin_trap();
        for (int x = r.left; x < r.right; ++x)
            if ((colour & 0xFF000000u) == 0 && PixelToColorRef(picture.Pixel(x, r.top)) == colour) __builtin_trap();
        lastY = r.top;
        lastRight = r.right;
        covered += r.Width();
    }
    std::int64_t opaque = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) opaque += PixelToColorRef(picture.Pixel(x, y)) != colour;
    if (covered != opaque) __builtin_trap();

    Bitmap button(bw, bh);
    RenderNineSlice(picture, button, {0, 0, bw, bh}, (colour & 1) != 0);
    return 0;
}
