#include "ui/controls/CVideoSlider.h"

#include "playback/WindowMessages.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor kThumb(100, 250, 100);
const QColor kPressedThumb(240, 0, 180);

} // namespace

CVideoSlider::CVideoSlider(QWidget* parent)
    : CSkinnedSlider(WM_KTR_SEEK, kMaximum, kThumb, kPressedThumb, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CVideoSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    DrawSunkenEdge(painter, rect());
    DrawThumb(painter);
}

void CVideoSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractSlider::mousePressEvent(event);
    setSliderDown(true);
    SetPositionFromX(event->position().toPoint().x());
    m_dragging = true;
}

void CVideoSlider::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        SetPositionFromX(event->position().toPoint().x());
        NotifyWindow();
    }
    QAbstractSlider::mouseMoveEvent(event);
}

void CVideoSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging)
        return QAbstractSlider::mouseReleaseEvent(event);
    m_dragging = false;
    setSliderDown(false);
    SetPositionFromX(event->position().toPoint().x());
    NotifyWindow();
}
