#pragma once

#include <QDialog>
#include <QString>

class CAppSettings;
class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Asks whether to open one recording file or a folder of them, and which. After OK,
// choice() is 1 for the file and 2 for the folder.
class CMediaOpenDialog : public QDialog {
    Q_OBJECT

public:
    enum ControlId {
        kDiskRadio = 1029,
        kFileRadio = 1030,
        kFolderRadio = 1031,
        kDiskList = 1033,
        kFileField = 1034,
        kFolderField = 1035,
        kFileButton = 1036,
        kFolderButton = 1037,
        kOkButton = 1,
        kCancelButton = 2,
    };
    enum Choice { kChoiceDisk = 0, kChoiceFile = 1, kChoiceFolder = 2 };

    explicit CMediaOpenDialog(CAppSettings& settings, QWidget* parent = nullptr);

    int choice() const { return m_choice; }
    const QString& filePath() const { return m_filePath; }
    const QString& folderPath() const { return m_folderPath; }

    void accept() override;

private:
    void CreateControls();
    void SetTexts();
    void Tick(Choice wanted);
    void TakeChoice();
    void ChooseFile();
    void ChooseFolder();

    CAppSettings& m_settings;
    int m_choice = kChoiceFile;
    QString m_filePath;
    QString m_folderPath;
    QButtonGroup* m_radios = nullptr;
    QRadioButton* m_fileRadio = nullptr;
    QRadioButton* m_folderRadio = nullptr;
    QLineEdit* m_fileField = nullptr;
    QLineEdit* m_folderField = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
