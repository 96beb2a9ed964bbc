#pragma once

#include "track/TrackRecords.h"

#include <QDateTime>

#include <cstdint>
#include <vector>

// One GPS fix as a person would describe it; MakeTrackPoints turns it into the camera record.
struct RoutePoint {
    double latitude = 0;  // degrees, north positive (or ddmm.mmmm when already in NMEA form)
    double longitude = 0; // degrees, east positive (or dddmm.mmmm)
    double speedKmh = 0;
    double headingDeg = 0; // clockwise from north
    bool fix = true;
    int32_t altitude = 0;
};

struct RouteOptions {
    QDateTime start; // local time of the first point; invalid leaves every point undated
    int pointsPerSecond = 1;
    int undatedPoints = 0; // the first k points carry no date, as before the receiver has one
    bool nmeaCoordinates = false; // latitude/longitude are given in NMEA form already
};

// Degrees to the camera's ddmm.mmmm form, keeping the sign.
double DegreesToNmea(double degrees);

// Point i is dated start + floor(i / pointsPerSecond) seconds. The year byte counts from 2000,
// so only dates from 2001 to 2255 can be written; others are left undated.
std::vector<TrackPoint> MakeTrackPoints(const std::vector<RoutePoint>& route,
                                        const RouteOptions& options);

// Acceleration in g to the camera's count (128 counts = full scale), clamped to 8 bits.
GSensorSample MakeGSensorSample(double xg, double yg, double zg, double fullScale);
