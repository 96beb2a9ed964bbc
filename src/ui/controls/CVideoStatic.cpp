#include "ui/controls/CVideoStatic.h"

#include "ui/controls/CVideoSurfaceWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QVBoxLayout>

CVideoStatic::CVideoStatic(QWidget* parent) : QWidget(parent), m_surface(new CVideoSurfaceWindow) {
    // The container owns the window from here on.
    QWidget* container = QWidget::createWindowContainer(m_surface, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(container);
}

CVideoStatic::~CVideoStatic() = default;

void CVideoStatic::ShowCounter(bool on) {
    m_surface->ShowCounter(on);
}

void CVideoStatic::SetCounter(int counter) {
    m_surface->SetCounter(counter);
}

bool CVideoStatic::IsCounterShown() const {
    return m_surface->IsCounterShown();
}

int CVideoStatic::Counter() const {
    return m_surface->Counter();
}

// The folder scan runs on the window thread and does not return to the event loop between
// counts, so the surface is painted here rather than when the loop gets to it.
void CVideoStatic::Repaint() {
    m_surface->update();
    if (!m_surface->isExposed())
        return;
    QEvent paintNow(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(m_surface, &paintNow);
}

WId CVideoStatic::NativeWindowId() const {
    return m_surface->winId();
}
