#include "ui/window/WindowShortcuts.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextEdit>

namespace {

bool IsTextField(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget);
}

} // namespace

WindowShortcuts::WindowShortcuts(QWidget* window) : QObject(window), m_window(window) {
    // A text field takes only some keys before the shortcuts see them (a line edit lets Up,
    // Page Down or F1 through); switching the shortcuts off leaves it every key.
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FollowFocus(now); });
}

void WindowShortcuts::Add(QKeyCombination keys, bool listKeepsIt, std::function<void()> command) {
    auto* shortcut = new QShortcut(QKeySequence(keys), m_window);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(true);
    connect(shortcut, &QShortcut::activated, this, std::move(command));
    m_entries.push_back({shortcut, listKeepsIt});
    FollowFocus(QApplication::focusWidget());
}

void WindowShortcuts::FollowFocus(const QWidget* focus) {
    const bool inWindow = focus && focus->window() == m_window;
    const bool text = inWindow && IsTextField(focus);
    const bool list = inWindow && qobject_cast<const QAbstractItemView*>(focus);
    for (const Entry& entry : m_entries)
        entry.shortcut->setEnabled(!text && !(list && entry.listKeepsIt));
}
