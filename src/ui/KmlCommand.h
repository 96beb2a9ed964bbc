#pragma once

#include "map/KmlExport.h"
#include "ui/TrackExportCommand.h"

#include <QString>

#include <cstdint>

// The window's KML command: tells the user there is nothing to export while no track is
// loaded, otherwise exports into folder (the KmlOutputFolder when empty) and reports where
// the file went or that it could not be written.
KmlExportResult RunKmlCommand(TrackBuffer& track, int32_t entryCount,
                              const KmlRecordingLookup& recordingAt, const KmlTextLookup& text,
                              const QString& folder = QString());
