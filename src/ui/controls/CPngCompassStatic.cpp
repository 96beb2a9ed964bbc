#include "ui/controls/CPngCompassStatic.h"

#include "ui/controls/ColorMatrix.h"

#include <QPainter>

CPngCompassStatic::CPngCompassStatic(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
}

CPngCompassStatic::~CPngCompassStatic() = default;

bool CPngCompassStatic::AddImage(uint16_t id) {
    auto image = std::make_unique<CGdiPlusBitmapResource>();
    if (!image->LoadFromResource(id))
        return false;
    m_images.push_back(std::move(image));
    return true;
}

bool CPngCompassStatic::SetImageIndex(unsigned index) {
    if (index > m_images.size())
        return false;
    m_index = index;
    update();
    return true;
}

void CPngCompassStatic::paintEvent(QPaintEvent*) {
    if (m_images.empty() || m_index > m_images.size())
        return;
    const unsigned shown = m_index == 0 ? 0 : m_index - 1;
    const QImage picture = m_images[shown]->Render(size(), devicePixelRatioF());
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_index == 0 ? ApplyGreyMatrix(picture) : picture);
}
