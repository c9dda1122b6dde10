#include "resources/gen/Raster.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace artwork {

namespace {

void put16(std::vector<unsigned char>& b, unsigned v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
void put32(std::vector<unsigned char>& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

unsigned char to8(double v) { return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

void putInfoHeader(std::vector<unsigned char>& b, int w, int h, int bits, std::uint32_t imageSize) {
    put32(b, 40);
    put32(b, static_cast<std::uint32_t>(w));
    put32(b, static_cast<std::uint32_t>(h));
    put16(b, 1);
    put16(b, static_cast<unsigned>(bits));
    put32(b, 0);
    put32(b, imageSize);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
}

}  // namespace

bool saveFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

Rgba mix(const Rgba& a, const Rgba& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba rgb(int r, int g, int b, double a) { return {r / 255.0, g / 255.0, b / 255.0, a}; }

Shape roundedRect(double x0, double y0, double x1, double y1, double radius) {
    return [=](double x, double y) {
        if (x < x0 || x > x1 || y < y0 || y > y1) return false;
        const double cx = std::clamp(x, x0 + radius, x1 - radius);
        const double cy = std::clamp(y, y0 + radius, y1 - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
}

Shape circle(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape polygon(std::vector<std::pair<double, double>> pts) {
    return [pts = std::move(pts)](double x, double y) {
        bool inside = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const auto [xi, yi] = pts[i];
            const auto [xj, yj] = pts[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
        }
        return inside;
    };
}

Shape unite(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) || b(x, y); };
}

Shape subtract(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

Shape transformed(Shape s, double cx, double cy, double angle, double scale) {
    const double c = std::cos(-angle), sn = std::sin(-angle);
    return [=](double x, double y) {
        const double dx = (x - cx) / scale, dy = (y - cy) / scale;
        return s(cx + dx * c - dy * sn, cy + dx * sn + dy * c);
    };
}

Paint solid(const Rgba& c) {
    return [=](double, double) { return c; };
}

Paint verticalGradient(double y0, const Rgba& top, double y1, const Rgba& bottom) {
    return [=](double, double y) { return mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0, 1.0)); };
}

Paint horizontalGradient(double x0, const Rgba& left, double x1, const Rgba& right) {
    return [=](double x, double) { return mix(left, right, std::clamp((x - x0) / (x1 - x0), 0.0, 1.0)); };
}

Paint verticalGradient3(double y0, const Rgba& top, double ym, const Rgba& middle, double y1, const Rgba& bottom) {
    return [=](double x, double y) {
        return y < ym ? verticalGradient(y0, top, ym, middle)(x, y) : verticalGradient(ym, middle, y1, bottom)(x, y);
    };
}

Shape roundedOutline(double x0, double y0, double x1, double y1, double radius, double width) {
    return subtract(roundedRect(x0, y0, x1, y1, radius),
                    roundedRect(x0 + width, y0 + width, x1 - width, y1 - width, std::max(0.0, radius - width)));
}

Shape offset(Shape s, double dx, double dy) {
    return [=](double x, double y) { return s(x - dx, y - dy); };
}

Raster::Raster(int width, int height, const Rgba& fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void Raster::fill(const Shape& shape, const Paint& paint, double opacity) {
    constexpr int n = 4;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            int covered = 0;
            for (int sy = 0; sy < n; ++sy)
                for (int sx = 0; sx < n; ++sx)
                    if (shape(x + (sx + 0.5) / n, y + (sy + 0.5) / n)) ++covered;
            if (!covered) continue;
            const Rgba src = paint(x + 0.5, y + 0.5);
            const double a = src.a * opacity * covered / (n * n);
            Rgba& dst = at(x, y);
            const double outA = a + dst.a * (1 - a);
            if (outA <= 0) continue;
            dst.r = (src.r * a + dst.r * dst.a * (1 - a)) / outA;
            dst.g = (src.g * a + dst.g * dst.a * (1 - a)) / outA;
            dst.b = (src.b * a + dst.b * dst.a * (1 - a)) / outA;
            dst.a = outA;
        }
    }
}

void Raster::draw(const Raster& src, int x, int y) {
    for (int sy = 0; sy < src.height(); ++sy) {
        for (int sx = 0; sx < src.width(); ++sx) {
            const int dx = x + sx, dy = y + sy;
            if (dx < 0 || dy < 0 || dx >= width_ || dy >= height_) continue;
            const Rgba& s = src.at(sx, sy);
            Rgba& d = at(dx, dy);
            const double outA = s.a + d.a * (1 - s.a);
            if (outA <= 0) continue;
            d.r = (s.r * s.a + d.r * d.a * (1 - s.a)) / outA;
            d.g = (s.g * s.a + d.g * d.a * (1 - s.a)) / outA;
            d.b = (s.b * s.a + d.b * d.a * (1 - s.a)) / outA;
            d.a = outA;
        }
    }
}

std::uint32_t Raster::bgra(int x, int y) const {
    const Rgba& p = at(x, y);
    return (std::uint32_t{to8(p.a)} << 24) | (std::uint32_t{to8(p.r)} << 16) | (std::uint32_t{to8(p.g)} << 8) |
           to8(p.b);
}

std::vector<unsigned char> Raster::encodeBmp24Keyed(const Rgba& key, const Rgba& matte) const {
    const int stride = (width_ * 3 + 3) & ~3;
    const auto imageSize = static_cast<std::uint32_t>(stride * height_);
    std::vector<unsigned char> b{'B', 'M'};
    put32(b, 54 + imageSize);
    put32(b, 0);
    put32(b, 54);
    putInfoHeader(b, width_, height_, 24, imageSize);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const Rgba& q = at(x, y);
            const Rgba p = q.a < 0.5 && key.a > 0 ? key : mix(matte, {q.r, q.g, q.b, 1}, q.a);
            b.push_back(to8(p.b));
            b.push_back(to8(p.g));
            b.push_back(to8(p.r));
        }
        b.resize(b.size() + static_cast<std::size_t>(stride - width_ * 3), 0);
    }
    return b;
}

std::vector<unsigned char> Raster::encodeBmp24(const Rgba& background) const {
    return encodeBmp24Keyed({0, 0, 0, 0}, background);
}

bool Raster::writeBmp24(const std::string& path, const Rgba& background) const {
    return saveFile(path, encodeBmp24(background));
}

bool Raster::writeBmp32(const std::string& path) const {
    const auto imageSize = static_cast<std::uint32_t>(width_ * 4 * height_);
    std::vector<unsigned char> b{'B', 'M'};
    put32(b, 54 + imageSize);
    put32(b, 0);
    put32(b, 54);
    putInfoHeader(b, width_, height_, 32, imageSize);
    for (int y = height_ - 1; y >= 0; --y)
        for (int x = 0; x < width_; ++x) put32(b, bgra(x, y));
    return saveFile(path, b);
}

bool writeIco(const std::string& path, const std::vector<Raster>& images) {
    std::vector<std::vector<unsigned char>> bodies;
    for (const Raster& r : images) {
        std::vector<unsigned char> b;
        const int maskStride = ((r.width() + 31) / 32) * 4;
        putInfoHeader(b, r.width(), r.height() * 2, 32,
                      static_cast<std::uint32_t>((r.width() * 4 + maskStride) * r.height()));
        for (int y = r.height() - 1; y >= 0; --y)
            for (int x = 0; x < r.width(); ++x) put32(b, r.bgra(x, y));
        for (int y = r.height() - 1; y >= 0; --y) {
            std::vector<unsigned char> row(static_cast<std::size_t>(maskStride), 0);
            for (int x = 0; x < r.width(); ++x)
                if (r.at(x, y).a < 0.5) row[static_cast<std::size_t>(x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
            b.insert(b.end(), row.begin(), row.end());
        }
        bodies.push_back(std::move(b));
    }
    std::vector<unsigned char> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<unsigned char>(images[i].width() >= 256 ? 0 : images[i].width()));
        out.push_back(static_cast<unsigned char>(images[i].height() >= 256 ? 0 : images[i].height()));
        out.push_back(0);
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& b : bodies) out.insert(out.end(), b.begin(), b.end());
    return saveFile(path, out);
}

}  // namespace artwork
