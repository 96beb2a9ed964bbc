#include "ui/GpxCommand.h"

#include "ui/GpxTextIds.h"

namespace {

constexpr TrackExportKind kGpx{GpxTextIds::kSavedFormat, GpxTextIds::kFailedFormat,
                               GpxTextIds::kCaption, GpxOutputFolder, ExportGpx};

} // namespace

KmlExportResult RunGpxCommand(TrackBuffer& track, int32_t entryCount,
                              const KmlRecordingLookup& recordingAt, const KmlTextLookup& text,
                              const QString& folder) {
    return RunTrackExportCommand(kGpx, track, entryCount, recordingAt, text, folder);
}
