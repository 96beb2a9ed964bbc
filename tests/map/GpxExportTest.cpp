#include "map/GpxExport.h"

#include "ScopedTimeZone.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <vector>

static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

constexpr int64_t kNoonUtc = 1609502400; // 2021-01-01 12:00:00 UTC

TrackPoint Point(double lat, double lon, int32_t altitude, uint16_t speedKmh = 0,
                 uint8_t headingHalfDeg = 0, bool fix = true) {
    TrackPoint p{};
    p.latitudeNmea = lat;
    p.longitudeNmea = lon;
    p.altitude = altitude;
    p.speedKmh = speedKmh;
    p.headingHalfDeg = headingHalfDeg;
    p.flags = fix ? TrackPoint::kFixValid : 0;
    return p;
}

TrackBuffer Track(const std::vector<TrackPoint>& points, double pointsPerSecond = 1.0,
                  int32_t entryIndex = 0) {
    TrackBuffer track;
    track.resize(static_cast<uint32_t>(points.size() * kTrackPointBytes), 0);
    std::copy(points.begin(), points.end(), track.points.begin());
    track.pointsPerSecond = pointsPerSecond;
    track.entryIndex = entryIndex;
    return track;
}

// One trkpt as a reader sees it; absent child elements stay empty.
struct ReadPoint {
    QString lat, lon, ele, time, speed, course;
    bool operator==(const ReadPoint&) const = default;
};

void PrintTo(const ReadPoint& p, std::ostream* out) {
    *out << (QStringList{p.lat, p.lon, p.ele, p.time, p.speed, p.course}.join(QLatin1Char(' ')))
                .toStdString();
}

constexpr char kGpx[] = "http://www.topografix.com/GPX/1/1";
constexpr char kTpx[] = "http://www.garmin.com/xmlschemas/TrackPointExtension/v2";

struct ReadDocument {
    QString version, metadataName, metadataTime, trackName;
    std::vector<ReadPoint> points;
    QString error;
};

// Reads the document with the namespaces resolved, as a GPX 1.1 reader would.
ReadDocument Read(const QByteArray& document) {
    ReadDocument read;
    QXmlStreamReader xml(document);
    QString parent;
    while (!xml.atEnd()) {
        if (!xml.readNext() || !xml.isStartElement())
            continue;
        const QString ns = xml.namespaceUri().toString();
        const QString name = xml.name().toString();
        if (ns == QLatin1String(kGpx) && name == QLatin1String("gpx")) {
            read.version = xml.attributes().value(QStringLiteral("version")).toString();
        } else if (ns == QLatin1String(kGpx) &&
                   (name == QLatin1String("metadata") || name == QLatin1String("trk"))) {
            parent = name;
        } else if (ns == QLatin1String(kGpx) && name == QLatin1String("trkpt")) {
            parent = name;
            ReadPoint point;
            point.lat = xml.attributes().value(QStringLiteral("lat")).toString();
            point.lon = xml.attributes().value(QStringLiteral("lon")).toString();
            read.points.push_back(point);
        } else if (ns == QLatin1String(kGpx) && parent == QLatin1String("trkpt")) {
            if (name == QLatin1String("ele"))
                read.points.back().ele = xml.readElementText();
            else if (name == QLatin1String("time"))
                read.points.back().time = xml.readElementText();
        } else if (ns == QLatin1String(kTpx) && name == QLatin1String("speed")) {
            read.points.back().speed = xml.readElementText();
        } else if (ns == QLatin1String(kTpx) && name == QLatin1String("course")) {
            read.points.back().course = xml.readElementText();
        } else if (ns == QLatin1String(kGpx) && name == QLatin1String("name")) {
            (parent == QLatin1String("metadata") ? read.metadataName : read.trackName) =
                xml.readElementText();
        } else if (ns == QLatin1String(kGpx) && name == QLatin1String("time")) {
            read.metadataTime = xml.readElementText();
        }
    }
    if (xml.hasError())
        read.error = xml.errorString();
    return read;
}

