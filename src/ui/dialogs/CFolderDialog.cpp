#include "ui/dialogs/CFolderDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QUrl>

CFolderDialog::CFolderDialog(const QString& title, const QString& initialFolder, QWidget* owner)
    : m_title(title), m_initialFolder(initialFolder), m_owner(owner) {}

int CFolderDialog::Run() {
    QFileDialog dialog(m_owner, m_title, m_initialFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted)
        return kCancel;
    // A platform picker may offer places that are not local folders (network shares seen
    // through a desktop service, for example); those have no path to scan.
    const QList<QUrl> chosen = dialog.selectedUrls();
    if (chosen.isEmpty() || !chosen.constFirst().isLocalFile())
        return kNoFileSystemPath;
    m_result = QDir::toNativeSeparators(chosen.constFirst().toLocalFile());
    return kOk;
}
