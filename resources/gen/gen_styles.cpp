// Draws the bitmaps of the five built-in UI styles (MacOS, WinXP, DeepBlue, Protein, BlueGlass)
// and the shared scroll-button strip, one uncompressed 24-bit BMP per resource, named as the
// resource. Also writes a resource script fragment that lists them for the program.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "resources/gen/Raster.h"
#include "resources/gen/Widgets.h"

using namespace artwork;

namespace {

struct Size {
    int w, h;
};

struct StyleDef {
    std::string prefix;
    Palette palette;
    Size button, checkbox, radio, titleButtons, titleLeft, titleClient, titleRight, progress, trackBar, slider,
        sliderV, scrollBarButton, scrollBarTrack, checkList;
    Size scrollButton;  // zero when the style uses the shared MORE_SCROLLBUTTON
    Size tab, tabLine, sideHandle, sideBar;
};

Palette macPalette() {
    Palette p;
    p.faceTop = rgb(252, 252, 252), p.faceBottom = rgb(214, 216, 222);
    p.hotTop = rgb(168, 206, 246), p.hotBottom = rgb(62, 136, 222);
    p.downTop = rgb(110, 160, 224), p.downBottom = rgb(38, 96, 188);
    p.frame = rgb(118, 124, 136), p.glyph = rgb(48, 50, 56), p.accent = rgb(57, 115, 196);
    p.panelTop = rgb(236, 236, 236), p.panelBottom = rgb(206, 206, 206);
    p.titleTop = rgb(236, 236, 236), p.titleBottom = rgb(190, 190, 190), p.titleGlyph = rgb(60, 60, 60);
    p.radius = 11;
    return p;
}

Palette xpPalette() {
    Palette p;
    p.faceTop = rgb(255, 255, 255), p.faceBottom = rgb(232, 230, 222);
    p.hotTop = rgb(255, 250, 232), p.hotBottom = rgb(250, 214, 140);
    p.downTop = rgb(224, 222, 212), p.downBottom = rgb(244, 243, 238);
    p.frame = rgb(0, 60, 116), p.glyph = rgb(77, 97, 133), p.accent = rgb(33, 161, 33);
    p.panelTop = rgb(239, 235, 222), p.panelBottom = rgb(222, 219, 206);
    p.titleTop = rgb(10, 96, 232), p.titleBottom = rgb(2, 58, 180), p.titleGlyph = rgb(255, 255, 255);
    p.radius = 3, p.gloss = false;
    return p;
}

Palette deepBluePalette() {
    Palette p;
    p.faceTop = rgb(226, 226, 230), p.faceBottom = rgb(226, 226, 230);
    p.hotTop = rgb(244, 244, 247), p.hotBottom = rgb(244, 244, 247);
    p.downTop = rgb(196, 198, 206), p.downBottom = rgb(196, 198, 206);
    p.frame = rgb(34, 42, 72), p.glyph = rgb(34, 42, 72), p.accent = rgb(68, 74, 160);
    p.panelTop = rgb(236, 237, 242), p.panelBottom = rgb(214, 216, 226);
    p.titleTop = rgb(52, 62, 120), p.titleBottom = rgb(24, 30, 70), p.titleGlyph = rgb(255, 255, 255);
    p.radius = 1, p.gloss = false, p.flat = true;
    return p;
}

Palette proteinPalette() {
    Palette p;
    p.faceTop = rgb(226, 232, 242), p.faceBottom = rgb(174, 188, 210);
    p.hotTop = rgb(242, 246, 252), p.hotBottom = rgb(198, 210, 228);
    p.downTop = rgb(170, 184, 206), p.downBottom = rgb(136, 152, 180);
    p.frame = rgb(92, 106, 134), p.glyph = rgb(26, 44, 110), p.accent = rgb(45, 48, 196);
    p.panelTop = rgb(226, 232, 240), p.panelBottom = rgb(198, 208, 222);
    p.titleTop = rgb(92, 112, 150), p.titleBottom = rgb(56, 72, 108), p.titleGlyph = rgb(255, 255, 255);
    p.radius = 3;
    return p;
}

Palette blueGlassPalette() {
    Palette p;
    p.faceTop = rgb(228, 236, 252), p.faceBottom = rgb(150, 178, 236);
    p.hotTop = rgb(236, 244, 255), p.hotBottom = rgb(120, 170, 250);
    p.downTop = rgb(120, 150, 220), p.downBottom = rgb(80, 110, 200);
    p.frame = rgb(60, 80, 150), p.glyph = rgb(30, 40, 110), p.accent = rgb(94, 94, 236);
    p.panelTop = rgb(232, 238, 250), p.panelBottom = rgb(200, 214, 242);
    p.titleTop = rgb(120, 160, 240), p.titleBottom = rgb(40, 70, 170), p.titleGlyph = rgb(255, 255, 255);
    p.radius = 5;
    return p;
}

const std::vector<StyleDef>& styles() {
    static const std::vector<StyleDef> all = {
        {"MACOS_", macPalette(), {252, 23}, {60, 17}, {64, 17}, {306, 17}, {48, 23}, {49, 23}, {48, 23}, {13, 10},
         {45, 5}, {11, 20}, {19, 11}, {96, 22}, {33, 16}, {40, 11}, {72, 18}, {36, 27}, {17, 7}, {7, 84}, {1, 21}},
        {"WINXP_", xpPalette(), {54, 21}, {52, 13}, {52, 13}, {378, 21}, {35, 29}, {37, 29}, {35, 29}, {6, 10},
         {45, 8}, {11, 21}, {22, 11}, {96, 17}, {21, 16}, {44, 11}, {72, 18}, {18, 18}, {8, 1}, {8, 86}, {1, 21}},
        {"DEEPBLUE_", deepBluePalette(), {222, 21}, {52, 13}, {52, 13}, {342, 19}, {97, 32}, {98, 32}, {97, 32},
         {1, 10}, {45, 4}, {11, 20}, {18, 11}, {96, 16}, {21, 16}, {44, 11}, {0, 0}, {12, 17}, {5, 5}, {8, 83}, {1, 20}},
        {"PROTEIN_", proteinPalette(), {222, 21}, {52, 13}, {52, 13}, {342, 19}, {441, 23}, {1, 23}, {1, 23}, {1, 10},
         {45, 4}, {11, 20}, {18, 11}, {96, 16}, {21, 16}, {44, 11}, {0, 0}, {18, 17}, {10, 5}, {8, 83}, {1, 21}},
        {"BLUEGLASS_", blueGlassPalette(), {231, 27}, {52, 13}, {52, 13}, {342, 19}, {162, 33}, {179, 33}, {101, 33},
         {1, 10}, {45, 4}, {11, 20}, {18, 11}, {102, 16}, {21, 16}, {44, 11}, {0, 0}, {18, 17}, {10, 5}, {8, 86}, {1, 21}},
    };
    return all;
}

struct Picture {
    std::string name;
    Raster raster;
};

constexpr State kThreeStates[] = {State::Normal, State::Hot, State::Down};

Raster threeStateButton(Size s, const Palette& p) {
    return strip(s.w, s.h, 3, [&](int w, int h, int i) { return buttonFace(w, h, p, kThreeStates[i]); });
}

// Normal, hot and pressed frames of the up arrow, then of the down arrow.
Raster scrollBarButtons(Size s, const Palette& p) {
    return strip(s.w, s.h, 6, [&](int w, int h, int i) {
        return arrowButton(w, h, p, kThreeStates[i % 3], i < 3 ? Direction::Up : Direction::Down);
    });
}

// Unchecked and checked, at rest and disabled.
Raster markStrip(Size s, const Palette& p, bool round) {
    return strip(s.w, s.h, 4, [&](int w, int h, int i) {
        const State st = i < 2 ? State::Normal : State::Disabled;
        return round ? radioButton(w, h, p, st, i % 2 == 1) : checkBox(w, h, p, st, i % 2 == 1);
    });
}

Raster titleButtons(Size s, const Palette& p) {
    constexpr TitleGlyph glyphs[] = {TitleGlyph::Close, TitleGlyph::Maximize, TitleGlyph::Restore,
                                     TitleGlyph::Minimize, TitleGlyph::Help, TitleGlyph::Rollup};
    return strip(s.w, s.h, 18, [&](int w, int h, int i) { return titleButton(w, h, p, kThreeStates[i % 3], glyphs[i / 3]); });
}

// MacOS's title buttons are round glass drops: red close, green zoom, amber minimise, graphite
// for the rest; the glyph shows under the mouse and when pressed.
Raster macTitleButtons(Size s) {
    const Rgba tints[6] = {rgb(236, 84, 72), rgb(98, 196, 84), rgb(98, 196, 84),
                           rgb(246, 186, 48), rgb(150, 158, 172), rgb(150, 158, 172)};
    constexpr TitleGlyph glyphs[] = {TitleGlyph::Close, TitleGlyph::Maximize, TitleGlyph::Restore,
                                     TitleGlyph::Minimize, TitleGlyph::Help, TitleGlyph::Rollup};
    return strip(s.w, s.h, 18, [&](int w, int h, int i) {
        const int kind = i / 3, state = i % 3;
        Raster r(w, h);
        const double cx = w / 2.0, cy = h / 2.0, rad = std::min(w, h) / 2.0 - 1;
        const Rgba tint = state == 2 ? mix(tints[kind], rgb(0, 0, 0), 0.25) : tints[kind];
        r.fill(circle(cx, cy, rad), solid(mix(tint, rgb(0, 0, 0), 0.35)));
        r.fill(circle(cx, cy, rad - 1), verticalGradient(cy - rad, mix(tint, rgb(255, 255, 255), 0.25), cy + rad, tint));
        r.fill(circle(cx, cy - rad * 0.45, rad * 0.5), solid(rgb(255, 255, 255, 0.55)));
        if (state > 0)
            r.fill(transformed(titleGlyphShape(w, h, glyphs[kind]), cx, cy, 0, 0.8),
                   solid(mix(tint, rgb(0, 0, 0), 0.6)));
        return r;
    });
}

Raster scrollButtons(Size s, const Palette& p) {
    constexpr Direction dirs[] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};
    return strip(s.w, s.h, 4, [&](int w, int h, int i) { return arrowButton(w, h, p, State::Normal, dirs[i]); });
}

