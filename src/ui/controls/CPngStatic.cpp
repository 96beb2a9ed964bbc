#include "ui/controls/CPngStatic.h"

#include "ui/controls/ColorMatrix.h"

#include <QPainter>

CPngStatic::CPngStatic(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
}

CPngStatic::~CPngStatic() = default;

bool CPngStatic::LoadPicture(uint16_t id) {
    m_picture = std::make_unique<CGdiPlusBitmapResource>();
    m_rendered = QImage();
    update();
    return m_picture->LoadFromResource(id);
}

void CPngStatic::SetLit(bool lit) {
    m_lit = lit;
    update();
}

QSize CPngStatic::sizeHint() const {
    return m_picture ? m_picture->Size() : QSize();
}

void CPngStatic::paintEvent(QPaintEvent*) {
    if (!m_picture)
        return;
    const qreal ratio = devicePixelRatioF();
    if (m_rendered.deviceIndependentSize() != QSizeF(size()) ||
        m_rendered.devicePixelRatio() != ratio)
        m_rendered = m_picture->Render(size(), ratio);
    if (m_rendered.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_lit ? m_rendered : ApplyGreyMatrix(m_rendered));
}
