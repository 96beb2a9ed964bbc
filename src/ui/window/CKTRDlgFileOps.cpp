// The file commands on the ticked groups: unlock, delete and save-as. The copy of save-as runs
// on the copy job's thread; until it ends, the commands that would change the catalogue or
// start another copy are disabled.

#include "ui/window/CKTRDlg.h"

#include "app/LoadText.h"
#include "platform/Prompts.h"
#include "ui/controls/CGdipButton.h"
#include "ui/controls/CStatusBoardStatic.h"

#include <QFileInfo>

namespace {

constexpr uint16_t kDeleteCaption = 128;
constexpr uint16_t kDeleteQuestion = 129;
constexpr uint16_t kFolderPickerTitle = 130;
constexpr uint16_t kWarningCaption = 131;
constexpr uint16_t kFolderMissingText = 132;
constexpr uint16_t kNoSelectionText = 135;
constexpr uint16_t kOverwriteCaption = 140;
constexpr uint16_t kOverwriteQuestion = 141;
constexpr uint16_t kNoSelectionCaption = 144;

// The string tables have no text for these; they stay in English in every language.
const QString kUnlockFailedLead = QStringLiteral("These files could not be unlocked:");
const QString kDeleteFailedLead = QStringLiteral("These files could not be deleted:");
const QString kCopyFailedLead = QStringLiteral("These files could not be copied:");
// More lines would push the box's buttons off the screen.
constexpr size_t kMaxListedFailures = 20;

constexpr ControlId kCommandsIdleDuringCopy[] = {ControlId::OpenButton, ControlId::LockButton,
                                                 ControlId::DeleteButton, ControlId::SaveButton};

QString ProgressText(int percent) {
    return QString::asprintf("%d %c", percent, '%');
}

} // namespace

void CKTRDlg::ConnectFileCommands() {
    const auto onClick = [this](ControlId id, auto slot) {
        connect(Button(id), &QAbstractButton::clicked, this, slot);
    };
    onClick(ControlId::LockButton, [this] { OnUnlock(); });
    onClick(ControlId::DeleteButton, [this] { OnDelete(); });
    onClick(ControlId::SaveButton, [this] { OnSaveAs(); });
}

void CKTRDlg::OnUnlock() {
    if (m_catalogue.EntryCount() == 0) {
        ShowNoFilesMessage();
        return;
    }
    std::vector<FileFailure> failures;
    if (!m_catalogue.UnlockChecked(failures))
        ShowNoSelectionMessage();
    ShowFailures(kUnlockFailedLead, failures);
}

void CKTRDlg::OnDelete() {
    if (m_catalogue.EntryCount() == 0) {
        ShowNoFilesMessage();
        return;
    }
    m_controller.StopBoth();
    HideVideoSurfaces();
    if (CurrentPrompts().ShowMessage(LoadText(m_settings, kDeleteQuestion),
                                     LoadText(m_settings, kDeleteCaption), PromptButtons::OkCancel,
                                     PromptIcon::None) != PromptAnswer::Ok)
        return;
    std::vector<FileFailure> failures;
    if (!m_catalogue.DeleteChecked(failures))
        ShowNoSelectionMessage();
    ShowFailures(kDeleteFailedLead, failures);
}

void CKTRDlg::OnSaveAs() {
    if (m_catalogue.EntryCount() == 0) {
        ShowNoFilesMessage();
        return;
    }
    m_controller.StopBoth();
    const QString folder =
        CurrentPrompts().AskFolder(LoadText(m_settings, kFolderPickerTitle), QString());
    if (!folder.isEmpty()) {
        if (QFileInfo(folder).isDir())
            StartCopy(folder);
        else
            CurrentPrompts().ShowMessage(LoadText(m_settings, kFolderMissingText),
                                         LoadText(m_settings, kWarningCaption), PromptButtons::Ok,
                                         PromptIcon::Warning);
    }
    HideVideoSurfaces();
}

void CKTRDlg::StartCopy(const QString& destination) {
    // Every question is asked before the copy starts, so the copy needs nobody.
    const auto confirmOverwrite = [this](const QString& target) {
        QString question = LoadText(m_settings, kOverwriteQuestion);
        question.replace(QLatin1String("%s"), target);
        return CurrentPrompts().ShowMessage(question, LoadText(m_settings, kOverwriteCaption),
                                            PromptButtons::OkCancel,
                                            PromptIcon::None) == PromptAnswer::Ok;
    };
    if (!m_catalogue.CopyChecked(destination, confirmOverwrite, m_copyJob)) {
        ShowNoSelectionMessage();
        return;
    }
    for (const ControlId id : kCommandsIdleDuringCopy)
        Button(id)->setEnabled(false);
    m_progressBoard->show();
    m_progressBoard->SetProgress(0, ProgressText(0));
}

void CKTRDlg::OnCopyProgress(int percent) {
    m_progressBoard->show();
    m_progressBoard->SetProgress(percent, ProgressText(percent));
}

void CKTRDlg::OnCopyEnded(const std::vector<FileFailure>& failures) {
    m_progressBoard->hide();
    for (const ControlId id : kCommandsIdleDuringCopy)
        Button(id)->setEnabled(true);
    ShowFailures(kCopyFailedLead, failures);
}

void CKTRDlg::ShowNoSelectionMessage() {
    CurrentPrompts().ShowMessage(LoadText(m_settings, kNoSelectionText),
                                 LoadText(m_settings, kNoSelectionCaption), PromptButtons::Ok,
                                 PromptIcon::None);
}

void CKTRDlg::ShowFailures(const QString& lead, const std::vector<FileFailure>& failures) {
    if (failures.empty())
        return;
    QStringList lines{lead};
    for (size_t i = 0; i < failures.size() && i < kMaxListedFailures; ++i)
        lines << QStringLiteral("%1: %2").arg(failures[i].path, failures[i].reason);
    if (failures.size() > kMaxListedFailures)
        lines << QStringLiteral("... and %1 more").arg(failures.size() - kMaxListedFailures);
    CurrentPrompts().ShowMessage(lines.join(QLatin1Char('\n')),
                                 LoadText(m_settings, kWarningCaption), PromptButtons::Ok,
                                 PromptIcon::Warning);
}

void CKTRDlg::HideVideoSurfaces() {
    for (const VideoChannel channel : {VideoChannel::Front, VideoChannel::Rear})
        if (IsVideoSurfaceShown(channel))
            ShowVideoSurface(channel, false);
}
