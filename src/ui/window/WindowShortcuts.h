#pragma once

#include <QKeyCombination>
#include <QObject>

#include <functional>
#include <vector>

class QShortcut;
class QWidget;

// Keys that work anywhere in one window, but not while a text field there has the focus,
// which needs its keys, and not the keys that a list with the focus moves through its rows
// with. A dialog is a window of its own, so no key pressed in it reaches these.
class WindowShortcuts : public QObject {
public:
    explicit WindowShortcuts(QWidget* window);

    void Add(QKeyCombination keys, bool listKeepsIt, std::function<void()> command);

private:
    void FollowFocus(const QWidget* focus);

    struct Entry {
        QShortcut* shortcut;
        bool listKeepsIt;
    };
    QWidget* m_window;
    std::vector<Entry> m_entries;
};
