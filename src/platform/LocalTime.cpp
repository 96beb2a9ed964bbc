#include "platform/LocalTime.h"

#include <ctime>

namespace {

constexpr int kFirstYear = 1970;
constexpr int kTmYearBase = 1900;

bool SameFields(const std::tm& a, const std::tm& b) {
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday &&
           a.tm_hour == b.tm_hour && a.tm_min == b.tm_min && a.tm_sec == b.tm_sec;
}

bool LocalFields(std::time_t t, std::tm& out) {
#ifdef _WIN32
    return localtime_s(&out, &t) == 0;
#else
    return localtime_r(&t, &out) != nullptr;
#endif
}

} // namespace

std::optional<int64_t> LocalTimeToSeconds(int year, int month, int day, int hour, int minute,
                                          int second) {
    if (year < kFirstYear)
        return std::nullopt;
    std::tm fields{};
    fields.tm_year = year - kTmYearBase;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    const std::time_t t = std::mktime(&fields);
    // mktime signals failure with -1, which is also a real second (in zones east of UTC, within
    // 1970): the round trip through the local calendar tells the two apart, and catches a
    // platform that silently wraps a date it cannot hold.
    std::tm back{};
    if (!LocalFields(t, back) || !SameFields(back, fields))
        return std::nullopt;
    return static_cast<int64_t>(t);
}
