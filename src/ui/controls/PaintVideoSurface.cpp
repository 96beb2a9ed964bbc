#include "ui/controls/PaintVideoSurface.h"

#include "ui/controls/DrawGlowText.h"

#include <QColor>
#include <QPainter>

namespace {

const QColor kSurfaceColor(5, 5, 5);
constexpr qreal kCounterY = 10;
constexpr qreal kCounterEmSize = 72;

} // namespace

void PaintVideoSurface(QPainter& painter, const QRect& area, bool counterShown, int counter) {
    painter.fillRect(area, kSurfaceColor);
    if (counterShown)
        DrawGlowText(painter, QString::number(counter), QPointF(0, kCounterY), kCounterEmSize,
                     GlowTextVariant::Caption);
}
