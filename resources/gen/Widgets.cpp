#include "resources/gen/Widgets.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

struct Pair {
    Rgba top, bottom;
};

Pair faceColours(const Palette& p, State s) {
    switch (s) {
        case State::Hot: return {p.hotTop, p.hotBottom};
        case State::Down: return {p.downTop, p.downBottom};
        case State::Disabled: return {mix(p.faceTop, rgb(200, 200, 200), 0.5), mix(p.faceBottom, rgb(200, 200, 200), 0.5)};
        case State::Normal: break;
    }
    return {p.faceTop, p.faceBottom};
}

Rgba withAlpha(Rgba c, double a) {
    c.a = a;
    return c;
}

// The rounded face every button-like picture shares: frame, gradient body and optional gloss.
void paintFace(Raster& r, double x0, double y0, double x1, double y1, double radius, const Palette& p, State s) {
    const Pair c = faceColours(p, s);
    r.fill(roundedRect(x0, y0, x1, y1, radius), solid(p.frame));
    const double in = 1.0;
    const Shape body = roundedRect(x0 + in, y0 + in, x1 - in, y1 - in, std::max(0.0, radius - in));
    if (p.flat)
        r.fill(body, solid(c.top));
    else
        r.fill(body, verticalGradient(y0, c.top, y1, c.bottom));
    if (p.gloss && s != State::Disabled) {
        const double mid = y0 + (y1 - y0) * 0.48;
        r.fill(roundedRect(x0 + 2, y0 + 1.5, x1 - 2, mid, std::max(0.0, radius - 1.5)),
               verticalGradient(y0, rgb(255, 255, 255, 0.75), mid, rgb(255, 255, 255, 0.15)));
    }
    if (s == State::Down)  // pressed faces sink: a soft inner shadow along the top
        r.fill(roundedRect(x0 + in, y0 + in, x1 - in, y0 + in + 2, std::max(0.0, radius - in)),
               solid(rgb(0, 0, 0, 0.12)));
}

}  // namespace

Rgba keyColour() { return rgb(255, 0, 255); }

Raster strip(int width, int height, int count, const std::function<Raster(int w, int h, int index)>& frame) {
    Raster out(width, height);
    const int w = width / count;
    for (int i = 0; i < count; ++i) out.draw(frame(w, height, i), i == count - 1 ? width - w : i * w, 0);
    return out;
}

Shape arrowShape(double cx, double cy, double size, Direction d) {
    const double a = size, b = size * 0.8;
    switch (d) {
        case Direction::Up: return polygon({{cx - a, cy + b / 2}, {cx, cy - b / 2 - 0.5}, {cx + a, cy + b / 2}});
        case Direction::Down: return polygon({{cx - a, cy - b / 2}, {cx + a, cy - b / 2}, {cx, cy + b / 2 + 0.5}});
        case Direction::Left: return polygon({{cx + b / 2, cy - a}, {cx + b / 2, cy + a}, {cx - b / 2 - 0.5, cy}});
        case Direction::Right: return polygon({{cx - b / 2, cy - a}, {cx + b / 2 + 0.5, cy}, {cx - b / 2, cy + a}});
    }
    return polygon({});
}

Shape aircraftShape(double s) {
    auto p = [s](std::vector<std::pair<double, double>> pts) {
        for (auto& [x, y] : pts) x *= s, y *= s;
        return polygon(std::move(pts));
    };
    Shape fuselage = unite(roundedRect(0.455 * s, 0.10 * s, 0.545 * s, 0.86 * s, 0.045 * s),
                           p({{0.46, 0.2}, {0.5, 0.08}, {0.54, 0.2}}));
    Shape wings = p({{0.46, 0.36}, {0.08, 0.52}, {0.08, 0.585}, {0.46, 0.52}, {0.54, 0.52}, {0.92, 0.585},
                     {0.92, 0.52}, {0.54, 0.36}});
    Shape tail = p({{0.47, 0.72}, {0.30, 0.80}, {0.30, 0.85}, {0.5, 0.83}, {0.70, 0.85}, {0.70, 0.80}, {0.53, 0.72}});
    return unite(fuselage, unite(wings, tail));
}

