// Draws the application icon: a sky-blue rounded tile with a white aircraft seen from above,
// climbing to the upper right, and an amber trim tab on its elevator.
#include <cmath>
#include <cstdio>
#include <numbers>

#include "resources/gen/Raster.h"
#include "resources/gen/Widgets.h"

using namespace artwork;

namespace {

Raster drawIcon(int size) {
    const double s = size;
    Raster r(size, size);
    const double inset = size <= 16 ? 0 : s * 0.03;
    const double radius = s * 0.2;
    const Shape tile = roundedRect(inset, inset, s - inset, s - inset, radius);
    r.fill(tile, verticalGradient(0, rgb(92, 170, 236), s, rgb(16, 64, 140)));
    // A soft horizon glow across the lower third.
    r.fill(subtract(tile, roundedRect(-s, -s, 2 * s, s * 0.62, 0)), verticalGradient(s * 0.62, rgb(255, 255, 255, 0.18),
                                                                                     s, rgb(255, 255, 255, 0)));
    // Gloss on the upper half.
    if (size >= 32)
        r.fill(roundedRect(inset + s * 0.06, inset + s * 0.04, s - inset - s * 0.06, s * 0.46, radius * 0.8),
               verticalGradient(0, rgb(255, 255, 255, 0.35), s * 0.46, rgb(255, 255, 255, 0.02)));

    const double angle = std::numbers::pi / 4;
    const double scale = size <= 16 ? 1.0 : 0.86;
    const Shape plane = transformed(aircraftShape(s), s / 2, s / 2, angle, scale);
    if (size >= 32) {
        const double d = s * 0.025;
        r.fill([&](double x, double y) { return plane(x - d, y - d); }, solid(rgb(8, 30, 70, 0.35)));
    }
    r.fill(plane, verticalGradient(0, rgb(255, 255, 255), s, rgb(214, 226, 240)));
    // The trim tab: an amber mark on the right elevator's trailing edge.
    if (size >= 32) {
        const Shape tab = transformed(roundedRect(0.58 * s, 0.825 * s, 0.69 * s, 0.86 * s, 0.01 * s), s / 2, s / 2,
                                      angle, scale);
        r.fill(tab, solid(rgb(255, 170, 30)));
    }
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_appicon OUT.ico [PREVIEW.bmp]\n");
        return 2;
    }
    std::vector<Raster> images;
    for (int size : {16, 32, 48, 256}) images.push_back(drawIcon(size));
    if (!writeIco(argv[1], images)) return 1;
    if (argc > 2 && !images.back().writeBmp24(argv[2], rgb(255, 255, 255))) return 1;
    return 0;
}
