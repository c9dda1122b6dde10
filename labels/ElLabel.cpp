#include "labels/ElLabel.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace trimwell {

ExtrudeStep ExtrudeStepOf(TElLabelExtrudePosition position) {
    static constexpr ExtrudeStep steps[] = {{-1, 0}, {-1, -1}, {0, -1}, {1, -1},
                                            {1, 0},  {1, 1},   {0, 1},  {-1, 1}};
    const auto i = static_cast<unsigned>(position);
    return i < 8 ? steps[i] : ExtrudeStep{1, 1};
}

Rgb ExtrudeLayerColor(Rgb nearColor, Rgb farColor, int layer, int depth, bool striated) {
    if (depth < 1) return nearColor;
    auto component = [&](int nearC, int farC) {
        if (striated) {
            const int base = ((farC - nearC) / depth + nearC) * layer;
            return (layer % 2 == 0 ? base / 4 : base) & 0xFF;
        }
        // Ties go to the even neighbour, as the platform's rounding does.
        return static_cast<int>(std::nearbyint(nearC + static_cast<double>(farC - nearC) * layer / depth));
    };
    return {component(nearColor.r, farColor.r), component(nearColor.g, farColor.g),
            component(nearColor.b, farColor.b)};
}

std::string PackHint(std::string_view ansi, std::u16string_view wide) {
    std::string packed(ansi);
    packed.push_back('\0');
    for (char16_t u : wide) {
        packed.push_back(static_cast<char>(u & 0xFF));
        packed.push_back(static_cast<char>(u >> 8));
    }
    packed.append({'\0', '\0', static_cast<char>(0xFE), static_cast<char>(0xFF)});
    return packed;
}

LabelRect HTMLTextRect(int clientWidth, int clientHeight, int textWidth, int textHeight, TTextLayout layout,
                       TLabelAlignment alignment, int borderWidth, bool forPainting) {
    // Text sizes reach the full int range for long captions; work wide and saturate the result.
    const std::int64_t inset = forPainting ? borderWidth : 0;
    const std::int64_t areaHeight = static_cast<std::int64_t>(clientHeight) - 2 * inset;
    std::int64_t left = 0, top = 0, right = clientWidth, bottom = clientHeight;
    if (layout == tlTop) {
        top = inset;
        bottom = clientHeight - inset;
    } else if (layout == tlCenter) {
        top = inset + (areaHeight - textHeight) / 2;
        bottom = top + textHeight;
    } else {
        bottom = clientHeight - inset;
        top = bottom - textHeight - 1;
    }
    if (alignment == laRight) {
        right = clientWidth - inset;
        left = right - textWidth;
    } else if (alignment == laCenter) {
        left = (static_cast<std::int64_t>(clientWidth) - textWidth) / 2;
        right = left + textWidth;
    } else {
        left = inset;
    }
    auto fit = [](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); };
    return {fit(left), fit(top), fit(right), fit(bottom)};
}

}  // namespace trimwell
