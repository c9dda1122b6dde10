#include "labels/ElLabel.h"

#include <cmath>

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
    const int inset = forPainting ? borderWidth : 0;
    const int areaHeight = clientHeight - 2 * inset;
    LabelRect r{0, 0, clientWidth, clientHeight};
    if (layout == tlTop) {
        r.Top = inset;
        r.Bottom = clientHeight - inset;
    } else if (layout == tlCenter) {
        r.Top = inset + (areaHeight - textHeight) / 2;
        r.Bottom = r.Top + textHeight;
    } else {
        r.Bottom = clientHeight - inset;
        r.Top = r.Bottom - textHeight - 1;
    }
    if (alignment == laRight) {
        r.Right = clientWidth - inset;
        r.Left = r.Right - textWidth;
    } else if (alignment == laCenter) {
        r.Left = (clientWidth - textWidth) / 2;
        r.Right = r.Left + textWidth;
    } else {
        r.Left = inset;
    }
    return r;
}

}  // namespace trimwell
