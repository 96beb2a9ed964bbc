#include "track/NmeaSidecarReader.h"

#include "platform/LocalTime.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr std::string_view kGsensorId = "$GSENSORD";
constexpr std::string_view kPositionId = "$GNRMC";
constexpr std::string_view kNoFix = "V";
constexpr std::string_view kValidFix = "A";

constexpr size_t kGsensorFields = 4;  // identifier, x, y, z
constexpr size_t kStatusFields = 3;   // up to the status in field 2
constexpr size_t kPositionFields = 8; // up to the speed in field 7
constexpr size_t kLatitudeField = 3;
constexpr size_t kLongitudeField = 5;
constexpr size_t kSpeedField = 7;
constexpr size_t kTimeField = 1;
// The date follows the course, which vanishes when the camera leaves it empty.
constexpr std::array<size_t, 2> kDateFields = {9, 8};
constexpr size_t kClockDigits = 6; // hhmmss or ddmmyy
constexpr int kYearBase = 2000;
constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
constexpr int kLastSecond = 59;
constexpr int kLastMonth = 12;

constexpr double kGsensorScale = 512.0;
constexpr double kKmhPerKnot = 1.852;
constexpr int kSidecarSuffixChars = 4;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Truncates toward zero into a signed 32-bit integer; values beyond its range saturate and
// NaN gives 0, where a plain conversion would be undefined.
int32_t TruncateToInt32(double v) {
    if (std::isnan(v))
        return 0;
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

// Truncates toward zero and keeps the low 16 bits; a value with no integer meaning (NaN,
// infinite or beyond 64 bits) gives 0.
uint16_t TruncateLow16(double v) {
    constexpr double kLimit = 9.2e18;
    if (!(std::fabs(v) < kLimit))
        return 0;
    return static_cast<uint16_t>(static_cast<int64_t>(v));
}

void AddGsensorSample(const NmeaFields& cut, NmeaSidecarTrack& track, GSensorSampleSink* sink) {
    if (cut.fields.size() < kGsensorFields)
        return;
    GSensorSample sample{};
    sample.x = TruncateToInt32(NmeaNumber(cut.fields[1]) * kGsensorScale);
    sample.y = TruncateToInt32(NmeaNumber(cut.fields[2]) * kGsensorScale);
    sample.z = TruncateToInt32(NmeaNumber(cut.fields[3]) * kGsensorScale);
    if (sink)
        sink->AddSample(sample);
    ++track.gsensorCount;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int Pair(std::string_view text, size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

bool StartsWithDigits(std::string_view text, size_t count) {
    return text.size() >= count && std::all_of(text.begin(), text.begin() + count, IsDigit);
}

// Years 2000 to 2099 only, where every fourth year is a leap year.
int DaysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && year % 4 == 0 ? 29 : kDays[static_cast<size_t>(month - 1)];
}

// The moment of a fix: the time as hhmmss with an optional fraction, which is dropped, and
// the date as exactly ddmmyy. Empty when either is missing or out of range.
std::optional<int64_t> FixUtcSeconds(const std::vector<std::string>& f) {
    if (f.size() <= kTimeField)
        return std::nullopt;
    const std::string_view time = f[kTimeField];
    if (!StartsWithDigits(time, kClockDigits) ||
        (time.size() > kClockDigits && time[kClockDigits] != '.'))
        return std::nullopt;
    const int hour = Pair(time, 0), minute = Pair(time, 2), second = Pair(time, 4);
    if (hour > kLastHour || minute > kLastMinute || second > kLastSecond)
        return std::nullopt;
    for (const size_t at : kDateFields) {
        if (f.size() <= at || f[at].size() != kClockDigits ||
            !StartsWithDigits(f[at], kClockDigits))
            continue;
        const int day = Pair(f[at], 0), month = Pair(f[at], 2), year = kYearBase + Pair(f[at], 4);
        if (month < 1 || month > kLastMonth || day < 1 || day > DaysInMonth(year, month))
            return std::nullopt;
        return UtcFieldsToSeconds(year, month, day, hour, minute, second);
    }
    return std::nullopt;
}

void AddPoint(const NmeaFields& cut, NmeaSidecarTrack& track) {
    const std::vector<std::string>& f = cut.fields;
    TrackPoint point{};
    // Field 1 is the status when the empty time field vanished, and then a no-fix sentence may
    // have nothing after it: it still stands for its second of the one-point-per-second track.
    if ((f.size() > 1 && f[1] == kNoFix) || (f.size() >= kStatusFields && f[2] == kNoFix)) {
        track.points.push_back(point);
        return;
    }
    if (f.size() < kPositionFields)
        return;
    point.latitudeNmea = NmeaNumber(f[kLatitudeField]);
    point.longitudeNmea = NmeaNumber(f[kLongitudeField]);
    point.speedKmh = TruncateLow16(NmeaNumber(f[kSpeedField]) * kKmhPerKnot);
    point.flags = f[2] == kValidFix ? TrackPoint::kFixValid : 0;
    if (point.flags != 0 && !track.firstFixUtc) {
        track.firstFixUtc = FixUtcSeconds(f);
        track.firstFixIndex = track.points.size();
    }
    track.points.push_back(point);
}

// For a number beyond the range of a double: whether it is too large rather than too small,
// decided by the power of its leading significant digit.
bool TooLarge(std::string_view number, bool hex) {
    const size_t exponentAt = number.find_first_of(hex ? "pP" : "eE");
    const std::string_view mantissa = number.substr(0, exponentAt);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t lead = mantissa.find_first_not_of("0.");
    if (lead == std::string_view::npos)
        return false;
    const double digitPower =
        lead < point ? static_cast<double>(point - lead - 1) : -static_cast<double>(lead - point);
    double exponent = 0.0;
    if (exponentAt != std::string_view::npos) {
        std::string_view digits = number.substr(exponentAt + 1);
        if (!digits.empty() && digits.front() == '+')
            digits.remove_prefix(1);
        int64_t parsed = 0;
        const std::errc error =
            std::from_chars(digits.data(), digits.data() + digits.size(), parsed).ec;
        if (error == std::errc::result_out_of_range)
            exponent = digits.front() == '-' ? -1e300 : 1e300;
        else
            exponent = static_cast<double>(parsed);
    }
    constexpr double kBitsPerHexDigit = 4.0;
    return (hex ? kBitsPerHexDigit : 1.0) * digitPower + exponent > 0.0;
}

} // namespace

NmeaFields CutNmeaFields(std::string_view line) {
    NmeaFields cut;
    size_t at = 0;
    bool first = true;
    while (at < line.size()) {
        const size_t start = line.find_first_not_of(',', at);
        if (start == std::string_view::npos)
            break;
        const size_t end = std::min(line.find(',', start), line.size());
        const std::string_view field = line.substr(start, end - start);
        if (first) {
            cut.identifier.assign(field);
            first = false;
        }
        const std::string_view trimmed = Trim(field);
        if (trimmed.empty())
            break;
        cut.fields.emplace_back(trimmed);
        at = end;
    }
    return cut;
}

double NmeaNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool hex = false;
    // "0x" followed by something that is no hexadecimal number reads as 0 then text.
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
        (std::isxdigit(static_cast<unsigned char>(text[2])) || text[2] == '.')) {
        hex = true;
        text.remove_prefix(2);
    }
    // from_chars ignores the locale; it takes a minus sign of its own, atof does not.
    if (!text.empty() && text.front() == '-')
        return 0.0;
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value,
                        hex ? std::chars_format::hex : std::chars_format::general);
    if (error == std::errc::invalid_argument)
        return 0.0;
    if (error == std::errc::result_out_of_range) {
        const std::string_view number = text.substr(0, static_cast<size_t>(end - text.data()));
        value = TooLarge(number, hex) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

QString NmeaSidecarPath(const QString& videoPath) {
    return videoPath.left(std::max<qsizetype>(0, videoPath.size() - kSidecarSuffixChars)) +
           QLatin1String(".NMEA");
}

bool IsNmeaSidecarName(const QString& name) {
    return name.endsWith(QLatin1String(".NMEA"), Qt::CaseSensitive);
}

NmeaSidecarTrack ReadNmeaSidecar(const QString& videoPath, GSensorSampleSink* sink) {
    NmeaSidecarTrack track;
    const QString sidecarPath = NmeaSidecarPath(videoPath);
    // Opening a FIFO would wait for a writer for ever; only a regular file can be a sidecar.
    if (!QFileInfo(sidecarPath).isFile())
        return track;
    QFile file(sidecarPath);
    if (!file.open(QIODevice::ReadOnly))
        return track;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.isEmpty())
            break; // before the end a line holds at least one byte: this is a read error
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        const NmeaFields cut =
            CutNmeaFields(std::string_view(line.constData(), static_cast<size_t>(line.size())));
        if (cut.identifier == kGsensorId)
            AddGsensorSample(cut, track, sink);
        else if (cut.identifier == kPositionId)
            AddPoint(cut, track);
    }
    return track;
}
