#include "ui/CGSensorCtrl.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <array>

namespace {

const QColor kBackground(0, 0, 0);
const QColor kZeroLine(255, 255, 255);
const QColor kAxisGrey(102, 102, 102);
const QColor kCursorBlue(0, 0, 255);
const QColor kLabelText(255, 255, 255);
const std::array<QColor, GSensorTrace::kAxisCount> kAxisColours = {
    QColor(255, 255, 0), // X yellow
    QColor(60, 255, 60), // Y green
    QColor(255, 60, 60), // Z red
};
const QColor kLegendGreyText(160, 160, 160);
const QColor kPressedFrameLight(130, 130, 130);
const QColor kPressedFrameDark(80, 80, 80);
const QColor kGreyFrameLight(100, 100, 100);
const QColor kGreyFrameDark(50, 50, 50);

// Margins of the plot inside the client area.
constexpr int kPlotMarginLeft = 24;
constexpr int kPlotMarginTop = 20;
constexpr int kPlotMarginRight = 2;
constexpr int kPlotMarginBottom = 8;
constexpr int kLabelCellHeight = 10;
constexpr int kLegendCellHeight = 13;
constexpr int kLabelX = 4;
constexpr int kLabelTopOffset = 10;
constexpr int kLabelClientInset = 20; // the label rows divide the client height less this
constexpr int kLabelRows = 6;
constexpr int kLegendLeft = 40;
constexpr int kLegendTop = 2;
constexpr int kLegendGap = 8;
constexpr int kCursorOverhang = 4;
constexpr int kCursorWidth = 2;
constexpr int kMajorTickEvery = 10;
constexpr int kMidTickEvery = 5;
constexpr int kMajorTick = 6;
constexpr int kMidTick = 4;
constexpr int kMinorTick = 2;

// A proportional sans-serif face whose line (ascent plus descent) fits the given cell
// height; Arial where the machine has it, a metric twin otherwise.
QFont FontWithCellHeight(int cellHeight) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif, QFont::PreferQuality);
    font.setFixedPitch(false);
    font.setWeight(QFont::Normal);
    for (int pixels = cellHeight; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= cellHeight)
            break;
    }
    return font;
}

// A frame of one-pixel edges: top and left in one colour, bottom and right in the other.
void Draw3dRect(QPainter& painter, const QRect& box, const QColor& topLeft,
                const QColor& bottomRight) {
    const int w = box.width();
    const int h = box.height();
    painter.fillRect(box.left(), box.top(), w - 1, 1, topLeft);
    painter.fillRect(box.left(), box.top(), 1, h - 1, topLeft);
    painter.fillRect(box.left() + w - 1, box.top(), 1, h, bottomRight);
    painter.fillRect(box.left(), box.top() + h - 1, w, 1, bottomRight);
}

void DrawCellText(QPainter& painter, int x, int y, const QString& text, const QColor& colour) {
    painter.setPen(colour);
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

} // namespace

CGSensorCtrl::CGSensorCtrl(QWidget* parent)
    : QWidget(parent), m_labelFont(FontWithCellHeight(kLabelCellHeight)),
      m_legendFont(FontWithCellHeight(kLegendCellHeight)) {
    setObjectName(QString::number(kControlId));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_trace.SetRepaintCallback([this] { update(); });
}

QRect CGSensorCtrl::PlotRect() const {
    const QRect client = rect();
    const int left = client.left() + kPlotMarginLeft;
    const int top = client.top() + kPlotMarginTop;
    const int right = client.left() + client.width() - kPlotMarginRight;
    const int bottom = client.top() + client.height() - kPlotMarginBottom;
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

bool CGSensorCtrl::LegendPressed(GSensorTrace::Axis axis) const {
    return !m_trace.dimmed() && m_axisShown[axis] && m_trace.sampleSpanMs() != 0.0;
}

int CGSensorCtrl::LegendHit(const QPoint& point) const {
    for (int axis = GSensorTrace::kAxisX; axis < GSensorTrace::kAxisCount; ++axis) {
        if (m_legendBox[axis].contains(point))
            return axis;
    }
    return -1;
}

void CGSensorCtrl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_trace.UpdateSpan();
}

void CGSensorCtrl::paintEvent(QPaintEvent*) {
    // Qt's backing store already double-buffers the widget, so everything is drawn straight
    // onto it in order: body, labels, legend.
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    const QRect plot = PlotRect();
    const double paintSpanMs = m_trace.PaintSpanMs();

    const int mid = GSensorTrace::PlotMid(plot);
    painter.setPen(QPen(kZeroLine, 1));
    painter.drawLine(plot.left(), mid, plot.left() + plot.width(), mid);

    PaintAxisAndTicks(painter, plot, paintSpanMs);
    PaintCurves(painter, plot, paintSpanMs);
    PaintCursor(painter, plot);

    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(kBackground);
    PaintRangeLabels(painter);
    PaintLegend(painter);
}

