#pragma once

#include "track/TrackRecords.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

// The catalogue entry a KML file is named after.
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

// Documents folder + "KTR/KML/" with native separators, created with any missing parents.
// Empty when the Documents folder is unknown.
QString KmlOutputFolder();

// folder + file name without its extension + local start time + ".KML".
QString KmlFilePath(const QString& folder, const KmlRecording& recording);

// The text shown as the line string's name: the recording's relative path and start time.
QString KmlPlacemarkName(const KmlRecording& recording);

// The whole document: every point with a valid fix and plausible coordinates as one
// coordinate line of the line string.
QByteArray KmlDocument(const QString& placemarkName, const TrackBuffer& track);

// Whether a recording's track has been loaded: before the first load entryIndex names no
// entry and there is nothing to export.
bool KmlTrackLoaded(const TrackBuffer& track, int32_t entryCount);

// Writes the loaded track of entry track.entryIndex (pulled back to the last entry when it
// lies beyond them) into folder, replacing any file of the same name.
KmlExportResult ExportKml(const QString& folder, TrackBuffer& track, int32_t entryCount,
                          const KmlRecordingLookup& recordingAt);
