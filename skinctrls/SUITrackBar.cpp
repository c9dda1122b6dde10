#include "skinctrls/SUITrackBar.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace trimwell {

namespace {

// Products of two differences of 32-bit values need up to 66 bits.
__extension__ typedef __int128 Wide;

int clampToInt(Wide v) {
    return static_cast<int>(std::clamp<Wide>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4), whatever rounding
// mode the floating-point unit is in.
double roundHalfEven(double x) {
    const double below = std::floor(x);
    const double rest = x - below;
    if (rest > 0.5) return below + 1;
    if (rest < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

}  // namespace

int TrackThumbAcross(int trackThickness, int thumbThickness) {
    return clampToInt(std::max<std::int64_t>(0, (std::int64_t{trackThickness} - thumbThickness) / 2));
}

int TrackThumbAlong(int position, int min, int max, int trackLength, int thumbLength) {
    if (min == max) return 0;
    // 128-bit: a wide range times a long track overflows 32 bits, and extreme ones 64.
    const Wide travel = Wide{trackLength} - thumbLength;
    return clampToInt((Wide{position} - min) * travel / (Wide{max} - min));
}

int TrackPositionFromPoint(int c, int grabOffset, int min, int max, int trackLength, int thumbLength) {
    if (thumbLength == trackLength) return 0;
    const Wide product = (Wide{c} - grabOffset) * (Wide{max} - min);
    const double steps = roundHalfEven(static_cast<double>(product) / (double{1.0} * trackLength - thumbLength));
    const double limit = static_cast<double>(std::numeric_limits<int>::max());
    return clampToInt(std::int64_t{min} + static_cast<std::int64_t>(std::clamp(steps, -limit, limit)));
}

std::optional<int> PageClickTarget(int c, int thumbStart, int position, int step, int pointPosition) {
    const std::int64_t forward = std::int64_t{position} + step;
    const std::int64_t back = std::int64_t{position} - step;
    if (c > thumbStart) return clampToInt(std::min<std::int64_t>(forward, pointPosition));
    if (c < thumbStart) return clampToInt(std::max<std::int64_t>(back, pointPosition));
    return std::nullopt;
}

bool TsuiTrackState::notifyIfMoved() {
    if (position_ == lastNotified_) return false;
    lastChange_ = clampToInt(std::int64_t{position_} - lastNotified_);
    lastNotified_ = position_;
    return true;
}

bool TsuiTrackState::SetPosition(int value) {
    position_ = std::clamp(value, min_, max_);
    return notifyIfMoved();
}

bool TsuiTrackState::SetMax(int value) {
    if (value == max_) return false;
    max_ = std::max(value, min_);
    position_ = std::min(position_, max_);
    return notifyIfMoved();
}

bool TsuiTrackState::SetMin(int value) {
    if (value == min_) return false;
    min_ = std::min(value, max_);
    position_ = std::max(position_, min_);
    return notifyIfMoved();
}

bool TsuiTrackState::SetPageSize(int value) {
    if (value < 0 || value > max_) return false;
    pageSize_ = value;
    return true;
}

}  // namespace trimwell
