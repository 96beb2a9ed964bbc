#include "ui/controls/CMySliderControl.h"

#include "playback/WindowMessages.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor kThumb(255, 0, 0);
const QColor kPressedThumb(170, 0, 0);
// The edge stands two pixels above and below the channel.
constexpr int kEdgeOverhang = 2;

} // namespace

CMySliderControl::CMySliderControl(QWidget* parent)
    : CSkinnedSlider(WM_KTR_VOLUME_CHANGED, kMaximum, kThumb, kPressedThumb, parent) {
    // The parent's pixels show around the channel.
    setAttribute(Qt::WA_NoSystemBackground);
}

void CMySliderControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawSunkenEdge(painter, ChannelRect().adjusted(0, -kEdgeOverhang, 0, kEdgeOverhang));
    DrawThumb(painter);
}

void CMySliderControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractSlider::mousePressEvent(event);
    setSliderDown(true);
    SetPositionFromX(event->position().toPoint().x());
    m_dragging = true;
}

void CMySliderControl::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        SetPositionFromX(event->position().toPoint().x());
        NotifyWindow();
    }
    QAbstractSlider::mouseMoveEvent(event);
}

void CMySliderControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging)
        return QAbstractSlider::mouseReleaseEvent(event);
    m_dragging = false;
    setSliderDown(false);
    NotifyWindow();
}
