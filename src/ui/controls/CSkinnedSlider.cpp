#include "ui/controls/CSkinnedSlider.h"

#include "playback/WindowMessages.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

#include <algorithm>

namespace {

constexpr int kChannelHeight = 4;
constexpr int kMinThumbWidth = 8;
constexpr int kThumbMargin = 2;
// The platform's trackbar moves a fifth of its range per page.
constexpr int kPagesPerRange = 5;

// The platform's three-dimensional edge colours, fixed so the skin looks the same everywhere.
const QColor kEdgeLight(255, 255, 255);
const QColor kEdgeMidlight(227, 227, 227);
const QColor kEdgeDark(160, 160, 160);
const QColor kEdgeShadow(105, 105, 105);

int ThumbWidth(const QSize& client) {
    return std::max(kMinThumbWidth, client.height() / 2);
}

} // namespace

CSkinnedSlider::CSkinnedSlider(QEvent::Type message, int maximum, QColor thumb, QColor pressedThumb,
                               QWidget* parent)
    : QAbstractSlider(parent), m_message(message), m_thumbColor(thumb),
      m_pressedThumbColor(pressedThumb) {
    setOrientation(Qt::Horizontal);
    setRange(0, maximum);
    setPageStep(std::max(1, maximum / kPagesPerRange));
    setFocusPolicy(Qt::StrongFocus);
}

QRect CSkinnedSlider::ChannelRect() const {
    const int halfThumb = ThumbWidth(size()) / 2;
    const int top = (height() - kChannelHeight) / 2;
    return QRect(halfThumb, top, std::max(1, width() - 2 * halfThumb), kChannelHeight);
}

QRect CSkinnedSlider::ThumbRect() const {
    const QRect channel = ChannelRect();
    const int span = std::max(1, maximum() - minimum());
    const int centre = channel.left() + (value() - minimum()) * channel.width() / span;
    const int thumbWidth = ThumbWidth(size());
    return QRect(centre - thumbWidth / 2, kThumbMargin, thumbWidth,
                 std::max(1, height() - 2 * kThumbMargin));
}

int CSkinnedSlider::PositionFromX(int x) const {
    const QRect channel = ChannelRect();
    const int position =
        minimum() + (maximum() - minimum()) * (x - channel.left()) / channel.width();
    return std::clamp(position, minimum(), maximum());
}

void CSkinnedSlider::SetPositionFromX(int x) {
    setValue(PositionFromX(x));
}

void CSkinnedSlider::StepBy(int amount) {
    const int before = value();
    setValue(value() + amount);
    if (value() != before)
        NotifyWindow();
}

void CSkinnedSlider::NotifyWindow() {
    KtrMessageEvent message(m_message, 0, 0);
    QCoreApplication::sendEvent(window(), &message);
}

void CSkinnedSlider::DrawThumb(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(isSliderDown() ? m_pressedThumbColor : m_thumbColor);
    painter.drawEllipse(ThumbRect());
    painter.restore();
}

void CSkinnedSlider::DrawSunkenEdge(QPainter& painter, const QRect& rect) {
    QPalette edges;
    edges.setColor(QPalette::Light, kEdgeLight);
    edges.setColor(QPalette::Midlight, kEdgeMidlight);
    edges.setColor(QPalette::Dark, kEdgeDark);
    edges.setColor(QPalette::Shadow, kEdgeShadow);
    qDrawWinPanel(&painter, rect, edges, true, nullptr);
}

// Keys and the wheel move the slider as a drag would, so they reach the window too.
void CSkinnedSlider::keyPressEvent(QKeyEvent* event) {
    const int before = value();
    QAbstractSlider::keyPressEvent(event);
    if (value() != before)
        NotifyWindow();
}

void CSkinnedSlider::wheelEvent(QWheelEvent* event) {
    const int before = value();
    QAbstractSlider::wheelEvent(event);
    if (value() != before)
        NotifyWindow();
}
