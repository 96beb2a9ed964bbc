#include "track/CKtrVideoParser.h"

#include "platform/LocalTime.h"
#include "track/CKtr3gpParser.h"
#include "track/CKtrAviParser.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kYearBase = 2000;
constexpr int kFirstDateTextYear = 1900;
constexpr int kLastMonth = 12;
constexpr int kLastDay = 31;
constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
constexpr int kLastSecond = 59;

// The date test of points and IDIT texts. Only upper bounds are set for the time of day: a
// point's fields cannot be negative, and a negative field scanned from an IDIT text is left to
// the local-time conversion, which carries it into the day before.
bool DateFieldsValid(int month, int day, int hour, int minute, int second) {
    return month >= 1 && month <= kLastMonth && day >= 1 && day <= kLastDay && hour <= kLastHour &&
           minute <= kLastMinute && second <= kLastSecond;
}

struct DateRefused : std::runtime_error {
    DateRefused() : std::runtime_error("date cannot be converted to local time") {}
};

int64_t LocalSecondsOrThrow(int year, int month, int day, int hour, int minute, int second) {
    const std::optional<int64_t> t = LocalTimeToSeconds(year, month, day, hour, minute, second);
    if (!t)
        throw DateRefused();
    return *t;
}

} // namespace

void CKtrVideoParser::SetInfoTarget(RecordingInfo*) {}

int32_t CKtrVideoParser::Parse(const QString&) {
    return 0;
}

void CKtrVideoParser::SetStatusTarget(FileStatus*) {}

void CKtrVideoParser::BeginRead() {
    m_file.Close();
    m_results = RecordingInfo{};
    m_dateFound = false;
    std::memset(m_dateText, 0, sizeof m_dateText);
}

bool CKtrVideoParser::OpenForRead(const QString& path) {
    if (!m_file.Open(path))
        return false;
    if (m_statusTarget)
        m_file.QueryStatus(*m_statusTarget);
    return true;
}

void CKtrVideoParser::ExaminePoints(uint64_t length) {
    const uint64_t count = std::min(length, m_file.Remaining()) / kTrackPointBytes;
    // Once dated, the remaining points cannot change anything, so they are not read.
    for (uint64_t i = 0; i < count && !m_dateFound; ++i) {
        TrackPoint point;
        m_file.ReadExact(&point, sizeof point);
        if (point.year == 0 ||
            !DateFieldsValid(point.month, point.day, point.hour, point.minute, point.second))
            continue;
        const int64_t t = LocalSecondsOrThrow(kYearBase + point.year, point.month, point.day,
                                              point.hour, point.minute, point.second);
        // The points before the first dated one were taken at the GPS rate; without a rate
        // there is nothing to step back by.
        const uint8_t rate = m_results.gpsRate[0];
        m_results.startTime = t - static_cast<int64_t>(rate != 0 ? i / rate : 0);
        m_dateFound = true;
    }
}

void CKtrVideoParser::ReadDateText(uint64_t length) {
    m_dateFound = true;
    const size_t keep = static_cast<size_t>(std::min<uint64_t>(length, kDateTextBytes - 1));
    std::memset(m_dateText, 0, sizeof m_dateText);
    m_file.ReadExact(m_dateText, keep);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    std::sscanf(m_dateText, "%04d-%02d-%02d %02d:%02d:%02d", &year, &month, &day, &hour, &minute,
                &second);
    if (year < kFirstDateTextYear || !DateFieldsValid(month, day, hour, minute, second)) {
        m_dateFound = false;
        return;
    }
    m_results.startTime = LocalSecondsOrThrow(year, month, day, hour, minute, second);
}

int32_t CKtrVideoParser::Finish(bool accepted) {
    m_file.Close();
    if (!m_dateFound)
        m_results.startTime = 0;
    if (!accepted)
        return -1;
    if (m_infoTarget)
        *m_infoTarget = m_results;
    return 0;
}

bool IsAviName(const QString& name) {
    return name.endsWith(QLatin1String(".AVI"), Qt::CaseSensitive);
}

std::unique_ptr<CKtrVideoParser> CreateReaderForName(const QString& name) {
    if (IsAviName(name))
        return std::make_unique<CKtrAviParser>();
    return std::make_unique<CKtr3gpParser>();
}
