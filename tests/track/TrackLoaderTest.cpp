#include "track/TrackLoader.h"

#include "track/TrackSinks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

class RecordingCurve : public GSensorCurveSink {
public:
    void ClearSamples() override {
        calls.push_back(QStringLiteral("ClearSamples"));
        samples.clear();
    }
    void AddSample(const GSensorSample& sample) override {
        if (calls.empty() || calls.back() != QLatin1String("AddSample"))
            calls.push_back(QStringLiteral("AddSample"));
        samples.push_back(sample);
    }
    void SetScale(double full, double range) override {
        calls.push_back(QStringLiteral("SetScale(%1,%2)").arg(full).arg(range));
        fullScale = full;
    }
    void UpdateSpan() override { calls.push_back(QStringLiteral("UpdateSpan")); }
    void SetSamplesPerMs(double rate) override {
        calls.push_back(QStringLiteral("SetSamplesPerMs(%1)").arg(rate));
        samplesPerMs = rate;
    }
    double SamplesPerMs() const override { return samplesPerMs; }
    void Repaint() override { calls.push_back(QStringLiteral("Repaint")); }

    QStringList calls; // consecutive AddSample calls are logged once
    std::vector<GSensorSample> samples;
    double fullScale = 2.0;
    double samplesPerMs = 0.016;
};

class RecordingMap : public MapScriptSink {
public:
    void RunScript(const QString& script) override { scripts.push_back(script); }
    QStringList scripts;
};

TrackPoint Point(double lat, double lon, bool fix = true) {
    TrackPoint p{};
    p.latitudeNmea = lat;
    p.longitudeNmea = lon;
    p.altitude = 512;
    p.speedKmh = 40;
    p.headingHalfDeg = 45;
    p.flags = fix ? TrackPoint::kFixValid : 0;
    return p;
}

std::vector<TrackPoint> Route(size_t count) {
    std::vector<TrackPoint> points;
    for (size_t i = 0; i < count; ++i)
        points.push_back(Point(4807.0 + static_cast<double>(i), 1131.0));
    return points;
}

std::vector<GSensorSample> Samples(size_t count) {
    std::vector<GSensorSample> samples;
    for (size_t i = 0; i < count; ++i) {
        const auto v = static_cast<int32_t>(i);
        samples.push_back({v, 256 + v, -v});
    }
    return samples;
}

template <typename T> std::string Bytes(const std::vector<T>& records) {
    return std::string(reinterpret_cast<const char*>(records.data()), records.size() * sizeof(T));
}

bool SameBytes(const void* a, const void* b, size_t size) {
    return std::memcmp(a, b, size) == 0;
}

// A recording file as far as the loader looks into it: the two payloads at the offsets the
// reader reported, with filler around them.
struct Recording {
    std::vector<TrackPoint> points;
    std::vector<GSensorSample> samples;
    uint8_t gpsRate = 1;
    uint8_t gsensorRateCode = 25;
    uint8_t gsensorFullScale = 4;
    uint32_t durationMs = 60000;
    std::string trailingBytes = "end";

    RecordingInfo Write(const QString& path) const {
        const std::string header(40, 'h');
        const std::string gsensor = Bytes(samples);
        const std::string gps = Bytes(points);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        const std::string all = header + gsensor + "mid" + gps + trailingBytes;
        file.write(all.data(), static_cast<qint64>(all.size()));
        RecordingInfo info;
        info.gsensorOffset = header.size();
        info.gsensorSize = static_cast<uint32_t>(gsensor.size());
        info.gpsOffset = header.size() + gsensor.size() + 3;
        info.gpsSize = static_cast<uint32_t>(gps.size());
        info.durationMs = durationMs;
        info.fileSize = all.size();
        info.gpsRate[0] = gpsRate;
        info.gsensorRate[0] = gsensorRateCode;
        info.gsensorRate[1] = gsensorFullScale;
        return info;
    }
};

class TrackLoaderTest : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return QDir(dir.path()).filePath(name); }
    int32_t Load(const QString& name, const RecordingInfo& info, int32_t entry = 0) {
        return TrackLoader(track, &curve, &map).Load(entry, PathOf(name), info);
    }

    QTemporaryDir dir;
    TrackBuffer track;
    RecordingCurve curve;
    RecordingMap map;
};

