#include "ui/dialogs/DialogUnits.h"

#include <QFontMetrics>
#include <QString>

namespace {

constexpr int kUnitsPerCharWidth = 4;
constexpr int kUnitsPerCharHeight = 8;

// The average width is measured over the 52 Latin letters and rounded, so that a
// proportional font's narrow and wide letters balance out.
int AverageCharWidth(const QFontMetrics& metrics) {
    static const QString kLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return (metrics.horizontalAdvance(kLetters) / 26 + 1) / 2;
}

int Scale(int units, int size, int unitsPerSize) {
    return (units * size + unitsPerSize / 2) / unitsPerSize;
}

} // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    m_charWidth = AverageCharWidth(metrics);
    m_charHeight = metrics.height();
}

QRect DialogUnits::ToPixels(const QRect& units) const {
    return QRect(Across(units.x()), Down(units.y()), Across(units.width()), Down(units.height()));
}

QSize DialogUnits::ToPixels(const QSize& units) const {
    return QSize(Across(units.width()), Down(units.height()));
}

int DialogUnits::Across(int units) const {
    return Scale(units, m_charWidth, kUnitsPerCharWidth);
}

int DialogUnits::Down(int units) const {
    return Scale(units, m_charHeight, kUnitsPerCharHeight);
}
