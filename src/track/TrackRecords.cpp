#include "track/TrackRecords.h"

#include <cmath>

int64_t TrackBuffer::pointIndexAt(int64_t ms) const
{
    const double index = std::trunc(static_cast<double>(ms) * pointsPerSecond / kMsPerSecond);
    if (!(index >= 0.0) || index >= static_cast<double>(pointCount()))
        return -1;
    return static_cast<int64_t>(index);
}

void TrackBuffer::resize(uint32_t newPointBytes, uint32_t newGSensorBytes)
{
    const size_t pointSlots = (static_cast<size_t>(newPointBytes) + kTrackPointBytes - 1) / kTrackPointBytes;
    std::vector<TrackPoint>(pointSlots, TrackPoint{}).swap(points);
    std::vector<uint8_t>(newGSensorBytes, 0).swap(gsensor);
    pointBytes = newPointBytes;
    gsensorBytes = newGSensorBytes;
}

double NmeaToDegrees(double nmea)
{
    const double a = nmea / 100.0;
    const double d = std::trunc(a);
    return d + (a - d) * 100.0 / 60.0;
}

bool PassesMapTest(const TrackPoint& point)
{
    // Unwritten card bytes read as NaN or infinities; no map can place those.
    return point.fixValid() && std::isfinite(point.latitudeNmea) &&
           std::isfinite(point.longitudeNmea) && point.latitudeNmea / 100.0 < 200.0 &&
           point.longitudeNmea / 100.0 < 200.0;
}