TEST_F(TrackLoaderTest, EmbeddedPayloadsFillTheBufferTheCurveAndTheRoute) {
    Recording recording;
    recording.points = {Point(4807.038, 1131.0), Point(4807.038, 1131.0, false),
                        Point(20000.0, 1131.0), Point(4900.5, 212.25)};
    recording.samples = Samples(3);
    recording.gpsRate = 2;
    const RecordingInfo info = recording.Write(PathOf(QStringLiteral("0101_120000_F.MP4")));

    EXPECT_EQ(Load(QStringLiteral("0101_120000_F.MP4"), info, 4), 1);

    EXPECT_EQ(map.scripts,
              QStringList({"pathdrived_delete()", "path_delete()", "path_plot(48.117300,11.516667)",
                           "path_plot(49.008333,2.204167)"}));
    EXPECT_EQ(track.entryIndex, 4);
    EXPECT_EQ(track.pointsPerSecond, 2.0);
    ASSERT_EQ(track.pointBytes, 4 * kTrackPointBytes);
    EXPECT_TRUE(SameBytes(track.points.data(), recording.points.data(), track.pointBytes));
    ASSERT_EQ(track.gsensorBytes, 3 * kGSensorSampleBytes);
    EXPECT_TRUE(SameBytes(track.gsensor.data(), recording.samples.data(), track.gsensorBytes));
    ASSERT_EQ(curve.samples.size(), 3u);
    EXPECT_TRUE(SameBytes(curve.samples.data(), recording.samples.data(), track.gsensorBytes));
    EXPECT_EQ(curve.calls,
              QStringList({"ClearSamples", "SetScale(4,2)", "ClearSamples", "AddSample",
                           "UpdateSpan", "SetSamplesPerMs(0.05)", "UpdateSpan"}));
}

// What a KML export loads: with no curve to show them the samples are not read, and the block
// says there are none; the points are read as always.
TEST_F(TrackLoaderTest, WithoutViewsOnlyThePointsAreRead) {
    Recording recording;
    recording.points = Route(3);
    recording.samples = Samples(4);
    const RecordingInfo info = recording.Write(PathOf(QStringLiteral("r.MP4")));

    EXPECT_EQ(TrackLoader(track, nullptr, nullptr).Load(0, PathOf(QStringLiteral("r.MP4")), info),
              1);
    ASSERT_EQ(track.pointBytes, 3 * kTrackPointBytes);
    EXPECT_TRUE(SameBytes(track.points.data(), recording.points.data(), track.pointBytes));
    EXPECT_EQ(track.gsensorBytes, 0u);
    EXPECT_TRUE(track.gsensor.empty());
}

