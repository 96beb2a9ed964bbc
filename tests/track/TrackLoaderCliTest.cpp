#include "CameraFixtures.h"
#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TrackPoint Fix(double lat, double lon, int32_t altitude, bool valid) {
    TrackPoint p = fixtures::Point(21, 1, 1, 12, 0, 0);
    p.latitudeNmea = lat;
    p.longitudeNmea = lon;
    p.altitude = altitude;
    p.headingHalfDeg = 45;
    p.flags = valid ? TrackPoint::kFixValid : 0;
    return p;
}

// A camera MP4 with three points (the second without a fix) and two G-sensor samples.
class TrackCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        std::string gps, gsensor;
        for (const TrackPoint& p : points)
            gps += bytes::Raw(p);
        for (const GSensorSample& s : samples)
            gsensor += bytes::Raw(s);
        const std::string file = fixtures::Ftyp() + fixtures::Moov(1000, 3000, 1280, 720) +
                                 bytes::Box("gpsa", fixtures::Rate(0)) +
                                 bytes::Box("gsea", fixtures::Rate(25, 4)) +
                                 bytes::Box("gps0", gps) + bytes::Box("gsen", gsensor);
        QDir(dir.path()).mkpath(QStringLiteral("cards"));
        bytes::WriteFile(CardPath().toStdString() + "/20210101_1200_F.MP4", file);
    }
    QString CardPath() const { return dir.filePath(QStringLiteral("cards")); }

    QTemporaryDir dir;
    std::vector<TrackPoint> points = {Fix(4807.038, 1131.0, 512, true),
                                      Fix(4807.5, 1131.5, 500, false),
                                      Fix(4808.0, 1132.0, -3, true)};
    std::vector<GSensorSample> samples = {{7, 384, -1}, {0, 1, 2}};
};

TEST_F(TrackCli, TrackPrintsTheLoadedTrackCurveAndMapCalls) {
    const CliRun run = RunCli({QStringLiteral("track"), CardPath()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject json = run.json();
    EXPECT_EQ(json[QStringLiteral("loadResult")].toInt(), 1);
    EXPECT_EQ(json[QStringLiteral("entryIndex")].toInt(), 0);
    EXPECT_EQ(json[QStringLiteral("pointsPerSecond")].toDouble(), 1.0);
    EXPECT_EQ(json[QStringLiteral("pointBytes")].toInt(), 96);

    const QJsonArray jsonPoints = json[QStringLiteral("points")].toArray();
    ASSERT_EQ(jsonPoints.size(), 3);
    const QJsonObject first = jsonPoints[0].toObject();
    EXPECT_EQ(first[QStringLiteral("latitudeNmea")].toDouble(), 4807.038);
    EXPECT_EQ(first[QStringLiteral("longitudeNmea")].toDouble(), 1131.0);
    EXPECT_EQ(first[QStringLiteral("altitude")].toInt(), 512);
    EXPECT_EQ(first[QStringLiteral("speedKmh")].toInt(), 50);
    EXPECT_EQ(first[QStringLiteral("headingHalfDeg")].toInt(), 45);
    EXPECT_TRUE(first[QStringLiteral("fixValid")].toBool());
    EXPECT_FALSE(jsonPoints[1].toObject()[QStringLiteral("fixValid")].toBool());

    const QJsonObject gsensor = json[QStringLiteral("gsensor")].toObject();
    EXPECT_EQ(gsensor[QStringLiteral("fullScale")].toDouble(), 4.0);
    EXPECT_EQ(gsensor[QStringLiteral("displayRange")].toDouble(), 2.0);
    EXPECT_EQ(gsensor[QStringLiteral("samplesPerMs")].toDouble(), 0.05);
    EXPECT_EQ(gsensor[QStringLiteral("samples")].toArray(),
              QJsonArray({QJsonArray{7, 384, -1}, QJsonArray{0, 1, 2}}));

    EXPECT_EQ(json[QStringLiteral("mapCalls")].toArray(),
              QJsonArray({"pathdrived_delete()", "path_delete()", "path_plot(48.117300,11.516667)",
                          "path_plot(48.133333,11.533333)"}));
}

// Byte for byte the document kept from before the output was streamed: key order, number
// formats (whole and fractional doubles, negative counts) and layout.
TEST_F(TrackCli, PrintedDocumentIsUnchangedByteForByte) {
    const CliRun run = RunCli({QStringLiteral("track"), CardPath()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile golden(QStringLiteral(KESTROLA_CLI_GOLDEN "/track.json"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(run.out, golden.readAll());
}

TEST_F(TrackCli, EntryOutsideTheCatalogueLoadsNothing) {
    for (const QString& entry : {QStringLiteral("1"), QStringLiteral("-1")}) {
        const CliRun run =
            RunCli({QStringLiteral("track"), CardPath(), QStringLiteral("--entry"), entry});
        EXPECT_EQ(run.exitCode, 1);
        const QJsonObject json = run.json();
        EXPECT_EQ(json[QStringLiteral("loadResult")].toInt(), 0);
        EXPECT_EQ(json[QStringLiteral("entryIndex")].toInt(), -1);
        EXPECT_TRUE(json[QStringLiteral("points")].toArray().isEmpty());
        EXPECT_TRUE(json[QStringLiteral("mapCalls")].toArray().isEmpty());
    }
}

TEST_F(TrackCli, KmlWritesTheTrackIntoTheGivenFolder) {
    const QString out = dir.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(out));
    const CliRun run =
        RunCli({QStringLiteral("kml"), CardPath() + QStringLiteral("/20210101_1200_F.MP4"),
                QStringLiteral("--out"), out});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString path = run.json()[QStringLiteral("path")].toString();
    EXPECT_TRUE(run.json()[QStringLiteral("result")].toBool());
    EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(out).absoluteFilePath());
    EXPECT_TRUE(
        QFileInfo(path).fileName().startsWith(QStringLiteral("20210101_1200_F_2021_01_01_")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray document = file.readAll();
    EXPECT_TRUE(document.contains("<coordinates>\n11.516667,48.117300,512\n"
                                  "11.533333,48.133333,-3\n\n        </coordinates>"));

    const CliRun missing = RunCli({QStringLiteral("kml"), CardPath(), QStringLiteral("--out"),
                                   dir.filePath(QStringLiteral("missing"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(missing.json()[QStringLiteral("result")].toBool());
}

TEST(TrackCliUsage, BadArgumentsExitTwoWithNothingOnStdout) {
    const QStringList cases[] = {
        {QStringLiteral("track")},
        {QStringLiteral("track"), QStringLiteral("a"), QStringLiteral("b")},
        {QStringLiteral("track"), QStringLiteral("a"), QStringLiteral("--entry"),
         QStringLiteral("x")},
        {QStringLiteral("track"), QStringLiteral("a"), QStringLiteral("--out"),
         QStringLiteral("d")},
        {QStringLiteral("kml"), QStringLiteral("a"), QStringLiteral("--entry")},
    };
    for (const QStringList& arguments : cases)
        ExpectUsageError(arguments);
}

} // namespace
