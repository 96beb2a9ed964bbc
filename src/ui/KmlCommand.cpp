#include "ui/KmlCommand.h"

namespace {

constexpr TrackExportKind kKml{125, 126, 127, KmlOutputFolder, ExportKml};

} // namespace

KmlExportResult RunKmlCommand(TrackBuffer& track, int32_t entryCount,
                              const KmlRecordingLookup& recordingAt, const KmlTextLookup& text,
                              const QString& folder) {
    return RunTrackExportCommand(kKml, track, entryCount, recordingAt, text, folder);
}
