#include "ui/window/WindowSizes.h"

#include <algorithm>

namespace {

constexpr int kMediumNumerator = 4;
constexpr int kMediumDenominator = 5;
constexpr int kMediumOffsetDivisor = 8;

QRect SmallRect(const QRect& monitor) {
    const QPoint topLeft((monitor.width() - kMinimumWindowSize.width()) / 2 + monitor.left(),
                         (monitor.height() - kMinimumWindowSize.height()) / 2 + monitor.top());
    return QRect(topLeft, kMinimumWindowSize);
}

QRect MediumRect(const QRect& monitor) {
    const QSize size(std::max(kMediumNumerator * monitor.width() / kMediumDenominator,
                              kMinimumWindowSize.width()),
                     std::max(kMediumNumerator * monitor.height() / kMediumDenominator,
                              kMinimumWindowSize.height()));
    const QPoint topLeft(monitor.width() / kMediumOffsetDivisor + monitor.left(),
                         monitor.height() / kMediumOffsetDivisor + monitor.top());
    return QRect(topLeft, size);
}

} // namespace

QRect PresetWindowRect(WindowPreset preset, const QRect& monitor) {
    switch (preset) {
    case WindowPreset::Small:
        return SmallRect(monitor);
    case WindowPreset::Medium:
        return MediumRect(monitor);
    case WindowPreset::Large:
        break;
    }
    return monitor;
}

QSize GripWindowSize(const QPoint& grip) {
    return QSize(std::max(grip.x(), kMinimumWindowSize.width()),
                 std::max(grip.y(), kMinimumWindowSize.height()));
}

QRect MaximizeToggle::Toggle(const QRect& window, const QRect& monitor) {
    m_maximized = !m_maximized;
    if (!m_maximized)
        return m_restore;
    m_restore = window;
    return monitor;
}
