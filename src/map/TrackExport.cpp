#include "map/TrackExport.h"

#include "map/MapLog.h"
#include "platform/AtomicFile.h"
#include "platform/PathText.h"

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

namespace {

constexpr qsizetype kExtensionLength = 4; // ".MP4", ".AVI"
constexpr double kImplausibleDegrees = 200.0;

QDateTime LocalStart(const KmlRecording& recording) {
    return QDateTime::fromSecsSinceEpoch(recording.startTime, Qt::LocalTime);
}

// U+FFFE and U+FFFF are valid in a file name but not in XML.
bool IsXmlChar(char16_t c) {
    return (c >= 0x20 && c < 0xFFFE) || c == u'\t' || c == u'\n' || c == u'\r';
}

} // namespace

std::vector<ExportedPoint> ExportedPoints(const TrackBuffer& track) {
    std::vector<ExportedPoint> exported;
    const size_t count = std::min<size_t>(track.pointCount(), track.points.size());
    for (size_t i = 0; i < count; ++i) {
        const TrackPoint& point = track.points[i];
        if (!point.fixValid())
            continue;
        const double latitude = NmeaToDegrees(point.latitudeNmea);
        const double longitude = NmeaToDegrees(point.longitudeNmea);
        // Written as "nan" or "-inf" a coordinate would break the document for its readers.
        if (!std::isfinite(latitude) || !std::isfinite(longitude) ||
            latitude >= kImplausibleDegrees || longitude >= kImplausibleDegrees)
            continue;
        exported.push_back({static_cast<uint32_t>(i), &point, latitude, longitude});
    }
    return exported;
}

QString ExportOutputFolder(const QString& kind) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return {};
    const QString folder = WithTrailingSeparator(QDir::toNativeSeparators(documents)) +
                           QStringLiteral("KTR") + QDir::separator() + kind + QDir::separator();
    QDir().mkpath(folder);
    return folder;
}

QString ExportFilePath(const QString& folder, const KmlRecording& recording,
                       const QString& extension) {
    const QString base = recording.fileName.left(
        std::max<qsizetype>(0, recording.fileName.size() - kExtensionLength));
    return WithTrailingSeparator(folder) + base +
           LocalStart(recording).toString(QStringLiteral("_yyyy_MM_dd_HH-mm-ss")) + extension;
}

QString KmlPlacemarkName(const KmlRecording& recording) {
    return QLatin1Char('"') + recording.subfolder + recording.fileName + QLatin1Char('"') +
           LocalStart(recording).toString(QStringLiteral(" yyyy/MM/dd HH:mm:ss"));
}

// File names may hold anything the file system allows; none of it may break the document.
QString XmlEscaped(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u'&':
            escaped += QLatin1String("&amp;");
            break;
        case u'<':
            escaped += QLatin1String("&lt;");
            break;
        case u'>':
            escaped += QLatin1String("&gt;");
            break;
        case u'"':
            escaped += QLatin1String("&quot;");
            break;
        case u'\'':
            escaped += QLatin1String("&apos;");
            break;
        default:
            escaped += IsXmlChar(ch.unicode()) ? ch : QChar::ReplacementCharacter;
        }
    }
    return escaped;
}

bool KmlTrackLoaded(const TrackBuffer& track, int32_t entryCount) {
    return entryCount > 0 && track.entryIndex >= 0;
}

KmlExportResult ExportTrack(const QString& folder, TrackBuffer& track, int32_t entryCount,
                            const KmlRecordingLookup& recordingAt, const QString& extension,
                            const TrackDocument& document) {
    if (track.entryIndex >= entryCount)
        track.entryIndex = entryCount - 1;
    if (track.entryIndex < 0)
        return {};
    const KmlRecording recording = recordingAt(track.entryIndex);
    KmlExportResult result;
    result.path = ExportFilePath(folder, recording, extension);
    result.ok = WriteFileAtomically(result.path, document(recording, track));
    if (!result.ok)
        qCDebug(lcMap) << "could not write" << extension.mid(1).toUpper() << "file" << result.path;
    return result;
}
