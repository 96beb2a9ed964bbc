#include "platform/LocalTime.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <optional>
#include <string>

namespace {

constexpr int kFirstYear = 1970;
constexpr int kTmYearBase = 1900;
constexpr int64_t kMonthsPerYear = 12;
constexpr int64_t kSecondsPerMinute = 60;
constexpr int64_t kSecondsPerHour = 3600;
constexpr int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 to the given proleptic Gregorian date; month is 1..12.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool LocalFields(std::time_t t, std::tm& out) {
#ifdef _WIN32
    return localtime_s(&out, &t) == 0;
#else
    return localtime_r(&t, &out) != nullptr;
#endif
}

// How far the local clock is ahead of UTC at instant t.
std::optional<int64_t> OffsetAt(int64_t t) {
    std::tm local{};
    if (!LocalFields(static_cast<std::time_t>(t), local))
        return std::nullopt;
    return UtcFieldsToSeconds(int64_t{local.tm_year} + kTmYearBase, int64_t{local.tm_mon} + 1,
                              local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec) -
           t;
}

// mktime asks the C library to load the zone again on every call, which costs a look at the
// zone file each time when TZ is unset; localtime_r keeps what it loaded. The zone is loaded
// again only when TZ itself changes.
void LoadZoneWhenChanged() {
    static std::mutex guard;
    static std::optional<std::string> loadedFor;
    static bool loaded = false;
    const std::lock_guard<std::mutex> lock(guard);
    const char* value = std::getenv("TZ");
    const std::optional<std::string> current =
        value ? std::optional<std::string>(value) : std::nullopt;
    if (loaded && current == loadedFor)
        return;
#ifdef _WIN32
    _tzset();
#else
    tzset();
#endif
    loadedFor = current;
    loaded = true;
}

} // namespace

std::optional<int64_t> LocalTimeToSeconds(int year, int month, int day, int hour, int minute,
                                          int second) {
    if (year < kFirstYear)
        return std::nullopt;
    LoadZoneWhenChanged();
    const int64_t wall = UtcFieldsToSeconds(year, month, day, hour, minute, second);
    // The offset at the wall time read as UTC is close, and the offset at that first guess
    // settles it, unless the wall time falls into the hour the clocks skip. There, as with
    // mktime, the offset in force before the skip applies: 02:30 on the day clocks go from
    // 02:00 to 03:00 is 03:30. Clocks skip forward, so that offset is the smaller one.
    const std::optional<int64_t> nearOffset = OffsetAt(wall);
    if (!nearOffset)
        return std::nullopt;
    const std::optional<int64_t> offset = OffsetAt(wall - *nearOffset);
    if (!offset)
        return std::nullopt;
    int64_t t = wall - *offset;
    // An instant the platform cannot turn back into local fields (a year beyond what it holds)
    // is refused.
    const std::optional<int64_t> offsetThen = OffsetAt(t);
    if (!offsetThen)
        return std::nullopt;
    if (*offsetThen != *offset) {
        t = wall - std::min(*offset, *offsetThen);
        if (!OffsetAt(t))
            return std::nullopt;
    }
    return t;
}

std::optional<LocalClock> SecondsToLocalTime(int64_t seconds) {
    LoadZoneWhenChanged();
    std::tm local{};
    if (!LocalFields(static_cast<std::time_t>(seconds), local))
        return std::nullopt;
    return LocalClock{local.tm_year + kTmYearBase,
                      local.tm_mon + 1,
                      local.tm_mday,
                      local.tm_hour,
                      local.tm_min,
                      local.tm_sec};
}

int64_t UtcFieldsToSeconds(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                           int64_t second) {
    int64_t monthIndex = month - 1;
    year += monthIndex / kMonthsPerYear;
    monthIndex %= kMonthsPerYear;
    if (monthIndex < 0) {
        monthIndex += kMonthsPerYear;
        --year;
    }
    return (DaysFromCivil(year, monthIndex + 1, 1) + day - 1) * kSecondsPerDay +
           hour * kSecondsPerHour + minute * kSecondsPerMinute + second;
}
