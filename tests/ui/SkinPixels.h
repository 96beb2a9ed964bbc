#pragma once

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>

// What the skinned-control tests share: plain pictures of known colours (tests/ui/art), a
// parent of a known ground to show what a control leaves uncovered, and a colour check that
// allows for rounding in the colour transforms.
namespace SkinPixels {

inline constexpr uint16_t kBluePicture = 60000;
inline constexpr uint16_t kRedPicture = 60001;
inline const QColor kBlue(40, 120, 200);
inline const QColor kRed(200, 60, 30);
inline const QColor kGround(0, 255, 0);

inline void PaintGround(QWidget& parent) {
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, kGround);
    parent.setPalette(palette);
    parent.setAutoFillBackground(true);
}

inline ::testing::AssertionResult ColourNear(const QImage& image, QPoint at, QColor expected) {
    const QColor actual = image.pixelColor(at);
    const auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
    if (near(actual.red(), expected.red()) && near(actual.green(), expected.green()) &&
        near(actual.blue(), expected.blue()))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "at (" << at.x() << ", " << at.y() << ") " << actual.name().toStdString()
           << " instead of " << expected.name().toStdString();
}

} // namespace SkinPixels