Raster buttonFace(int w, int h, const Palette& p, State s) {
    Raster r(w, h);
    paintFace(r, 0, 0, w, h, std::min(p.radius, h / 2.0), p, s);
    return r;
}

Raster arrowButton(int w, int h, const Palette& p, State s, Direction d) {
    Raster r(w, h);
    paintFace(r, 0, 0, w, h, std::min(p.radius, 3.0), p, s);
    const double size = std::min(w, h) * 0.24;
    const Rgba glyph = s == State::Disabled ? withAlpha(p.glyph, 0.4) : p.glyph;
    r.fill(arrowShape(w / 2.0, h / 2.0 + (s == State::Down ? 0.5 : 0), size, d), solid(glyph));
    return r;
}

Raster checkBox(int w, int h, const Palette& p, State s, bool checked) {
    Raster r(w, h);
    const double side = std::min(w, h) - 1.0;
    const double x0 = (w - side) / 2, y0 = (h - side) / 2;
    paintFace(r, x0, y0, x0 + side, y0 + side, 2, p, s);
    if (checked) {
        const double u = side / 13.0;
        auto pt = [&](double x, double y) { return std::pair{x0 + x * u, y0 + y * u}; };
        r.fill(polygon({pt(2.6, 6.4), pt(4.0, 5.0), pt(5.6, 6.8), pt(9.6, 2.6), pt(11.0, 4.0), pt(5.6, 9.8)}),
               solid(s == State::Disabled ? withAlpha(p.accent, 0.45) : p.accent));
    }
    return r;
}

Raster radioButton(int w, int h, const Palette& p, State s, bool checked) {
    Raster r(w, h);
    const double d = std::min(w, h) - 1.0;
    const double cx = w / 2.0, cy = h / 2.0;
    paintFace(r, cx - d / 2, cy - d / 2, cx + d / 2, cy + d / 2, d / 2, p, s);
    if (checked)
        r.fill(circle(cx, cy, d * 0.2), solid(s == State::Disabled ? withAlpha(p.accent, 0.45) : p.accent));
    return r;
}

Shape titleGlyphShape(int w, int h, TitleGlyph g) {
    const double u = std::min(w, h) / 16.0, cx = w / 2.0, cy = h / 2.0;
    auto box = [&](double x0, double y0, double x1, double y1) {
        return roundedRect(cx + x0 * u, cy + y0 * u, cx + x1 * u, cy + y1 * u, 0);
    };
    switch (g) {
        case TitleGlyph::Close: {
            const Shape bar = box(-5, -1, 5, 1);
            return unite(transformed(bar, cx, cy, 0.785398, 1.0), transformed(bar, cx, cy, -0.785398, 1.0));
        }
        case TitleGlyph::Maximize: return subtract(box(-4.5, -4.5, 4.5, 4.5), box(-3, -2, 3, 3));
        case TitleGlyph::Restore:
            return unite(subtract(box(-4.5, -1.5, 2, 4.5), box(-3, 0.5, 0.5, 3)),
                         subtract(box(-2, -4.5, 4.5, 1.5), unite(box(-0.5, -2.5, 3, 0), box(-4.5, -1.5, 2, 4.5))));
        case TitleGlyph::Minimize: return box(-4, 2.5, 4, 4.5);
        case TitleGlyph::Help:
            return unite(subtract(circle(cx, cy - 1.5 * u, 3.4 * u),
                                  unite(circle(cx, cy - 1.5 * u, 1.7 * u), box(-4, -1.5, -0.5, 2))),
                         unite(box(-0.9, 0.5, 0.9, 2.2), circle(cx, cy + 4 * u, 1.1 * u)));
        case TitleGlyph::Rollup: return arrowShape(cx, cy, 4 * u, Direction::Up);
    }
    return polygon({});
}

