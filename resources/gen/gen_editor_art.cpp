// Draws the tree's images and the title-bar button strips of the editor's main window into OUTDIR
// (the window pictures, caption frame and warning icon come from gen_windows).
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "resources/gen/Raster.h"

using namespace artwork;

namespace {

const Rgba kNavyFrame = rgb(0x27, 0x37, 0x7F);

Shape arrowRight(double ox) {
    return polygon({{ox + 2, 5.5}, {ox + 8, 5.5}, {ox + 8, 2}, {ox + 14.5, 8}, {ox + 8, 14}, {ox + 8, 10.5}, {ox + 2, 10.5}});
}

Raster treeImages() {
    Raster r(80, 16);
    // 0: green arrow pointing right.
    r.fill(arrowRight(0), verticalGradient(2, rgb(0x6C, 0xD8, 0x4A), 14, rgb(0x1E, 0x8A, 0x1E)));
    // 1: yellow folder.
    r.fill(unite(roundedRect(17, 3, 24, 6, 1), roundedRect(17, 4.5, 31, 14, 1.2)), solid(rgb(0xB8, 0x8A, 0x10)));
    r.fill(roundedRect(17.8, 6, 30.2, 13.2, 0.8), verticalGradient(6, rgb(0xFF, 0xE6, 0x7A), 13, rgb(0xF2, 0xC0, 0x2E)));
    // 2: white page with a folded corner.
    const Shape page = polygon({{35, 1.5}, {42, 1.5}, {45.5, 5}, {45.5, 14.5}, {35, 14.5}});
    r.fill(page, solid(rgb(0x70, 0x70, 0x78)));
    r.fill(polygon({{36, 2.5}, {41.5, 2.5}, {44.5, 5.5}, {44.5, 13.5}, {36, 13.5}}), solid(rgb(255, 255, 255)));
    r.fill(polygon({{41.5, 2.5}, {41.5, 5.5}, {44.5, 5.5}}), solid(rgb(0xC8, 0xC8, 0xD0)));
    // 3: a computer: screen and stand.
    r.fill(roundedRect(49, 2, 63, 11, 1), solid(rgb(0x50, 0x58, 0x68)));
    r.fill(roundedRect(50.5, 3.5, 61.5, 9.5, 0.5), verticalGradient(3, rgb(0x9C, 0xD0, 0xFF), 10, rgb(0x2E, 0x7C, 0xD8)));
    r.fill(unite(roundedRect(54.5, 11, 57.5, 13, 0), roundedRect(51, 13, 61, 14.5, 0.6)), solid(rgb(0x50, 0x58, 0x68)));
    // 4: blue arrow pointing right.
    r.fill(arrowRight(64), verticalGradient(2, rgb(0x74, 0xB4, 0xFF), 14, rgb(0x1C, 0x4E, 0xC8)));
    return r;
}

// Three 30 x 22 frames: normal, pointer over, pressed; the glyph drawn by `glyph` at an offset.
Raster titleButton(const std::function<Shape(double ox)>& glyph) {
    Raster r(90, 22, kNavyFrame);
    const Rgba faces[3][2] = {{rgb(0x4A, 0x5E, 0xB0), rgb(0x26, 0x36, 0x80)},
                              {rgb(0x6A, 0x82, 0xD8), rgb(0x34, 0x4C, 0xA8)},
                              {rgb(0x1C, 0x28, 0x62), rgb(0x30, 0x44, 0x96)}};
    for (int f = 0; f < 3; ++f) {
        const double ox = f * 30;
        r.fill(roundedRect(ox + 1, 1, ox + 29, 21, 5), solid(rgb(0xD8, 0xE0, 0xF4)));
        r.fill(roundedRect(ox + 2, 2, ox + 28, 20, 4), verticalGradient(2, faces[f][0], 20, faces[f][1]));
        const double press = f == 2 ? 1 : 0;
        r.fill(glyph(ox + press), solid(rgb(255, 255, 255)));
    }
    return r;
}

Shape crossGlyph(double ox) {
    const Shape bar = roundedRect(ox + 9.5, 9.8, ox + 20.5, 12.2, 1);
    return unite(transformed(bar, ox + 15, 11, 0.785398, 1.0), transformed(bar, ox + 15, 11, -0.785398, 1.0));
}

Shape minimizeGlyph(double ox) { return roundedRect(ox + 10, 13.5, ox + 20, 16, 1); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_editor_art OUTDIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const Rgba opaque = rgb(0, 0, 0);
    bool ok = treeImages().writeBmp32(dir + "treeicons.bmp");
    ok = titleButton(crossGlyph).writeBmp24(dir + "closebutton.bmp", opaque) && ok;
    ok = titleButton(minimizeGlyph).writeBmp24(dir + "minimizebutton.bmp", opaque) && ok;
    return ok ? 0 : 1;
}
