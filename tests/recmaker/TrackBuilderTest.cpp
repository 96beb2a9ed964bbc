#include "recmaker/TrackBuilder.h"
#include "recmaker/DriveSimulator.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(TrackBuilder, DegreesRoundTripThroughTheCameraForm) {
    for (double degrees : {48.1173, -48.1173, 11.582, -122.4194, 0.0, 179.99999})
        EXPECT_NEAR(NmeaToDegrees(DegreesToNmea(degrees)), degrees, 1e-9) << degrees;
    EXPECT_NEAR(DegreesToNmea(48.1173), 4807.038, 1e-9);
}

TEST(TrackBuilder, PointsAreDatedByWholeSecondsAfterTheUndatedOnes) {
    RouteOptions options;
    options.start = QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59));
    options.pointsPerSecond = 2;
    options.undatedPoints = 2;
    const auto points = MakeTrackPoints(std::vector<RoutePoint>(5), options);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points[0].year, 0);
    EXPECT_EQ(points[1].year, 0);
    // Point 2 is one second in: the date rolls over into the next year.
    EXPECT_EQ(points[2].year, 25);
    EXPECT_EQ(points[2].month, 1);
    EXPECT_EQ(points[2].day, 1);
    EXPECT_EQ(points[2].second, 0);
    EXPECT_EQ(points[3].second, 0);
    EXPECT_EQ(points[4].second, 1);

    options.start = QDateTime(QDate(2000, 6, 1), QTime(12, 0));
    EXPECT_EQ(MakeTrackPoints({RoutePoint{}}, options)[0].year, 0) << "year byte 0 means undated";
}

TEST(TrackBuilder, FieldsAreConvertedToTheRecordUnits) {
    RouteOptions nmea;
    nmea.nmeaCoordinates = true;
    const struct {
        RoutePoint in;
        uint16_t speed;
        uint8_t heading;
    } cases[] = {
        {{4807.038, 1131.0, 41.6, 84.4, true, 545}, 42, 42},
        {{0, 0, 0, 359.5, false, -3}, 0, 0},       // wraps to north
        {{0, 0, 70000, -10, true, 0}, 65535, 175}, // clamped; negative heading wraps
    };
    for (const auto& c : cases) {
        const TrackPoint p = MakeTrackPoints({c.in}, nmea)[0];
        EXPECT_DOUBLE_EQ(p.latitudeNmea, c.in.latitude);
        EXPECT_EQ(p.speedKmh, c.speed);
        EXPECT_EQ(p.headingHalfDeg, c.heading);
        EXPECT_EQ(p.fixValid(), c.in.fix);
        EXPECT_EQ(p.altitude, c.in.altitude);
        EXPECT_EQ(p.year, 0);
    }
}

TEST(TrackBuilder, AccelerationBecomesEightBitCounts) {
    const GSensorSample s = MakeGSensorSample(1.0, -0.85, 5.0, 4.0);
    EXPECT_EQ(s.x, 32);
    EXPECT_EQ(s.y, -27);
    EXPECT_EQ(s.z, 127);
    EXPECT_EQ(MakeGSensorSample(-9, 0, 0, 4).x, -128);
    EXPECT_EQ(GSensorG(MakeGSensorSample(-0.5, 0, 0, 2).x, 2), -0.5);
}

DrivePlan NorthboundWithHardBraking() {
    DrivePlan plan;
    plan.path = {{48.0, 11.0}, {48.01, 11.0}}; // about 1.1 km due north
    plan.speeds = {{0, 36}, {10, 36}, {11.5, 0}};
    plan.start = QDateTime(QDate(2024, 5, 15), QTime(8, 15, 0));
    plan.seconds = 8;
    plan.gsensorRateCode = 25;
    plan.fullScale = 4;
    return plan;
}

TEST(DriveSimulator, FollowsThePathAtTheKeyedSpeeds) {
    DrivePlan plan = NorthboundWithHardBraking();
    const CameraTrack first = SimulateDrive(plan);
    ASSERT_EQ(first.points.size(), 8u);
    EXPECT_EQ(first.gsensor.size(), 8u * 50);
    EXPECT_EQ(first.gsensorRate[0], 25);
    EXPECT_EQ(first.gsensorRate[1], 4);
    EXPECT_NEAR(NmeaToDegrees(first.points[0].latitudeNmea), 48.0, 1e-9);
    // 36 km/h is 10 m/s: 70 m north after 7 s, one 1e-5 degree is about 1.11 m.
    EXPECT_NEAR(NmeaToDegrees(first.points[7].latitudeNmea), 48.0 + 70 / 111195.0, 2e-6);
    EXPECT_NEAR(NmeaToDegrees(first.points[7].longitudeNmea), 11.0, 1e-9);
    for (const TrackPoint& p : first.points) {
        EXPECT_EQ(p.speedKmh, 36);
        EXPECT_EQ(p.headingHalfDeg, 0);
        EXPECT_TRUE(p.fixValid());
    }

    // The next recording of the same drive carries on where the first stopped.
    plan.fromSecond = 8;
    const CameraTrack second = SimulateDrive(plan);
    EXPECT_NEAR(NmeaToDegrees(second.points[0].latitudeNmea), 48.0 + 80 / 111195.0, 2e-6);
    EXPECT_EQ(second.points[0].second, 8);
    EXPECT_EQ(second.points[3].speedKmh, 12); // 11 s: a third of the way down from 36
    EXPECT_EQ(second.points[5].speedKmh, 0);
}

TEST(DriveSimulator, HardBrakingShowsOnTheForwardAxisOnly) {
    DrivePlan plan = NorthboundWithHardBraking();
    plan.fromSecond = 8;
    plan.seconds = 6;
    const CameraTrack track = SimulateDrive(plan);
    const double fullScale = plan.fullScale;
    double minX = 0;
    for (size_t j = 0; j < track.gsensor.size(); ++j) {
        const double t = plan.fromSecond + j / 50.0;
        const double x = GSensorG(track.gsensor[j].x, fullScale);
        minX = std::min(minX, x);
        if (t > 10.1 && t < 11.4) {
            EXPECT_NEAR(x, -10 / 1.5 / 9.80665, 0.07) << t; // 36 km/h to 0 in 1.5 s
        } else if (t < 9.9 || t > 11.6) {
            EXPECT_NEAR(x, 0, 0.07) << t;
        }
        EXPECT_NEAR(GSensorG(track.gsensor[j].y, fullScale), 0, 0.07) << t;
        EXPECT_NEAR(GSensorG(track.gsensor[j].z, fullScale), 1, 0.07) << t;
    }
    EXPECT_LT(minX, -0.6);
}

TEST(DriveSimulator, TurningLoadsTheSideAxis) {
    DrivePlan plan;
    plan.path = {{48.0, 11.0}, {48.001, 11.0}, {48.001, 11.003}}; // north, then a right turn east
    plan.speeds = {{0, 36}};
    plan.seconds = 20;
    const CameraTrack track = SimulateDrive(plan);
    EXPECT_EQ(track.points.front().headingHalfDeg, 0);
    EXPECT_EQ(track.points.back().headingHalfDeg, 45); // 90 degrees
    int maxY = -128;
    for (const GSensorSample& s : track.gsensor)
        maxY = std::max<int>(maxY, GSensorCount(s.y));
    EXPECT_GT(maxY, 10); // well above the vibration
}

} // namespace
