#pragma once

#include <QRegion>
#include <QSize>

// The window's outline: a rectangle with small rounded corners whose top-left corner is cut
// along a quarter circle.
QRegion WindowShape(const QSize& client);
