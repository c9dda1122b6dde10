#include "skinctrls/SUIPublic.h"

#include <algorithm>

namespace trimwell {

std::vector<TRect> RegionStrips(const Bitmap& picture, TColor transparent) {
    std::vector<TRect> strips;
    const int w = picture.Width(), h = picture.Height();
    if (w <= 0 || h <= 0) return strips;
    // Compared in the pixels' own layout, without their fourth byte; a colour with bits above
    // 0x00FFFFFF (a system colour, no colour) can equal no pixel.
    const bool matchable = (transparent & 0xFF000000u) == 0;
    const std::uint32_t key = ColorRefToPixel(transparent);
    for (int y = 0; y < h; ++y) {
        if (!matchable) {
            strips.push_back({0, y, w, y + 1});
            continue;
        }
        const std::uint32_t* row = picture.Row(y);
        int x = 0;
        while (x < w) {
            while (x < w && (row[x] & 0x00FFFFFFu) == key) ++x;
            const int start = x;
            while (x < w && (row[x] & 0x00FFFFFFu) != key) ++x;
            if (x > start) strips.push_back({start, y, x, y + 1});
        }
    }
    return strips;
}

namespace {

int clampSize(int v) { return std::max(v, 0); }

// A band of the source cut to `size` along one axis, keeping the named side.
TRect keepSide(TRect band, int width, int height, TCropSide side) {
    switch (side) {
        case TCropSide::Left: band.right = band.left + std::min(band.Width(), width); break;
        case TCropSide::Right: band.left = band.right - std::min(band.Width(), width); break;
        case TCropSide::Top: band.bottom = band.top + std::min(band.Height(), height); break;
        case TCropSide::Bottom: band.top = band.bottom - std::min(band.Height(), height); break;
        case TCropSide::None: break;
    }
    return band;
}

}  // namespace

std::vector<TNineSliceStep> PlanNineSlice(int W, int H, const TRect& D) {
    const int a = W / 2, b = H / 2;
    const int DW = D.Width(), DH = D.Height(), p = DW / 2, q = DH / 2;

    // Corners: the smaller of the source corner and the destination quarter, cut from the outer
    // corner of the source and drawn at the outer corner of the destination.
    const int tlW = clampSize(std::min(a, p)), tlH = clampSize(std::min(b, q));
    const int blW = clampSize(std::min(a, p)), blH = clampSize(std::min(b - 1, q - 1));
    const int trW = clampSize(std::min(a - 1, p - 1)), trH = clampSize(std::min(b, q));
    const int brW = clampSize(std::min(a - 1, p - 1)), brH = clampSize(std::min(b - 1, q - 1));
    const TRect TL{0, 0, tlW, tlH};
    const TRect BL{0, D.bottom - blH, blW, D.bottom};
    const TRect TR{D.right - trW, 0, D.right, trH};
    const TRect BR{D.right - brW, D.bottom - brH, D.right, D.bottom};

    // Bands of very small images (one or two pixels across) reach past the image's edge; only
    // what lies on the image is read.
    const auto onImage = [W, H](TRect r) {
        return TRect{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, W), std::min(r.bottom, H)};
    };
    std::vector<TNineSliceStep> steps;
    const auto corner = [&](TNineSlicePiece piece, TRect source, const TRect& drawn) {
        if (drawn.Empty() || onImage(source).Empty()) return;
        steps.push_back({piece, true, onImage(source), drawn, TCropSide::None});
    };
    // Edges and centre: the source band, cut to the destination across the stretch, kept on its
    // outer side; drawn stretched over the destination.
    const auto edge = [&](TNineSlicePiece piece, TRect band, const TRect& dest, TCropSide kept) {
        if (dest.Empty()) return;
        const TRect source = onImage(keepSide(band, dest.Width(), dest.Height(), kept));
        if (source.Empty()) return;
        steps.push_back({piece, false, source, dest, kept});
    };

