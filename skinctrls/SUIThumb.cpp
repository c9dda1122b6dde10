#include "skinctrls/SUIThumb.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace trimwell {

void RotateLeft(Bitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height();
    Bitmap turned(h, w);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) turned.SetPixel(y, w - 1 - x, bitmap.Pixel(x, y));
    turned.SetSourceBitsPerPixel(bitmap.SourceBitsPerPixel());
    bitmap = std::move(turned);
}

void RotateRight(Bitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height();
    Bitmap turned(h, w);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) turned.SetPixel(h - 1 - y, x, bitmap.Pixel(x, y));
    turned.SetSourceBitsPerPixel(bitmap.SourceBitsPerPixel());
    bitmap = std::move(turned);
}

namespace {

// A picture seen along and across a bar: "along" is y for a vertical bar and x for a horizontal
// one, so one composition serves both.
class AxisView {
public:
    AxisView(const Bitmap& b, bool vertical) : b_(b), vertical_(vertical) {}
    int Length() const { return vertical_ ? b_.Height() : b_.Width(); }
    int Thickness() const { return vertical_ ? b_.Width() : b_.Height(); }
    std::uint32_t At(int across, int along) const { return vertical_ ? b_.Pixel(across, along) : b_.Pixel(along, across); }

private:
    const Bitmap& b_;
    bool vertical_;
};

class ThumbCanvas {
public:
    ThumbCanvas(int thickness, int length, bool vertical)
        : bitmap_(vertical ? thickness : length, vertical ? length : thickness), vertical_(vertical),
          thickness_(thickness), length_(length) {}

    // Source rows [from, to) of `piece` to rows [at, at + to - from) of the thumb, unscaled.
    void Copy(const AxisView& piece, int from, int to, int at) {
        for (int along = from; along < to; ++along) copyRow(piece, along, at + along - from);
    }

    // Source rows [from, to) spread over rows [at, end) of the thumb. Plain stretching repeats or
    // drops rows; halftone stretching averages the source rows each thumb row covers.
    void Stretch(const AxisView& piece, int from, int to, int at, int end, bool halftone) {
        from = std::max(from, 0);
        to = std::min(to, piece.Length());
        const int sourceLength = to - from, targetLength = end - at;
        if (sourceLength <= 0 || targetLength <= 0) return;
        for (int i = 0; i < targetLength; ++i) {
            const int row = at + i;
            if (row < 0 || row >= length_) continue;
            if (!halftone) {
                copyRow(piece, from + static_cast<int>(std::int64_t{i} * sourceLength / targetLength), row);
                continue;
            }
            averageRows(piece, from, std::int64_t{i} * sourceLength, std::int64_t{i + 1} * sourceLength, targetLength,
                        row);
        }
    }

    Bitmap Take() { return std::move(bitmap_); }

private:
    void put(int across, int along, std::uint32_t pixel) {
        if (vertical_)
            bitmap_.SetPixel(across, along, pixel);
        else
            bitmap_.SetPixel(along, across, pixel);
    }

    void copyRow(const AxisView& piece, int sourceRow, int targetRow) {
        if (sourceRow < 0 || sourceRow >= piece.Length() || targetRow < 0 || targetRow >= length_) return;
        const int across = std::min(thickness_, piece.Thickness());
        for (int a = 0; a < across; ++a) put(a, targetRow, piece.At(a, sourceRow));
    }

    // The thumb row covers source rows from `begin` / `scale` to `end` / `scale` (relative to
    // `from`); each source row counts with the share of it that lies inside.
    void averageRows(const AxisView& piece, int from, std::int64_t begin, std::int64_t end, int scale, int targetRow) {
        const int across = std::min(thickness_, piece.Thickness());
        for (int a = 0; a < across; ++a) {
            std::int64_t sum[4] = {0, 0, 0, 0};
            for (std::int64_t s = begin / scale; s * scale < end; ++s) {
                const std::int64_t weight = std::min(end, (s + 1) * scale) - std::max(begin, s * scale);
                const std::uint32_t p = piece.At(a, from + static_cast<int>(s));
                for (int c = 0; c < 4; ++c) sum[c] += weight * ((p >> (8 * c)) & 0xFFu);
            }
            const std::int64_t total = end - begin;
            std::uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c) pixel |= static_cast<std::uint32_t>((sum[c] + total / 2) / total) << (8 * c);
            put(a, targetRow, pixel);
        }
    }

    Bitmap bitmap_;
    bool vertical_;
    int thickness_, length_;
};

// The three rows at each end of a file theme's thumb keep the caps' own pixels.
constexpr int kThemeCapRows = 3;

void composeBuiltIn(ThumbCanvas& thumb, const AxisView& start, const AxisView& middle, const AxisView& end, int length) {
    thumb.Copy(start, 0, start.Length(), 0);
    thumb.Copy(end, 0, end.Length(), length - end.Length());
    thumb.Stretch(middle, 0, middle.Length(), start.Length(), length - end.Length(), false);
}

void composeFromTheme(ThumbCanvas& thumb, const AxisView& start, const AxisView& middle, const AxisView& end,
                      int length) {
    const int k = kThemeCapRows;
    thumb.Copy(start, 0, start.Length(), 0);
    thumb.Copy(end, end.Length() - k, end.Length(), length - k);
    if (length - 2 * k < middle.Length()) {
        thumb.Stretch(middle, 0, middle.Length(), k, length - k, true);
        return;
    }
    const int m = (length - middle.Length() - 2 * k) / 2 + k;
    thumb.Copy(middle, 0, middle.Length(), m);
    thumb.Stretch(start, k, start.Length(), k, m, true);
    thumb.Stretch(end, 0, end.Length() - k, m + middle.Length(), length - k, true);
}

}  // namespace

Bitmap ComposeThumb(const Bitmap& startCap, const Bitmap& middle, const Bitmap& endCap, int length,
                    TsuiProgressBarOrientation orientation, TsuiThumbSource source) {
    const bool vertical = orientation == TsuiProgressBarOrientation::suiVertical;
    const AxisView start(startCap, vertical), mid(middle, vertical), end(endCap, vertical);
    const int thickness = start.Thickness();
    if (length <= 0 || thickness <= 0) return Bitmap();
    ThumbCanvas thumb(thickness, std::min(length, Bitmap::kMaxSide), vertical);
    length = std::min(length, Bitmap::kMaxSide);
    if (source == TsuiThumbSource::BuiltInStyle)
        composeBuiltIn(thumb, start, mid, end, length);
    else
        composeFromTheme(thumb, start, mid, end, length);
    return thumb.Take();
}

}  // namespace trimwell
