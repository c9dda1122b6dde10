#pragma once
// A control's rectangle as the skinned controls' geometry computes it: left and top in the
// parent's client coordinates, width and height in pixels.
namespace trimwell {

struct TsuiBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TsuiBounds&, const TsuiBounds&) = default;
};

enum class TsuiProgressBarOrientation { suiHorizontal, suiVertical };

}  // namespace trimwell