TEST(GpxDocument, WritesTheKmlPointsWithTimeElevationSpeedAndCourse) {
    const ScopedTimeZone zone("UTC0");
    const TrackBuffer track = Track(
        {
            Point(4807.038, 1131.0, 512, 36, 45),      // 10 m/s, 90 degrees
            Point(4807.5, 1131.5, 500, 36, 45, false), // no fix: not in the KML either
            Point(4807.038, 20000.0, 7),               // implausible: not in the KML
            Point(9500.0, 1131.0, 7),                  // in the KML, but no latitude
            Point(4808.0, -18030.0, 7),                // west of -180: no longitude
            Point(-3352.5, -15112.25, -42, 1, 179),    // last heading step: 358 degrees
            Point(4808.0, 1132.0, 0, 0, 180),          // no direction in the byte
            Point(std::numeric_limits<double>::quiet_NaN(), 1131.0, -1),
        },
        2.0);
    const KmlRecording recording{QStringLiteral("sub/"), QStringLiteral("0101_120000_F.MP4"),
                                 kNoonUtc};
    const QByteArray document = GpxDocument(recording, track);
    const ReadDocument read = Read(document);

    ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
    EXPECT_EQ(read.version, QStringLiteral("1.1"));
    EXPECT_FALSE(document.contains('\r'));
    const std::vector<ReadPoint> expected = {
        {"48.117300", "11.516667", "512", "2021-01-01T12:00:00Z", "10.000000", "90"},
        {"-33.875000", "-151.204167", "-42", "2021-01-01T12:00:02.500Z", "0.277778", "358"},
        {"48.133333", "11.533333", "0", "2021-01-01T12:00:03Z", "0.000000", ""},
    };
    EXPECT_EQ(read.points, expected);
    const QString name = QStringLiteral("\"sub/0101_120000_F.MP4\" 2021/01/01 12:00:00");
    EXPECT_EQ(read.metadataName, name);
    EXPECT_EQ(read.trackName, name);
    EXPECT_EQ(read.metadataTime, QStringLiteral("2021-01-01T12:00:00Z"));
}

TEST(GpxDocument, TimesAreUtcWhileTheNameFollowsTheComputersZone) {
    const ScopedTimeZone zone("XYZ-2"); // two hours east of UTC
    const int64_t localTwoPm =
        QDateTime(QDate(2021, 7, 1), QTime(14, 0, 0), Qt::LocalTime).toSecsSinceEpoch();
    const KmlRecording recording{QString(), QStringLiteral("A.MP4"), localTwoPm};
    const ReadDocument read = Read(GpxDocument(
        recording, Track({Point(4807.038, 1131.0, 1), Point(4807.0, 1131.0, 1)}, 10.0)));
    ASSERT_EQ(read.points.size(), 2u);
    EXPECT_EQ(read.points[0].time, QStringLiteral("2021-07-01T12:00:00Z"));
    EXPECT_EQ(read.points[1].time, QStringLiteral("2021-07-01T12:00:00.100Z"));
    EXPECT_EQ(read.metadataName, QStringLiteral("\"A.MP4\" 2021/07/01 14:00:00"));
    EXPECT_EQ(GpxFilePath(QStringLiteral("/d"), recording),
              QStringLiteral("/d/A_2021_07_01_14-00-00.gpx"));
}

TEST(GpxDocument, LeavesOutWhatTheRecordingDoesNotKnow) {
    const TrackBuffer track = Track({Point(4807.038, 1131.0, 1, 10, 45)});
    struct Case {
        const char* fileName;
        int64_t startTime;
        bool hasTime;
        bool hasCourse;
    };
    for (const Case c :
         {Case{"UNDATED.MP4", 0, false, true}, Case{"SIDECAR.TS", kNoonUtc, true, false},
          Case{"LOWER.ts", kNoonUtc, true, true}}) {
        SCOPED_TRACE(c.fileName);
        const ReadDocument read =
            Read(GpxDocument({QString(), QString::fromLatin1(c.fileName), c.startTime}, track));
        ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
        ASSERT_EQ(read.points.size(), 1u);
        EXPECT_EQ(!read.points[0].time.isEmpty(), c.hasTime);
        EXPECT_EQ(!read.metadataTime.isEmpty(), c.hasTime);
        EXPECT_EQ(!read.points[0].course.isEmpty(), c.hasCourse);
        EXPECT_FALSE(read.points[0].speed.isEmpty());
    }
}

TEST(GpxDocument, NameCannotBreakTheDocument) {
    const KmlRecording recording{QStringLiteral("A&B<1>/"), QStringLiteral("x\"'&<\x01.MP4"),
                                 kNoonUtc};
    const ReadDocument read = Read(GpxDocument(recording, Track({})));
    ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
    EXPECT_TRUE(
        read.trackName.startsWith(QStringLiteral("\"A&B<1>/x\"'&<") + QChar::ReplacementCharacter));
    EXPECT_TRUE(read.points.empty());
}

