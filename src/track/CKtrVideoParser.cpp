#include "track/CKtrVideoParser.h"

#include "platform/LocalTime.h"
#include "track/CKtr3gpParser.h"
#include "track/CKtrAviParser.h"
#include "track/FourCc.h"
#include "track/TrackLog.h"

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
constexpr uint32_t kGps0 = FourCc("gps0");
constexpr uint32_t kGsen = FourCc("gsen");
constexpr uint32_t kGpsa = FourCc("gpsa");
constexpr uint32_t kGsea = FourCc("gsea");
constexpr uint32_t kIdit = FourCc("IDIT");

constexpr uint32_t kSampleBytes = 3; // the walk steps over "gsen" in whole multiples of this

// The date test of points and IDIT texts. Only upper bounds are set for the time of day: a
// point's fields cannot be negative, and a negative field scanned from an IDIT text is left to
// the local-time conversion, which carries it into the day before.
bool DateFieldsValid(int month, int day, int hour, int minute, int second) {
    return month >= 1 && month <= kLastMonth && day >= 1 && day <= kLastDay && hour <= kLastHour &&
           minute <= kLastMinute && second <= kLastSecond;
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
    m_failure = ReadFailure::None;
    m_dateFound = false;
    m_dateRefused = false;
    std::memset(m_dateText, 0, sizeof m_dateText);
}

ReadFailure CKtrVideoParser::OpenForRead(const QString& path) {
    if (!m_file.Open(path))
        return ReadFailure::CannotOpen;
    if (m_statusTarget)
        m_file.QueryStatus(*m_statusTarget);
    return m_file.Length() == 0 ? ReadFailure::EmptyFile : ReadFailure::None;
}

bool CKtrVideoParser::IsCameraPayload(uint32_t type) {
    return type == kGps0 || type == kGsen || type == kGpsa || type == kGsea || type == kIdit;
}

uint64_t CKtrVideoParser::ReadCameraPayload(uint32_t type, uint64_t p, uint32_t length) {
    switch (type) {
    case kGps0:
        m_results.gpsOffset = p;
        m_results.gpsSize = length;
        ExaminePoints(length);
        // A remainder of less than one point is not skipped.
        return p + kTrackPointBytes * (length / kTrackPointBytes);
    case kGsen:
        m_results.gsensorOffset = p;
        m_results.gsensorSize = length;
        return p + kSampleBytes * (length / kSampleBytes);
    case kGpsa:
        m_file.ReadExact(m_results.gpsRate, sizeof m_results.gpsRate);
        break;
    case kGsea:
        m_file.ReadExact(m_results.gsensorRate, sizeof m_results.gsensorRate);
        break;
    case kIdit:
        ReadDateText(length);
        break;
    }
    return p + length;
}

void CKtrVideoParser::ExaminePoints(uint64_t length) {
    const uint64_t count = std::min(length, m_file.Remaining()) / kTrackPointBytes;
    // Once dated, the remaining points cannot change anything, so they are not read.
    for (uint64_t i = 0; i < count && !m_dateFound && !m_dateRefused; ++i) {
        TrackPoint point;
        m_file.ReadExact(&point, sizeof point);
        if (point.year == 0 ||
            !DateFieldsValid(point.month, point.day, point.hour, point.minute, point.second))
            continue;
        // The points before the first dated one were taken at the GPS rate; without a rate
        // there is nothing to step back by.
        const uint8_t rate = m_results.gpsRate[0];
        m_dateFound =
            SetLocalStart(kYearBase + point.year, point.month, point.day, point.hour, point.minute,
                          point.second, static_cast<int64_t>(rate != 0 ? i / rate : 0));
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
    SetLocalStart(year, month, day, hour, minute, second, 0);
}

bool CKtrVideoParser::SetLocalStart(int year, int month, int day, int hour, int minute, int second,
                                    int64_t stepBackSeconds) {
    const std::optional<int64_t> t = LocalTimeToSeconds(year, month, day, hour, minute, second);
    if (!t) {
        m_dateRefused = true;
        return false;
    }
    m_results.startTime = *t - stepBackSeconds;
    return true;
}

bool CKtrVideoParser::DateFromLocalFields(int year, int month, int day, int hour, int minute,
                                          int second) {
    m_dateFound = SetLocalStart(year, month, day, hour, minute, second, 0);
    return m_dateFound;
}

void CKtrVideoParser::DateFromUtc(int64_t seconds) {
    m_results.startTime = seconds;
    m_dateFound = true;
}

int32_t CKtrVideoParser::Finish(const QString& path, ReadFailure failure) {
    m_file.Close();
    m_failure = failure;
    if (!m_dateFound)
        m_results.startTime = 0;
    if (failure != ReadFailure::None) {
        qCDebug(lcTrack) << "not read:" << path << "-" << ReadFailureText(failure);
        return -1;
    }
    if (m_infoTarget)
        *m_infoTarget = m_results;
    return 0;
}

bool IsAviName(const QString& name) {
    return name.endsWith(QLatin1String(".AVI"), Qt::CaseSensitive);
}

bool IsTransportStreamName(const QString& name) {
    return name.endsWith(QLatin1String(".TS"), Qt::CaseSensitive);
}

std::unique_ptr<CKtrVideoParser> CreateReaderForName(const QString& name) {
    if (IsAviName(name))
        return std::make_unique<CKtrAviParser>();
    return std::make_unique<CKtr3gpParser>();
}
