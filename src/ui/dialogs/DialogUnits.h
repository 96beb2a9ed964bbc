#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Turns the dialog units a dialog was laid out in into pixels for the font it is shown
// with: a quarter of the font's average character width across, an eighth of its height
// down, rounded to the nearest pixel.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    QRect ToPixels(const QRect& units) const;
    QSize ToPixels(const QSize& units) const;

private:
    int Across(int units) const;
    int Down(int units) const;

    int m_charWidth;
    int m_charHeight;
};
