#pragma once

#include "map/TrackExport.h"

#include <QString>

#include <cstdint>
#include <functional>

// A message text by string id in the chosen language.
using KmlTextLookup = std::function<QString(uint16_t id)>;

// What tells one export command from another: its texts, its folder and its writer.
struct TrackExportKind {
    uint16_t savedFormat;  // %s = the file written
    uint16_t failedFormat; // %s = the file that could not be written
    uint16_t caption;
    QString (*outputFolder)();
    KmlExportResult (*exportTrack)(const QString& folder, TrackBuffer& track, int32_t entryCount,
                                   const KmlRecordingLookup& recordingAt);
};

// Tells the user there is nothing to export while no track is loaded, otherwise exports into
// folder (the kind's output folder when empty) and reports where the file went or that it
// could not be written.
KmlExportResult RunTrackExportCommand(const TrackExportKind& kind, TrackBuffer& track,
                                      int32_t entryCount, const KmlRecordingLookup& recordingAt,
                                      const KmlTextLookup& text, const QString& folder);
