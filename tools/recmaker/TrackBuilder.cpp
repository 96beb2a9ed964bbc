#include "recmaker/TrackBuilder.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kYearBase = 2000;
constexpr int kMaxYearByte = 255;
constexpr double kMinutesPerDegree = 60.0;
constexpr double kDegreesPerHalfDegUnit = 2.0;
constexpr int kHeadingUnits = 180;

int32_t ToCount(double g, double fullScale) {
    const double count = std::round(g * kGSensorCountsPerFullScale / fullScale);
    return static_cast<int32_t>(
        std::clamp(count, static_cast<double>(INT8_MIN), static_cast<double>(INT8_MAX)));
}

void SetDate(TrackPoint& point, const QDateTime& when) {
    const QDate date = when.date();
    const QTime time = when.time();
    const int yearByte = date.year() - kYearBase;
    if (yearByte < 1 || yearByte > kMaxYearByte)
        return;
    point.year = static_cast<uint8_t>(yearByte);
    point.month = static_cast<uint8_t>(date.month());
    point.day = static_cast<uint8_t>(date.day());
    point.hour = static_cast<uint8_t>(time.hour());
    point.minute = static_cast<uint8_t>(time.minute());
    point.second = static_cast<uint8_t>(time.second());
}

} // namespace

double DegreesToNmea(double degrees) {
    const double whole = std::trunc(degrees);
    return whole * 100.0 + (degrees - whole) * kMinutesPerDegree;
}

std::vector<TrackPoint> MakeTrackPoints(const std::vector<RoutePoint>& route,
                                        const RouteOptions& options) {
    const int perSecond = std::max(1, options.pointsPerSecond);
    std::vector<TrackPoint> points;
    points.reserve(route.size());
    for (size_t i = 0; i < route.size(); ++i) {
        const RoutePoint& in = route[i];
        TrackPoint point{};
        point.latitudeNmea = options.nmeaCoordinates ? in.latitude : DegreesToNmea(in.latitude);
        point.longitudeNmea = options.nmeaCoordinates ? in.longitude : DegreesToNmea(in.longitude);
        point.altitude = in.altitude;
        point.speedKmh = static_cast<uint16_t>(
            std::clamp(std::round(in.speedKmh), 0.0,
                       static_cast<double>(std::numeric_limits<uint16_t>::max())));
        const double heading = std::fmod(std::fmod(in.headingDeg, 360.0) + 360.0, 360.0);
        point.headingHalfDeg = static_cast<uint8_t>(
            static_cast<int>(std::round(heading / kDegreesPerHalfDegUnit)) % kHeadingUnits);
        point.flags = in.fix ? TrackPoint::kFixValid : 0;
        if (options.start.isValid() && static_cast<int>(i) >= options.undatedPoints)
            SetDate(point, options.start.addSecs(static_cast<qint64>(i) / perSecond));
        points.push_back(point);
    }
    return points;
}

GSensorSample MakeGSensorSample(double xg, double yg, double zg, double fullScale) {
    return {ToCount(xg, fullScale), ToCount(yg, fullScale), ToCount(zg, fullScale)};
}
