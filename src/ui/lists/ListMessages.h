#pragma once

#include <QEvent>
#include <QtGlobal>

// What a list asks of the window it sits in. The types carry the window's private message
// numbers (QEvent::User + n); wParam is the row, or -1 below the last row, and lParam is 0.
namespace ListMessages {

inline constexpr QEvent::Type WM_KTR_GROUP_SELECTED =
    static_cast<QEvent::Type>(QEvent::User + 2057);
inline constexpr QEvent::Type WM_KTR_FILE_SELECTED = static_cast<QEvent::Type>(QEvent::User + 2058);

} // namespace ListMessages

class ListMessageEvent : public QEvent {
public:
    ListMessageEvent(Type type, qintptr wParam, qintptr lParam)
        : QEvent(type), m_wParam(wParam), m_lParam(lParam) {}

    qintptr wParam() const { return m_wParam; }
    qintptr lParam() const { return m_lParam; }

private:
    qintptr m_wParam;
    qintptr m_lParam;
};