TEST(GpxDocument, GpsbabelReadsBackEveryPointWithItsPlaceElevationAndTime) {
    const QString gpsbabel = QStandardPaths::findExecutable(QStringLiteral("gpsbabel"));
    if (gpsbabel.isEmpty())
        GTEST_SKIP() << "gpsbabel is not installed";
    std::vector<TrackPoint> points;
    for (int i = 0; i < 25; ++i)
        points.push_back(Point(4807.038 + i * 0.01, 1131.0 + i * 0.02, 500 + i, 50, 20, i != 7));
    QTemporaryDir dir;
    TrackBuffer track = Track(points, 2.0);
    const KmlExportResult result = ExportGpx(dir.path(), track, 1, [](int32_t) {
        return KmlRecording{QString(), QStringLiteral("A.MP4"), kNoonUtc};
    });
    ASSERT_TRUE(result.ok);

    QProcess babel;
    babel.start(gpsbabel,
                {QStringLiteral("-t"), QStringLiteral("-i"), QStringLiteral("gpx"),
                 QStringLiteral("-f"), result.path, QStringLiteral("-o"),
                 QStringLiteral("unicsv,utc=0"), QStringLiteral("-F"), QStringLiteral("-")});
    ASSERT_TRUE(babel.waitForFinished(30000));
    ASSERT_EQ(babel.exitCode(), 0) << babel.readAllStandardError().toStdString();
    const QStringList lines = QString::fromUtf8(babel.readAllStandardOutput())
                                  .remove(QLatin1Char('\r'))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 25) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("No,Latitude,Longitude,Altitude,Date,Time"));
    EXPECT_EQ(lines[1], QStringLiteral("1,48.117300,11.516667,500.0,2021/01/01,12:00:00"));
    // The eighth point has no fix: the ninth keeps its own time.
    EXPECT_EQ(lines[8], QStringLiteral("8,48.118633,11.519333,508.0,2021/01/01,12:00:04"));
    EXPECT_EQ(lines[24], QStringLiteral("24,48.121300,11.524667,524.0,2021/01/01,12:00:12"));
}

TEST(GpxOutputFolder, CreatesKtrGpxUnderDocuments) {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    const QString folder = GpxOutputFolder();
    qputenv("HOME", oldHome);
    EXPECT_EQ(folder, home.path() + QStringLiteral("/Documents/KTR/GPX/"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

class GpxExport : public ::testing::Test {
protected:
    KmlExportResult Export(TrackBuffer& track, const QString& folder) {
        return ExportGpx(folder, track, 1, [this](int32_t) { return recording; });
    }

    QTemporaryDir dir;
    KmlRecording recording{
        QString(), QStringLiteral("0101_120000_F.MP4"),
        QDateTime(QDate(2021, 1, 1), QTime(12, 0, 0), Qt::LocalTime).toSecsSinceEpoch()};
};

TEST_F(GpxExport, WritesBesideTheKmlNameAndReplacesAnEarlierFile) {
    TrackBuffer track = Track({Point(4807.038, 1131.0, 512)}, 1.0, 3);
    const KmlExportResult first = Export(track, dir.path());
    track.points[0].altitude = 600;
    const KmlExportResult second = Export(track, dir.path());

    const QString expected = dir.filePath(QStringLiteral("0101_120000_F_2021_01_01_12-00-00.gpx"));
    EXPECT_TRUE(first.ok);
    EXPECT_TRUE(second.ok);
    EXPECT_EQ(second.path, expected);
    EXPECT_EQ(track.entryIndex, 0) << "pulled back to the last entry";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QFileInfo(expected).fileName()});
    QFile file(expected);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), GpxDocument(recording, track));
}

TEST_F(GpxExport, NothingLoadedOrAMissingFolderWritesNothing) {
    TrackBuffer unloaded = Track({Point(4807.038, 1131.0, 512)}, 1.0, -1);
    const KmlExportResult none = Export(unloaded, dir.path());
    EXPECT_FALSE(none.ok);
    EXPECT_TRUE(none.path.isEmpty());

    TrackBuffer track = Track({Point(4807.038, 1131.0, 512)});
    const QString missing = dir.filePath(QStringLiteral("missing"));
    const KmlExportResult failed = Export(track, missing);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.path, missing + QStringLiteral("/0101_120000_F_2021_01_01_12-00-00.gpx"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

} // namespace
