#pragma once
// A small raster for the artwork generators: straight-alpha RGBA pixels, anti-aliased shapes by
// supersampling, gradients, and writers for BMP and ICO files. Build-time only.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace artwork {

struct Rgba {
    double r = 0, g = 0, b = 0, a = 1;  // 0..1
};

Rgba mix(const Rgba& a, const Rgba& b, double t);
Rgba rgb(int r, int g, int b, double a = 1.0);

// A point inside test in pixel coordinates (pixel centres at +0.5).
using Shape = std::function<bool(double x, double y)>;
using Paint = std::function<Rgba(double x, double y)>;

Shape roundedRect(double x0, double y0, double x1, double y1, double radius);
Shape circle(double cx, double cy, double r);
Shape polygon(std::vector<std::pair<double, double>> points);
Shape unite(Shape a, Shape b);
Shape subtract(Shape a, Shape b);
Shape transformed(Shape s, double cx, double cy, double angleRadians, double scale);

Paint solid(const Rgba& c);
Paint verticalGradient(double y0, const Rgba& top, double y1, const Rgba& bottom);

class Raster {
public:
    Raster(int width, int height, const Rgba& fill = {0, 0, 0, 0});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgba& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Rgba& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    // Composites `paint` over the pixels covered by `shape`, with 4 x 4 supersampled coverage.
    void fill(const Shape& shape, const Paint& paint, double opacity = 1.0);

    // 24-bit BMP with every pixel composited over `background` (or kept with alpha as 32-bit).
    bool writeBmp24(const std::string& path, const Rgba& background) const;
    bool writeBmp32(const std::string& path) const;

    std::uint32_t bgra(int x, int y) const;  // premultiplied-free 0xAARRGGBB

private:
    int width_, height_;
    std::vector<Rgba> pixels_;
};

// An icon file holding each raster as a 32-bit image with its mask.
bool writeIco(const std::string& path, const std::vector<Raster>& images);

}  // namespace artwork
