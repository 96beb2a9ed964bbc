#include "map/GpxExport.h"

#include "track/TrackLoader.h"

#include <QDateTime>

#include <cmath>

namespace {

const QString kExtension = QStringLiteral(".gpx");

constexpr double kMetresPerSecondPerKmh = 1.0 / 3.6;
constexpr int kDegreesPerHeadingUnit = 2;
constexpr int kFullCircleDegrees = 360;
constexpr int64_t kMsPerSecondWide = kMsPerSecond;

// GPX allows latitudes in [-90, 90] and longitudes in [-180, 180); the KML's own plausibility
// test lets more through.
constexpr double kMaxLatitude = 90.0;
constexpr double kMaxLongitude = 180.0;

constexpr char kOpening[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gpx version=\"1.1\" creator=\"Kestrola\"\n"
    "     xmlns=\"http://www.topografix.com/GPX/1/1\"\n"
    "     xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\"\n"
    "     xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
    "     xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 "
    "http://www.topografix.com/GPX/1/1/gpx.xsd "
    "http://www.garmin.com/xmlschemas/TrackPointExtension/v2 "
    "https://www8.garmin.com/xmlschemas/TrackPointExtensionv2.xsd\">\n";

constexpr char kClosing[] = "    </trkseg>\n"
                            "  </trk>\n"
                            "</gpx>\n";

bool InGpxRange(const ExportedPoint& exported) {
    return std::fabs(exported.latitude) <= kMaxLatitude && exported.longitude >= -kMaxLongitude &&
           exported.longitude < kMaxLongitude;
}

// The start is an instant already: the camera's clock fields were read as the computer's
// local time when the recording was catalogued, as for the file list and the KML name.
QByteArray UtcTime(int64_t ms) {
    const QDateTime time = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    return time.toString(ms % kMsPerSecondWide == 0 ? Qt::ISODate : Qt::ISODateWithMs).toLatin1();
}

// Point i lies i / pointsPerSecond seconds after the start; a track without a rate has one
// point a second, as playback takes it.
int64_t PointMs(int64_t startMs, uint32_t index, double pointsPerSecond) {
    const double rate =
        pointsPerSecond > 0.0 && std::isfinite(pointsPerSecond) ? pointsPerSecond : 1.0;
    return startMs + std::llround(index * static_cast<double>(kMsPerSecond) / rate);
}

QByteArray Element(const char* indent, const char* name, const QByteArray& value) {
    return QByteArray(indent) + '<' + name + '>' + value + "</" + name + ">\n";
}

QByteArray TrackPointElement(const ExportedPoint& exported, const QByteArray& time,
                             bool withCourse) {
    const TrackPoint& point = *exported.point;
    // QString::asprintf formats with a dot whatever the process locale says.
    QByteArray element = QString::asprintf("      <trkpt lat=\"%f\" lon=\"%f\">\n",
                                           exported.latitude, exported.longitude)
                             .toLatin1();
    element += Element("        ", "ele", QByteArray::number(point.altitude));
    if (!time.isEmpty())
        element += Element("        ", "time", time);
    element += "        <extensions>\n"
               "          <gpxtpx:TrackPointExtension>\n";
    element += Element("            ", "gpxtpx:speed",
                       QString::asprintf("%f", point.speedKmh * kMetresPerSecondPerKmh).toLatin1());
    const int course = point.headingHalfDeg * kDegreesPerHeadingUnit;
    // A heading byte beyond 179 names no direction a course may have.
    if (withCourse && course < kFullCircleDegrees)
        element += Element("            ", "gpxtpx:course", QByteArray::number(course));
    element += "          </gpxtpx:TrackPointExtension>\n"
               "        </extensions>\n"
               "      </trkpt>\n";
    return element;
}

} // namespace

QString GpxOutputFolder() {
    return ExportOutputFolder(QStringLiteral("GPX"));
}

QString GpxFilePath(const QString& folder, const KmlRecording& recording) {
    return ExportFilePath(folder, recording, kExtension);
}

QByteArray GpxDocument(const KmlRecording& recording, const TrackBuffer& track) {
    // An undated recording (start 0) gets no times rather than ones in 1970.
    const bool dated = recording.startTime != 0;
    const int64_t startMs = recording.startTime * kMsPerSecondWide;
    const bool withCourse = !ReadsTrackFromSidecar(recording.fileName);
    const QByteArray name = XmlEscaped(KmlPlacemarkName(recording)).toUtf8();

    QByteArray document = kOpening;
    document += "  <metadata>\n";
    document += Element("    ", "name", name);
    if (dated)
        document += Element("    ", "time", UtcTime(startMs));
    document += "  </metadata>\n"
                "  <trk>\n";
    document += Element("    ", "name", name);
    document += "    <trkseg>\n";
    for (const ExportedPoint& exported : ExportedPoints(track)) {
        if (!InGpxRange(exported))
            continue;
        const QByteArray time =
            dated ? UtcTime(PointMs(startMs, exported.index, track.pointsPerSecond)) : QByteArray();
        document += TrackPointElement(exported, time, withCourse);
    }
    document += kClosing;
    return document;
}

KmlExportResult ExportGpx(const QString& folder, TrackBuffer& track, int32_t entryCount,
                          const KmlRecordingLookup& recordingAt) {
    return ExportTrack(folder, track, entryCount, recordingAt, kExtension, GpxDocument);
}
