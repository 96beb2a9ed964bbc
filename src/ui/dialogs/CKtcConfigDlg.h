#pragma once

#include <QDialog>
#include <QEvent>

class CAppSettings;
class QComboBox;
class QGroupBox;
class QPushButton;

// Chooses the map service and the interface language. Each choice takes effect with its own
// Apply button, is stored in the settings file and announced to the main window by a posted
// message; OK applies both and closes.
class CKtcConfigDlg : public QDialog {
    Q_OBJECT

public:
    enum ControlId {
        kTemplateId = 147,
        kMapGroup = 1040,
        kMapList = 1038,
        kMapApply = 1039,
        kLanguageGroup = 1041,
        kLanguageList = 1042,
        kLanguageApply = 1043,
        kOkButton = 1,
        kCancelButton = 2,
    };

    // The change messages go to window; nullptr posts nothing.
    CKtcConfigDlg(CAppSettings& settings, QObject* window, QWidget* parent = nullptr);

    // A MapChoice value: the one last applied, or the stored one before any Apply.
    int mapChoice() const { return m_mapChoice; }

    // Stays open when no language is selected; the map choice is applied all the same.
    void accept() override;

private:
    void CreateControls();
    void FillLists();
    void Localize();
    void SelectStoredMapChoice();
    void ApplyMap();
    void ApplyLanguage();
    // False when no language is selected.
    bool TakeLanguage();
    void Post(QEvent::Type type, int wParam);

    CAppSettings& m_settings;
    QObject* m_window;
    int m_mapChoice = 0;
    QGroupBox* m_mapGroup = nullptr;
    QComboBox* m_mapList = nullptr;
    QPushButton* m_mapApply = nullptr;
    QGroupBox* m_languageGroup = nullptr;
    QComboBox* m_languageList = nullptr;
    QPushButton* m_languageApply = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
