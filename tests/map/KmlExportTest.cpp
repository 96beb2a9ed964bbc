#include "map/KmlExport.h"
#include "map/MapLog.h"

#include "ScopedLogCapture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>
#include <ostream>
#include <vector>

static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QByteArray kClosing = "\n        </coordinates>\n      </LineString>\n    </Placemark>\n"
                            "  </Document>\n</kml>\n";

TrackPoint Point(double lat, double lon, int32_t altitude, bool fix = true) {
    TrackPoint p{};
    p.latitudeNmea = lat;
    p.longitudeNmea = lon;
    p.altitude = altitude;
    p.flags = fix ? TrackPoint::kFixValid : 0;
    return p;
}

TrackBuffer Track(const std::vector<TrackPoint>& points, int32_t entryIndex = 0) {
    TrackBuffer track;
    track.resize(static_cast<uint32_t>(points.size() * kTrackPointBytes), 0);
    std::copy(points.begin(), points.end(), track.points.begin());
    track.pointsPerSecond = 1.0;
    track.entryIndex = entryIndex;
    return track;
}

// Sets an environment variable for one scope and puts the old state back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value);
        tzset();
    }
    ~ScopedEnv() {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
        tzset();
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_old;
};

int64_t LocalSeconds(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime).toSecsSinceEpoch();
}

// The text between the opening coordinates tag and the closing text.
QByteArray CoordinateLines(const QByteArray& document) {
    const QByteArray open = "<coordinates>\n";
    const qsizetype start = document.indexOf(open) + open.size();
    return document.mid(start, document.size() - kClosing.size() - start);
}

TEST(KmlDocument, WritesOnlyPlausibleFixesAndEndsWithTheClosingText) {
    ASSERT_EQ(kClosing.size(), 82);
    const TrackBuffer track = Track({
        Point(4807.038, 1131.0, 512),
        Point(4807.038, 1131.0, 7, false), // no fix
        Point(4807.038, 20000.0, 7),       // longitude 200 degrees
        Point(4807.038, 19999.0, 7),       // converts to more than 200 degrees
        Point(-3352.5, -15112.25, -42),    // stored negative: mirrored result
        Point(0.0, 0.0, 0),
        // Bytes the camera never wrote (all bits set) read as NaN: no number to write.
        Point(std::numeric_limits<double>::quiet_NaN(), 1131.0, -1),
        Point(4807.038, -std::numeric_limits<double>::infinity(), -1),
    });
    const QByteArray document = KmlDocument(QStringLiteral("name"), track);
    EXPECT_TRUE(document.endsWith(kClosing));
    EXPECT_FALSE(document.contains('\r'));
    EXPECT_EQ(CoordinateLines(document), "11.516667,48.117300,512\n"
                                         "-151.204167,-33.875000,-42\n"
                                         "0.000000,0.000000,0\n");
}

TEST(KmlDocument, TrackWithoutValidPointsStillClosesTheDocument) {
    TrackBuffer track = Track({Point(4807.038, 1131.0, 1, false)});
    EXPECT_EQ(CoordinateLines(KmlDocument(QStringLiteral("n"), track)), "");
    track.pointBytes = 31; // shorter than one record: no point at all
    EXPECT_EQ(CoordinateLines(KmlDocument(QStringLiteral("n"), track)), "");
}