Raster titleButton(int w, int h, const Palette& p, State s, TitleGlyph g) {
    Raster r(w, h);
    paintFace(r, 0.5, 0.5, w - 0.5, h - 0.5, std::min(p.radius, 3.0), p, s);
    r.fill(titleGlyphShape(w, h, g), solid(s == State::Disabled ? withAlpha(p.glyph, 0.4) : p.glyph));
    return r;
}

Raster titleBarPiece(int w, int h, const Palette& p, bool roundLeft, bool roundRight) {
    Raster r(w, h);
    const double rad = 6;
    const Shape body = [=](double x, double y) {
        const bool inLeft = roundLeft && x < rad && y < rad;
        const bool inRight = roundRight && x > w - rad && y < rad;
        if (!inLeft && !inRight) return true;
        const double cx = inLeft ? rad : w - rad;
        return (x - cx) * (x - cx) + (y - rad) * (y - rad) <= rad * rad;
    };
    r.fill(body, verticalGradient(0, p.titleTop, h, p.titleBottom));
    r.fill([&](double x, double y) { return body(x, y) && y < h * 0.45; },
           verticalGradient(0, rgb(255, 255, 255, 0.35), h * 0.45, rgb(255, 255, 255, 0.05)));
    r.fill([&](double x, double y) { return body(x, y) && !body(x, y - 1.0) && y < rad + 1; }, solid(rgb(255, 255, 255, 0.5)));
    r.fill(roundedRect(0, h - 1, w, h, 0), solid(withAlpha(p.frame, 0.6)));
    return r;
}

Raster progressTile(int w, int h, const Palette& p) {
    Raster r(w, h);
    r.fill(roundedRect(0, 0, w, h, 0), verticalGradient3(0, mix(p.accent, rgb(255, 255, 255), 0.55), h * 0.45,
                                                          p.accent, h, mix(p.accent, rgb(0, 0, 0), 0.15)));
    if (w > 3) r.fill(roundedRect(w - 1, 0, w, h, 0), solid(rgb(255, 255, 255, 0.6)));
    return r;
}

Raster trackBar(int w, int h, const Palette& p) {
    Raster r(w, h);
    r.fill(roundedRect(0, 0, w, h, h / 2.0), solid(p.frame));
    r.fill(roundedRect(1, 1, w - 1, h - 1, std::max(0.0, h / 2.0 - 1)),
           verticalGradient(0, mix(p.panelBottom, rgb(0, 0, 0), 0.12), h, p.panelTop));
    return r;
}

Raster slider(int w, int h, const Palette& p, bool vertical) {
    Raster r(w, h);
    // A pointer-shaped thumb: rounded body with a tip towards the track's ticks.
    Shape body = vertical ? unite(roundedRect(0.5, 0.5, w - h / 2.0, h - 0.5, 2),
                                  polygon({{w - h / 2.0 - 1, 0.5}, {w - 0.5, h / 2.0}, {w - h / 2.0 - 1, h - 0.5}}))
                          : unite(roundedRect(0.5, 0.5, w - 0.5, h - w / 2.0, 2),
                                  polygon({{0.5, h - w / 2.0 - 1}, {w - 0.5, h - w / 2.0 - 1}, {w / 2.0, h - 0.5}}));
    r.fill(body, solid(p.frame));
    Shape inner = [=](double x, double y) {
        return body(x - 1, y) && body(x + 1, y) && body(x, y - 1) && body(x, y + 1);
    };
    r.fill(inner, vertical ? horizontalGradient(0, p.faceTop, w, p.faceBottom) : verticalGradient(0, p.faceTop, h, p.faceBottom));
    if (p.gloss)
        r.fill([=](double x, double y) { return inner(x, y) && (vertical ? y < h * 0.45 : x < w * 0.45); },
               solid(rgb(255, 255, 255, 0.45)));
    return r;
}

