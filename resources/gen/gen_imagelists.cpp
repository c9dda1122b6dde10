// Draws the glyphs of the main window's six title-button image lists and stores each list as the
// image-list stream its "Bitmap" property holds, written by the program's own encoder:
//   OUTDIR/imglistclose.eil, imglistclosehot.eil, imglistclosedown.eil   a close cross, all three alike
//   OUTDIR/imglistmin.eil                                                a minimise bar
//   OUTDIR/imglistminhot.eil, imglistmindown.eil                         the bar on a lit face, alike
// Each list holds 7 images of 30 x 22 at 32 bits per pixel; the editor shows image 0, the others
// carry the glyph in fading shades. A preview of each decoded stream (OUTDIR/imglist*.bmp, on
// the button colour) goes to the contact sheet, so what is looked at is what the program reads.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "labels/ElImgLst.h"
#include "resources/gen/Raster.h"

using namespace artwork;

namespace {

constexpr int kCellWidth = 30, kCellHeight = 22, kCells = 7;
// The buttons' colour, the dark blue of the window picture's right-hand end where they sit; the
// glyphs are drawn on it so that their soft edges meet the button's fill without a seam.
const Rgba kButtonColour = rgb(0x27, 0x37, 0x7F);

struct Face {
    Rgba top, bottom;
};
const Face kRestingFace{rgb(0x4A, 0x5E, 0xB0), rgb(0x26, 0x36, 0x80)};
const Face kLitFace{rgb(0x72, 0x8C, 0xE0), rgb(0x38, 0x52, 0xB0)};
const Rgba kRim = rgb(0xD8, 0xE0, 0xF4);

Shape faceShape(double ox) { return roundedRect(ox + 1, 1, ox + 29, 21, 5); }

Shape crossGlyph(double ox) {
    const Shape bar = roundedRect(ox + 8.5, 9.6, ox + 21.5, 12.4, 1.2);
    return unite(transformed(bar, ox + 15, 11, 0.785398, 1.0), transformed(bar, ox + 15, 11, -0.785398, 1.0));
}

Shape minimiseGlyph(double ox) { return roundedRect(ox + 9, 13.5, ox + 21, 16.5, 1.2); }

using Glyph = Shape (*)(double ox);

// Cell k: a rimmed face with the glyph, the glyph's white fading towards the face for k > 0.
Raster drawCells(Glyph glyph, const Face& face) {
    Raster r(kCellWidth * kCells, kCellHeight, kButtonColour);
    for (int k = 0; k < kCells; ++k) {
        const double ox = k * kCellWidth;
        r.fill(faceShape(ox), solid(kRim));
        r.fill(roundedRect(ox + 2, 2, ox + 28, 20, 4), verticalGradient(2, face.top, 20, face.bottom));
        r.fill(glyph(ox), solid(mix(rgb(255, 255, 255), face.top, k / 8.0)));
    }
    return r;
}

// The face's outline decides the mask: see-through where the face covers less than half a pixel.
trimwell::ImageListCells toCells(const Raster& pixels) {
    Raster coverage(pixels.width(), pixels.height());
    for (int k = 0; k < kCells; ++k) coverage.fill(faceShape(k * kCellWidth), solid(rgb(255, 255, 255)));
    trimwell::ImageListCells cells;
    cells.cellWidth = kCellWidth;
    cells.cellHeight = kCellHeight;
    cells.image = trimwell::Bitmap(pixels.width(), pixels.height());
    cells.mask = trimwell::Bitmap(pixels.width(), pixels.height(), trimwell::kMaskOpaque);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x) {
            // The top byte stays 0: the platform list then draws through the mask, not by alpha.
            cells.image.SetPixel(x, y, pixels.bgra(x, y) & 0x00FFFFFFu);
            if (coverage.at(x, y).a < 0.5) cells.mask.SetPixel(x, y, trimwell::kMaskSeeThrough);
        }
    return cells;
}

// The decoded stream's cells as the button shows them: see-through pixels in the button colour.
trimwell::Bitmap preview(const trimwell::ImageListCells& cells) {
    trimwell::Bitmap shown = cells.image;
    const std::uint32_t fill = Raster(1, 1, kButtonColour).bgra(0, 0) & 0x00FFFFFFu;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x)
            if (cells.SeeThrough(x, y)) shown.SetPixel(x, y, fill);
    return shown;
}

bool writeList(const std::string& dir, const std::string& name, const Raster& pixels) {
    const std::vector<std::uint8_t> stream = trimwell::WriteImageListStream(toCells(pixels));
    const trimwell::ImageListCells decoded = trimwell::ReadImageListStream(stream, kCellWidth, kCellHeight);
    const std::vector<std::uint8_t> bmp = trimwell::WriteBmp(preview(decoded), 24);
    return saveFile(dir + name + ".eil", stream) && saveFile(dir + name + ".bmp", bmp);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_imagelists OUTDIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    try {
        const Raster close = drawCells(crossGlyph, kRestingFace);
        const Raster minimise = drawCells(minimiseGlyph, kRestingFace);
        const Raster minimiseLit = drawCells(minimiseGlyph, kLitFace);
        bool ok = writeList(dir, "imglistclose", close);
        ok = writeList(dir, "imglistclosehot", close) && ok;
        ok = writeList(dir, "imglistclosedown", close) && ok;
        ok = writeList(dir, "imglistmin", minimise) && ok;
        ok = writeList(dir, "imglistminhot", minimiseLit) && ok;
        ok = writeList(dir, "imglistmindown", minimiseLit) && ok;
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "gen_imagelists: %s\n", error.what());
        return 1;
    }
}
