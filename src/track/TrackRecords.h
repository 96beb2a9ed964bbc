#pragma once

#include "platform/FileStatus.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

// The camera writes TrackPoint and GSensorSample arrays straight into its files and the
// loader copies those bytes unchanged, so these structs are the on-disk layout.
static_assert(std::endian::native == std::endian::little,
              "track records are read from disk as little-endian bytes");

#pragma pack(push, 1)
struct TrackPoint {
    double latitudeNmea;  // ddmm.mmmm
    double longitudeNmea; // dddmm.mmmm
    int32_t altitude;
    uint16_t speedKmh;
    uint8_t year; // years since 2000; 0 = undated
    uint8_t month;
    uint8_t day;
    uint8_t hour;
    uint8_t minute;
    uint8_t second;
    uint8_t headingHalfDeg;
    uint8_t flags;
    uint8_t reserved[2];

    static constexpr uint8_t kFixValid = 0x01;
    bool fixValid() const { return (flags & kFixValid) != 0; }
};

struct GSensorSample {
    int32_t x;
    int32_t y;
    int32_t z;
};
#pragma pack(pop)

static_assert(sizeof(TrackPoint) == 32);
static_assert(offsetof(TrackPoint, latitudeNmea) == 0);
static_assert(offsetof(TrackPoint, longitudeNmea) == 8);
static_assert(offsetof(TrackPoint, altitude) == 16);
static_assert(offsetof(TrackPoint, speedKmh) == 20);
static_assert(offsetof(TrackPoint, year) == 22);
static_assert(offsetof(TrackPoint, second) == 27);
static_assert(offsetof(TrackPoint, headingHalfDeg) == 28);
static_assert(offsetof(TrackPoint, flags) == 29);
static_assert(sizeof(GSensorSample) == 12);
static_assert(offsetof(GSensorSample, y) == 4);
static_assert(offsetof(GSensorSample, z) == 8);

constexpr uint32_t kTrackPointBytes = sizeof(TrackPoint);
constexpr uint32_t kGSensorSampleBytes = sizeof(GSensorSample);

// What a reader reports about one recording file.
struct RecordingInfo {
    uint64_t gpsOffset = 0;
    uint32_t gpsSize = 0;
    uint64_t gsensorOffset = 0;
    uint32_t gsensorSize = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    int64_t startTime = 0; // seconds since 1970 UTC; 0 = no usable date
    int64_t durationSeconds = 0;
    uint32_t durationMs = 0;
    uint64_t fileSize = 0;
    uint8_t gpsRate[4] = {0, 0, 0, 0};     // [0] = points per second
    uint8_t gsensorRate[4] = {0, 0, 0, 0}; // [0] = rate code (samples/ms * 500), [1] = full scale g

    bool hasGps() const { return gpsOffset != 0 && gpsSize != 0; }
};

// The track of the one recording loaded for playback.
struct TrackBuffer {
    std::vector<TrackPoint> points; // holds at least pointBytes bytes
    uint32_t pointBytes = 0;
    std::vector<uint8_t> gsensor;
    uint32_t gsensorBytes = 0;
    double pointsPerSecond = 0.0;
    int32_t entryIndex = -1;

    uint32_t pointCount() const { return pointBytes / kTrackPointBytes; }
    // Index of the point that describes playback time ms, or -1 when the track has none.
    int64_t pointIndexAt(int64_t ms) const;
    // Frees both blocks and sizes them anew (zero-filled) for the given byte counts.
    void resize(uint32_t newPointBytes, uint32_t newGSensorBytes);
};

// ddmm.mmmm -> decimal degrees; truncation toward zero mirrors negative values.
double NmeaToDegrees(double nmea);

// A point may be drawn on the map only when it has a fix and plausible coordinates.
bool PassesMapTest(const TrackPoint& point);

inline constexpr uint32_t kMsPerSecond = 1000;

// A G-sensor count of 128 stands for the recording's full scale in g.
inline constexpr double kGSensorCountsPerFullScale = 128.0;

// The G-sensor value lives in the lowest byte of each 32-bit integer.
inline int8_t GSensorCount(int32_t raw) { return static_cast<int8_t>(static_cast<uint8_t>(raw & 0xFF)); }
inline double GSensorCountToG(int count, double fullScale) {
    return count * fullScale / kGSensorCountsPerFullScale;
}
inline double GSensorG(int32_t raw, double fullScale) { return GSensorCountToG(GSensorCount(raw), fullScale); }