Raster thumbTrack(int w, int h, const Palette& p, bool vertical, bool grip) {
    Raster r(w, h);
    const double len = vertical ? h : w;
    // Three slices: start cap, a body that is stretched, end cap.
    auto piece = [&](double a0, double a1, bool capStart, bool capEnd) {
        const double r0 = 2.5;
        const double x0 = vertical ? 0 : a0, x1 = vertical ? w : a1;
        const double y0 = vertical ? a0 : 0, y1 = vertical ? a1 : h;
        Shape s = roundedRect(x0 - (capStart ? 0 : r0 + 1), y0, x1 + (capEnd ? 0 : r0 + 1), y1, r0);
        if (vertical) s = roundedRect(x0, y0 - (capStart ? 0 : r0 + 1), x1, y1 + (capEnd ? 0 : r0 + 1), r0);
        const Shape clip = vertical ? roundedRect(0, a0, w, a1, 0) : roundedRect(a0, 0, a1, h, 0);
        r.fill([=](double x, double y) { return s(x, y) && clip(x, y); }, solid(p.frame));
        const Shape in = vertical ? roundedRect(1, y0 - (capStart ? -1 : r0 + 1), w - 1, y1 + (capEnd ? -1 : r0 + 1), r0 - 1)
                                  : roundedRect(x0 - (capStart ? -1 : r0 + 1), 1, x1 + (capEnd ? -1 : r0 + 1), h - 1, r0 - 1);
        r.fill([=](double x, double y) { return in(x, y) && clip(x, y); },
               vertical ? horizontalGradient(0, p.panelTop, w, p.panelBottom) : verticalGradient(0, p.panelTop, h, p.panelBottom));
    };
    const double third = std::floor(len / 3);
    piece(0, third, true, false);
    piece(third, len - third, false, false);
    piece(len - third, len, false, true);
    for (int i = -1; i <= 1 && grip; ++i) {
        const double c = len / 2 + i * 2;
        const Shape line = vertical ? roundedRect(3, c - 0.5, w - 3, c + 0.5, 0) : roundedRect(c - 0.5, 3, c + 0.5, h - 3, 0);
        r.fill(line, solid(withAlpha(p.glyph, 0.45)));
    }
    return r;
}

Raster tab(int w, int h, const Palette& p, bool active) {
    Raster r(w, h);
    const double rad = std::min(4.0, w / 3.0);
    r.fill(roundedRect(0, 0, w, h + rad, rad), solid(p.frame));
    r.fill(roundedRect(1, 1, w - 1, h + rad, std::max(0.0, rad - 1)),
           active ? verticalGradient(0, rgb(255, 255, 255), h, p.faceTop) : verticalGradient(0, p.faceTop, h, p.faceBottom));
    if (active) r.fill(roundedRect(1, 1, w - 1, 3, 1), solid(p.accent));
    return r;
}

Raster panelGradient(int w, int h, const Rgba& top, const Rgba& bottom) {
    Raster r(w, h);
    r.fill(roundedRect(0, 0, w, h, 0), verticalGradient(0, top, h, bottom));
    return r;
}

Raster sideHandle(int w, int h, const Palette& p) {
    Raster r(w, h);
    r.fill(roundedRect(0, 0, w, h, 2), solid(p.frame));
    r.fill(roundedRect(1, 1, w - 1, h - 1, 1.5), horizontalGradient(0, p.faceTop, w, p.faceBottom));
    for (int i = -3; i <= 3; ++i) r.fill(circle(w / 2.0, h / 2.0 + i * 4, 1.0), solid(withAlpha(p.glyph, 0.6)));
    r.fill(arrowShape(w / 2.0, 8, w * 0.25, Direction::Right), solid(p.glyph));
    r.fill(arrowShape(w / 2.0, h - 8, w * 0.25, Direction::Right), solid(p.glyph));
    return r;
}

Raster pinstripe(int w, int h, const Rgba& a, const Rgba& b) {
    Raster r(w, h);
    r.fill(roundedRect(0, 0, w, h, 0), [=](double, double y) { return (static_cast<int>(y) / 2) % 2 ? b : a; });
    return r;
}

}  // namespace artwork
