#pragma once

#include <QRect>
#include <QSize>

// Where the window opens from its stored edges: never smaller than the smallest window,
// never larger than the usable screen, and never partly off it.
QRect WindowPlacement(int left, int top, int right, int bottom, const QSize& usableScreen);
