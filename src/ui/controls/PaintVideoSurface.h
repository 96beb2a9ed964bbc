#pragma once

#include <QRect>

class QPainter;

// The video surface without a picture: the window's dark ground and, while a folder is being
// scanned, the count of recordings found as large glowing digits in the top-left corner.
void PaintVideoSurface(QPainter& painter, const QRect& area, bool counterShown, int counter);
