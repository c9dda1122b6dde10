// Draws the pictures of the editor's two windows into OUTDIR: the main window and dialog
// pictures, the caption frame, the tree's images, the title-bar button strips and the warning
// icon.
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "resources/gen/Raster.h"

using namespace artwork;

namespace {

const Rgba kKey = rgb(255, 7, 255);  // the windows' transparent colour, 0x00FF07FF
const Rgba kNavyFrame = rgb(0x27, 0x37, 0x7F);
const Rgba kPanel = rgb(0xF7, 0xFF, 0xF7);

// Pixels whose centre lies outside `outline` take the transparent colour exactly, so the edge
// that cuts the window's shape is hard; everything inside keeps its smooth drawing.
void keyOutside(Raster& r, const Shape& outline) {
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x)
            if (!outline(x + 0.5, y + 0.5)) r.at(x, y) = kKey;
}

Raster mainWindow() {
    const double h = 368;
    Raster r(500, 368, kNavyFrame);
    // The outline: rounded top corners, the lower corners cut away at a slant.
    const Shape outline = polygon({{0, 14}, {14, 0}, {486, 0}, {500, 14}, {500, 340}, {472, h}, {28, h}, {0, 340}});
    const Shape rounded = unite(subtract(outline, unite(roundedRect(-1, -1, 15, 15, 0), roundedRect(485, -1, 501, 15, 0))),
                                unite(roundedRect(0, 0, 30, 30, 14), roundedRect(470, 0, 500, 30, 14)));
    r.fill(rounded, verticalGradient(0, rgb(0x3A, 0x4E, 0x9A), h, rgb(0x1C, 0x28, 0x62)));
    // The title band.
    r.fill(roundedRect(50, 7, 394, 40, 8), verticalGradient(7, rgb(0xFB, 0xFC, 0xFF), 40, rgb(0xD9, 0xE1, 0xF0)));
    // The main panel.
    r.fill(roundedRect(7, 45, 495, 305, 6), solid(kPanel));
    // The maker's panel and the buttons' panel along the bottom.
    r.fill(roundedRect(33, 318, 236, 356, 8), verticalGradient(318, rgb(0xF4, 0xF7, 0xFC), 356, rgb(0xDD, 0xE5, 0xF2)));
    r.fill(roundedRect(245, 314, 486, 360, 8), verticalGradient(314, rgb(0xC9, 0xD4, 0xE6), 360, rgb(0xA9, 0xB8, 0xD2)));
    keyOutside(r, rounded);
    return r;
}

Raster dialogWindow() {
    const double w = 391, h = 171;
    Raster r(391, 171, kKey);
    const Shape outline = roundedRect(0, 0, w, h, 14);
    r.fill(outline, solid(rgb(0x70, 0x82, 0xA0)));
    r.fill(roundedRect(2, 2, w - 2, h - 2, 12), verticalGradient(0, rgb(0xFD, 0xFE, 0xFF), h, rgb(0xE4, 0xEA, 0xF4)));
    keyOutside(r, outline);
    return r;
}

Raster captionFrame() {
    Raster r(239, 64, kPanel);
    const Shape ring = subtract(roundedRect(1, 5, 238, 63, 7), roundedRect(2.5, 6.5, 236.5, 61.5, 5.5));
    const Shape gap = roundedRect(9, 0, 15, 10, 0);
    r.fill(subtract(ring, gap), solid(rgb(0x5C, 0x76, 0xA8)));
    return r;
}

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

Raster warningIcon(int size) {
    const double s = size;
    Raster r(size, size);
    const Shape triangle = polygon({{s * 0.5, s * 0.04}, {s * 0.98, s * 0.92}, {s * 0.02, s * 0.92}});
    r.fill(triangle, solid(rgb(0x6A, 0x50, 0x00)));
    r.fill(polygon({{s * 0.5, s * 0.12}, {s * 0.91, s * 0.88}, {s * 0.09, s * 0.88}}),
           verticalGradient(0, rgb(0xFF, 0xEE, 0x60), s, rgb(0xF5, 0xB8, 0x10)));
    r.fill(polygon({{s * 0.44, s * 0.34}, {s * 0.56, s * 0.34}, {s * 0.535, s * 0.66}, {s * 0.465, s * 0.66}}),
           solid(rgb(0, 0, 0)));
    r.fill(circle(s * 0.5, s * 0.76, s * 0.06), solid(rgb(0, 0, 0)));
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_editor_art OUTDIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const Rgba opaque = rgb(0, 0, 0);
    bool ok = mainWindow().writeBmp24(dir + "mainwindow.bmp", opaque);
    ok = dialogWindow().writeBmp24(dir + "dialog.bmp", opaque) && ok;
    ok = captionFrame().writeBmp24(dir + "frame.bmp", opaque) && ok;
    ok = treeImages().writeBmp32(dir + "treeicons.bmp") && ok;
    ok = titleButton(crossGlyph).writeBmp24(dir + "closebutton.bmp", opaque) && ok;
    ok = titleButton(minimizeGlyph).writeBmp24(dir + "minimizebutton.bmp", opaque) && ok;
    ok = writeIco(dir + "warning.ico", {warningIcon(32), warningIcon(16)}) && ok;
    return ok ? 0 : 1;
}
