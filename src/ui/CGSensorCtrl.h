#pragma once

#include "map/GSensorTrace.h"

#include <QFont>
#include <QWidget>

class QPainter;

// The black panel under the videos that draws the three acceleration axes, the time cursor
// and the legend. What it shows is decided by its GSensorTrace; the loader and the clock
// talk to that model.
class CGSensorCtrl : public QWidget {
    Q_OBJECT

public:
    static constexpr int kControlId = 1003;

    explicit CGSensorCtrl(QWidget* parent = nullptr);

    GSensorTrace& trace() { return m_trace; }
    const GSensorTrace& trace() const { return m_trace; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void PaintAxisAndTicks(QPainter& painter, double paintSpanMs) const;
    void PaintCurves(QPainter& painter, double paintSpanMs) const;
    void PaintCursor(QPainter& painter) const;
    void PaintRangeLabels(QPainter& painter) const;
    void PaintLegend(QPainter& painter);

    GSensorTrace m_trace;
    QFont m_labelFont;
    QFont m_legendFont;
};
