// The readers on real files: H.264 clips made by ffmpeg, camera data written in by the
// recording maker in each of the places it can go.

#include "ScopedTimeZone.h"
#include "track/CKtrVideoParser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr int64_t kRouteStartUtc = 1715760900; // 2024-05-15 08:15:00
constexpr uint32_t kClipMs = 2000;

bool RunTool(const QString& program, const QStringList& arguments, QString* output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

class RealRecording : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_recmaker = QDir(qEnvironmentVariable("KESTROLA_BIN_DIR"))
                         .filePath(QStringLiteral("kestrola-recmaker"));
        ASSERT_TRUE(QFileInfo(m_recmaker).isExecutable())
            << "no kestrola-recmaker in $KESTROLA_BIN_DIR";
        QFile route(m_dir.filePath(QStringLiteral("route.json")));
        ASSERT_TRUE(route.open(QIODevice::WriteOnly));
        // Two undated points first: the third carries start + 2 s and dates the recording.
        route.write(R"({"start": "2024-05-15T08:15:00", "pointsPerSecond": 1, "undatedPoints": 2,
            "gsensorRateCode": 25, "fullScale": 4, "nmeaCoordinates": true,
            "points": [{"lat": 4807.038, "lon": 1131.0, "speed": 40, "heading": 20},
                       {"lat": 4807.1, "lon": 1131.1, "speed": 41, "heading": 22},
                       {"lat": 4807.2, "lon": 1131.2, "speed": 42, "heading": 24},
                       {"lat": 4807.3, "lon": 1131.3, "speed": 43, "heading": 26}],
            "gsensorCounts": [[1, 2, 3], [4, 5, 6], [7, 8, 9]]})");
    }

    QString MakeClip(const QString& extension) {
        const QString clip = m_dir.filePath(QStringLiteral("clip.") + extension);
        QString output;
        EXPECT_TRUE(
            RunTool(QStringLiteral("ffmpeg"),
                {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=320x240:rate=10", "-t",
                 "2", "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", clip},
                &output))
            << output.toStdString();
        return clip;
    }

    QString MakeRecording(const QString& clip, const QString& name, const QString& placement) {
        const QString out = m_dir.filePath(name);
        QStringList arguments{"--clip", clip,      "--out",
                              out,      "--route", m_dir.filePath(QStringLiteral("route.json"))};
        if (!placement.isEmpty())
            arguments << "--placement" << placement;
        QString output;
        EXPECT_TRUE(RunTool(m_recmaker, arguments, &output)) << output.toStdString();
        return out;
    }

    void ExpectCameraData(const QString& path) {
        SCOPED_TRACE(path.toStdString());
        RecordingInfo info;
        const auto reader = CreateReaderForName(path);
        reader->SetInfoTarget(&info);
        ASSERT_EQ(reader->Parse(path), 0);
        EXPECT_EQ(info.width, 320);
        EXPECT_EQ(info.height, 240);
        EXPECT_NEAR(info.durationMs, kClipMs, 100);
        EXPECT_EQ(info.startTime, kRouteStartUtc);
        EXPECT_EQ(info.fileSize, static_cast<uint64_t>(QFileInfo(path).size()));
        EXPECT_EQ(info.gpsRate[0], 1);
        EXPECT_EQ(info.gsensorRate[0], 25);
        EXPECT_EQ(info.gsensorRate[1], 4);
        ASSERT_EQ(info.gpsSize, 4 * kTrackPointBytes);
        ASSERT_EQ(info.gsensorSize, 3 * kGSensorSampleBytes);

        // The payloads are where the reader says: the loader copies them from there.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ASSERT_TRUE(file.seek(static_cast<qint64>(info.gpsOffset)));
        const QByteArray points = file.read(info.gpsSize);
        ASSERT_EQ(points.size(), static_cast<qsizetype>(info.gpsSize));
        TrackPoint last;
        std::memcpy(&last, points.constData() + 3 * kTrackPointBytes, sizeof last);
        EXPECT_DOUBLE_EQ(last.latitudeNmea, 4807.3);
        EXPECT_EQ(last.speedKmh, 43);
        ASSERT_TRUE(file.seek(static_cast<qint64>(info.gsensorOffset)));
        GSensorSample sample;
        ASSERT_EQ(file.read(reinterpret_cast<char*>(&sample), sizeof sample),
                  static_cast<qint64>(sizeof sample));
        EXPECT_EQ(sample.x, 1);
        EXPECT_EQ(sample.z, 3);
    }

    QTemporaryDir m_dir;
    QString m_recmaker;
    ScopedTimeZone m_zone{"UTC"};
};

TEST_F(RealRecording, Mp4InEveryPlacement) {
    const QString clip = MakeClip(QStringLiteral("mp4"));
    for (const char* placement : {"before-mdat", "end", "moov"})
        ExpectCameraData(MakeRecording(clip, QStringLiteral("0515_081500_F_%1.MP4").arg(placement),
                                       QString::fromLatin1(placement)));
}

TEST_F(RealRecording, Avi) {
    ExpectCameraData(
        MakeRecording(MakeClip(QStringLiteral("avi")), QStringLiteral("0515_081500_F.AVI"), {}));
}

TEST_F(RealRecording, PlainClipsWithoutCameraData) {
    for (const char* extension : {"mp4", "avi"}) {
        // The reader goes by the upper-case ending, as the catalogue does.
        const QString clip = MakeClip(QString::fromLatin1(extension));
        const QString named =
            m_dir.filePath(QStringLiteral("plain.") + QString::fromLatin1(extension).toUpper());
        ASSERT_TRUE(QFile::rename(clip, named));
        RecordingInfo info;
        const auto reader = CreateReaderForName(named);
        reader->SetInfoTarget(&info);
        ASSERT_EQ(reader->Parse(named), 0) << extension;
        EXPECT_EQ(info.width, 320) << extension;
        EXPECT_NEAR(info.durationMs, kClipMs, 100) << extension;
        EXPECT_FALSE(info.hasGps()) << extension;
        EXPECT_EQ(info.startTime, 0) << extension;
    }
}

} // namespace
