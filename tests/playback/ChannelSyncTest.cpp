#include "playback/ChannelSync.h"

#include <gtest/gtest.h>

namespace {

using Correction = ChannelSync::Correction;

// Both players reported at the same moment; the leader `gap` ms ahead.
Correction After(double rate, int64_t gap, int64_t reportAgeMs = 100) {
    ChannelSync sync;
    sync.Restart(rate);
    constexpr int64_t kNow = 50000;
    sync.NoteTime(ChannelSync::kLeader, 10000 + gap, kNow - reportAgeMs);
    sync.NoteTime(ChannelSync::kFollower, 10000, kNow - reportAgeMs);
    return sync.Next(rate, kNow);
}

TEST(ChannelSync, LeavesSmallGapsClosesMiddleOnesByRateAndLargeOnesBySeeking) {
    struct Case {
        double rate;
        int64_t gap;
        Correction::Kind kind;
        float expectedRate;
    };
    const Case cases[] = {
        {1.0, 5, Correction::kNone, 0},
        {1.0, -10, Correction::kNone, 0},
        {1.0, 60, Correction::kRate, 1.04f},  // behind: a little faster
        {1.0, -60, Correction::kRate, 0.96f}, // ahead: a little slower
        {1.0, 400, Correction::kRate, 1.08f}, // no more than 8 % off
        {2.0, 60, Correction::kRate, 2.08f},
        {1.0, 700, Correction::kSeek, 1.0f},
        {4.0, 700, Correction::kRate, 4.32f}, // the seek gap grows with the rate
        {4.0, 3000, Correction::kSeek, 4.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << "x, gap " << c.gap);
        const Correction correction = After(c.rate, c.gap);
        EXPECT_EQ(correction.kind, c.kind);
        if (c.kind != Correction::kNone) {
            EXPECT_NEAR(correction.rate, c.expectedRate, 1e-4);
        }
        if (c.kind == Correction::kSeek) {
            EXPECT_EQ(correction.seekMs, 10000 + c.gap + static_cast<int64_t>(100 * c.rate));
        }
    }
}

TEST(ChannelSync, NeedsRecentReportsOfBoth) {
    EXPECT_EQ(After(1.0, 200, 1500).kind, Correction::kNone) << "reports too old";
    ChannelSync sync;
    sync.NoteTime(ChannelSync::kLeader, 10200, 1000);
    sync.NoteTime(ChannelSync::kFollower, 10000, 1000);
    sync.Forget(ChannelSync::kFollower);
    EXPECT_EQ(sync.Next(1.0, 1100).kind, Correction::kNone);
}

TEST(ChannelSync, ReturnsToTheNormalRateOnceTheGapIsClosed) {
    ChannelSync sync;
    sync.Restart(1.0);
    sync.NoteTime(ChannelSync::kLeader, 10100, 1000);
    sync.NoteTime(ChannelSync::kFollower, 10000, 1000);
    ASSERT_EQ(sync.Next(1.0, 1000).kind, Correction::kRate);
    // The follower caught up while running faster.
    sync.NoteTime(ChannelSync::kLeader, 12100, 3000);
    sync.NoteTime(ChannelSync::kFollower, 12098, 3000);
    const Correction correction = sync.Next(1.0, 3000);
    EXPECT_EQ(correction.kind, Correction::kRate);
    EXPECT_FLOAT_EQ(correction.rate, 1.0f);
    EXPECT_EQ(sync.Next(1.0, 3000).kind, Correction::kNone) << "nothing more to change";
}

} // namespace
