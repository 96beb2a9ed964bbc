#include "ui/dialogs/CMediaOpenDialog.h"

#include "app/LoadText.h"
#include "app/RememberedFolder.h"
#include "platform/Prompts.h"
#include "ui/dialogs/DialogControl.h"
#include "ui/dialogs/DialogUnits.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr uint16_t kTextCaption = 104;
constexpr uint16_t kTextOk = 107;
constexpr uint16_t kTextCancel = 108;
constexpr uint16_t kTextFolder = 112;
constexpr uint16_t kTextFile = 113;
constexpr uint16_t kTextFolderTitle = 130;

const QString kDiskText = QStringLiteral("Disk");
const QString kBrowseText = QStringLiteral("...");

// Places in dialog units.
constexpr QSize kDialogSize(383, 117);
constexpr QRect kDiskRadioRect(7, 29, 50, 10);
constexpr QRect kDiskListRect(67, 7, 81, 90);
constexpr QRect kFileFieldRect(72, 26, 253, 14);
constexpr QRect kFileButtonRect(326, 26, 24, 13);
constexpr QRect kFolderFieldRect(72, 63, 253, 14);
constexpr QRect kFolderButtonRect(325, 63, 25, 13);
constexpr QRect kOkButtonRect(272, 96, 50, 14);
constexpr QRect kCancelButtonRect(326, 96, 50, 14);

// The visible choices are placed in pixels beside their fields, wider than the units gave
// them, so that the longer translations of "File" and "Folder" fit.
constexpr QRect kFileRadioPixels(10, 53, 80, 20);
constexpr QRect kFolderRadioPixels(10, 120, 80, 20);

QLineEdit* MakeField(QWidget* dialog, int id, const QRect& pixels) {
    auto* field = MakeControl<QLineEdit>(dialog, id, pixels);
    field->setReadOnly(true);
    return field;
}

} // namespace

CMediaOpenDialog::CMediaOpenDialog(CAppSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    CreateControls();
    SetTexts();
    Tick(kChoiceFile);
}

void CMediaOpenDialog::accept() {
    TakeChoice();
    m_folderPath = m_folderField->text();
    QDialog::accept();
}

void CMediaOpenDialog::CreateControls() {
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(kDialogSize));

    // The disk choice and its drive list are never offered; they stay in the group, hidden,
    // so that the file and the folder keep the numbers 1 and 2.
    auto* diskRadio = MakeControl<QRadioButton>(this, kDiskRadio, units.ToPixels(kDiskRadioRect));
    diskRadio->setText(kDiskText);
    diskRadio->hide();
    MakeControl<QComboBox>(this, kDiskList, units.ToPixels(kDiskListRect))->hide();

    m_fileRadio = MakeControl<QRadioButton>(this, kFileRadio, kFileRadioPixels);
    m_fileField = MakeField(this, kFileField, units.ToPixels(kFileFieldRect));
    auto* fileButton = MakeControl<QPushButton>(this, kFileButton, units.ToPixels(kFileButtonRect));
    m_folderRadio = MakeControl<QRadioButton>(this, kFolderRadio, kFolderRadioPixels);
    m_folderField = MakeField(this, kFolderField, units.ToPixels(kFolderFieldRect));
    auto* folderButton =
        MakeControl<QPushButton>(this, kFolderButton, units.ToPixels(kFolderButtonRect));
    fileButton->setText(kBrowseText);
    folderButton->setText(kBrowseText);
    m_okButton = MakeControl<QPushButton>(this, kOkButton, units.ToPixels(kOkButtonRect));
    m_okButton->setDefault(true);
    m_cancelButton =
        MakeControl<QPushButton>(this, kCancelButton, units.ToPixels(kCancelButtonRect));

    m_radios = new QButtonGroup(this);
    m_radios->addButton(diskRadio, kChoiceDisk);
    m_radios->addButton(m_fileRadio, kChoiceFile);
    m_radios->addButton(m_folderRadio, kChoiceFolder);

    connect(fileButton, &QPushButton::clicked, this, &CMediaOpenDialog::ChooseFile);
    connect(folderButton, &QPushButton::clicked, this, &CMediaOpenDialog::ChooseFolder);
    connect(m_okButton, &QPushButton::clicked, this, &CMediaOpenDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &CMediaOpenDialog::reject);
}

void CMediaOpenDialog::SetTexts() {
    setWindowTitle(LoadText(m_settings, kTextCaption));
    m_fileRadio->setText(LoadText(m_settings, kTextFile));
    m_folderRadio->setText(LoadText(m_settings, kTextFolder));
    m_okButton->setText(LoadText(m_settings, kTextOk));
    m_cancelButton->setText(LoadText(m_settings, kTextCancel));
}

void CMediaOpenDialog::Tick(Choice wanted) {
    m_radios->button(wanted)->setChecked(true);
    TakeChoice();
}

void CMediaOpenDialog::TakeChoice() {
    m_choice = m_radios->checkedId();
}

void CMediaOpenDialog::ChooseFile() {
    const QString path = CurrentPrompts().AskOpenFile(LoadText(m_settings, kTextCaption));
    if (path.isEmpty())
        return;
    m_filePath = path;
    m_fileField->setText(path);
    Tick(kChoiceFile);
}

void CMediaOpenDialog::ChooseFolder() {
    const QString folder = CurrentPrompts().AskFolder(LoadText(m_settings, kTextFolderTitle),
                                                      ReadRememberedFolder(m_settings));
    if (folder.isEmpty())
        return;
    m_folderPath = folder;
    m_folderField->setText(folder);
    Tick(kChoiceFolder);
    WriteRememberedFolder(m_settings, folder);
}
