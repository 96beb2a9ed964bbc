// The window's dialogs: the configuration dialog behind the Conf button, and the about box
// behind the about button and the window menu. The window is frameless, so the menu its frame
// would offer opens from the title row (right-click or Alt+Space) instead.
#include "ui/window/CKTRDlg.h"

#include "ui/controls/CGdipButton.h"
#include "ui/dialogs/CAboutDlg.h"
#include "ui/dialogs/CKtcConfigDlg.h"
#include "ui/window/WindowMenu.h"

#include <QContextMenuEvent>
#include <QShortcut>

namespace {

const QKeySequence kWindowMenuKeys(Qt::ALT | Qt::Key_Space);

} // namespace

void CKTRDlg::SetUpDialogs() {
    connect(Button(ControlId::ConfigButton), &QAbstractButton::clicked, this,
            &CKTRDlg::RunConfigDialog);
    connect(Button(ControlId::AboutButton), &QAbstractButton::clicked, this, &CKTRDlg::RunAboutBox);

    m_windowMenu = new WindowMenu(this);
    m_windowMenu->Relabel(m_settings);
    connect(m_windowMenu->minimizeAction(), &QAction::triggered, this, &QWidget::showMinimized);
    connect(m_windowMenu->maximizeAction(), &QAction::triggered, this, &CKTRDlg::ToggleMaximize);
    connect(m_windowMenu->closeAction(), &QAction::triggered, this, &QWidget::close);
    connect(m_windowMenu->aboutAction(), &QAction::triggered, this, &CKTRDlg::RunAboutBox);
    connect(new QShortcut(kWindowMenuKeys, this), &QShortcut::activated, this,
            [this] { m_windowMenu->popup(mapToGlobal(QPoint(0, kPaneTop))); });
}

// The dialog applies its choices itself and posts them to the window; the page is shown here
// as well so that it changes as soon as the dialog closes.
void CKTRDlg::RunConfigDialog() {
    CKtcConfigDlg dialog(m_settings, this, this);
    if (dialog.exec() == QDialog::Accepted)
        m_map.ShowMapPage(dialog.mapChoice());
}

void CKTRDlg::RunAboutBox() {
    CAboutDlg about(m_settings, this);
    about.exec();
}

void CKTRDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse) {
        m_windowMenu->popup(mapToGlobal(QPoint(0, kPaneTop)));
        return;
    }
    if (event->pos().y() >= kPaneTop) {
        event->ignore();
        return;
    }
    m_windowMenu->popup(event->globalPos());
}
