#pragma once

#include "track/TrackRecords.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// The catalogue entry an exported file is named after.
struct KmlRecording {
    QString subfolder; // below the scan root, each level followed by the native separator
    QString fileName;
    int64_t startTime = 0; // seconds since 1970 UTC
};

struct KmlExportResult {
    bool ok = false;
    QString path; // the file written, or the one that could not be written
};

// Entry i (0 <= i < entry count) of the catalogue.
using KmlRecordingLookup = std::function<KmlRecording(int32_t index)>;

// A point of the track that the exports write, with its coordinates in decimal degrees.
struct ExportedPoint {
    uint32_t index; // in the track, which dates the point
    const TrackPoint* point;
    double latitude;
    double longitude;
};

// The points every export writes, in track order: those with a valid fix and finite,
// plausible coordinates.
std::vector<ExportedPoint> ExportedPoints(const TrackBuffer& track);

// Documents folder + "KTR/" + kind + "/" with native separators, created with any missing
// parents. Empty when the Documents folder is unknown.
QString ExportOutputFolder(const QString& kind);

// folder + file name without its extension + local start time + extension.
QString ExportFilePath(const QString& folder, const KmlRecording& recording,
                       const QString& extension);

// The text an export names the track with: the recording's relative path and start time.
QString KmlPlacemarkName(const KmlRecording& recording);

// text as XML character data or attribute value; characters XML cannot hold become U+FFFD.
QString XmlEscaped(const QString& text);

// Whether a recording's track has been loaded: before the first load entryIndex names no
// entry and there is nothing to export.
bool KmlTrackLoaded(const TrackBuffer& track, int32_t entryCount);

using TrackDocument = std::function<QByteArray(const KmlRecording&, const TrackBuffer&)>;

// Writes the document made for the loaded track of entry track.entryIndex (pulled back to the
// last entry when it lies beyond them) into folder, replacing any file of the same name.
KmlExportResult ExportTrack(const QString& folder, TrackBuffer& track, int32_t entryCount,
                            const KmlRecordingLookup& recordingAt, const QString& extension,
                            const TrackDocument& document);
