#include "ui/controls/PaintVideoSurface.h"
#include "ui/controls/WindowGround.h"

#include "ui/controls/DrawGlowText.h"

#include <QColor>
#include <QPainter>

namespace {

constexpr qreal kCounterY = 10;
constexpr qreal kCounterEmSize = 72;

} // namespace

void PaintVideoSurface(QPainter& painter, const QRect& area, bool counterShown, int counter) {
    painter.fillRect(area, kWindowGround);
    if (counterShown)
        DrawGlowText(painter, QString::number(counter), QPointF(0, kCounterY), kCounterEmSize,
                     GlowTextVariant::Caption);
}
