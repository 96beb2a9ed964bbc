#pragma once

#include "map/GpxExport.h"
#include "ui/TrackExportCommand.h"

#include <QString>

#include <cstdint>

// The GPX entry of the KML button's menu: as the KML command, with the GPX texts, into
// folder (the GpxOutputFolder when empty).
KmlExportResult RunGpxCommand(TrackBuffer& track, int32_t entryCount,
                              const KmlRecordingLookup& recordingAt, const KmlTextLookup& text,
                              const QString& folder = QString());
