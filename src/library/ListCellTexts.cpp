#include "library/ListCellTexts.h"

#include "platform/LocalTime.h"
#include "track/TrackRecords.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr int kBytesToMbShift = 20;
constexpr int kCenturyBase = 2000;
constexpr int kLastFourDigitYear = 9999;
// Room for the longest cell: six numbers of up to 11 characters and their separators.
constexpr int kCellBytes = 96;

// The C library's printf, which gives the same text: QString::asprintf cost a tenth of the
// time of a whole card's scan.
template <typename... Numbers> QString Printed(const char* format, Numbers... numbers) {
    char text[kCellBytes];
    const int length = std::snprintf(text, sizeof text, format, numbers...);
    return QString::fromLatin1(text, std::clamp(length, 0, kCellBytes - 1));
}

// Reads up to two characters from max(position, 0) the way atoi does: leading blanks, an
// optional sign, then digits up to the first non-digit; 0 when there is no digit.
int Pair(const QString& name, qsizetype position) {
    const qsizetype from = std::clamp<qsizetype>(position, 0, name.size());
    const QStringView text =
        QStringView(name).sliced(from, std::min<qsizetype>(2, name.size() - from));
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') ||
                               (text[i] >= QLatin1Char('\t') && text[i] <= QLatin1Char('\r'))))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        value = value * 10 + (text[i].unicode() - u'0');
    return negative ? -value : value;
}

// Formatted by hand: a QDateTime in local time reloads the zone for every group of a card.
QString LocalTimeText(int64_t startTime) {
    const std::optional<LocalClock> local = SecondsToLocalTime(startTime);
    if (!local || local->year < 0 || local->year > kLastFourDigitYear)
        return QString();
    return Printed("%04d-%02d-%02d %02d:%02d:%02d", local->year, local->month, local->day,
                   local->hour, local->minute, local->second);
}

} // namespace

std::array<QString, 5> GroupRowTexts(int32_t number, const QString& resolution, uint64_t totalMs,
                                     uint64_t totalBytes, int64_t startTime) {
    return {
        Printed("G%d", number),
        resolution,
        LocalTimeText(startTime),
        Printed(" %lld s ", static_cast<long long>(totalMs / kMsPerSecond)),
        Printed(" %lld MB", static_cast<long long>(totalBytes >> kBytesToMbShift)),
    };
}

std::array<QString, 3> FileRowTexts(const QString& name) {
    const qsizetype h = name.indexOf(QLatin1Char('-'));
    return {
        name,
        Printed("%02d:%02d:%02d", Pair(name, h + 1), Pair(name, h + 3), Pair(name, h + 5)),
        Printed("%04d-%02d-%02d %02d:%02d:%02d", Pair(name, h - 6) + kCenturyBase,
                Pair(name, h - 4), Pair(name, h - 2), Pair(name, h + 1), Pair(name, h + 3),
                Pair(name, h + 5)),
    };
}
