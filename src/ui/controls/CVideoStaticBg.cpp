#include "ui/controls/CVideoStaticBg.h"

#include <QMouseEvent>

CVideoStaticBg::CVideoStaticBg(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void CVideoStaticBg::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}