TEST(KmlDocument, ParsesAsKml22WithTheNameIntact) {
    const KmlRecording recording{QStringLiteral("A&B<1>/"), QStringLiteral("0101_1200\"'&<F.MP4"),
                                 LocalSeconds(2021, 1, 1, 12, 0, 0)};
    const QString name = KmlPlacemarkName(recording);
    EXPECT_EQ(name, QStringLiteral("\"A&B<1>/0101_1200\"'&<F.MP4\" 2021/01/01 12:00:00"));

    const QByteArray document = KmlDocument(
        name + QChar(0x01) + QChar(0xFFFE) + QChar(0xFFFF), Track({Point(4807.038, 1131.0, 512), Point(4807.0, 1131.0, 3)}));
    QXmlStreamReader xml(document);
    QString kmlNamespace, readName, coordinates;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("kml"))
            kmlNamespace = xml.namespaceUri().toString();
        if (xml.name() == QLatin1String("name"))
            readName = xml.readElementText();
        else if (xml.name() == QLatin1String("coordinates"))
            coordinates = xml.readElementText();
        else if (xml.name() != QLatin1String("kml") && xml.name() != QLatin1String("Document") &&
                 xml.name() != QLatin1String("Placemark") &&
                 xml.name() != QLatin1String("LineString"))
            xml.skipCurrentElement();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(kmlNamespace, QStringLiteral("http://www.opengis.net/kml/2.2"));
    EXPECT_EQ(readName, name + QString(3, QChar::ReplacementCharacter));
    EXPECT_EQ(coordinates.trimmed().split(QLatin1Char('\n')).size(), 2);
}

TEST(KmlDocument, GpsbabelReadsBackEveryPoint) {
    const QString gpsbabel = QStandardPaths::findExecutable(QStringLiteral("gpsbabel"));
    if (gpsbabel.isEmpty())
        GTEST_SKIP() << "gpsbabel is not installed";
    std::vector<TrackPoint> points;
    for (int i = 0; i < 25; ++i)
        points.push_back(Point(4807.038 + i * 0.01, 1131.0 + i * 0.02, 500 + i, i != 7));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.KML"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(KmlDocument(QStringLiteral("a & b"), Track(points)));
    file.close();

    QProcess babel;
    babel.start(gpsbabel, {QStringLiteral("-i"), QStringLiteral("kml"), QStringLiteral("-f"), path,
                           QStringLiteral("-o"), QStringLiteral("gpx"), QStringLiteral("-F"),
                           QStringLiteral("-")});
    ASSERT_TRUE(babel.waitForFinished(30000));
    ASSERT_EQ(babel.exitCode(), 0) << babel.readAllStandardError().toStdString();
    const QByteArray gpx = babel.readAllStandardOutput();
    EXPECT_EQ(gpx.count("<trkpt ") + gpx.count("<rtept "), 24) << gpx.toStdString();
}

TEST(KmlFilePath, NamesTheFileAfterTheRecordingAndItsLocalStart) {
    const KmlRecording recording{QString(), QStringLiteral("0101_120000_F.MP4"),
                                 LocalSeconds(2021, 1, 1, 12, 0, 0)};
    EXPECT_EQ(KmlFilePath(QStringLiteral("/d/"), recording),
              QStringLiteral("/d/0101_120000_F_2021_01_01_12-00-00.KML"));
    EXPECT_EQ(KmlFilePath(QStringLiteral("/d"), recording),
              QStringLiteral("/d/0101_120000_F_2021_01_01_12-00-00.KML"));
}

TEST(KmlFilePath, FollowsTheComputersTimeZone) {
    const KmlRecording recording{QString(), QStringLiteral("A.MP4"), 1609502400}; // 12:00 UTC
    QString utc, east;
    {
        const ScopedEnv tz("TZ", "UTC0");
        utc = KmlFilePath(QStringLiteral("/d/"), recording);
    }
    {
        const ScopedEnv tz("TZ", "XYZ-2"); // two hours east of UTC
        east = KmlFilePath(QStringLiteral("/d/"), recording);
    }
    EXPECT_EQ(utc, QStringLiteral("/d/A_2021_01_01_12-00-00.KML"));
    EXPECT_EQ(east, QStringLiteral("/d/A_2021_01_01_14-00-00.KML"));
}

