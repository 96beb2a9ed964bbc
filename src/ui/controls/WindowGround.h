#pragma once

#include <QColor>

// The dark ground of the main window, which every skinned piece on it paints as well.
inline const QColor kWindowGround(5, 5, 5);