// A tab drawn in three slices (left edge, body, right edge) so it stretches to any caption.
Raster tabPicture(Size s, const Palette& p) { return tab(s.w, s.h, p, true); }

Raster tabLine(Size s, const Palette& p) {
    Raster r(s.w, s.h);
    r.fill(roundedRect(0, 0, s.w, s.h, 0), verticalGradient(0, p.frame, s.h, mix(p.frame, rgb(255, 255, 255), 0.5)));
    return r;
}

// Protein's title is one long gradient picture that fades into the one-pixel client colour.
Raster proteinTitleLeft(Size s, const Palette& p) {
    Raster r(s.w, s.h);
    r.fill(roundedRect(0, 0, s.w, s.h, 0), [&](double x, double y) {
        const Rgba left = mix(p.titleTop, p.titleBottom, y / s.h);
        const Rgba right = mix(rgb(226, 232, 242), rgb(196, 206, 222), y / s.h);
        return mix(left, right, std::min(1.0, x / (s.w * 0.85)));
    });
    r.fill(roundedRect(0, 0, s.w, s.h * 0.45, 0), verticalGradient(0, rgb(255, 255, 255, 0.3), s.h * 0.45, rgb(255, 255, 255, 0.05)));
    r.fill(roundedRect(0, s.h - 1, s.w, s.h, 0), solid(p.frame));
    return r;
}

