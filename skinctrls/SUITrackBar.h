#pragma once
// The numbers of a skinned track: Min, Max, Position and page size with their clamping and
// change-notification rule, where the thumb sits for a position, and which position a point on
// the track stands for. The track control keeps one TsuiTrackState and fires OnChange whenever a
// setter answers true.
//
//   TsuiTrackState track;                      // Min 0, Max 10, Position 0, page size 2
//   if (track.SetPosition(7)) OnChange(...);   // clamped to Min..Max; true once per new value
//   int along = track.ThumbOffset(191, 19);    // (7 - 0) * (191 - 19) div (10 - 0) = 120
#include <optional>

namespace trimwell {

// Across the track the thumb is centred, never above or left of the track.
int TrackThumbAcross(int trackThickness, int thumbThickness);

// Along the track: 0 when min = max, else (position - min) x (trackLength - thumbLength)
// div (max - min), the division truncating like the integer division it is.
int TrackThumbAlong(int position, int min, int max, int trackLength, int thumbLength);

// The position a point at `c` along the track stands for, with the thumb grabbed `grabOffset`
// pixels from its start: 0 when the thumb is as long as the track, else min + the nearest
// integer to (c - grabOffset) x (max - min) / (trackLength - thumbLength), halves going to the
// even neighbour. Not clamped to min..max.
int TrackPositionFromPoint(int c, int grabOffset, int min, int max, int trackLength, int thumbLength);

// A press (or a page-repeat tick) on the track outside the thumb: beyond the thumb's start the
// position moves forward by `step` but never past `pointPosition`, the position under the
// pointer; before it, back by `step` but never before it. Level with the thumb's start nothing
// moves (nullopt).
std::optional<int> PageClickTarget(int c, int thumbStart, int position, int step, int pointPosition);

// A horizontal track pages three times as far on each repeat tick as on the press.
inline constexpr int kHorizontalRepeatPages = 3;
inline constexpr int kPageRepeatIntervalMs = 100;

class TsuiTrackState {
public:
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    int PageSize() const { return pageSize_; }
    int LineSize() const { return lineSize_; }
    // Position minus the position notified before it, as of the last notification.
    int LastChange() const { return lastChange_; }
    int LastNotified() const { return lastNotified_; }

    // Each setter answers whether the position now differs from the last one notified, in which
    // case it has become the notified one and OnChange is due.
    bool SetPosition(int value);
    // Ignored when equal; a Max below Min becomes Min, and a position above it follows.
    bool SetMax(int value);
    // Ignored when equal; a Min above Max becomes Max, and a position below it follows.
    bool SetMin(int value);
    // Accepted only from 0 to Max; answers whether it was.
    bool SetPageSize(int value);
    void SetLineSize(int value) { lineSize_ = value; }

    int ThumbOffset(int trackLength, int thumbLength) const {
        return TrackThumbAlong(position_, min_, max_, trackLength, thumbLength);
    }

private:
    bool notifyIfMoved();

    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int pageSize_ = 2;
    int lineSize_ = 1;
    int lastNotified_ = 0;
    int lastChange_ = 0;
};

}  // namespace trimwell
