#pragma once

#include <QDialog>

class CAppSettings;

// The program's icon, name and version and the keys of the main window, in the chosen
// language.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    enum ControlId {
        kTemplateId = 100,
        kVersionText = 1051,
        kOkButton = 1,
    };

    explicit CAboutDlg(const CAppSettings& settings, QWidget* parent = nullptr);
};
