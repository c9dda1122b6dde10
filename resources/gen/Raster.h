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
Paint horizontalGradient(double x0, const Rgba& left, double x1, const Rgba& right);
// Three-stop vertical gradient: top to middle over [y0, ym], middle to bottom over [ym, y1].
Paint verticalGradient3(double y0, const Rgba& top, double ym, const Rgba& middle, double y1, const Rgba& bottom);

// Everything inside `outer` but not inside `outer` shrunk by `width`: an outline of a rounded rectangle.
Shape roundedOutline(double x0, double y0, double x1, double y1, double radius, double width);
Shape offset(Shape s, double dx, double dy);

class Raster {
public:
    Raster(int width, int height, const Rgba& fill = {0, 0, 0, 0});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgba& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Rgba& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    // Composites `paint` over the pixels covered by `shape`, with 4 x 4 supersampled coverage.
    void fill(const Shape& shape, const Paint& paint, double opacity = 1.0);

    // Composites `src` with its top left corner at (x, y), clipped to this raster.
    void draw(const Raster& src, int x, int y);

    // 24-bit BMP with every pixel composited over `background` (or kept with alpha as 32-bit).
    bool writeBmp24(const std::string& path, const Rgba& background) const;
    std::vector<unsigned char> encodeBmp24(const Rgba& background) const;
    // 24-bit BMP for pictures with a transparent key colour: pixels less than half covered become
    // exactly `key`, the rest are composited over `matte`, so no key-tinted fringe survives.
    std::vector<unsigned char> encodeBmp24Keyed(const Rgba& key, const Rgba& matte) const;
    bool writeBmp32(const std::string& path) const;

    std::uint32_t bgra(int x, int y) const;  // premultiplied-free 0xAARRGGBB

private:
    int width_, height_;
    std::vector<Rgba> pixels_;
};

bool saveFile(const std::string& path, const std::vector<unsigned char>& bytes);

// An icon file holding each raster as a 32-bit image with its mask.
bool writeIco(const std::string& path, const std::vector<Raster>& images);

}  // namespace artwork
