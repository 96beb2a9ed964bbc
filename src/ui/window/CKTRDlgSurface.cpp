// The window's own surface: its painting and what the mouse does on the free spots between
// the controls (moving the window, the grip, the splitters, double-click to maximize).
#include "ui/window/CKTRDlg.h"
#include "ui/controls/WindowGround.h"

#include "ui/CGSensorCtrl.h"
#include "ui/controls/DrawGlowText.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

const QColor kGripColour(150, 150, 150);
constexpr int kGripLines[] = {25, 20, 15, 10};
constexpr qreal kTitleSize = 24;

} // namespace

void CKTRDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kWindowGround);
    painter.setPen(kGripColour);
    const int right = width() - 1;
    const int bottom = height() - 1;
    for (const int d : kGripLines)
        painter.drawLine(right - d, bottom, right, bottom - d);
    DrawGlowText(painter, windowTitle(), QPointF(), kTitleSize, GlowTextVariant::Title);
}

void CKTRDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_drag = HitTest(m_layout, size(), event->position().toPoint());
    // The move waits for the mouse to travel a little, so that a double-click still reaches
    // the window instead of the window manager.
    m_movePending = m_drag == SurfaceHit::None && !IsMaximized();
    m_movingByHand = false;
    m_pressGlobal = event->globalPosition().toPoint();
    m_pressWindowPos = pos();
}

void CKTRDlg::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (m_drag == SurfaceHit::None) {
        if (event->buttons() & Qt::LeftButton)
            MoveBySurface(event->globalPosition().toPoint());
        else
            ShowCursorFor(HitTest(m_layout, size(), point));
        return;
    }
    ShowCursorFor(m_drag);
    if (m_drag == SurfaceHit::Grip) {
        if (!IsMaximized())
            ResizeByGrip(point);
        return;
    }
    DragSplitter(point);
}

void CKTRDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const SurfaceHit ended = m_drag;
    m_drag = SurfaceHit::None;
    m_movePending = false;
    m_movingByHand = false;
    if (ended == SurfaceHit::Grip)
        ResizeByGrip(event->position().toPoint());
    else if (ended != SurfaceHit::None)
        LayoutControls();
}

void CKTRDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        ToggleMaximize();
}

void CKTRDlg::MoveBySurface(const QPoint& globalPoint) {
    if (m_movePending) {
        if ((globalPoint - m_pressGlobal).manhattanLength() < QApplication::startDragDistance())
            return;
        m_movePending = false;
        QWindow* window = windowHandle();
        m_movingByHand = !(window && window->startSystemMove());
    }
    if (m_movingByHand)
        move(m_pressWindowPos + globalPoint - m_pressGlobal);
}

void CKTRDlg::ResizeByGrip(const QPoint& point) {
    m_maximize.Clear();
    resize(GripWindowSize(point));
    raise();
}

void CKTRDlg::DragSplitter(const QPoint& point) {
    switch (m_drag) {
    case SurfaceHit::MapSplitter:
        m_panes.mapHeight = MapHeightForDrag(point.y());
        break;
    case SurfaceHit::ListSplitter:
        m_panes.groupListHeight = GroupListHeightForDrag(height(), point.y());
        break;
    case SurfaceHit::ColumnSplitter: {
        const std::optional<int> width = RightColumnWidthForDrag(this->width(), point.x());
        if (!width)
            return;
        m_panes.rightColumnWidth = *width;
        break;
    }
    case SurfaceHit::None:
    case SurfaceHit::Grip:
        return;
    }
    LayoutControls();
    m_curve->update();
}

void CKTRDlg::ShowCursorFor(SurfaceHit hit) {
    switch (hit) {
    case SurfaceHit::Grip:
        setCursor(Qt::SizeFDiagCursor);
        return;
    case SurfaceHit::MapSplitter:
    case SurfaceHit::ListSplitter:
        setCursor(Qt::SizeVerCursor);
        return;
    case SurfaceHit::ColumnSplitter:
        setCursor(Qt::SizeHorCursor);
        return;
    case SurfaceHit::None:
        break;
    }
    unsetCursor();
}
