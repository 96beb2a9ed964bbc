#pragma once

#include "map/TrackExport.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// Documents folder + "KTR/GPX/" with native separators, created with any missing parents.
// Empty when the Documents folder is unknown.
QString GpxOutputFolder();

// folder + file name without its extension + local start time + ".gpx", as the KML is named.
QString GpxFilePath(const QString& folder, const KmlRecording& recording);

// A GPX 1.1 document with one track of the points the KML holds, each with its elevation,
// its time in UTC when the recording is dated, and its speed and course in the
// TrackPointExtension v2 elements (no course for a track read from an NMEA sidecar, which
// carries none).
QByteArray GpxDocument(const KmlRecording& recording, const TrackBuffer& track);

// Writes the loaded track of entry track.entryIndex (pulled back to the last entry when it
// lies beyond them) into folder, replacing any file of the same name.
KmlExportResult ExportGpx(const QString& folder, TrackBuffer& track, int32_t entryCount,
                          const KmlRecordingLookup& recordingAt);
