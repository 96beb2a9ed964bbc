#pragma once

#include <cstdint>
#include <mutex>

// Keeps the rear picture with the front one. The two players run on clocks of their own and
// drift apart by tens of milliseconds a minute, more at high rates and after every start or
// seek. The framework reports each player's time only every quarter second or so; each report
// is kept with the moment it came, so that the time between reports can be told from the
// steady clock. The follower is then nudged: a slightly higher or lower rate closes a small gap
// without a visible jump, a seek closes a large one.
class ChannelSync {
public:
    enum Channel { kLeader = 0, kFollower = 1 };

    struct Correction {
        enum Kind { kNone, kRate, kSeek } kind = kNone;
        float rate = 1.0f;  // kRate: the follower's rate from now on
        int64_t seekMs = 0; // kSeek: where the follower goes
    };

    // A gap below this is left alone: the measurement is not finer.
    static constexpr double kDeadBandMs = 12.0;
    // Beyond this a rate change would take too long to close the gap.
    static constexpr double kSeekGapMs = 600.0;
    // The largest change of rate, as a fraction of the normal one.
    static constexpr double kMostRateChange = 0.08;
    // The gap is closed in about this time.
    static constexpr double kCloseInMs = 1500.0;

    // Any thread: a player reported its time.
    void NoteTime(Channel channel, int64_t timeMs, int64_t steadyNowMs);
    // Any thread: the channel left the time of its last report (a new media, a pause, a stop).
    void Forget(Channel channel);
    // Window thread: both players were given this rate, or jumped; the reports so far are old.
    void Restart(double rate);
    // Window thread, on each tick while both play at baseRate: how to correct the follower.
    Correction Next(double baseRate, int64_t steadyNowMs);
    // The last gap seen by Next, leader minus follower, in milliseconds of media time.
    double lastGapMs() const { return m_lastGapMs; }

private:
    struct Report {
        int64_t timeMs = -1;
        int64_t steadyMs = 0;
    };
    // The time a channel shows now, told from its last report; false without a recent one.
    bool Estimate(Channel channel, double rate, int64_t steadyNowMs, double& timeMs) const;

    // Held only to copy a report in or out, never while calling anything.
    mutable std::mutex m_mutex;
    Report m_reports[2];
    double m_followerRate = 1.0;
    double m_lastGapMs = 0.0;
};
