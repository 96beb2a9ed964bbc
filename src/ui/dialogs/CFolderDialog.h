#pragma once

#include <QString>

class QWidget;

// Asks for one existing folder.
class CFolderDialog {
public:
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;
    // The confirmed place is not a folder of the local file system; callers treat it like
    // Cancel.
    static constexpr int kNoFileSystemPath = -1;

    // initialFolder empty: the picker opens at its own default place.
    CFolderDialog(const QString& title, const QString& initialFolder, QWidget* owner);

    // Modal. After kOk, Result() is the folder's full path.
    int Run();
    const QString& Result() const { return m_result; }

private:
    QString m_title;
    QString m_initialFolder;
    QWidget* m_owner;
    QString m_result;
};
