// Draws the link cursor: a 32 x 32 monochrome pointing hand, white with a black outline, the
// index finger raised, its tip the hot spot at (6, 1). Writes a .cur file and, for looking at,
// a BMP of the same pixels on grey.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "resources/gen/Raster.h"

using namespace artwork;

namespace {

constexpr int kSize = 32;
constexpr int kHotX = 6, kHotY = 1;

// Pixel-centre shape of the hand (x, y measured in pixels from the top left).
Shape hand() {
    Shape finger = roundedRect(3.5, 0.5, 9.0, 17.0, 2.75);
    Shape knuckles = unite(unite(roundedRect(8.0, 8.5, 12.5, 18.0, 2.2), roundedRect(11.5, 9.5, 16.0, 18.0, 2.2)),
                           roundedRect(15.0, 10.5, 19.5, 19.0, 2.2));
    Shape palm = roundedRect(3.5, 13.0, 19.5, 27.0, 3.0);
    Shape wrist = roundedRect(5.5, 24.0, 17.5, 30.5, 1.0);
    Shape thumb = polygon({{4.0, 15.0}, {0.5, 13.0}, {-0.5, 15.5}, {4.5, 24.0}});
    return unite(unite(unite(finger, knuckles), unite(palm, wrist)), thumb);
}

struct Mono {
    // 0 transparent, 1 black, 2 white
    std::vector<int> px = std::vector<int>(kSize * kSize, 0);
    int& at(int x, int y) { return px[static_cast<std::size_t>(y * kSize + x)]; }
};

Mono draw() {
    const Shape s = hand();
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < kSize && y < kSize && s(x + 0.5, y + 0.5);
    };
    Mono m;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (!inside(x, y)) continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            m.at(x, y) = edge ? 1 : 2;
        }
    }
    // Creases between the curled fingers and along the raised finger's base.
    for (int y = 11; y <= 16; ++y) m.at(12, y) = m.at(12, y) ? 1 : 0;
    for (int y = 12; y <= 16; ++y) m.at(15, y) = m.at(15, y) ? 1 : 0;
    for (int y = 10; y <= 16; ++y) m.at(8, y) = m.at(8, y) ? 1 : 0;
    return m;
}

void put16(std::string& b, unsigned v) {
    b.push_back(static_cast<char>(v & 0xFF));
    b.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void put32(std::string& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// Monochrome cursor image: header, two-colour table, XOR rows then AND rows, bottom-up.
std::string cursorImage(Mono& m) {
    std::string img;
    put32(img, 40);
    put32(img, kSize);
    put32(img, kSize * 2);
    put16(img, 1);
    put16(img, 1);
    for (int i = 0; i < 6; ++i) put32(img, 0);
    put32(img, 0x000000);
    put32(img, 0xFFFFFF);
    auto rows = [&](bool andMask) {
        for (int y = kSize - 1; y >= 0; --y) {
            for (int byte = 0; byte < kSize / 8; ++byte) {
                unsigned bits = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    const int v = m.at(byte * 8 + bit, y);
                    const bool set = andMask ? v == 0 : v == 2;
                    if (set) bits |= 0x80u >> bit;
                }
                img.push_back(static_cast<char>(bits));
            }
        }
    };
    rows(false);
    rows(true);
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_cursor out.cur [preview.bmp]\n");
        return 2;
    }
    Mono m = draw();
    if (m.at(kHotX, kHotY) != 1) {
        std::fprintf(stderr, "gen_cursor: the hot spot is not on the finger tip\n");
        return 1;
    }
    const std::string img = cursorImage(m);
    std::string file;
    put16(file, 0);
    put16(file, 2);  // cursor
    put16(file, 1);
    file.push_back(static_cast<char>(kSize));
    file.push_back(static_cast<char>(kSize));
    file.push_back(2);
    file.push_back(0);
    put16(file, kHotX);
    put16(file, kHotY);
    put32(file, static_cast<std::uint32_t>(img.size()));
    put32(file, 6 + 16);
    file += img;
    std::ofstream(argv[1], std::ios::binary) << file;

    if (argc > 2) {
        Raster preview(kSize, kSize, rgb(128, 128, 128));
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (m.at(x, y)) preview.at(x, y) = m.at(x, y) == 1 ? rgb(0, 0, 0) : rgb(255, 255, 255);
        preview.writeBmp24(argv[2], rgb(128, 128, 128));
    }
    return 0;
}
