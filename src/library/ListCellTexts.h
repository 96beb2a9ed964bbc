#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The cell texts of the two lists, shared by the list widgets and kestrola-cli.

// Group, Resolution, Start, Length, File Size. The start cell is the local time of startTime,
// or empty when it cannot be written as a four-digit-year date.
std::array<QString, 5> GroupRowTexts(int32_t number, const QString& resolution, uint64_t totalMs,
                                     uint64_t totalBytes, int64_t startTime);

// File Name, Start, Date / Time. Both times come from the name: the six characters before the
// first hyphen are read as YYMMDD and the six after it as hhmmss, two characters at a time.
std::array<QString, 3> FileRowTexts(const QString& name);