TEST(KmlOutputFolder, CreatesKtrKmlUnderDocuments) {
    QTemporaryDir home;
    QString folder;
    {
        const ScopedEnv homeEnv("HOME", QFile::encodeName(home.path()));
        const ScopedEnv configEnv("XDG_CONFIG_HOME",
                                  QFile::encodeName(home.filePath(QStringLiteral("config"))));
        folder = KmlOutputFolder();
    }
    EXPECT_EQ(folder, home.path() + QStringLiteral("/Documents/KTR/KML/"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

class KmlExport : public ::testing::Test {
protected:
    KmlExportResult Export(TrackBuffer& track, int32_t entryCount, const QString& folder) {
        return ExportKml(folder, track, entryCount,
                         [this](int32_t i) { return recordings.at(static_cast<size_t>(i)); });
    }
    QStringList WrittenFiles() const { return QDir(dir.path()).entryList(QDir::Files); }

    QTemporaryDir dir;
    std::vector<KmlRecording> recordings = {
        {QString(), QStringLiteral("0101_120000_F.MP4"), LocalSeconds(2021, 1, 1, 12, 0, 0)},
        {QStringLiteral("sub/"), QStringLiteral("0101_120100_F.MP4"),
         LocalSeconds(2021, 1, 1, 12, 1, 0)},
    };
};

TEST_F(KmlExport, NothingLoadedWritesNothing) {
    struct Case {
        int32_t entryCount;
        int32_t entryIndex;
    };
    for (const Case c : {Case{0, -1}, Case{0, 0}, Case{2, -1}}) {
        TrackBuffer track = Track({Point(4807.038, 1131.0, 512)}, c.entryIndex);
        EXPECT_FALSE(KmlTrackLoaded(track, c.entryCount)) << c.entryCount << " " << c.entryIndex;
        const KmlExportResult result = Export(track, c.entryCount, dir.path());
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.path.isEmpty());
    }
    EXPECT_TRUE(WrittenFiles().isEmpty());
    EXPECT_TRUE(KmlTrackLoaded(Track({}, 0), 2));
    EXPECT_TRUE(KmlTrackLoaded(Track({}, 5), 2)) << "pulled back to the last entry on export";
}

TEST_F(KmlExport, WritesTheLoadedTrackAndReplacesAnEarlierFile) {
    TrackBuffer track = Track({Point(4807.038, 1131.0, 512)}, 1);
    const KmlExportResult first = Export(track, 2, dir.path());
    track.points[0].altitude = 600;
    const KmlExportResult second = Export(track, 2, dir.path());

    const QString expected = dir.filePath(QStringLiteral("0101_120100_F_2021_01_01_12-01-00.KML"));
    EXPECT_TRUE(first.ok);
    EXPECT_TRUE(second.ok);
    EXPECT_EQ(first.path, expected);
    EXPECT_EQ(second.path, expected);
    EXPECT_EQ(WrittenFiles(), QStringList{QFileInfo(expected).fileName()});
    QFile file(expected);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), KmlDocument(KmlPlacemarkName(recordings[1]), track));
}

TEST_F(KmlExport, EntryIndexBeyondTheCatalogueFallsBackToTheLastEntry) {
    TrackBuffer track = Track({Point(4807.038, 1131.0, 512)}, 5);
    const KmlExportResult result = Export(track, 2, dir.path());
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(track.entryIndex, 1);
    EXPECT_TRUE(result.path.endsWith(QStringLiteral("0101_120100_F_2021_01_01_12-01-00.KML")));
}

TEST_F(KmlExport, FileThatCannotBeCreatedFailsWithThePathAndLogsIt) {
    TrackBuffer track = Track({Point(4807.038, 1131.0, 512)}, 0);
    const QString missing = dir.filePath(QStringLiteral("missing"));
    const ScopedLogCapture log("kestrola.map");
    const KmlExportResult result = Export(track, 2, missing);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.path, missing + QStringLiteral("/0101_120000_F_2021_01_01_12-00-00.KML"));
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(log.messages().size(), 1);
    EXPECT_FALSE(log.Find({QStringLiteral("KML"), result.path}).isEmpty());
}

TEST(MapLog, SilentUnlessAskedFor) {
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES"))
        GTEST_SKIP() << "QT_LOGGING_RULES overrides the defaults";
    EXPECT_FALSE(lcMap().isDebugEnabled());
    EXPECT_FALSE(lcMap().isInfoEnabled());
}

} // namespace
