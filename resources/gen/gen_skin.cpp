// Draws the bitmaps of the skin that the program carries inside both of its windows: sky blue and
// white with an amber accent, the same family as the application icon. One 24-bit BMP per skin
// key, named after the key; the archive builder packs them with the skin's values.
#include <cstdio>
#include <string>
#include <vector>

#include "resources/gen/Raster.h"
#include "resources/gen/Widgets.h"

using namespace artwork;

namespace {

const Rgba kSkyTop = rgb(92, 170, 236);
const Rgba kSkyBottom = rgb(16, 64, 140);
const Rgba kAmber = rgb(255, 170, 30);
const Rgba kNavy = rgb(20, 56, 112);

Palette trimwellPalette() {
    Palette p;
    p.faceTop = rgb(255, 255, 255), p.faceBottom = rgb(206, 218, 234);   // silver-white
    p.hotTop = rgb(255, 226, 160), p.hotBottom = rgb(242, 156, 28);      // amber
    p.downTop = rgb(132, 192, 246), p.downBottom = rgb(26, 96, 186);     // blue
    p.frame = rgb(74, 102, 140), p.glyph = kNavy, p.accent = rgb(28, 96, 186);
    p.panelTop = rgb(240, 246, 252), p.panelBottom = rgb(204, 220, 240);
    p.titleTop = kSkyTop, p.titleBottom = kSkyBottom, p.titleGlyph = rgb(255, 255, 255);
    p.radius = 7;
    return p;
}

// Buttons that sit on the blue title bar: light blue glass, amber under the mouse.
Palette titleButtonPalette() {
    Palette p = trimwellPalette();
    p.faceTop = rgb(170, 214, 250), p.faceBottom = rgb(52, 124, 210);
    p.frame = rgb(12, 40, 92), p.glyph = rgb(255, 255, 255);
    p.downTop = rgb(40, 100, 190), p.downBottom = rgb(16, 56, 130);
    p.radius = 4;
    return p;
}

struct Picture {
    std::string key;
    Raster raster;
};

constexpr State kThreeStates[] = {State::Normal, State::Hot, State::Down};

// The title bar is five pieces: left cap (icon), caption plate, the plate's tapering end, the
// stretched fill and the right cap. They share one gradient so they join seamlessly.
Raster titlePiece(int w, int h, int piece) {
    const Palette p = trimwellPalette();
    Raster r = titleBarPiece(w, h, p, piece == 1, piece == 5);
    const double plateBottom = h - 5;
    if (piece == 2)
        r.fill(roundedRect(0, 5, w + 8, plateBottom, 0), verticalGradient(5, rgb(255, 255, 255, 0.28), plateBottom, rgb(255, 255, 255, 0.08)));
    if (piece == 3)  // the plate ends in a soft slope
        r.fill(polygon({{0, 5}, {w * 0.35, 5}, {w, plateBottom}, {0, plateBottom}}),
               verticalGradient(5, rgb(255, 255, 255, 0.28), plateBottom, rgb(255, 255, 255, 0.08)));
    if (piece == 2 || piece == 3) {
        const double x1 = piece == 2 ? w : w * 0.9;
        r.fill(roundedRect(piece == 2 ? 2 : 0, plateBottom, x1, plateBottom + 1.5, 0.7), solid(kAmber));
    }
    return r;
}

Raster formBorder(int w, int h, bool left) {
    Raster r(w, h);
    r.fill(roundedRect(0, 0, w, h, 0), horizontalGradient(0, left ? kSkyBottom : kSkyTop, w, left ? kSkyTop : kSkyBottom));
    r.fill(roundedRect(left ? w - 1 : 0, 0, left ? w : 1, h, 0), solid(rgb(255, 255, 255, 0.55)));
    return r;
}

Raster formBottom(int w, int h) {
    Raster r(w, h);
    r.fill(roundedRect(0, 0, w, h, 0), verticalGradient(0, kSkyTop, h, kSkyBottom));
    r.fill(roundedRect(0, 0, w, 1, 0), solid(rgb(255, 255, 255, 0.55)));
    return r;
}

Raster minimizedTitle(int w, int h) {
    const Palette p = trimwellPalette();
    Raster r = titleBarPiece(w, h, p, true, true);
    r.fill(roundedRect(8, h - 5, w * 0.6, h - 3.5, 0.7), solid(kAmber));
    return r;
}

Raster checkedMenuIcon(int w, int h) {
    Raster r(w, h);
    const double u = w / 16.0;
    r.fill(polygon({{3 * u, 8 * u}, {5 * u, 6 * u}, {7 * u, 8.5 * u}, {12 * u, 3.5 * u}, {14 * u, 5.5 * u}, {7 * u, 12.5 * u}}),
           solid(kNavy));
    return r;
}

// Unchecked and checked, at rest, under the mouse and disabled.
Raster checkBoxes(int w, int h, int count) {
    const Palette p = trimwellPalette();
    constexpr State states[] = {State::Normal, State::Hot, State::Disabled};
    return strip(w, h, count, [&](int fw, int fh, int i) { return checkBox(fw, fh, p, states[i / 2], i % 2 == 1); });
}

Raster radios(int w, int h) {
    const Palette p = trimwellPalette();
    return strip(w, h, 4, [&](int fw, int fh, int i) {
        return radioButton(fw, fh, p, i < 2 ? State::Normal : State::Disabled, i % 2 == 1);
    });
}

Raster progressEdge(int w, int h) {
    Raster r(w, h);
    r.fill(roundedRect(0, 0, w, h, 0), solid(trimwellPalette().frame));
    return r;
}

Raster progressChannel(int w, int h) {
    const Palette p = trimwellPalette();
    Raster r = panelGradient(w, h, mix(p.panelBottom, rgb(0, 0, 0), 0.06), p.panelTop);
    r.fill(roundedRect(0, 0, w, 1, 0), solid(p.frame));
    r.fill(roundedRect(0, h - 1, w, h, 0), solid(p.frame));
    return r;
}

Raster progressFill(int w, int h) {
    Raster r = progressChannel(w, h);
    r.fill(roundedRect(0, 1, w - 1, h - 1, 0), verticalGradient3(1, rgb(190, 226, 252), h * 0.45, kSkyTop, h - 1, rgb(40, 110, 200)));
    return r;
}

Raster arrowButtons(int w, int h, Direction d) {
    const Palette p = trimwellPalette();
    return strip(w, h, 3, [&](int fw, int fh, int i) { return arrowButton(fw, fh, p, kThreeStates[i], d); });
}

Raster titleButtons(int w, int h) {
    const Palette p = titleButtonPalette();
    constexpr TitleGlyph glyphs[] = {TitleGlyph::Close, TitleGlyph::Maximize, TitleGlyph::Restore,
                                     TitleGlyph::Minimize, TitleGlyph::Help, TitleGlyph::Rollup};
    return strip(w, h, 18, [&](int fw, int fh, int i) { return titleButton(fw, fh, p, kThreeStates[i % 3], glyphs[i / 3]); });
}

Raster scrollButtons(int w, int h) {
    const Palette p = trimwellPalette();
    constexpr Direction dirs[] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};
    return strip(w, h, 4, [&](int fw, int fh, int i) { return arrowButton(fw, fh, p, State::Normal, dirs[i]); });
}

