#include "ui/window/WindowShape.h"

#include <QPainterPath>
#include <QPolygon>

namespace {

constexpr qreal kCornerRadius = 5;
constexpr int kCutSquare = 30;
constexpr int kCutCircleDiameter = 60;

} // namespace

QRegion WindowShape(const QSize& client) {
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(client)), kCornerRadius, kCornerRadius);
    const QRegion shape(rounded.toFillPolygon().toPolygon());
    const QRegion corner = QRegion(0, 0, kCutSquare, kCutSquare).intersected(shape);
    const QRegion keptByCircle(0, 0, kCutCircleDiameter, kCutCircleDiameter, QRegion::Ellipse);
    return shape.subtracted(corner.subtracted(keptByCircle));
}
