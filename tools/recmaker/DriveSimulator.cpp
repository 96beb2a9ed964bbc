#include "recmaker/DriveSimulator.h"

#include "recmaker/TrackBuilder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kEarthRadiusM = 6371000.0;
constexpr double kKmhPerMs = 3.6;
constexpr double kStandardGravity = 9.80665;
constexpr double kTurnWindowS = 1.0; // heading change is measured over +-1 s
constexpr double kVibrationG = 0.03;
constexpr uint32_t kNoiseSeed = 0x4b455354;

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}
double Degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

// The path in metres east/north of its first point; good enough for a few kilometres.
class RoadPath {
public:
    explicit RoadPath(const std::vector<std::pair<double, double>>& path) : m_origin(path.front()) {
        const double metresPerLon = kEarthRadiusM * std::cos(Radians(m_origin.first));
        double total = 0;
        for (size_t i = 0; i < path.size(); ++i) {
            const double east = Radians(path[i].second - m_origin.second) * metresPerLon;
            const double north = Radians(path[i].first - m_origin.first) * kEarthRadiusM;
            if (i > 0)
                total += std::hypot(east - m_east.back(), north - m_north.back());
            m_east.push_back(east);
            m_north.push_back(north);
            m_along.push_back(total);
        }
        m_metresPerLon = metresPerLon;
    }

    // Latitude, longitude and heading at a distance along the path (clamped to its ends).
    void At(double distance, double& latitude, double& longitude, double& heading) const {
        size_t segment = 0;
        while (segment + 2 < m_along.size() && m_along[segment + 1] < distance)
            ++segment;
        const double length = m_along[segment + 1] - m_along[segment];
        const double f =
            length > 0 ? std::clamp((distance - m_along[segment]) / length, 0.0, 1.0) : 0.0;
        const double dEast = m_east[segment + 1] - m_east[segment];
        const double dNorth = m_north[segment + 1] - m_north[segment];
        const double east = m_east[segment] + f * dEast;
        const double north = m_north[segment] + f * dNorth;
        latitude = m_origin.first + Degrees(north / kEarthRadiusM);
        longitude = m_origin.second + Degrees(east / m_metresPerLon);
        heading = std::fmod(Degrees(std::atan2(dEast, dNorth)) + 360.0, 360.0);
    }

private:
    std::pair<double, double> m_origin;
    double m_metresPerLon = 0;
    std::vector<double> m_east;
    std::vector<double> m_north;
    std::vector<double> m_along;
};

double SpeedAt(const std::vector<SpeedKey>& keys, double t) {
    if (keys.empty())
        return 0;
    if (t <= keys.front().second)
        return keys.front().kmh;
    for (size_t i = 1; i < keys.size(); ++i) {
        if (t <= keys[i].second) {
            const SpeedKey& a = keys[i - 1];
            const SpeedKey& b = keys[i];
            return a.kmh + (b.kmh - a.kmh) * (t - a.second) / (b.second - a.second);
        }
    }
    return keys.back().kmh;
}

// Metres driven from second 0 to t: the speed is piecewise linear, so each piece is a trapezoid.
double DistanceAt(const std::vector<SpeedKey>& keys, double t) {
    std::vector<double> corners = {0.0};
    for (const SpeedKey& key : keys)
        if (key.second > 0 && key.second < t)
            corners.push_back(key.second);
    corners.push_back(t);
    double metres = 0;
    for (size_t i = 1; i < corners.size(); ++i)
        metres += (SpeedAt(keys, corners[i - 1]) + SpeedAt(keys, corners[i])) / 2.0 / kKmhPerMs *
                  (corners[i] - corners[i - 1]);
    return metres;
}

double HeadingAt(const RoadPath& road, const std::vector<SpeedKey>& keys, double t) {
    double latitude = 0, longitude = 0, heading = 0;
    road.At(DistanceAt(keys, t), latitude, longitude, heading);
    return heading;
}

class Vibration {
public:
    double Next() {
        m_state = m_state * 1664525u + 1013904223u;
        return (static_cast<double>(m_state >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0) *
               kVibrationG;
    }

private:
    uint32_t m_state = kNoiseSeed;
};

} // namespace

CameraTrack SimulateDrive(const DrivePlan& plan) {
    CameraTrack track;
    const int perSecond = std::max(1, plan.pointsPerSecond);
    track.gpsRate = {static_cast<uint8_t>(perSecond), 0, 0, 0};
    track.gsensorRate = {static_cast<uint8_t>(plan.gsensorRateCode),
                         static_cast<uint8_t>(plan.fullScale), 0, 0};
    if (plan.path.size() < 2)
        return track;
    const RoadPath road(plan.path);

    std::vector<RoutePoint> route;
    const int pointCount = static_cast<int>(std::lround(plan.seconds * perSecond));
    for (int k = 0; k < pointCount; ++k) {
        const double t = plan.fromSecond + static_cast<double>(k) / perSecond;
        RoutePoint point;
        road.At(DistanceAt(plan.speeds, t), point.latitude, point.longitude, point.headingDeg);
        point.speedKmh = SpeedAt(plan.speeds, t);
        point.altitude = plan.altitude;
        route.push_back(point);
    }
    RouteOptions options;
    options.start = plan.start.addSecs(static_cast<qint64>(plan.fromSecond));
    options.pointsPerSecond = perSecond;
    track.points = MakeTrackPoints(route, options);

    const double sampleRate = 2.0 * plan.gsensorRateCode;
    const int sampleCount = static_cast<int>(std::lround(plan.seconds * sampleRate));
    constexpr double kSlopeStepS = 0.05;
    Vibration vibration;
    for (int j = 0; j < sampleCount; ++j) {
        const double t = plan.fromSecond + j / sampleRate;
        const double forward =
            (SpeedAt(plan.speeds, t + kSlopeStepS) - SpeedAt(plan.speeds, t - kSlopeStepS)) /
            (2 * kSlopeStepS) / kKmhPerMs;
        double turn = HeadingAt(road, plan.speeds, t + kTurnWindowS) -
                      HeadingAt(road, plan.speeds, t - kTurnWindowS);
        turn = std::remainder(turn, 360.0);
        // A right turn (heading growing) pushes the load to the left.
        const double lateral =
            SpeedAt(plan.speeds, t) / kKmhPerMs * Radians(turn) / (2 * kTurnWindowS);
        track.gsensor.push_back(MakeGSensorSample(forward / kStandardGravity + vibration.Next(),
                                                  lateral / kStandardGravity + vibration.Next(),
                                                  1.0 + vibration.Next(), plan.fullScale));
    }
    return track;
}
