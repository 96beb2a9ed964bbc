#include "ui/art/CGdiPlusBitmapResource.h"

#include <QFile>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cmath>

CGdiPlusBitmapResource::CGdiPlusBitmapResource() = default;
CGdiPlusBitmapResource::~CGdiPlusBitmapResource() = default;

bool CGdiPlusBitmapResource::LoadFromResource(uint16_t id) {
    m_renderer.reset();
    // Asked first, so that a picture that is not drawn yet costs no warning from the renderer.
    const QString path = QStringLiteral(":/art/%1.svg").arg(id);
    if (!QFile::exists(path))
        return false;
    auto renderer = std::make_unique<QSvgRenderer>(path);
    if (!renderer->isValid() || renderer->defaultSize().isEmpty())
        return false;
    m_renderer = std::move(renderer);
    return true;
}

QSize CGdiPlusBitmapResource::Size() const {
    return m_renderer ? m_renderer->defaultSize() : QSize();
}

QImage CGdiPlusBitmapResource::Render(const QSize& size, qreal devicePixelRatio) const {
    if (!m_renderer || size.isEmpty() || !(devicePixelRatio > 0))
        return {};
    const QSize pixels(static_cast<int>(std::ceil(size.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(size.height() * devicePixelRatio)));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    m_renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.end();
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}
