#include "track/TrackRecords.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

TrackPoint Fix(double lat, double lon, bool valid)
{
    TrackPoint p{};
    p.latitudeNmea = lat;
    p.longitudeNmea = lon;
    p.flags = valid ? TrackPoint::kFixValid : 0;
    return p;
}

TEST(TrackRecords, PointReadsFromCameraBytes)
{
    unsigned char raw[32] = {};
    const double lat = 4807.038, lon = 1131.0;
    std::memcpy(raw, &lat, 8);
    std::memcpy(raw + 8, &lon, 8);
    raw[16] = 0x9c; raw[17] = 0xff; raw[18] = 0xff; raw[19] = 0xff; // altitude -100
    raw[20] = 0x29; raw[21] = 0x01;                                  // 297 km/h
    raw[22] = 21; raw[23] = 5; raw[24] = 4; raw[25] = 10; raw[26] = 20; raw[27] = 30;
    raw[28] = 42;
    raw[29] = 0xFF; // only bit 0 matters
    TrackPoint p;
    std::memcpy(&p, raw, sizeof p);
    EXPECT_DOUBLE_EQ(p.latitudeNmea, 4807.038);
    EXPECT_DOUBLE_EQ(p.longitudeNmea, 1131.0);
    EXPECT_EQ(p.altitude, -100);
    EXPECT_EQ(p.speedKmh, 297);
    EXPECT_EQ(p.year, 21);
    EXPECT_EQ(p.second, 30);
    EXPECT_EQ(p.headingHalfDeg, 42);
    EXPECT_TRUE(p.fixValid());
}

TEST(TrackRecords, NmeaToDegreesMirrorsNegatives)
{
    EXPECT_NEAR(NmeaToDegrees(4807.038), 48.1173, 5e-5);
    EXPECT_NEAR(NmeaToDegrees(-4807.038), -48.1173, 5e-5);
    EXPECT_NEAR(NmeaToDegrees(1131.0), 11.516667, 5e-7);
    EXPECT_DOUBLE_EQ(NmeaToDegrees(0.0), 0.0);
}

TEST(TrackRecords, MapTest)
{
    struct Case {
        double lat, lon;
        bool valid, expected;
    } cases[] = {
        {4807.038, 1131.0, true, true},
        {4807.038, 1131.0, false, false},   // no fix, whatever the coordinates
        {20000.0, 1131.0, true, false},     // latitude / 100 reaches 200
        {19999.99, 19999.99, true, true},
        {4807.038, 20000.0, true, false},
        {-4807.038, -1131.0, true, true},
        {-std::numeric_limits<double>::infinity(), 1131.0, true, false},
        {4807.038, std::numeric_limits<double>::quiet_NaN(), true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PassesMapTest(Fix(c.lat, c.lon, c.valid)), c.expected) << c.lat << "," << c.lon;
}

TEST(TrackRecords, GSensorValueIsTheLowByte)
{
    EXPECT_EQ(GSensorCount(384), -128);
    EXPECT_DOUBLE_EQ(GSensorG(384, 2.0), -2.0);
    EXPECT_EQ(GSensorCount(513), 1);
    EXPECT_EQ(GSensorCount(-128), -128);
    EXPECT_EQ(GSensorCount(7), 7);
}

TEST(TrackRecords, TimeBasePicksPointIndex)
{
    TrackBuffer track;
    track.resize(100 * kTrackPointBytes + 5, 0); // trailing bytes do not make a point
    EXPECT_EQ(track.pointCount(), 100u);
    struct Case {
        double pps;
        int64_t ms, expected;
    } cases[] = {
        {1.0, 2999, 2}, {10.0, 2999, 29}, {1.0, 0, 0}, {1.0, 99999, 99},
        {1.0, 100000, -1}, {10.0, 10000, -1}, {1.0, -1, 0}, {1.0, -1000, -1},
    };
    for (const Case& c : cases) {
        track.pointsPerSecond = c.pps;
        EXPECT_EQ(track.pointIndexAt(c.ms), c.expected) << c.pps << " " << c.ms;
    }
}

} // namespace
