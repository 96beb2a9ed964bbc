#include "ui/controls/CVideoSurfaceWindow.h"

#include "ui/controls/PaintVideoSurface.h"

#include <QMouseEvent>
#include <QPainter>

void CVideoSurfaceWindow::ShowCounter(bool on) {
    m_counterShown = on;
}

void CVideoSurfaceWindow::SetCounter(int counter) {
    m_counter = counter;
}

void CVideoSurfaceWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintVideoSurface(painter, QRect(QPoint(0, 0), size()), m_counterShown, m_counter);
}

void CVideoSurfaceWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void CVideoSurfaceWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}