Raster proteinTitleFill(Size s) {
    Raster r(s.w, s.h);
    r.fill(roundedRect(0, 0, s.w, s.h, 0), verticalGradient(0, rgb(226, 232, 242), s.h, rgb(196, 206, 222)));
    r.fill(roundedRect(0, 0, s.w, s.h * 0.45, 0), verticalGradient(0, rgb(255, 255, 255, 0.3), s.h * 0.45, rgb(255, 255, 255, 0.05)));
    r.fill(roundedRect(0, s.h - 1, s.w, s.h, 0), solid(rgb(92, 106, 134)));
    return r;
}

// DeepBlue's button: flat light grey with a dark frame; the hot frame is lighter.
Raster deepBlueButton(Size s, const Palette& p) {
    return strip(s.w, s.h, 3, [&](int w, int h, int i) {
        Raster r(w, h);
        const Rgba face = i == 1 ? rgb(246, 246, 248) : i == 2 ? rgb(206, 208, 214) : rgb(224, 225, 229);
        r.fill(roundedRect(0, 0, w, h, 0), solid(p.frame));
        r.fill(roundedRect(1, 1, w - 1, h - 1, 0), solid(face));
        r.fill(roundedRect(1, 1, w - 1, 2, 0), solid(rgb(255, 255, 255, i == 2 ? 0.0 : 0.8)));
        return r;
    });
}

