#pragma once

#include <QImage>

// The brighter picture of a hovered button: red, green and blue each x 1.05 plus 5 % of full
// scale; alpha unchanged.
QImage ApplyHotMatrix(const QImage& picture);

// The grey picture of a disabled button or an unlit lamp: red, green and blue each become
// 0.3 red + 0.59 green + 0.11 blue; alpha unchanged.
QImage ApplyGreyMatrix(const QImage& picture);
