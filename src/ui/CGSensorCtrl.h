#pragma once

#include "map/GSensorTrace.h"

#include <QFont>
#include <QRect>
#include <QWidget>

#include <array>

class QPainter;

// The black panel under the videos that draws the three acceleration axes, the time cursor
// and the legend. What it shows is decided by its GSensorTrace; the loader and the clock
// talk to that model. Which curves are drawn is the panel's own choice, made by clicking
// their legend boxes.
class CGSensorCtrl : public QWidget {
    Q_OBJECT

public:
    static constexpr int kControlId = 1003;

    explicit CGSensorCtrl(QWidget* parent = nullptr);

    GSensorTrace& trace() { return m_trace; }
    const GSensorTrace& trace() const { return m_trace; }

    bool AxisShown(GSensorTrace::Axis axis) const { return m_axisShown[axis]; }
    // Where the legend box of an axis was last painted; clicks are tested against it.
    QRect LegendBox(GSensorTrace::Axis axis) const { return m_legendBox[axis]; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Right and bottom edges exclusive, as the model counts them.
    QRect PlotRect() const;
    // A legend box looks pressed while its curve is drawn.
    bool LegendPressed(GSensorTrace::Axis axis) const;
    // The first legend box (X, Y, Z order) that contains point, or -1.
    int LegendHit(const QPoint& point) const;

    void PaintAxisAndTicks(QPainter& painter, const QRect& plot, double paintSpanMs) const;
    void PaintCurves(QPainter& painter, const QRect& plot, double paintSpanMs) const;
    void PaintCursor(QPainter& painter, const QRect& plot) const;
    void PaintRangeLabels(QPainter& painter) const;
    void PaintLegend(QPainter& painter);

    GSensorTrace m_trace;
    QFont m_labelFont;
    QFont m_legendFont;
    std::array<bool, GSensorTrace::kAxisCount> m_axisShown = {true, true, true};
    std::array<QRect, GSensorTrace::kAxisCount> m_legendBox;
};