// Protein's arrow buttons: a dark blue arrow on a grey-blue gradient square; the second frame of
// each three is lighter (hot), the third darker (pressed).
Raster proteinScrollBarButtons(Size s, const Palette& p) {
    return strip(s.w, s.h, 6, [&](int w, int h, int i) {
        Raster r(w, h);
        const int st = i % 3;
        const double shade = st == 1 ? 0.35 : st == 2 ? -0.18 : 0.0;
        auto tone = [&](Rgba c) { return shade >= 0 ? mix(c, rgb(255, 255, 255), shade) : mix(c, rgb(0, 0, 0), -shade); };
        r.fill(roundedRect(0, 0, w, h, 2), solid(tone(rgb(118, 134, 162))));
        r.fill(roundedRect(1, 1, w - 1, h - 1, 1.5), verticalGradient(0, tone(rgb(222, 230, 242)), h, tone(rgb(160, 176, 202))));
        r.fill(arrowShape(w / 2.0, h / 2.0, 4.0, i < 3 ? Direction::Up : Direction::Down), solid(p.glyph));
        return r;
    });
}

Raster proteinTrack(Size s) {
    Palette p = proteinPalette();
    p.panelTop = rgb(214, 222, 236), p.panelBottom = rgb(188, 200, 220), p.frame = rgb(110, 124, 152);
    return thumbTrack(s.w, s.h, p, false, false);
}

