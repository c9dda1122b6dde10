// Markup from outside: any UTF-16 text, wrapped or not, must parse, lay out and hit-test
// without crashing, hanging or reading out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "labels/FixedMetricsMeasurer.h"
#include "labels/HTMLRender.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const bool wrap = data[0] & 1;
    const int maxWidth = (data[0] >> 1) * 4;  // 0 to 508 pixels
    const int defaultHeight = -static_cast<int>(data[1] % 40);
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
    if (d.TextWidth < 0 && !d.Items.empty()) __builtin_trap();
    const trimwell::HTMLRect rect{0, 0, maxWidth, 200};
    trimwell::TElFString href;
    // A handful of probes across the text, its edges and beyond.
    for (int k = 0; k < 16; ++k) {
        const int x = (k * 37) % 530 - 5;
        const int y = d.TextHeight ? (k * 7919) % (d.TextHeight + 10) - 5 : k - 5;
        render.LinkAtPoint({x, y}, {0, k}, href, rect);
    }
    return 0;
}
