#include "ui/window/WindowMenu.h"

#include "app/LoadText.h"
#include "app/SystemText.h"

namespace {

constexpr uint16_t kTextClose = 195;
constexpr uint16_t kTextMaximize = 196;
constexpr uint16_t kTextMinimize = 197;
constexpr uint16_t kTextAboutItem = 101;

} // namespace

WindowMenu::WindowMenu(QWidget* window)
    : QMenu(window), m_minimize(addAction(QString())), m_maximize(addAction(QString())),
      m_close(addAction(QString())) {
    setObjectName(QStringLiteral("windowMenu"));
    addSeparator();
    // Like the platform's own window menu, this item is named once, in the language of the
    // system rather than the program's.
    m_about = addAction(LoadSystemText(kTextAboutItem));
    m_about->setObjectName(QString::number(kAboutCommand));
}

void WindowMenu::Relabel(const CAppSettings& settings) {
    m_minimize->setText(LoadText(settings, kTextMinimize));
    m_maximize->setText(LoadText(settings, kTextMaximize));
    m_close->setText(LoadText(settings, kTextClose));
}
