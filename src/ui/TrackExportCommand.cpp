#include "ui/TrackExportCommand.h"

#include "platform/Prompts.h"

namespace {

constexpr uint16_t kTextNoFiles = 136;
constexpr uint16_t kTextOkCaption = 145;

} // namespace

KmlExportResult RunTrackExportCommand(const TrackExportKind& kind, TrackBuffer& track,
                                      int32_t entryCount, const KmlRecordingLookup& recordingAt,
                                      const KmlTextLookup& text, const QString& folder) {
    Prompts& prompts = CurrentPrompts();
    if (!KmlTrackLoaded(track, entryCount)) {
        prompts.ShowMessage(text(kTextNoFiles), text(kTextOkCaption), PromptButtons::Ok,
                            PromptIcon::None);
        return {};
    }
    const KmlExportResult result = kind.exportTrack(folder.isEmpty() ? kind.outputFolder() : folder,
                                                    track, entryCount, recordingAt);
    QString message = text(result.ok ? kind.savedFormat : kind.failedFormat);
    message.replace(QLatin1String("%s"), result.path);
    prompts.ShowMessage(message, text(kind.caption), PromptButtons::Ok, PromptIcon::None);
    return result;
}
