#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The grip never makes the window smaller than this.
constexpr QSize kMinimumWindowSize(800, 560);

enum class WindowPreset { Small, Medium, Large };

// The window rectangle of a preset size on a monitor, from the monitor's whole rectangle
// (taskbar included). Small is centred; Medium is four fifths of the monitor, offset by an
// eighth, so it sits right of and below the centre; Large is the whole monitor.
QRect PresetWindowRect(WindowPreset preset, const QRect& monitor);

// The window size for the grip dragged to a point in client coordinates.
QSize GripWindowSize(const QPoint& grip);

// Maximizing covers the whole monitor and remembers where the window was; the next toggle
// puts it back there. The preset sizes and the grip leave the maximized state.
class MaximizeToggle {
public:
    bool IsMaximized() const { return m_maximized; }
    void Clear() { m_maximized = false; }
    // The window's new rectangle, from its current one (position and client size).
    QRect Toggle(const QRect& window, const QRect& monitor);

private:
    bool m_maximized = false;
    QRect m_restore;
};
