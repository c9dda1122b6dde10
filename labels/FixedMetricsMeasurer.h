#pragma once
// A TextMeasurer with simple, predictable metrics, for laying markup out where there is no GDI
// (tests, fuzzing, benchmarks). Every character is aveCharWidth wide, one pixel more in bold.
#include <cstdlib>

#include "labels/HTMLRender.h"

namespace trimwell {

class FixedMetricsMeasurer final : public TextMeasurer {
public:
    void SetFont(const FontDesc& font) override { font_ = font; }

    FontMetrics Metrics() override {
        const int h = std::abs(font_.height);
        FontMetrics m;
        m.height = font_.height < 0 ? h + 2 : h;  // a character height gains the internal leading
        m.descent = m.height / 4;
        m.aveCharWidth = h / 2;
        m.maxCharWidth = h;
        return m;
    }

    int TextExtent(std::u16string_view text) override {
        ++extentCalls;
        return static_cast<int>(text.size()) * CharWidth();
    }

    int LogPixelsY() override { return 96; }

    int CharWidth() const { return std::abs(font_.height) / 2 + ((font_.style & fsBold) ? 1 : 0); }

    int extentCalls = 0;

private:
    FontDesc font_;
};

}  // namespace trimwell
