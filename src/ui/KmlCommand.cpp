#include "ui/KmlCommand.h"

#include "platform/Prompts.h"

namespace {

constexpr uint16_t kTextSavedFormat = 125;
constexpr uint16_t kTextFailedFormat = 126;
constexpr uint16_t kTextSaveKmlCaption = 127;
constexpr uint16_t kTextNoFiles = 136;
constexpr uint16_t kTextOkCaption = 145;

} // namespace

KmlExportResult RunKmlCommand(TrackBuffer& track, int32_t entryCount,
                              const KmlRecordingLookup& recordingAt, const KmlTextLookup& text,
                              const QString& folder) {
    Prompts& prompts = CurrentPrompts();
    if (!KmlTrackLoaded(track, entryCount)) {
        prompts.ShowMessage(text(kTextNoFiles), text(kTextOkCaption), PromptButtons::Ok,
                            PromptIcon::None);
        return {};
    }
    const KmlExportResult result =
        ExportKml(folder.isEmpty() ? KmlOutputFolder() : folder, track, entryCount, recordingAt);
    QString message = text(result.ok ? kTextSavedFormat : kTextFailedFormat);
    message.replace(QLatin1String("%s"), result.path);
    prompts.ShowMessage(message, text(kTextSaveKmlCaption), PromptButtons::Ok, PromptIcon::None);
    return result;
}