TEST_F(TrackLoaderTest, RatesAndScaleFollowTheRecordingsRateWords) {
    struct Case {
        const char* what;
        size_t points;
        uint8_t gpsRate;
        size_t samples;
        uint8_t rateCode;
        uint8_t fullScaleByte;
        uint32_t durationMs;
        double pointsPerSecond;
        double samplesPerMs;
        double fullScale;
    };
    const Case cases[] = {
        {"gps rate 0 means one point a second", 96, 0, 1, 25, 4, 60000, 1.0, 0.05, 4.0},
        {"gps rate byte taken as is", 20, 10, 1, 25, 4, 60000, 10.0, 0.05, 4.0},
        {"rate code 0: samples over duration", 1, 1, 6000, 0, 4, 60000, 1.0, 0.1, 4.0},
        {"scale byte 0 means 8 g", 1, 1, 10, 25, 0, 60000, 1.0, 0.05, 8.0},
        {"no rate and no duration", 1, 1, 10, 0, 2, 0, 1.0, TrackLoader::kFallbackSamplesPerMs,
         2.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Recording recording;
        recording.points = Route(c.points);
        recording.gpsRate = c.gpsRate;
        recording.samples = Samples(c.samples);
        recording.gsensorRateCode = c.rateCode;
        recording.gsensorFullScale = c.fullScaleByte;
        recording.durationMs = c.durationMs;
        curve.samplesPerMs = 123.0;
        ASSERT_EQ(Load(QStringLiteral("r.MP4"), recording.Write(PathOf(QStringLiteral("r.MP4")))),
                  1);
        EXPECT_EQ(track.pointCount(), c.points);
        EXPECT_DOUBLE_EQ(track.pointsPerSecond, c.pointsPerSecond);
        EXPECT_EQ(curve.samples.size(), c.samples);
        EXPECT_DOUBLE_EQ(curve.samplesPerMs, c.samplesPerMs);
        EXPECT_DOUBLE_EQ(curve.fullScale, c.fullScale);
    }
}

TEST_F(TrackLoaderTest, PartsThatCannotBeReadHoldNoSamples) {
    struct Case {
        const char* what;
        bool gsensorBeyondEnd;
        bool gpsBeyondEnd;
        bool wrapOffsets;
    };
    const Case cases[] = {
        {"g-sensor payload ends beyond the file", true, false, false},
        {"gps payload ends beyond the file", false, true, false},
        {"both beyond the file", true, true, false},
        {"offsets that wrap around", false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        track.pointsPerSecond = 5.0;
        curve = RecordingCurve();
        curve.fullScale = 6.0;
        curve.samplesPerMs = 0.25;
        map.scripts.clear();
        Recording recording;
        recording.points = Route(3);
        recording.samples = Samples(4);
        recording.trailingBytes.clear();
        RecordingInfo info = recording.Write(PathOf(QStringLiteral("r.MP4")));
        if (c.gsensorBeyondEnd)
            info.gsensorSize = static_cast<uint32_t>(info.fileSize - info.gsensorOffset + 1);
        if (c.gpsBeyondEnd)
            info.gpsSize += 1;
        if (c.wrapOffsets) {
            info.gsensorOffset = std::numeric_limits<uint64_t>::max() - 2;
            info.gpsOffset = std::numeric_limits<uint64_t>::max() - 2;
        }
        const bool gsensorRead = !c.gsensorBeyondEnd && !c.wrapOffsets;
        const bool gpsRead = !c.gpsBeyondEnd && !c.wrapOffsets;

        EXPECT_EQ(Load(QStringLiteral("r.MP4"), info), 1);
        EXPECT_EQ(track.gsensorBytes, gsensorRead ? info.gsensorSize : 0u);
        EXPECT_EQ(curve.samples.size(), gsensorRead ? 4u : 0u);
        EXPECT_EQ(curve.fullScale, gsensorRead ? 4.0 : 6.0);
        EXPECT_EQ(curve.samplesPerMs, gsensorRead ? 0.05 : 0.25);
        EXPECT_EQ(track.pointBytes, gpsRead ? info.gpsSize : 0u);
        EXPECT_EQ(track.pointsPerSecond, gpsRead ? 1.0 : 5.0);
        EXPECT_EQ(map.scripts.size(), gpsRead ? 5 : 2);
    }
}

TEST_F(TrackLoaderTest, RecordingThatCannotBeOpenedReturnsZeroWithAnEmptyTrack) {
    Recording recording;
    recording.points = Route(3);
    recording.samples = Samples(4);
    const RecordingInfo info = recording.Write(PathOf(QStringLiteral("gone.MP4")));
    ASSERT_EQ(Load(QStringLiteral("gone.MP4"), info, 0), 1);
    ASSERT_TRUE(QFile::remove(PathOf(QStringLiteral("gone.MP4"))));
    curve.calls.clear();
    map.scripts.clear();

    EXPECT_EQ(Load(QStringLiteral("gone.MP4"), info, 3), 0);
    EXPECT_EQ(track.entryIndex, 3);
    EXPECT_EQ(track.pointBytes, 0u);
    EXPECT_EQ(track.gsensorBytes, 0u);
    EXPECT_EQ(track.pointIndexAt(0), -1);
    EXPECT_EQ(map.scripts, QStringList({"pathdrived_delete()", "path_delete()"}));
    EXPECT_TRUE(curve.calls.isEmpty());
}

// Opening a FIFO for reading waits for a writer; a loader that did so would hold the window
// until one came. Should it block anyway, a writer is opened here so that the test ends.
TEST_F(TrackLoaderTest, SpecialFileIsNotOpened) {
    Recording recording;
    recording.points = Route(3);
    recording.samples = Samples(4);
    const RecordingInfo info = recording.Write(PathOf(QStringLiteral("r.MP4")));
    ASSERT_EQ(Load(QStringLiteral("r.MP4"), info, 0), 1);
    const QByteArray fifo = QFile::encodeName(PathOf(QStringLiteral("pipe.MP4")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    map.scripts.clear();

    auto load =
        std::async(std::launch::async, [&] { return Load(QStringLiteral("pipe.MP4"), info, 1); });
    constexpr auto kLongerThanAnyOpen = std::chrono::seconds(5);
    if (load.wait_for(kLongerThanAnyOpen) != std::future_status::ready) {
        const int writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        load.wait();
        ::close(writer);
        FAIL() << "the loader waited on a FIFO";
    }
    EXPECT_EQ(load.get(), 0);
    EXPECT_EQ(track.entryIndex, 1);
    EXPECT_EQ(track.pointBytes, 0u);
    EXPECT_EQ(track.gsensorBytes, 0u);
    EXPECT_EQ(map.scripts, QStringList({"pathdrived_delete()", "path_delete()"}));
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

const QByteArray kSidecar = "$GNRMC,123519.00,A,4807.038,N,01131.000,E,022.4,084.4,230394,,,A*6A\n"
                            "$GSENSORD,0.015,-0.250,1.002\n"
                            "$GSENSORD,0.0,0.0,0.0\n"
                            "$GNRMC,,V,,,,,,,,,,N*53\n"
                            "$GSENSORD,0.5,0.5,0.5\n"
                            "$GNRMC,123521.00,A,4807.238,N,01131.500,E,0.0,,230394,,,A*6A\n";

TEST_F(TrackLoaderTest, UpperCaseTsReadsTheSidecar) {
    WriteText(PathOf(QStringLiteral("0101_120000_.NMEA")), kSidecar);
    track.pointsPerSecond = 5.0;

    EXPECT_EQ(Load(QStringLiteral("0101_120000_F.TS"), RecordingInfo{}, 2), 1);

    EXPECT_EQ(track.entryIndex, 2);
    EXPECT_EQ(track.pointBytes, 3 * kTrackPointBytes);
    EXPECT_EQ(track.gsensorBytes, 3 * kGSensorSampleBytes);
    EXPECT_EQ(track.pointsPerSecond, 1.0);
    EXPECT_EQ(track.points[0].latitudeNmea, 4807.038);
    EXPECT_EQ(track.points[0].speedKmh, 41);
    EXPECT_FALSE(track.points[1].fixValid());
    ASSERT_EQ(curve.samples.size(), 3u);
    EXPECT_EQ(curve.samples[0].x, 7);
    EXPECT_EQ(curve.calls, QStringList({"ClearSamples", "SetScale(2,2)", "Repaint", "AddSample",
                                        "UpdateSpan", "SetSamplesPerMs(0.001)", "UpdateSpan"}));
    EXPECT_EQ(map.scripts,
              QStringList({"pathdrived_delete()", "path_delete()", "path_plot(48.117300,11.516667)",
                           "path_plot(48.120633,11.525000)"}));
}

TEST_F(TrackLoaderTest, MissingSidecarGivesAnEmptyTrack) {
    track.pointsPerSecond = 5.0;
    EXPECT_EQ(Load(QStringLiteral("0101_120000_F.TS"), RecordingInfo{}), 1);
    EXPECT_EQ(track.pointBytes, 0u);
    EXPECT_EQ(track.gsensorBytes, 0u);
    EXPECT_EQ(track.pointsPerSecond, 5.0);
    EXPECT_TRUE(curve.samples.empty());
    EXPECT_EQ(map.scripts.size(), 2);
}

TEST_F(TrackLoaderTest, LowerCaseTsTakesTheEmbeddedBranch) {
    WriteText(PathOf(QStringLiteral("0101_120000_.NMEA")), kSidecar);
    Recording recording;
    recording.points = Route(2);
    recording.samples = Samples(1);
    const RecordingInfo info = recording.Write(PathOf(QStringLiteral("0101_120000_F.ts")));

    EXPECT_EQ(Load(QStringLiteral("0101_120000_F.ts"), info), 1);
    EXPECT_EQ(track.pointCount(), 2u);
    EXPECT_EQ(curve.samples.size(), 1u);
    EXPECT_EQ(curve.samplesPerMs, 0.05);
    // Without the file there is nothing to open: the sidecar is not looked at.
    EXPECT_EQ(Load(QStringLiteral("0101_120001_F.ts"), info), 0);
}

TEST_F(TrackLoaderTest, RedrawDrivenPathResendsThePointsUpToThePlaybackTime) {
    Recording recording;
    recording.points = Route(12);
    recording.points[3].flags = 0;
    ASSERT_EQ(Load(QStringLiteral("r.MP4"), recording.Write(PathOf(QStringLiteral("r.MP4")))), 1);

    struct Case {
        uint32_t t;
        double pointsPerSecond;
        std::vector<int> sent;
    };
    const Case cases[] = {
        {10000, 1.0, {0, 1, 2, 4, 5, 6, 7, 8, 9}},
        {999, 1.0, {}},
        {1000, 4.0, {0, 1, 2}},
        {std::numeric_limits<uint32_t>::max(), 10.0, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11}},
        {2000, 0.0, {0, 1}}, // a rate of 0 is taken as 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.t);
        map.scripts.clear();
        track.pointsPerSecond = c.pointsPerSecond;
        EXPECT_EQ(TrackLoader(track, &curve, &map).RedrawDrivenPath(c.t), 1);
        QStringList expected = {QStringLiteral("pathdrived_delete()")};
        for (const int i : c.sent)
            expected << QStringLiteral("pathdrived_plot(%1,11.516667)")
                            .arg(48.0 + (7.0 + i) / 60.0, 0, 'f', 6);
        EXPECT_EQ(map.scripts, expected);
    }

    track.pointsPerSecond = 0.0;
    EXPECT_EQ(TrackLoader(track, &curve, nullptr).RedrawDrivenPath(5000), 1);
    EXPECT_EQ(track.pointsPerSecond, 1.0);
}

} // namespace