std::vector<Picture> drawStyle(const StyleDef& s) {
    const Palette& p = s.palette;
    const bool protein = s.prefix == "PROTEIN_";
    std::vector<Picture> out;
    auto add = [&](const std::string& name, Raster r) { out.push_back({s.prefix + name, std::move(r)}); };
    add("BUTTON", s.prefix == "DEEPBLUE_" ? deepBlueButton(s.button, p) : threeStateButton(s.button, p));
    add("CHECKBOX", markStrip(s.checkbox, p, false));
    add("RADIOBUTTON", markStrip(s.radio, p, true));
    add("TITLEBTN", s.prefix == "MACOS_" ? macTitleButtons(s.titleButtons) : titleButtons(s.titleButtons, p));
    if (protein) {
        add("TITLE_LEFT", proteinTitleLeft(s.titleLeft, p));
        add("TITLE_CLIENT", proteinTitleFill(s.titleClient));
        add("TITLE_RIGHT", proteinTitleFill(s.titleRight));
    } else {
        add("TITLE_LEFT", titleBarPiece(s.titleLeft.w, s.titleLeft.h, p, true, false));
        add("TITLE_CLIENT", titleBarPiece(s.titleClient.w, s.titleClient.h, p, false, false));
        add("TITLE_RIGHT", titleBarPiece(s.titleRight.w, s.titleRight.h, p, false, true));
    }
    add("PROGRESSBAR", progressTile(s.progress.w, s.progress.h, p));
    add("TRACKBAR_BAR", trackBar(s.trackBar.w, s.trackBar.h, p));
    add("TRACKBAR_SLIDER", slider(s.slider.w, s.slider.h, p, false));
    add("TRACKBAR_SLIDER_V", slider(s.sliderV.w, s.sliderV.h, p, true));
    add("SCROLLBAR_BUTTON", protein ? proteinScrollBarButtons(s.scrollBarButton, p) : scrollBarButtons(s.scrollBarButton, p));
    add("SCROLLBAR_TRACK", protein ? proteinTrack(s.scrollBarTrack) : thumbTrack(s.scrollBarTrack.w, s.scrollBarTrack.h, p, false, false));
    add("CHECKLIST", strip(s.checkList.w, s.checkList.h, 4, [&](int w, int h, int i) {
            return checkBox(w, h, p, i < 2 ? State::Normal : State::Disabled, i % 2 == 1);
        }));
    if (s.scrollButton.w) add("SCROLLBUTTON", scrollButtons(s.scrollButton, p));
    add("TAB", tabPicture(s.tab, p));
    add("TAB_LINE", tabLine(s.tabLine, p));
    add("SIDECHENNEL_HANDLE", sideHandle(s.sideHandle.w, s.sideHandle.h, p));
    add("SIDECHENNEL_BAR", panelGradient(s.sideBar.w, s.sideBar.h, p.panelTop, p.panelBottom));
    return out;
}

// Pictures the resources carry although no style item names them.
std::vector<Picture> drawExtras() {
    const Palette mac = macPalette(), xp = xpPalette(), protein = proteinPalette();
    std::vector<Picture> out;
    out.push_back({"MACOS_COMBOBOX_BUTTON", arrowButton(17, 20, mac, State::Normal, Direction::Down)});
    out.push_back({"MACOS_FORM_BACKGROUND", pinstripe(32, 32, rgb(238, 238, 238), rgb(231, 231, 231))});
    out.push_back({"MACOS_MENU_BAR", panelGradient(1, 22, rgb(250, 250, 250), rgb(214, 214, 214))});
    out.push_back({"MACOS_MENU_SELECT", panelGradient(1, 18, rgb(96, 150, 230), rgb(40, 96, 204))});
    out.push_back({"PROTEIN_FORM_BACKGROUND", panelGradient(32, 32, protein.panelTop, rgb(236, 240, 246))});
    out.push_back({"WINXP_COMBOBOX_BUTTON", arrowButton(17, 21, xp, State::Normal, Direction::Down)});
    // Shared by DeepBlue, Protein and BlueGlass: left, right, up and down.
    out.push_back({"MORE_SCROLLBUTTON", scrollButtons({72, 17}, protein)});
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: gen_styles OUT_DIR OUT.rc\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::ofstream rc(argv[2]);
    rc << "// Bitmaps of the built-in UI styles, loaded by name.\n";
    std::vector<Picture> all;
    for (const StyleDef& s : styles())
        for (Picture& p : drawStyle(s)) all.push_back(std::move(p));
    for (Picture& p : drawExtras()) all.push_back(std::move(p));
    for (const Picture& p : all) {
        const std::string path = dir + "/" + p.name + ".bmp";
        if (!saveFile(path, p.raster.encodeBmp24Keyed(keyColour(), rgb(240, 240, 240)))) {
            std::fprintf(stderr, "gen_styles: cannot write %s\n", path.c_str());
            return 1;
        }
        rc << p.name << " BITMAP \"" << path << "\"\n";
    }
    return rc ? 0 : 1;
}