std::vector<Picture> drawSkin() {
    const Palette p = trimwellPalette();
    std::vector<Picture> out;
    auto add = [&](const char* key, Raster r) { out.push_back({key, std::move(r)}); };
    add("SKIN2_TITLEBAR1", titlePiece(31, 31, 1));
    add("SKIN2_TITLEBAR2", titlePiece(138, 31, 2));
    add("SKIN2_TITLEBAR3", titlePiece(15, 31, 3));
    add("SKIN2_TITLEBAR4", titlePiece(13, 31, 4));
    add("SKIN2_TITLEBAR5", titlePiece(14, 31, 5));
    add("SKIN2_FORMLEFTBORDER", formBorder(5, 6, true));
    add("SKIN2_FORMRIGHTBORDER", formBorder(5, 6, false));
    add("SKIN2_FORMBOTTOMBORDER1", formBottom(180, 5));
    add("SKIN2_MINIMIZEDTITLE", minimizedTitle(160, 27));
    add("SKIN2_TITLEBUTTONS", titleButtons(324, 18));
    add("SKIN2_CHECKEDMENUICON", checkedMenuIcon(16, 16));
    // Silver-white at rest, amber under the mouse, blue when pressed.
    add("SKIN2_BUTTON", strip(278, 25, 3, [&](int w, int h, int i) { return buttonFace(w, h, p, kThreeStates[i]); }));
    add("SKIN2_CHECKBOX", checkBoxes(102, 17, 6));
    add("SKIN2_CHECKBOXLIST", checkBoxes(44, 11, 4));
    add("SKIN2_RADIOBUTTON", radios(68, 17));
    add("SKIN2_PROGRESSBAR1", progressEdge(1, 13));
    add("SKIN2_PROGRESSBAR2", progressChannel(7, 13));
    add("SKIN2_PROGRESSBAR3", progressFill(7, 13));
    add("SKIN2_PROGRESSBAR4", progressEdge(1, 13));
    add("SKIN2_TRACKBAR", trackBar(60, 8, p));
    add("SKIN2_TRACKBARSLIDER", slider(11, 21, p, false));
    add("SKIN2_TRACKBARVSLIDER", slider(21, 11, p, true));
    add("SKIN2_SCROLLBARUPBUTTON", arrowButtons(54, 18, Direction::Up));
    add("SKIN2_SCROLLBAR", thumbTrack(18, 63, p, true, true));
    add("SKIN2_SCROLLBARDOWNBUTTON", arrowButtons(54, 18, Direction::Down));
    add("SKIN2_TABCONTROL", tab(60, 22, p, true));
    add("SKIN2_TABCONTROLLINE", panelGradient(8, 1, rgb(69, 107, 139), rgb(69, 107, 139)));
    add("SKIN2_SIDECHANNELBAR", sideHandle(7, 84, p));
    add("SKIN2_SIDECHANNELTITLE", panelGradient(1, 21, kSkyTop, kSkyBottom));
    add("SKIN2_SCROLLBUTTON", scrollButtons(80, 20));
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_skin OUT_DIR\n");
        return 2;
    }
    // Edge pixels are blended towards the window colour the skin's controls sit on.
    const Rgba matte = rgb(247, 255, 247);
    for (const Picture& pic : drawSkin()) {
        const std::string path = std::string(argv[1]) + "/" + pic.key + ".bmp";
        if (!saveFile(path, pic.raster.encodeBmp24Keyed(keyColour(), matte))) {
            std::fprintf(stderr, "gen_skin: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
