#include "ui/dialogs/WidgetPrompts.h"

#include "ui/dialogs/CFolderDialog.h"
#include "ui/dialogs/CMediaOpenDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QWidget* Owner() {
    return QApplication::activeWindow();
}

QString FirstChosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace

WidgetPrompts::WidgetPrompts(CAppSettings& settings) : m_settings(settings) {}

PromptAnswer WidgetPrompts::ShowMessage(const QString& text, const QString& caption,
                                        PromptButtons buttons, PromptIcon icon) {
    const QMessageBox::Icon shown =
        icon == PromptIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon;
    const QMessageBox::StandardButtons offered =
        buttons == PromptButtons::Ok ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel;
    QMessageBox box(shown, caption, text, offered, Owner());
    return box.exec() == QMessageBox::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
}

QString WidgetPrompts::AskSaveFile(const SaveFileQuestion& question) {
    QFileDialog dialog(Owner());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(question.nameFilters);
    dialog.setDefaultSuffix(question.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !question.confirmOverwrite);
    return FirstChosenFile(dialog);
}

QString WidgetPrompts::AskFolder(const QString& title, const QString& initialFolder) {
    CFolderDialog dialog(title, initialFolder, Owner());
    return dialog.Run() == CFolderDialog::kOk ? dialog.Result() : QString();
}

QString WidgetPrompts::AskOpenFile(const QString& title) {
    QFileDialog dialog(Owner(), title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return FirstChosenFile(dialog);
}

bool WidgetPrompts::AskMediaToOpen(MediaOpenAnswer& answer) {
    CMediaOpenDialog dialog(m_settings, Owner());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    answer.choice = dialog.choice();
    answer.filePath = dialog.filePath();
    answer.folderPath = dialog.folderPath();
    return true;
}
