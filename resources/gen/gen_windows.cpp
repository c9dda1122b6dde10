// Draws the pictures of the two windows: the main editor window (500 x 368) and the message dialog
// (391 x 171), both shaped by the colour 0x00FF07FF outside their frame; the caption frame that
// surrounds the section, key and value fields (239 x 64); and the dialog's warning sign (32 x 32,
// an icon, with a BMP of it on the dialog's colour).
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "resources/gen/Raster.h"
#include "resources/gen/Widgets.h"

using namespace artwork;

namespace {

const Rgba kShapeKey = rgb(255, 7, 255);   // the windows' transparent colour
const Rgba kWindowColour = rgb(247, 255, 247);
// The dark blue of the frame is the colour of the close and minimise buttons (0x007F3727), so
// they sit on it seamlessly; it deepens towards the bottom.
const Rgba kNavy = rgb(0x27, 0x37, 0x7F);
const Rgba kFrameBottom = rgb(0x16, 0x20, 0x56);
const Rgba kAmber = rgb(255, 170, 30);
const Rgba kDialogPanel = rgb(246, 249, 253);

void insetPanel(Raster& r, double x0, double y0, double x1, double y1, double radius, const Paint& paint) {
    r.fill(roundedRect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, radius + 1), solid(rgb(0, 0, 0, 0.35)));
    r.fill(roundedRect(x0, y0, x1 + 1, y1 + 1, radius), solid(rgb(255, 255, 255, 0.35)));
    r.fill(roundedRect(x0, y0, x1, y1, radius), paint);
}

Raster mainWindow() {
    constexpr int W = 500, H = 368;
    Raster r(W, H);
    // The outline: rounded, with the two lower corners cut away at a slant.
    const Shape outline = subtract(roundedRect(0, 0, W, H, 16),
                                   unite(polygon({{-1, 322}, {-1, H + 1}, {34, H + 1}}),
                                         polygon({{W + 1, 338}, {W + 1, H + 1}, {470, H + 1}})));
    r.fill(outline, verticalGradient3(0, kNavy, 46, kNavy, H, kFrameBottom));
    // A light rim just inside the outline.
    r.fill(subtract(outline, offset(outline, 0, 1.2)), solid(rgb(255, 255, 255, 0.35)));

    // The title band between the dark ends.
    insetPanel(r, 50, 6, 394, 39, 10, verticalGradient3(6, rgb(255, 255, 255), 22, rgb(226, 240, 252), 39, rgb(186, 216, 244)));
    r.fill(roundedRect(58, 36, 386, 37.6, 0.8), solid(kAmber));
    // The emblem on the left end.
    const Shape plane = transformed(offset(aircraftShape(32), 10, 6), 26, 22, std::numbers::pi / 4, 0.9);
    r.fill(offset(plane, 1, 1), solid(rgb(0, 0, 0, 0.35)));
    r.fill(plane, verticalGradient(6, rgb(255, 255, 255), 38, rgb(210, 226, 244)));

    // The main panel in the window colour.
    insetPanel(r, 7, 45, 495, 305, 6, solid(kWindowColour));
    // Lower panels: the maker's notice and the buttons.
    insetPanel(r, 33, 318, 236, 356, 8, verticalGradient(318, rgb(246, 250, 255), 356, rgb(226, 236, 248)));
    insetPanel(r, 245, 314, 486, 361, 8, verticalGradient(314, rgb(226, 234, 246), 361, rgb(196, 210, 230)));
    return r;
}

Raster dialogWindow() {
    constexpr int W = 391, H = 171;
    Raster r(W, H);
    r.fill(roundedRect(0, 0, W, H, 12), solid(rgb(112, 132, 162)));
    r.fill(roundedRect(1.5, 1.5, W - 1.5, H - 1.5, 10.5), solid(kDialogPanel));
    // A slim sky-blue band along the top with the amber accent beneath it.
    const Shape band = [&](double x, double y) { return roundedRect(1.5, 1.5, W - 1.5, H - 1.5, 10.5)(x, y) && y < 15; };
    r.fill(band, verticalGradient(0, rgb(120, 186, 240), 15, rgb(40, 104, 188)));
    r.fill(roundedRect(1.5, 15, W - 1.5, 16.4, 0), solid(kAmber));
    // No well behind the button: the modeless notices hide the button, and an empty panel where
    // it sits would look like something failed to draw.
    return r;
}

// A rounded frame with a gap in its top edge where a caption label sits. The captions start 13
// pixels in; the gap ends a little after the shortest of them ("Key", 21 pixels), and the longer
// ones cover the edge with their own opaque background, so no caption leaves a stretch of the
// edge missing beside it.
Raster captionFrame() {
    constexpr int W = 239, H = 64;
    Raster r(W, H, kWindowColour);
    const Shape frame = roundedOutline(0.5, 1.5, W - 0.5, H - 1, 7, 1.2);
    const Shape gap = roundedRect(10, -1, 37, 4, 0);
    r.fill(subtract(frame, gap), solid(rgb(118, 148, 190)));
    r.fill(subtract(offset(frame, 1, 1), unite(gap, roundedRect(0.5, 1.5, W - 0.5, H - 1, 7))), solid(rgb(255, 255, 255)));
    return r;
}

// Drawn on a 32-unit grid and scaled to `size`.
Raster warningSign(int size) {
    const double u = size / 32.0;
    auto p = [u](std::vector<std::pair<double, double>> pts) {
        for (auto& [x, y] : pts) x *= u, y *= u;
        return polygon(std::move(pts));
    };
    Raster r(size, size);
    const Shape outer = p({{16, 2}, {31, 29}, {1, 29}});
    r.fill(offset(outer, 0.8 * u, 1.2 * u), solid(rgb(0, 0, 0, 0.25)));
    r.fill(outer, solid(rgb(150, 104, 0)));
    r.fill(p({{16, 4.6}, {29, 28}, {3, 28}}), verticalGradient(4 * u, rgb(255, 236, 120), 28 * u, rgb(250, 190, 20)));
    r.fill(p({{14.4, 11}, {17.6, 11}, {17, 21}, {15, 21}}), solid(rgb(0, 0, 0)));
    r.fill(circle(16 * u, 24.4 * u, 1.7 * u), solid(rgb(0, 0, 0)));
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_windows OUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const Raster warning = warningSign(32);
    const bool ok = saveFile(dir + "/mainwindow.bmp", mainWindow().encodeBmp24Keyed(kShapeKey, kFrameBottom)) &&
                    saveFile(dir + "/dialog.bmp", dialogWindow().encodeBmp24Keyed(kShapeKey, kFrameBottom)) &&
                    saveFile(dir + "/frame.bmp", captionFrame().encodeBmp24(kWindowColour)) &&
                    saveFile(dir + "/warning.bmp", warning.encodeBmp24(kDialogPanel)) &&
                    writeIco(dir + "/warning.ico", {warning, warningSign(16)});
    if (!ok) std::fprintf(stderr, "gen_windows: cannot write to %s\n", dir.c_str());
    return ok ? 0 : 1;
}
