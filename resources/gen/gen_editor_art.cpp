// Draws the tree's images of the editor's main window into OUTDIR (the window pictures, caption
// frame and warning icon come from gen_windows, the title buttons' image lists from gen_imagelists).
#include <cmath>
#include <cstdio>
#include <string>

#include "resources/gen/Raster.h"

using namespace artwork;

namespace {

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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_editor_art OUTDIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    bool ok = treeImages().writeBmp32(dir + "treeicons.bmp");
    return ok ? 0 : 1;
}
