#pragma once

#include <QEvent>

// The main window's private messages. Each is a QEvent type of its own so a handler can tell
// them apart by type alone; the number after QEvent::User is the message's number.
inline constexpr QEvent::Type MakeKtrMessageType(int number) {
    return static_cast<QEvent::Type>(QEvent::User + number);
}

inline constexpr QEvent::Type WM_KTR_PLAYER_ERROR = MakeKtrMessageType(2049);
inline constexpr QEvent::Type WM_KTR_LANGUAGE_CHANGED = MakeKtrMessageType(2050);
inline constexpr QEvent::Type WM_KTR_PLAY_STATE = MakeKtrMessageType(2054);
inline constexpr QEvent::Type WM_KTR_TIME_CHANGED = MakeKtrMessageType(2055);
inline constexpr QEvent::Type WM_KTR_END_REACHED = MakeKtrMessageType(2056);
inline constexpr QEvent::Type WM_KTR_GROUP_SELECTED = MakeKtrMessageType(2057);
inline constexpr QEvent::Type WM_KTR_FILE_SELECTED = MakeKtrMessageType(2058);
inline constexpr QEvent::Type WM_KTR_MAP_CHOICE_CHANGED = MakeKtrMessageType(2059);
inline constexpr QEvent::Type WM_KTR_VOLUME_CHANGED = MakeKtrMessageType(2060);
inline constexpr QEvent::Type WM_KTR_SEEK = MakeKtrMessageType(2061);
inline constexpr QEvent::Type WM_KTR_MAP_READY = MakeKtrMessageType(2063);

// One private message with its two parameters. Media times travel as their low 32 bits.
class KtrMessageEvent : public QEvent {
public:
    KtrMessageEvent(QEvent::Type type, qintptr wParam, qintptr lParam)
        : QEvent(type), m_wParam(wParam), m_lParam(lParam) {}

    qintptr wParam() const { return m_wParam; }
    qintptr lParam() const { return m_lParam; }

private:
    qintptr m_wParam;
    qintptr m_lParam;
};