    corner(TNineSlicePiece::TopLeft, {0, 0, tlW, tlH}, TL);
    corner(TNineSlicePiece::BottomLeft, {0, H - blH, blW, H}, BL);
    edge(TNineSlicePiece::LeftEdge, {0, b, a, H - b}, {0, TL.bottom, TL.right, BL.top}, TCropSide::Left);
    corner(TNineSlicePiece::TopRight, {W - trW, 0, W, trH}, TR);
    corner(TNineSlicePiece::BottomRight, {W - brW, H - brH, W, H}, BR);
    edge(TNineSlicePiece::RightEdge, {W - a + 1, H - b, W, b + 2}, {TR.left, TR.bottom, TR.right, BR.top},
         TCropSide::Right);
    edge(TNineSlicePiece::TopEdge, {a, 0, W - a + 1, b}, {TL.right, 0, TR.left, TL.bottom}, TCropSide::Top);
    edge(TNineSlicePiece::Centre, {a, b, W - a + 1, H - b}, {TL.right, TL.bottom, TR.left, BR.top - 1},
         TCropSide::None);
    edge(TNineSlicePiece::BottomEdge, {a, H - b, W - a + 1, H}, {TL.right - 1, BL.top - 1, BR.left, BR.bottom},
         TCropSide::Bottom);
    return steps;
}

void RenderNineSlice(const Bitmap& source, Bitmap& canvas, const TRect& dest, bool transparent) {
    const std::uint32_t key = ColorRefToPixel(kSkinKeyColor);
    for (const TNineSliceStep& step : PlanNineSlice(source.Width(), source.Height(), dest)) {
        const bool keyed = !step.corner || transparent;
        const TRect& s = step.source;
        const TRect& d = step.dest;
        for (int y = std::max(d.top, 0); y < std::min(d.bottom, canvas.Height()); ++y) {
            const int sy = s.top + (y - d.top) * s.Height() / d.Height();
            for (int x = std::max(d.left, 0); x < std::min(d.right, canvas.Width()); ++x) {
                const int sx = s.left + (x - d.left) * s.Width() / d.Width();
                const std::uint32_t pixel = source.Pixel(sx, sy);
                if (keyed && (pixel & 0x00FFFFFFu) == key) continue;
                canvas.SetPixel(x, y, pixel);
            }
        }
    }
}

TGlyphLayout LayoutGlyph(TButtonLayout layout, int bw, int bh, int gw, int gh, int tw, int th, int s) {
    TGlyphLayout g;
    g.twoImages = gh > 0 && gw == 2 * gh;
    if (g.twoImages) gw = gh;
    g.glyphWidth = gw;
    switch (layout) {
        case TButtonLayout::blGlyphLeft:
            g.glyphX = (bw - gw - tw - s) / 2;
            g.glyphY = (bh - gh) / 2;
            g.textX = g.glyphX + gw + s;
            g.textY = (bh - th) / 2;
            break;
        case TButtonLayout::blGlyphRight:
            g.glyphX = (bw + tw + s - gw) / 2;
            g.glyphY = (bh - gh) / 2;
            g.textX = g.glyphX - tw - s;
            g.textY = (bh - th) / 2;
            break;
        case TButtonLayout::blGlyphTop:
            g.glyphX = (bw - gw) / 2;
            g.glyphY = (bh - th - gh - s) / 2;
            g.textX = (bw - tw) / 2;
            g.textY = g.glyphY + gh + s;
            break;
        case TButtonLayout::blGlyphBottom:
            g.glyphX = (bw - gw) / 2;
            g.glyphY = (bh + th + s - gh) / 2;
            g.textX = (bw - tw) / 2;
            g.textY = g.glyphY - th - s;
            break;
    }
    return g;
}

char AcceleratorChar(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

TRect CentreIn(const TRect& r, const TRect& measured) {
    const int dx = (r.Width() - measured.Width()) / 2, dy = (r.Height() - measured.Height()) / 2;
    return {measured.left + dx, measured.top + dy, measured.right + dx, measured.bottom + dy};
}

}  // namespace trimwell
