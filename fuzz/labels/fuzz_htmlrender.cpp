// Markup from outside: any UTF-16 text, wrapped or not, in any default font height, must parse,
// lay out and hit-test without crashing, hanging, overflowing or reading out of bounds.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "labels/FixedMetricsMeasurer.h"
#include "labels/HTMLRender.h"

namespace {

// Small heights of either sign most of the time, now and then the ends of the int range.
int DefaultHeightFrom(std::uint8_t b) {
    switch (b >> 5) {
        case 0: return INT_MIN;
        case 1: return INT_MAX;
        case 2: return b & 1 ? 2000000000 : -2000000000;
        default: return (b & 1 ? 1 : -1) * static_cast<int>(b % 40);
    }
}

void Probe(trimwell::TElHTMLRender& render, int maxWidth) {
    const auto& d = render.Data();
    const std::int64_t spanY = static_cast<std::int64_t>(d.TextHeight) + 10;
    const trimwell::HTMLRect rect{0, 0, maxWidth, 200};
    trimwell::TElFString href;
    // A handful of probes across the text, its edges and beyond.
    for (int k = 0; k < 16; ++k) {
        const int x = (k * 37) % 530 - 5;
        const int y = static_cast<int>((k * 7919) % spanY) - 5;
        render.LinkAtPoint({x, y}, {0, k}, href, rect);
        render.ItemAtPoint({x, y}, {k, -k}, {0, 0, maxWidth / (k + 1), 0});
    }
    // Points, origins and rectangles at the ends of the int range.
    render.ItemAtPoint({INT_MAX, INT_MAX}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    render.LinkAtPoint({INT_MIN, INT_MIN}, {INT_MIN, INT_MIN}, href, {INT_MAX, INT_MAX, INT_MIN, INT_MIN});
    render.LinkAtPoint({0, d.TextHeight - 1}, {INT_MIN, 0}, href, {INT_MIN, 0, INT_MAX, 0});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const bool wrap = data[0] & 1;
    const int maxWidth = (data[0] >> 1) * 4;  // 0 to 508 pixels
    const int defaultHeight = DefaultHeightFrom(data[1]);
    std::u16string text;
    for (std::size_t i = 2; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));

    struct Pic : trimwell::TElHTMLImage {
        int Width() const override { return 17; }
        int Height() const override { return 9; }
    } pic;
    trimwell::TElHTMLRender render(std::make_unique<trimwell::FixedMetricsMeasurer>());
    render.OnImageNeeded = [&](trimwell::TElHTMLRender&, const trimwell::TElFString& src,
                               const trimwell::TElHTMLImage*& image) {
        if (!src.empty() && src[0] == u'p') image = &pic;
    };
    render.Data().DefaultHeight = defaultHeight;
    try {
        render.ParseMarkup(text, maxWidth, wrap);
    } catch (const trimwell::EElHTMLError&) {
        return 0;
    }
    const auto& d = render.Data();
    if ((d.TextWidth < 0 || d.TextHeight < 0) && !d.Items.empty()) __builtin_trap();
    for (const auto& item : d.Items)
        if (item->Indent < INT16_MIN || item->Indent > INT16_MAX) __builtin_trap();
    Probe(render, maxWidth);
    return 0;
}
