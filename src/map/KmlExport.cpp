#include "map/KmlExport.h"

namespace {

const QString kExtension = QStringLiteral(".KML");

constexpr char kClosingText[] = "\n        </coordinates>\n"
                                "      </LineString>\n"
                                "    </Placemark>\n"
                                "  </Document>\n"
                                "</kml>\n";

} // namespace

QString KmlOutputFolder() {
    return ExportOutputFolder(QStringLiteral("KML"));
}

QString KmlFilePath(const QString& folder, const KmlRecording& recording) {
    return ExportFilePath(folder, recording, kExtension);
}

QByteArray KmlDocument(const QString& placemarkName, const TrackBuffer& track) {
    QByteArray document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
                          "  <Document>\n"
                          "    <Placemark>\n"
                          "      <name>";
    document += XmlEscaped(placemarkName).toUtf8();
    document += "</name>\n"
                "      <LineString>\n"
                "        <tessellate>1</tessellate>\n"
                "        <coordinates>\n";
    for (const ExportedPoint& exported : ExportedPoints(track)) {
        // QString::asprintf formats with a dot whatever the process locale says.
        document += QString::asprintf("%f,%f,%d\n", exported.longitude, exported.latitude,
                                      exported.point->altitude)
                        .toLatin1();
    }
    document += kClosingText;
    return document;
}

KmlExportResult ExportKml(const QString& folder, TrackBuffer& track, int32_t entryCount,
                          const KmlRecordingLookup& recordingAt) {
    return ExportTrack(folder, track, entryCount, recordingAt, kExtension,
                       [](const KmlRecording& recording, const TrackBuffer& loaded) {
                           return KmlDocument(KmlPlacemarkName(recording), loaded);
                       });
}
