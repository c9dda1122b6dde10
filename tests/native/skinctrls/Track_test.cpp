// The track's numbers: where the thumb sits, which position a point stands for, paging by
// presses and repeat ticks, clamping, and when OnChange is due.
#include <gtest/gtest.h>

#include <vector>

#include "skinctrls/SUITrackBar.h"

namespace trimwell {
namespace {

TEST(TrackThumb, SitsByIntegerDivisionAndAtTheStartWhenTheRangeIsEmpty) {
    // 1 x 10 / 3 = 3.33: truncated, not rounded; 2 x 10 / 3 = 6.67 gives 6.
    EXPECT_EQ(TrackThumbAlong(1, 0, 3, 30, 20), 3);
    EXPECT_EQ(TrackThumbAlong(2, 0, 3, 30, 20), 6);
    EXPECT_EQ(TrackThumbAlong(3, 0, 3, 30, 20), 10);
    EXPECT_EQ(TrackThumbAlong(7, 5, 10, 105, 5), 40);  // measured from Min
    EXPECT_EQ(TrackThumbAlong(5, 5, 5, 191, 19), 0);   // Min = Max
    // A range too wide for a 32-bit product still places the thumb.
    EXPECT_EQ(TrackThumbAlong(2000000000, 0, 2000000000, 191, 19), 172);

    EXPECT_EQ(TrackThumbAcross(16, 10), 3);
    EXPECT_EQ(TrackThumbAcross(16, 11), 2);
    EXPECT_EQ(TrackThumbAcross(10, 16), 0);  // never outside the track
}

TEST(TrackPoint, RoundsHalvesToTheEvenNeighbour) {
    // (c - grab) x 1 / 2: 5 / 2 = 2.5 -> 2, 7 / 2 = 3.5 -> 4, 3 / 2 = 1.5 -> 2.
    EXPECT_EQ(TrackPositionFromPoint(5, 0, 0, 1, 12, 10), 2);
    EXPECT_EQ(TrackPositionFromPoint(7, 0, 0, 1, 12, 10), 4);
    EXPECT_EQ(TrackPositionFromPoint(3, 0, 0, 1, 12, 10), 2);
    EXPECT_EQ(TrackPositionFromPoint(-5, 0, 0, 1, 12, 10), -2);  // -2.5 -> -2
    // Otherwise nearest; the grab offset and Min shift the result; nothing is clamped here.
    EXPECT_EQ(TrackPositionFromPoint(100, 0, 0, 20, 191, 19), 12);  // 11.63
    EXPECT_EQ(TrackPositionFromPoint(100, 10, 0, 20, 191, 19), 10);  // 10.47
    EXPECT_EQ(TrackPositionFromPoint(100, 0, 5, 25, 191, 19), 17);
    EXPECT_EQ(TrackPositionFromPoint(400, 0, 0, 20, 191, 19), 47);
    // The product is taken whole: 100000 x 100000 does not wrap around.
    EXPECT_EQ(TrackPositionFromPoint(100000, 0, 0, 100000, 100010, 10), 100000);
}

TEST(TrackPoint, AThumbAsLongAsTheTrackGivesZeroAnywhere) {
    for (int c : {-50, 0, 7, 191, 500}) EXPECT_EQ(TrackPositionFromPoint(c, 3, 4, 9, 191, 191), 0) << c;
}

TEST(TrackPaging, MovesAPageAtMostAndNeverPastThePoint) {
    // Below the thumb: forward by the page unless the point is nearer.
    EXPECT_EQ(PageClickTarget(150, 40, 5, 2, 17), 7);
    EXPECT_EQ(PageClickTarget(150, 40, 5, 20, 17), 17);
    // Above it: back by the page unless the point is nearer.
    EXPECT_EQ(PageClickTarget(10, 40, 5, 2, 1), 3);
    EXPECT_EQ(PageClickTarget(10, 40, 5, 20, 1), 1);
    // Level with the thumb's start: nothing.
    EXPECT_EQ(PageClickTarget(40, 40, 5, 2, 5), std::nullopt);

    // Repeat ticks while the pointer rests below the thumb: page by page up to the point and no
    // further; a horizontal track's ticks page three times as far.
    for (const int step : {2, 2 * kHorizontalRepeatPages}) {
        TsuiTrackState track;
        track.SetMax(100);
        track.SetPageSize(2);
        const int L = 200, T = 20, c = 120, grab = 0;
        std::vector<int> seen;
        for (int tick = 0; tick < 40; ++tick) {
            const int pointPosition = TrackPositionFromPoint(c, grab, track.Min(), track.Max(), L, T);
            const auto next = PageClickTarget(c, track.ThumbOffset(L, T), track.Position(), step, pointPosition);
            if (!next) break;
            track.SetPosition(*next);
            seen.push_back(track.Position());
        }
        ASSERT_GE(seen.size(), 3u);
        EXPECT_EQ(seen[0], step);
        EXPECT_EQ(seen[1], 2 * step);
        EXPECT_EQ(seen.back(), 67);  // 120 x 100 / 180 = 66.7: the point's own position
        for (int p : seen) EXPECT_LE(p, 67);
    }
}

TEST(TrackState, ClampsAndNotifiesOncePerNewPosition) {
    TsuiTrackState track;
    EXPECT_EQ(track.Max(), 10);
    EXPECT_EQ(track.PageSize(), 2);
    EXPECT_TRUE(track.SetPosition(25));
    EXPECT_EQ(track.Position(), 10);
    EXPECT_EQ(track.LastChange(), 10);
    EXPECT_FALSE(track.SetPosition(10));  // the current value: no event
    EXPECT_FALSE(track.SetPosition(40));  // clamped to the current value: no event either
    EXPECT_TRUE(track.SetPosition(-3));
    EXPECT_EQ(track.Position(), 0);
    EXPECT_EQ(track.LastChange(), -10);

    // Max below Min becomes Min; the position follows a Max that drops below it.
    track.SetPosition(8);
    EXPECT_TRUE(track.SetMax(4));
    EXPECT_EQ(track.Position(), 4);
    EXPECT_FALSE(track.SetMax(4));
    EXPECT_FALSE(track.SetMin(6));  // the position stays, so no event
    EXPECT_EQ(track.Min(), 4);     // Min above Max becomes Max
    EXPECT_EQ(track.Position(), 4);
    EXPECT_FALSE(track.SetMax(-10));
    EXPECT_EQ(track.Max(), 4);
    EXPECT_FALSE(track.SetMin(0));
    EXPECT_EQ(track.Position(), 4);  // already inside
    EXPECT_FALSE(track.SetMax(100));
    EXPECT_TRUE(track.SetPosition(100));
}

TEST(TrackState, PageSizeIsAcceptedOnlyFromZeroToMax) {
    TsuiTrackState track;
    EXPECT_TRUE(track.SetPageSize(0));
    EXPECT_TRUE(track.SetPageSize(10));
    EXPECT_FALSE(track.SetPageSize(11));
    EXPECT_FALSE(track.SetPageSize(-1));
    EXPECT_EQ(track.PageSize(), 10);
    // Once Max is 1, a page of 2 can no longer be set.
    track.SetMax(1);
    EXPECT_FALSE(track.SetPageSize(2));
    EXPECT_EQ(track.PageSize(), 10);
    EXPECT_TRUE(track.SetPageSize(1));
}

TEST(TrackDrag, NotifiesOncePerIntegerPositionNotPerPixel) {
    // The tree's case: 191-pixel track, 19-pixel thumb, range 0..20, grabbed 5 pixels in.
    TsuiTrackState track;
    track.SetMax(20);
    const int L = 191, T = 19, grab = 5;
    std::vector<int> notified;
    for (int c = grab; c <= grab + L - T + 10; ++c)
        if (track.SetPosition(TrackPositionFromPoint(c, grab, track.Min(), track.Max(), L, T)))
            notified.push_back(track.Position());
    ASSERT_EQ(notified.size(), 20u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(notified[static_cast<std::size_t>(i)], i + 1);
    // Snapped: the thumb sits where its integer position puts it.
    EXPECT_EQ(track.ThumbOffset(L, T), L - T);
}

}  // namespace
}  // namespace trimwell
