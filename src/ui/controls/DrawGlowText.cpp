#include "ui/controls/DrawGlowText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <optional>

namespace {

constexpr int kMaxCharacters = 127;
constexpr qreal kOutlineWidth = 3;
constexpr int kGlowWidths = 8;
constexpr QPointF kTitleOrigin(8, 4);
constexpr qreal kCaptionX = 10;
constexpr qreal kFirstGradientEndY = 90;
constexpr qreal kSecondGradientStartY = 10;

struct GradientStops {
    QColor from;
    QColor to;
};

struct GlowLook {
    const char* family;
    std::optional<QColor> outline;
    QColor glow;
    GradientStops first;
    qreal secondEndY;
    GradientStops second;
};

// QColor takes red, green, blue, alpha; the looks were chosen as alpha first.
constexpr QColor Argb(int a, int r, int g, int b) {
    return QColor(r, g, b, a);
}

GlowLook LookOf(GlowTextVariant variant) {
    switch (variant) {
    case GlowTextVariant::Title:
        return {"Arial Black",
                Argb(155, 215, 215, 215),
                Argb(62, 0, 2, 2),
                {Argb(200, 0, 0, 240), Argb(255, 30, 120, 195)},
                60,
                {Argb(255, 255, 255, 255), Argb(15, 1, 1, 1)}};
    case GlowTextVariant::Readout:
        return {"Arial",
                std::nullopt,
                Argb(80, 160, 80, 2),
                {Argb(200, 190, 220, 24), Argb(255, 195, 120, 0)},
                40,
                {Argb(255, 255, 188, 0), Argb(150, 255, 1, 1)}};
    case GlowTextVariant::Caption:
        break;
    }
    return {"Arial",
            Argb(155, 215, 215, 215),
            Argb(80, 10, 150, 220),
            {Argb(200, 20, 120, 240), Argb(255, 20, 120, 240)},
            120,
            {Argb(255, 80, 188, 250), Argb(150, 80, 80, 155)}};
}

QPointF OriginOf(GlowTextVariant variant, QPointF given) {
    switch (variant) {
    case GlowTextVariant::Title:
        return kTitleOrigin;
    case GlowTextVariant::Caption:
        return {kCaptionX, given.y()};
    case GlowTextVariant::Readout:
        break;
    }
    return given;
}

QLinearGradient RepeatingGradient(qreal startY, qreal endY, const GradientStops& stops) {
    QLinearGradient gradient(QPointF(0, startY), QPointF(0, endY));
    gradient.setColorAt(0, stops.from);
    gradient.setColorAt(1, stops.to);
    gradient.setSpread(QGradient::RepeatSpread);
    return gradient;
}

} // namespace

void DrawGlowText(QPainter& painter, const QString& text, QPointF origin, qreal emSize,
                  GlowTextVariant variant) {
    const GlowLook look = LookOf(variant);
    QFont font(QString::fromLatin1(look.family));
    font.setPixelSize(qMax(1, qRound(emSize)));

    // The origin is the top of the text's line; a path is placed by its baseline.
    const QPointF topLeft = OriginOf(variant, origin);
    const QPointF baseline(topLeft.x(), topLeft.y() + QFontMetricsF(font).ascent());
    QPainterPath path;
    path.addText(baseline, font, text.left(kMaxCharacters));

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setBrush(Qt::NoBrush);
    if (look.outline) {
        painter.setPen(
            QPen(*look.outline, kOutlineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawPath(path);
    }
    for (int width = 1; width <= kGlowWidths; ++width) {
        painter.setPen(QPen(look.glow, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }
    painter.fillPath(path, RepeatingGradient(0, kFirstGradientEndY, look.first));
    painter.fillPath(path, RepeatingGradient(kSecondGradientStartY, look.secondEndY, look.second));
    painter.restore();
}