void CGSensorCtrl::PaintAxisAndTicks(QPainter& painter, const QRect& plot,
                                     double paintSpanMs) const {
    const int left = plot.left();
    const int top = plot.top();
    const int bottom = plot.top() + plot.height();
    const int mid = GSensorTrace::PlotMid(plot);
    painter.setPen(QPen(kAxisGrey, 1));
    painter.drawLine(left, top, left, bottom);

    // The ticks mark the plot width in 200 ms steps of the whole span; they stay put while
    // the view scrolls.
    const double tickCount = paintSpanMs / GSensorTrace::kTickIntervalMs;
    for (int k = 0; tickCount > k; ++k) {
        const int x = static_cast<int>(k * plot.width() / tickCount + left);
        const int length = k % kMajorTickEvery == 0               ? kMajorTick
                           : k % kMajorTickEvery == kMidTickEvery ? kMidTick
                                                                  : kMinorTick;
        painter.drawLine(x, top - length, x, top);
        painter.drawLine(x, mid - length, x, mid);
        painter.drawLine(x, bottom - length, x, bottom);
    }
}

void CGSensorCtrl::PaintCurves(QPainter& painter, const QRect& plot, double paintSpanMs) const {
    if (m_trace.dimmed())
        return;
    const auto& samples = m_trace.samples();
    for (int axis = 0; axis < GSensorTrace::kAxisCount; ++axis) {
        const auto a = static_cast<GSensorTrace::Axis>(axis);
        if (!m_axisShown[axis])
            continue;
        QPolygon line;
        line << QPoint(plot.left(), GSensorTrace::PlotMid(plot));
        for (int m = 0; m < plot.width(); ++m) {
            const int64_t i = m_trace.SampleIndexAtColumn(m, plot.width(), paintSpanMs);
            if (i < 0)
                break;
            const uint8_t byte = GSensorTrace::SampleByte(samples[static_cast<size_t>(i)], a);
            line << QPoint(plot.left() + m, m_trace.ValueToY(byte, plot));
        }
        painter.setPen(QPen(kAxisColours[axis], 1));
        painter.drawPolyline(line);
    }
}

void CGSensorCtrl::PaintCursor(QPainter& painter, const QRect& plot) const {
    const int x = m_trace.CursorX(plot);
    const int top = plot.top() - kCursorOverhang;
    const int bottom = plot.top() + plot.height() + kCursorOverhang;
    // A two-pixel pen centred on x covers the column before it and x itself.
    painter.fillRect(QRect(x - kCursorWidth / 2, top, kCursorWidth, bottom - top + 1), kCursorBlue);
}

void CGSensorCtrl::PaintRangeLabels(QPainter& painter) const {
    painter.setFont(m_labelFont);
    const int h = (height() - kLabelClientInset) / kLabelRows;
    const double range = m_trace.displayRange();
    DrawCellText(painter, kLabelX, h + kLabelTopOffset, QString::asprintf(" %1.0fG", range),
                 kLabelText);
    DrawCellText(painter, kLabelX, 3 * h + kLabelTopOffset, QString::asprintf(" %0.0fG", 0.0),
                 kLabelText);
    DrawCellText(painter, kLabelX, 5 * h + kLabelTopOffset, QString::asprintf("-%1.0fG", range),
                 kLabelText);
}

void CGSensorCtrl::PaintLegend(QPainter& painter) {
    painter.setFont(m_legendFont);
    const QFontMetrics metrics(m_legendFont);
    const auto values = m_trace.ValuesAtCursor();
    int x = kLegendLeft;
    for (int axis = 0; axis < GSensorTrace::kAxisCount; ++axis) {
        const auto a = static_cast<GSensorTrace::Axis>(axis);
        const QString text = GSensorTrace::LegendText(a, values[axis]);
        const int cx = metrics.horizontalAdvance(text);
        const int cy = metrics.height();
        // The drawn box is the text cell widened by one pixel on every side.
        const QRect box(QPoint(x - 1, kLegendTop - 1), QSize(cx + 2, cy + 2));
        if (LegendPressed(a)) {
            Draw3dRect(painter, box.translated(1, 1), kPressedFrameLight, kPressedFrameDark);
            DrawCellText(painter, x + 1, kLegendTop + 1, text, kAxisColours[axis]);
            m_legendBox[axis] = QRect(QPoint(x + 1, kLegendTop + 1), QSize(cx, cy));
        } else {
            Draw3dRect(painter, box, kGreyFrameLight, kGreyFrameDark);
            DrawCellText(painter, x, kLegendTop, text, kLegendGreyText);
            m_legendBox[axis] = QRect(QPoint(x, kLegendTop), QSize(cx, cy));
        }
        x += cx + kLegendGap;
    }
}

void CGSensorCtrl::mousePressEvent(QMouseEvent* event) {
    // Qt grabs the mouse for the pressed widget until the release, which is the capture the
    // legend needs to see a release outside the panel.
    event->accept();
}

void CGSensorCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int axis = LegendHit(event->position().toPoint());
    if (axis >= 0)
        m_axisShown[axis] = !m_axisShown[axis];
    update();
}

void CGSensorCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        update();
}

void CGSensorCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}
