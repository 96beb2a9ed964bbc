#include "recmaker/RouteFile.h"

#include "recmaker/DriveSimulator.h"
#include "recmaker/TrackBuilder.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

constexpr int kDefaultRateCode = 25;
constexpr int kDefaultFullScale = 4;
constexpr int kMaxByte = 255;

bool Fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

bool ReadTriples(const QJsonArray& rows, const QString& key,
                 std::vector<std::array<double, 3>>& out, QString* error) {
    for (const QJsonValue& row : rows) {
        const QJsonArray values = row.toArray();
        if (values.size() != 3 || !values[0].isDouble() || !values[1].isDouble() ||
            !values[2].isDouble())
            return Fail(error, QStringLiteral("\"%1\" rows must be [x, y, z] numbers").arg(key));
        out.push_back({values[0].toDouble(), values[1].toDouble(), values[2].toDouble()});
    }
    return true;
}

bool ReadDrive(const QJsonObject& drive, DrivePlan& plan, QString* error) {
    for (const QJsonValue& corner : drive.value(QLatin1String("path")).toArray()) {
        const QJsonArray pair = corner.toArray();
        if (pair.size() != 2)
            return Fail(error, QStringLiteral("\"drive\".\"path\" rows must be [lat, lon]"));
        plan.path.emplace_back(pair[0].toDouble(), pair[1].toDouble());
    }
    if (plan.path.size() < 2)
        return Fail(error, QStringLiteral("\"drive\".\"path\" needs at least two corners"));
    for (const QJsonValue& key : drive.value(QLatin1String("speeds")).toArray()) {
        const QJsonArray pair = key.toArray();
        if (pair.size() != 2 ||
            (!plan.speeds.empty() && pair[0].toDouble() <= plan.speeds.back().second))
            return Fail(error, QStringLiteral("\"drive\".\"speeds\" rows must be [second, kmh] "
                                              "with rising seconds"));
        plan.speeds.push_back({pair[0].toDouble(), pair[1].toDouble()});
    }
    plan.fromSecond = drive.value(QLatin1String("from")).toDouble(0);
    plan.seconds = drive.value(QLatin1String("seconds")).toDouble(plan.seconds);
    plan.altitude = drive.value(QLatin1String("alt")).toInt(0);
    return true;
}

} // namespace

bool ReadRouteJson(const QJsonObject& route, CameraTrack& track, QString* error) {
    const int perSecond = route.value(QLatin1String("pointsPerSecond")).toInt(1);
    const int rateCode = route.value(QLatin1String("gsensorRateCode")).toInt(kDefaultRateCode);
    const int fullScale = route.value(QLatin1String("fullScale")).toInt(kDefaultFullScale);
    if (perSecond < 1 || perSecond > kMaxByte || rateCode < 0 || rateCode > kMaxByte ||
        fullScale < 1 || fullScale > kMaxByte)
        return Fail(error, QStringLiteral("\"pointsPerSecond\" must be 1..255, "
                                          "\"gsensorRateCode\" 0..255, \"fullScale\" 1..255"));
    QDateTime start;
    if (route.contains(QLatin1String("start"))) {
        start = QDateTime::fromString(route.value(QLatin1String("start")).toString(), Qt::ISODate);
        if (!start.isValid())
            return Fail(error, QStringLiteral("\"start\" must be a date and time such as "
                                              "2024-05-15T08:15:00"));
    }

    if (route.contains(QLatin1String("drive"))) {
        DrivePlan plan;
        plan.start = start;
        plan.pointsPerSecond = perSecond;
        plan.gsensorRateCode = rateCode;
        plan.fullScale = fullScale;
        if (!ReadDrive(route.value(QLatin1String("drive")).toObject(), plan, error))
            return false;
        track = SimulateDrive(plan);
    } else {
        track = CameraTrack{};
        track.gpsRate = {static_cast<uint8_t>(perSecond), 0, 0, 0};
        track.gsensorRate = {static_cast<uint8_t>(rateCode), static_cast<uint8_t>(fullScale), 0, 0};
        std::vector<RoutePoint> points;
        for (const QJsonValue& value : route.value(QLatin1String("points")).toArray()) {
            const QJsonObject p = value.toObject();
            if (!p.value(QLatin1String("lat")).isDouble() ||
                !p.value(QLatin1String("lon")).isDouble())
                return Fail(error, QStringLiteral("every point needs numeric \"lat\" and \"lon\""));
            points.push_back({p.value(QLatin1String("lat")).toDouble(),
                              p.value(QLatin1String("lon")).toDouble(),
                              p.value(QLatin1String("speed")).toDouble(),
                              p.value(QLatin1String("heading")).toDouble(),
                              p.value(QLatin1String("fix")).toBool(true),
                              p.value(QLatin1String("alt")).toInt()});
        }
        RouteOptions options;
        options.start = start;
        options.pointsPerSecond = perSecond;
        options.undatedPoints = route.value(QLatin1String("undatedPoints")).toInt(0);
        options.nmeaCoordinates = route.value(QLatin1String("nmeaCoordinates")).toBool(false);
        track.points = MakeTrackPoints(points, options);

        std::vector<std::array<double, 3>> rows;
        const bool counts = route.contains(QLatin1String("gsensorCounts"));
        const QString key = counts ? QStringLiteral("gsensorCounts") : QStringLiteral("gsensor");
        if (!ReadTriples(route.value(key).toArray(), key, rows, error))
            return false;
        for (const auto& [x, y, z] : rows)
            track.gsensor.push_back(counts ? GSensorSample{static_cast<int32_t>(x),
                                                           static_cast<int32_t>(y),
                                                           static_cast<int32_t>(z)}
                                           : MakeGSensorSample(x, y, z, fullScale));
    }
    track.idit = route.value(QLatin1String("idit")).toString().toLatin1();
    return true;
}

bool ReadRouteFile(const QString& path, CameraTrack& track, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isObject())
        return Fail(
            error,
            QStringLiteral("%1 is not a JSON object: %2").arg(path, parseError.errorString()));
    return ReadRouteJson(document.object(), track, error);
}
