#pragma once

#include <QString>

#include <cstdint>

// What the speed read-out draws: the number, at least three characters wide, and its unit.
struct SpeedTexts {
    QString number;
    QString unit;
};

// Miles per hour are km/h x 10 / 16, truncated, so 100 km/h reads 62 MPH. Speeds of four or
// more digits keep all of them.
SpeedTexts MakeSpeedTexts(uint16_t speedKmh, bool kmh);
