#include "ClipFixtures.h"
#include "MediaTools.h"

#include "track/TrackRecords.h"

#include <QFileInfo>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <cstring>

namespace {

QString Tool() {
    return QProcessEnvironment::systemEnvironment().value(QStringLiteral("KESTROLA_BIN_DIR")) +
           QStringLiteral("/kestrola-recmaker");
}

TEST(RecmakerTool, WritesTheRouteFileIntoTheClip) {
    const QString route = ScratchPath(QStringLiteral("route.json"));
    WriteFile(route, R"({
        "start": "2024-05-15T08:15:00", "pointsPerSecond": 1, "undatedPoints": 1,
        "gsensorRateCode": 10, "fullScale": 2, "nmeaCoordinates": true,
        "points": [{"lat": 4807.038, "lon": 1131.0, "speed": 41, "heading": 84, "alt": 545},
                   {"lat": 4807.1, "lon": 1131.2, "speed": 43, "heading": 86, "fix": false}],
        "gsensorCounts": [[7, -128, 513]]
    })");
    const QString out = ScratchPath(QStringLiteral("KTRG240515-081500F.MP4"));
    const ToolRun run =
        RunTool(Tool(), {QStringLiteral("--clip"), Clip(ClipKind::Mp4MoovLast),
                         QStringLiteral("--out"), out, QStringLiteral("--route"), route,
                         QStringLiteral("--placement"), QStringLiteral("end")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const QByteArray rec = ReadFile(out);
    const qsizetype gps0 = rec.lastIndexOf("gps0") + 4;
    ASSERT_GT(gps0, 4);
    TrackPoint points[2];
    std::memcpy(points, rec.constData() + gps0, sizeof points);
    EXPECT_DOUBLE_EQ(points[0].latitudeNmea, 4807.038);
    EXPECT_EQ(points[0].speedKmh, 41);
    EXPECT_EQ(points[0].headingHalfDeg, 42);
    EXPECT_EQ(points[0].altitude, 545);
    EXPECT_EQ(points[0].year, 0);
    EXPECT_EQ(points[1].year, 24);
    EXPECT_EQ(points[1].second, 1);
    EXPECT_FALSE(points[1].fixValid());
    const qsizetype gsen = rec.lastIndexOf("gsen") + 4;
    GSensorSample sample;
    std::memcpy(&sample, rec.constData() + gsen, sizeof sample);
    EXPECT_EQ(sample.z, 513);
    EXPECT_EQ(rec.mid(rec.lastIndexOf("gsea") + 4, 4), QByteArray("\x0a\x02\x00\x00", 4));
}

TEST(RecmakerTool, ReportsUsageAndFailureByExitStatus) {
    const QString route = ScratchPath(QStringLiteral("bad-route.json"));
    WriteFile(route, R"({"points": [{"lat": "north"}]})");
    const QString out = ScratchPath(QStringLiteral("never.MP4"));
    const struct {
        QStringList args;
        int status;
    } cases[] = {
        {{QStringLiteral("--clip"), Clip(ClipKind::Mp4MoovLast)}, 2},
        {{QStringLiteral("--clip"), Clip(ClipKind::Mp4MoovLast), QStringLiteral("--out"), out,
          QStringLiteral("--route"), route, QStringLiteral("--placement"), QStringLiteral("top")},
         2},
        {{QStringLiteral("--clip"), Clip(ClipKind::Mp4MoovLast), QStringLiteral("--out"), out,
          QStringLiteral("--route"), route},
         1},
        {{QStringLiteral("--clip"), Clip(ClipKind::Avi), QStringLiteral("--out"), out,
          QStringLiteral("--route"), ScratchPath(QStringLiteral("route-missing.json"))},
         1},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(Tool(), c.args);
        EXPECT_EQ(run.exitCode, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("kestrola-recmaker: ")) << run.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
}

} // namespace
