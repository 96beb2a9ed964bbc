#include "ui/controls/CSpeedLabelStatic.h"
#include "ui/controls/WindowGround.h"

#include "ui/controls/DrawGlowText.h"
#include "ui/controls/SpeedText.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr QPointF kNumberOrigin(0, 10);
constexpr qreal kNumberEmSize = 20;
constexpr QPointF kUnitOrigin(40, 18);
constexpr qreal kUnitEmSize = 12;

} // namespace

CSpeedLabelStatic::CSpeedLabelStatic(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    RebuildTexts();
}

void CSpeedLabelStatic::SetSpeed(uint16_t speedKmh, bool shown) {
    m_shown = shown;
    m_speed = speedKmh;
    RebuildTexts();
    update();
}

void CSpeedLabelStatic::ToggleUnit() {
    m_kmh = !m_kmh;
    RebuildTexts();
    update();
}

QString CSpeedLabelStatic::Text() const {
    return m_shown ? m_number.trimmed() + QLatin1Char(' ') + m_unit : QString();
}

void CSpeedLabelStatic::RebuildTexts() {
    const SpeedTexts texts = MakeSpeedTexts(m_speed, m_kmh);
    m_number = texts.number;
    m_unit = texts.unit;
}

void CSpeedLabelStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kWindowGround);
    if (!m_shown)
        return;
    DrawGlowText(painter, m_number, kNumberOrigin, kNumberEmSize, GlowTextVariant::Readout);
    DrawGlowText(painter, m_unit, kUnitOrigin, kUnitEmSize, GlowTextVariant::Readout);
}

void CSpeedLabelStatic::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    ToggleUnit();
}
