#include "CameraFixtures.h"
#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

// A camera MP4 started at 14:00 local time two hours east of UTC, two points a second, the
// second point without a fix.
class GpxCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        std::string gps;
        for (int i = 0; i < 3; ++i) {
            TrackPoint p = fixtures::Point(21, 7, 1, 14, 0, 0);
            p.altitude = 100 + i;
            p.headingHalfDeg = 45;
            p.flags = i == 1 ? 0 : TrackPoint::kFixValid;
            gps += bytes::Raw(p);
        }
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("card")) &&
                    QDir(dir.path()).mkpath(QStringLiteral("out")));
        bytes::WriteFile(dir.filePath(QStringLiteral("card/20210701_1400_F.MP4")).toStdString(),
                         fixtures::Ftyp() + bytes::Box("IDIT", "2021-07-01 14:00:00") +
                             fixtures::Moov(1000, 3000, 1280, 720) +
                             bytes::Box("gpsa", fixtures::Rate(2)) + bytes::Box("gps0", gps));
    }

    CliRun Run(const QStringList& arguments) {
        return RunCli(QStringList{QStringLiteral("gpx"), dir.filePath(QStringLiteral("card"))} +
                          arguments,
                      {{QStringLiteral("TZ"), QStringLiteral("XYZ-2")}});
    }

    QTemporaryDir dir;
};

TEST_F(GpxCli, WritesTheLoadedTrackIntoTheGivenFolder) {
    const QString out = dir.filePath(QStringLiteral("out"));
    const CliRun run = Run({QStringLiteral("--out"), out});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.json()[QStringLiteral("result")].toBool());
    const QString path = run.json()[QStringLiteral("path")].toString();
    EXPECT_EQ(path, QDir(out).filePath(QStringLiteral("20210701_1400_F_2021_07_01_14-00-00.gpx")));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray document = file.readAll();
    EXPECT_EQ(document.count("<trkpt "), 2);
    EXPECT_TRUE(document.contains("<trkpt lat=\"48.117300\" lon=\"11.516667\">\n"
                                  "        <ele>102</ele>\n"
                                  "        <time>2021-07-01T12:00:01Z</time>\n"))
        << document.toStdString();
    EXPECT_TRUE(document.contains("<gpxtpx:speed>13.888889</gpxtpx:speed>"));
    EXPECT_TRUE(document.contains("<gpxtpx:course>90</gpxtpx:course>"));
}

TEST_F(GpxCli, NothingLoadedOrNoFolderFailsWithExitOne) {
    const QString missing = dir.filePath(QStringLiteral("missing"));
    struct Case {
        QStringList arguments;
        bool hasPath;
    };
    const Case cases[] = {
        {{QStringLiteral("--entry"), QStringLiteral("1"), QStringLiteral("--out"),
          dir.filePath(QStringLiteral("out"))},
         false},
        {{QStringLiteral("--out"), missing}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_FALSE(run.json()[QStringLiteral("result")].toBool());
        EXPECT_EQ(run.json()[QStringLiteral("path")].toString().isEmpty(), !c.hasPath);
    }
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("out"))).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST(GpxCliUsage, BadArgumentsExitTwoWithNothingOnStdout) {
    const QStringList cases[] = {
        {QStringLiteral("gpx")},
        {QStringLiteral("gpx"), QStringLiteral("a"), QStringLiteral("b")},
        {QStringLiteral("gpx"), QStringLiteral("a"), QStringLiteral("--entry"),
         QStringLiteral("x")},
        {QStringLiteral("gpx"), QStringLiteral("a"), QStringLiteral("--out")},
        {QStringLiteral("gpx"), QStringLiteral("a"), QStringLiteral("--out"), QString()},
    };
    for (const QStringList& arguments : cases)
        ExpectUsageError(arguments);
}

} // namespace
