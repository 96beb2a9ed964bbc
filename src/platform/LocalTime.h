#pragma once

#include <cstdint>
#include <optional>

// Seconds since 1970-01-01 UTC for calendar fields read as the computer's local time, with
// daylight saving decided by the system. Empty when refused: a year before 1970, or a date
// the platform cannot represent. Out-of-range fields roll over as the C library rolls them
// (the 31st of February is the 3rd of March).
std::optional<int64_t> LocalTimeToSeconds(int year, int month, int day, int hour, int minute,
                                          int second);

// Seconds since 1970-01-01 UTC for calendar fields read as UTC; month is 1..12, and fields
// out of range roll over as they do for LocalTimeToSeconds.
int64_t UtcFieldsToSeconds(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                           int64_t second);

struct LocalClock {
    int year, month, day, hour, minute, second;
};

// The computer's local calendar fields at an instant in seconds since 1970-01-01 UTC; empty
// when the platform cannot hold that instant.
std::optional<LocalClock> SecondsToLocalTime(int64_t seconds);
