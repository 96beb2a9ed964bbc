#include "ui/dialogs/CKtcConfigDlg.h"

#include "app/CAppSettings.h"
#include "app/LanguageTable.h"
#include "app/LoadText.h"
#include "playback/WindowMessages.h"
#include "ui/dialogs/DialogControl.h"
#include "ui/dialogs/DialogUnits.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr uint16_t kTextGoogleMaps = 105;
constexpr uint16_t kTextChinaMap = 106;
constexpr uint16_t kTextOk = 107;
constexpr uint16_t kTextCancel = 108;
constexpr uint16_t kTextApply = 109;
constexpr uint16_t kTextCaption = 110;
constexpr uint16_t kTextLanguageGroup = 114;
constexpr uint16_t kTextMapGroup = 115;
constexpr uint16_t kTextOpenStreetMap = 200;

// Places in dialog units.
constexpr QSize kDialogSize(357, 116);
constexpr QRect kMapGroupRect(6, 3, 101, 83);
constexpr QRect kMapListRect(22, 23, 74, 17);
constexpr QRect kMapApplyRect(29, 55, 50, 14);
constexpr QRect kLanguageGroupRect(117, 3, 101, 83);
constexpr QRect kLanguageListRect(135, 23, 66, 16);
constexpr QRect kLanguageApplyRect(143, 55, 50, 14);
constexpr QRect kOkButtonRect(245, 95, 50, 14);
constexpr QRect kCancelButtonRect(300, 95, 50, 14);

} // namespace

CKtcConfigDlg::CKtcConfigDlg(CAppSettings& settings, QObject* window, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_window(window) {
    setObjectName(QString::number(kTemplateId));
    CreateControls();
    FillLists();
    m_languageList->setCurrentIndex(m_settings.languageIndex());
    Localize();
    SelectStoredMapChoice();
}

void CKtcConfigDlg::CreateControls() {
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(kDialogSize));
    // The frames first, so that the lists and buttons inside them lie on top.
    m_mapGroup = MakeControl<QGroupBox>(this, kMapGroup, units.ToPixels(kMapGroupRect));
    m_languageGroup =
        MakeControl<QGroupBox>(this, kLanguageGroup, units.ToPixels(kLanguageGroupRect));
    m_mapList = MakeControl<QComboBox>(this, kMapList, units.ToPixels(kMapListRect));
    m_mapApply = MakeControl<QPushButton>(this, kMapApply, units.ToPixels(kMapApplyRect));
    m_languageList = MakeControl<QComboBox>(this, kLanguageList, units.ToPixels(kLanguageListRect));
    m_languageApply =
        MakeControl<QPushButton>(this, kLanguageApply, units.ToPixels(kLanguageApplyRect));
    m_okButton = MakeControl<QPushButton>(this, kOkButton, units.ToPixels(kOkButtonRect));
    m_okButton->setDefault(true);
    m_cancelButton =
        MakeControl<QPushButton>(this, kCancelButton, units.ToPixels(kCancelButtonRect));

    connect(m_mapApply, &QPushButton::clicked, this, &CKtcConfigDlg::ApplyMap);
    connect(m_languageApply, &QPushButton::clicked, this, &CKtcConfigDlg::ApplyLanguage);
    connect(m_okButton, &QPushButton::clicked, this, &CKtcConfigDlg::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &CKtcConfigDlg::reject);
}

// The map list is filled in the language of the moment and keeps those texts until the dialog
// is opened again; the language list shows every language in its own name.
void CKtcConfigDlg::FillLists() {
    for (const LanguageEntry& row : kLanguageTable)
        m_languageList->addItem(QString::fromUtf16(row.displayName));
    m_mapList->clear();
    m_mapList->addItem(LoadText(m_settings, kTextGoogleMaps));
    m_mapList->addItem(LoadText(m_settings, kTextChinaMap));
    m_mapList->addItem(LoadText(m_settings, kTextOpenStreetMap));
}

void CKtcConfigDlg::Localize() {
    setWindowTitle(LoadText(m_settings, kTextCaption));
    m_okButton->setText(LoadText(m_settings, kTextOk));
    m_cancelButton->setText(LoadText(m_settings, kTextCancel));
    m_mapApply->setText(LoadText(m_settings, kTextApply));
    m_languageApply->setText(LoadText(m_settings, kTextApply));
    m_mapGroup->setTitle(LoadText(m_settings, kTextMapGroup));
    m_languageGroup->setTitle(LoadText(m_settings, kTextLanguageGroup));
    // A frame does not name the list inside it for screen readers, as a label would.
    m_mapList->setAccessibleName(m_mapGroup->title());
    m_languageList->setAccessibleName(m_languageGroup->title());
}

void CKtcConfigDlg::SelectStoredMapChoice() {
    m_mapChoice = m_settings.ReadMapChoice();
    m_mapList->setCurrentIndex(m_mapChoice);
}

void CKtcConfigDlg::ApplyMap() {
    // The list holds the choices in MapChoice order; no selection counts as the first.
    m_mapChoice = std::max(m_mapList->currentIndex(), MapChoice::kGoogleMaps);
    m_settings.SetMapChoice(m_mapChoice);
    m_settings.WriteInt(SettingsKeys::kMap, m_mapChoice);
    Post(WM_KTR_MAP_CHOICE_CHANGED, m_mapChoice);
}

void CKtcConfigDlg::ApplyLanguage() {
    if (TakeLanguage())
        Post(WM_KTR_LANGUAGE_CHANGED, m_languageList->currentIndex());
}

bool CKtcConfigDlg::TakeLanguage() {
    const int selected = m_languageList->currentIndex();
    if (selected < 0)
        return false;
    m_settings.SetLanguage(selected);
    Localize();
    return true;
}

void CKtcConfigDlg::accept() {
    ApplyMap();
    if (!TakeLanguage())
        return;
    SelectStoredMapChoice();
    Post(WM_KTR_LANGUAGE_CHANGED, m_languageList->currentIndex());
    QDialog::accept();
}

void CKtcConfigDlg::Post(QEvent::Type type, int wParam) {
    if (m_window)
        QCoreApplication::postEvent(m_window, new KtrMessageEvent(type, wParam, 0));
}
