#pragma once

#include "map/TrackExport.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// Documents folder + "KTR/KML/" with native separators, created with any missing parents.
// Empty when the Documents folder is unknown.
QString KmlOutputFolder();

// folder + file name without its extension + local start time + ".KML".
QString KmlFilePath(const QString& folder, const KmlRecording& recording);

// The whole document: every exported point as one coordinate line of the line string.
QByteArray KmlDocument(const QString& placemarkName, const TrackBuffer& track);

// Writes the loaded track of entry track.entryIndex (pulled back to the last entry when it
// lies beyond them) into folder, replacing any file of the same name.
KmlExportResult ExportKml(const QString& folder, TrackBuffer& track, int32_t entryCount,
                          const KmlRecordingLookup& recordingAt);
