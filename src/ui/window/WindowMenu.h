#pragma once

#include <QMenu>

class CAppSettings;
class QAction;

// The menu a frameless window lacks from its frame: minimize, maximize or restore, close,
// and the about box. The about item keeps the text it was given at start; the others follow
// the chosen language through Relabel.
class WindowMenu : public QMenu {
    Q_OBJECT

public:
    // The command number of the about item, also its objectName.
    static constexpr int kAboutCommand = 16;

    explicit WindowMenu(QWidget* window);

    void Relabel(const CAppSettings& settings);

    QAction* minimizeAction() const { return m_minimize; }
    QAction* maximizeAction() const { return m_maximize; }
    QAction* closeAction() const { return m_close; }
    QAction* aboutAction() const { return m_about; }

private:
    QAction* m_minimize;
    QAction* m_maximize;
    QAction* m_close;
    QAction* m_about;
};
