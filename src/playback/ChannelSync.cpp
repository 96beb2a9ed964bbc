#include "playback/ChannelSync.h"

#include <algorithm>
#include <cmath>

namespace {

// A report older than this says the player has stopped reporting (paused, stalled).
constexpr int64_t kStaleReportMs = 1000;
// Rate changes smaller than this are not worth a call into the framework.
constexpr double kRateStep = 0.002;

} // namespace

void ChannelSync::NoteTime(Channel channel, int64_t timeMs, int64_t steadyNowMs) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_reports[channel] = {timeMs, steadyNowMs};
}

void ChannelSync::Forget(Channel channel) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_reports[channel] = {};
}

void ChannelSync::Restart(double rate) {
    m_followerRate = rate;
    Forget(kLeader);
    Forget(kFollower);
}

bool ChannelSync::Estimate(Channel channel, double rate, int64_t steadyNowMs,
                           double& timeMs) const {
    Report report;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        report = m_reports[channel];
    }
    const int64_t age = steadyNowMs - report.steadyMs;
    if (report.timeMs < 0 || age < 0 || age > kStaleReportMs)
        return false;
    timeMs = static_cast<double>(report.timeMs) + static_cast<double>(age) * rate;
    return true;
}

ChannelSync::Correction ChannelSync::Next(double baseRate, int64_t steadyNowMs) {
    Correction correction;
    double leader = 0;
    double follower = 0;
    if (!Estimate(kLeader, baseRate, steadyNowMs, leader) ||
        !Estimate(kFollower, m_followerRate, steadyNowMs, follower))
        return correction;
    const double gap = leader - follower;
    m_lastGapMs = gap;

    if (std::abs(gap) > kSeekGapMs * std::max(1.0, baseRate)) {
        correction.kind = Correction::kSeek;
        correction.seekMs = static_cast<int64_t>(std::llround(leader));
        correction.rate = static_cast<float>(baseRate);
        m_followerRate = baseRate;
        Forget(kFollower);
        return correction;
    }
    double rate = baseRate;
    if (std::abs(gap) > kDeadBandMs)
        rate = baseRate * (1.0 + std::clamp(gap / kCloseInMs, -kMostRateChange, kMostRateChange));
    if (std::abs(rate - m_followerRate) < kRateStep * baseRate &&
        !(rate == baseRate && m_followerRate != baseRate))
        return correction;
    m_followerRate = rate;
    correction.kind = Correction::kRate;
    correction.rate = static_cast<float>(rate);
    return correction;
}
