#include "track/CKtrTsParser.h"

#include "track/NmeaSidecarReader.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace {

constexpr int kYearBase = 2000;
constexpr qsizetype kFieldDigits = 6; // YYMMDD before the first hyphen, hhmmss after it
constexpr uint32_t kMsPerPoint = 1000;
constexpr int kLastMonth = 12;
constexpr int kLastDay = 31;
constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
constexpr int kLastSecond = 59;

struct NameDate {
    int year, month, day, hour, minute, second;
};

// The six characters at from, all digits, read as three two-digit numbers.
std::optional<std::array<int, 3>> DigitPairs(const QString& name, qsizetype from) {
    if (from < 0 || from + kFieldDigits > name.size())
        return std::nullopt;
    std::array<int, 3> pairs{};
    for (qsizetype i = 0; i < kFieldDigits; ++i) {
        const QChar c = name[from + i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        pairs[static_cast<size_t>(i / 2)] =
            pairs[static_cast<size_t>(i / 2)] * 10 + (c.unicode() - u'0');
    }
    return pairs;
}

// The date and time the list shows for the name, when both are digits and in range.
std::optional<NameDate> DateInName(const QString& name) {
    const qsizetype hyphen = name.indexOf(QLatin1Char('-'));
    if (hyphen < 0)
        return std::nullopt;
    const auto date = DigitPairs(name, hyphen - kFieldDigits);
    const auto time = DigitPairs(name, hyphen + 1);
    if (!date || !time)
        return std::nullopt;
    const NameDate d{
        kYearBase + (*date)[0], (*date)[1], (*date)[2], (*time)[0], (*time)[1], (*time)[2]};
    if (d.month < 1 || d.month > kLastMonth || d.day < 1 || d.day > kLastDay ||
        d.hour > kLastHour || d.minute > kLastMinute || d.second > kLastSecond)
        return std::nullopt;
    return d;
}

bool HasFix(const NmeaSidecarTrack& track) {
    return std::any_of(track.points.begin(), track.points.end(),
                       [](const TrackPoint& p) { return (p.flags & TrackPoint::kFixValid) != 0; });
}

} // namespace

void CKtrTsParser::SetInfoTarget(RecordingInfo* info) {
    m_infoTarget = info;
}

void CKtrTsParser::SetStatusTarget(FileStatus* status) {
    m_statusTarget = status;
}

int32_t CKtrTsParser::Parse(const QString& path) {
    return ReadFile(path, [this, &path] { return ReadSidecar(path); });
}

ReadFailure CKtrTsParser::ReadSidecar(const QString& path) {
    m_results.fileSize = m_file.Length();
    const NmeaSidecarTrack sidecar = ReadNmeaSidecar(path, nullptr);
    if (!HasFix(sidecar))
        return ReadFailure::NoPositionSidecar;
    if (const std::optional<NameDate> d = DateInName(QFileInfo(path).fileName())) {
        if (!DateFromLocalFields(d->year, d->month, d->day, d->hour, d->minute, d->second))
            return ReadFailure::DateRefused;
    } else if (sidecar.firstFixUtc) {
        DateFromUtc(*sidecar.firstFixUtc - static_cast<int64_t>(sidecar.firstFixIndex));
    } else {
        return ReadFailure::NoPositionSidecar;
    }
    // The whole-second duration stays 0, as the MP4 reader leaves it: grouping then keeps a
    // front and a rear stream that start together in one group, as it does on an MP4 card.
    const uint64_t points = sidecar.points.size();
    m_results.durationMs = static_cast<uint32_t>(
        std::min<uint64_t>(points * kMsPerPoint, std::numeric_limits<uint32_t>::max()));
    return ReadFailure::None;
}
