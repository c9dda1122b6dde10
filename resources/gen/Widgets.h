#pragma once
// Control pictures shared by the embedded skin and the five built-in styles: one set of drawing
// routines, coloured by a palette, so every picture of a look belongs to the same family.
#include <functional>
#include <string>
#include <vector>

#include "resources/gen/Raster.h"

namespace artwork {

struct Palette {
    Rgba faceTop, faceBottom;  // a control face at rest
    Rgba hotTop, hotBottom;    // under the mouse
    Rgba downTop, downBottom;  // pressed
    Rgba frame;                // outlines
    Rgba glyph;                // arrows, marks
    Rgba accent;               // check marks, progress, selection
    Rgba panelTop, panelBottom;  // tracks, bars, channels
    Rgba titleTop, titleBottom;  // title bar
    Rgba titleGlyph;
    double radius = 3;      // corner radius of push buttons
    bool gloss = true;      // a soft highlight over the upper half of faces
    bool flat = false;      // faces without gradient: the middle state is simply lighter
};

enum class State { Normal, Hot, Down, Disabled };
enum class Direction { Up, Down, Left, Right };
enum class TitleGlyph { Close, Maximize, Restore, Minimize, Help, Rollup };

// The transparent key of skin pictures; pixels less than half covered take it exactly.
Rgba keyColour();

// Lays `count` frames of equal width (total width / count) side by side; the last one is flush
// with the right edge, so a remainder column stays transparent in the middle, never at the end.
Raster strip(int width, int height, int count, const std::function<Raster(int w, int h, int index)>& frame);

Raster buttonFace(int w, int h, const Palette& p, State s);
Raster arrowButton(int w, int h, const Palette& p, State s, Direction d);
Raster checkBox(int w, int h, const Palette& p, State s, bool checked);
Raster radioButton(int w, int h, const Palette& p, State s, bool checked);
Raster titleButton(int w, int h, const Palette& p, State s, TitleGlyph g);
Shape titleGlyphShape(int w, int h, TitleGlyph g);  // centred in a w x h frame
Raster titleBarPiece(int w, int h, const Palette& p, bool roundLeft, bool roundRight);
Raster progressTile(int w, int h, const Palette& p);
Raster trackBar(int w, int h, const Palette& p);
Raster slider(int w, int h, const Palette& p, bool vertical);
// Three equal slices along the length: start cap, body, end cap. The grip marks suit a body that
// is drawn unscaled; a body that is stretched goes without.
Raster thumbTrack(int w, int h, const Palette& p, bool vertical, bool grip);
Raster tab(int w, int h, const Palette& p, bool active);
Raster panelGradient(int w, int h, const Rgba& top, const Rgba& bottom);
Raster sideHandle(int w, int h, const Palette& p);
Raster pinstripe(int w, int h, const Rgba& a, const Rgba& b);

Shape arrowShape(double cx, double cy, double size, Direction d);

// The program's emblem: an aircraft seen from above, nose up, in a box of side `s` at the origin.
Shape aircraftShape(double s);

}  // namespace artwork
