#pragma once

#include <QPointF>
#include <QString>

class QPainter;

// The three looks of the outlined, glowing text: the window title, the speed read-out and the
// counter on a video surface.
enum class GlowTextVariant { Title, Readout, Caption };

// Draws text as a glowing path. The title always starts at (8, 4) and the caption at x = 10,
// whatever origin says; the read-out starts at origin. emSize is in pixels. The gradients are
// fixed in the painter's coordinates, so the colours depend on where the text sits.
void DrawGlowText(QPainter& painter, const QString& text, QPointF origin, qreal emSize,
                  GlowTextVariant variant);
