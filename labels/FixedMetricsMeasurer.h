#pragma once
// A TextMeasurer with simple, predictable metrics, for laying markup out where there is no GDI
// (tests, fuzzing, benchmarks). Every character is aveCharWidth wide, one pixel more in bold.
// It counts what it is asked to measure, so tests and benchmarks can see re-measuring.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "labels/HTMLRender.h"

namespace trimwell {

class FixedMetricsMeasurer final : public TextMeasurer {
public:
    void SetFont(const FontDesc& font) override { font_ = font; }

    FontMetrics Metrics() override {
        const int h = Magnitude();
        FontMetrics m;
        m.height = font_.height < 0 ? h + 2 : h;  // a character height gains the internal leading
        m.descent = m.height / 4;
        m.aveCharWidth = h / 2;
        m.maxCharWidth = h;
        return m;
    }

    int TextExtent(std::u16string_view text) override {
        ++extentCalls;
        measuredUnits += text.size();
        const std::int64_t width = static_cast<std::int64_t>(text.size()) * CharWidth();
        return static_cast<int>(std::min<std::int64_t>(width, INT_MAX));
    }

    int LogPixelsY() override { return 96; }

    int CharWidth() const { return Magnitude() / 2 + ((font_.style & fsBold) ? 1 : 0); }

    int extentCalls = 0;
    std::uint64_t measuredUnits = 0;  // code units passed to TextExtent, in total

private:
    // |height|, kept small enough that the metrics derived from it cannot overflow.
    int Magnitude() const {
        return static_cast<int>(std::min<std::int64_t>(std::abs(static_cast<std::int64_t>(font_.height)), INT_MAX - 2));
    }

    FontDesc font_;
};

}  // namespace trimwell
