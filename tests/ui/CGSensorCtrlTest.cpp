#include "ui/CGSensorCtrl.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include <cstdlib>

namespace {

// Plot: x 24..399 (376 columns), y 20..60, zero line at 40.
constexpr int kWidth = 402;
constexpr int kHeight = 68;
constexpr int kPlotLeft = 24;
constexpr int kPlotRight = 400;
constexpr int kPlotTop = 20;
constexpr int kPlotBottom = 60;

const QColor kYellow(255, 255, 0);
const QColor kGreen(60, 255, 60);
const QColor kRed(255, 60, 60);
const QColor kBlue(0, 0, 255);
const QColor kWhite(255, 255, 255);
const QColor kAxisGrey(102, 102, 102);
const QColor kGreyFrame(100, 100, 100);
const QColor kPressedFrame(130, 130, 130);

int CountColour(const QImage& image, const QRect& area, const QColor& colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

// Text is antialiased: its pixels come near its colour, seldom exactly on it.
int CountNearColour(const QImage& image, const QRect& area, const QColor& colour) {
    constexpr int kTolerance = 60;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                                 std::abs(c.blue() - colour.blue()) <=
                             kTolerance
                         ? 1
                         : 0;
        }
    return count;
}

const QRect kPlotArea(QPoint(kPlotLeft + 1, kPlotTop), QPoint(kPlotRight - 1, kPlotBottom));

class CGSensorCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_ctrl.resize(kWidth, kHeight);
        m_ctrl.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_ctrl));
    }

    // One minute of samples at 10 per second: X +1 g, Y -1 g, Z +0.5 g, cursor at 30 s.
    void LoadSteadyMinute() {
        GSensorTrace& trace = m_ctrl.trace();
        trace.ClearSamples();
        trace.SetScale(2.0, 2.0);
        for (int i = 0; i < 600; ++i)
            trace.AddSample(GSensorSample{0x40, static_cast<int32_t>(0xFFFFFFC0), 0x20});
        trace.SetSamplesPerMs(0.01);
        trace.UpdateSpan();
        trace.SetLengthMs(60000.0);
        trace.SetCursorTime(30000);
    }

    QImage Render() { return m_ctrl.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QPoint LegendCentre(GSensorTrace::Axis axis) const { return m_ctrl.LegendBox(axis).center(); }

    CGSensorCtrl m_ctrl;
};

TEST_F(CGSensorCtrlTest, EmptyPanelShowsAxesTicksCursorAndGreyLegend) {
    const QImage image = Render();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(202, 40), kWhite) << "zero line (between two ticks)";
    EXPECT_EQ(image.pixelColor(kPlotLeft, 30), kBlue)
        << "cursor rests on the axis at the left edge";
    // A 20 s span has 100 ticks of 200 ms; each reaches the row just above the plot top. The
    // first one, on the axis, lies under the cursor.
    int ticks = 0;
    for (int x = kPlotLeft + 1; x < kPlotRight; ++x)
        ticks += image.pixelColor(x, kPlotTop - 1) == kAxisGrey ? 1 : 0;
    EXPECT_EQ(ticks, 99);
    EXPECT_EQ(CountColour(image, kPlotArea, kYellow) + CountColour(image, kPlotArea, kGreen) +
                  CountColour(image, kPlotArea, kRed),
              0);
    for (auto axis : {GSensorTrace::kAxisX, GSensorTrace::kAxisY, GSensorTrace::kAxisZ}) {
        const QRect box = m_ctrl.LegendBox(axis);
        EXPECT_EQ(image.pixelColor(box.topLeft() - QPoint(1, 1)), kGreyFrame) << axis;
    }
    // Range labels: white text in the left margin.
    EXPECT_GT(CountNearColour(image, QRect(0, 20, kPlotLeft - 2, kHeight - 20), kWhite), 0);
}

TEST_F(CGSensorCtrlTest, CurvesAreDrawnInTheirColoursWhereTheSamplesPutThem) {
    LoadSteadyMinute();
    const QImage image = Render();
    for (int x : {60, 150, 300, 390}) {
        EXPECT_EQ(image.pixelColor(x, 30), kYellow) << "X +1 g at column " << x;
        EXPECT_EQ(image.pixelColor(x, 50), kGreen) << "Y -1 g at column " << x;
        EXPECT_EQ(image.pixelColor(x, 35), kRed) << "Z +0.5 g at column " << x;
    }
    const int cursorX = kPlotLeft + 188; // 30 s of 60 s
    for (int y : {kPlotTop - 4, 40, kPlotBottom + 4})
        EXPECT_EQ(image.pixelColor(cursorX, y), kBlue) << y;
    EXPECT_EQ(image.pixelColor(cursorX - 1, 45), kBlue) << "the cursor is two pixels wide";
    EXPECT_NE(image.pixelColor(cursorX + 1, 45), kBlue);
    for (auto axis : {GSensorTrace::kAxisX, GSensorTrace::kAxisY, GSensorTrace::kAxisZ}) {
        const QRect box = m_ctrl.LegendBox(axis);
        EXPECT_EQ(image.pixelColor(box.topLeft() - QPoint(1, 1)), kPressedFrame) << axis;
    }
    // The legend text takes its curve's colour while pressed.
    EXPECT_GT(CountNearColour(image, m_ctrl.LegendBox(GSensorTrace::kAxisX), kYellow), 0);
    EXPECT_EQ(CountNearColour(image, m_ctrl.LegendBox(GSensorTrace::kAxisX), QColor(160, 160, 160)),
              0);
}

TEST_F(CGSensorCtrlTest, DimmedPanelDrawsNoCurvesAndGreyLegendButKeepsTheCursor) {
    LoadSteadyMinute();
    m_ctrl.trace().SetDimmed(true);
    const QImage image = Render();
    EXPECT_EQ(CountColour(image, kPlotArea, kYellow) + CountColour(image, kPlotArea, kGreen) +
                  CountColour(image, kPlotArea, kRed),
              0);
    EXPECT_EQ(image.pixelColor(kPlotLeft + 188, 45), kBlue);
    for (auto axis : {GSensorTrace::kAxisX, GSensorTrace::kAxisY, GSensorTrace::kAxisZ}) {
        const QRect box = m_ctrl.LegendBox(axis);
        EXPECT_EQ(image.pixelColor(box.topLeft() - QPoint(1, 1)), kGreyFrame) << axis;
        EXPECT_EQ(CountNearColour(image, box, kYellow), 0);
        EXPECT_GT(CountNearColour(image, box, QColor(160, 160, 160)), 0) << "grey legend text";
    }
}

TEST_F(CGSensorCtrlTest, ClickingALegendBoxHidesAndShowsItsCurve) {
    LoadSteadyMinute();
    Render(); // the legend boxes are placed by painting
    const QPoint xBox = LegendCentre(GSensorTrace::kAxisX);

    QTest::mouseClick(&m_ctrl, Qt::LeftButton, {}, xBox);
    QImage image = Render();
    EXPECT_FALSE(m_ctrl.AxisShown(GSensorTrace::kAxisX));
    EXPECT_EQ(CountColour(image, kPlotArea, kYellow), 0) << "X curve gone";
    EXPECT_GT(CountColour(image, kPlotArea, kGreen), 0);
    EXPECT_GT(CountColour(image, kPlotArea, kRed), 0);
    const QRect greyBox = m_ctrl.LegendBox(GSensorTrace::kAxisX);
    EXPECT_EQ(image.pixelColor(greyBox.topLeft() - QPoint(1, 1)), kGreyFrame);
    const QRect yBox = m_ctrl.LegendBox(GSensorTrace::kAxisY);
    EXPECT_EQ(image.pixelColor(yBox.topLeft() - QPoint(1, 1)), kPressedFrame) << "Y unchanged";

    // The box ends where its text ends: a release just past it is outside.
    QTest::mouseClick(&m_ctrl, Qt::LeftButton, {},
                      QPoint(greyBox.left() + greyBox.width(), greyBox.center().y()));
    EXPECT_FALSE(m_ctrl.AxisShown(GSensorTrace::kAxisX));

    // A click on the plot changes nothing.
    QTest::mouseClick(&m_ctrl, Qt::LeftButton, {}, QPoint(200, 45));
    EXPECT_FALSE(m_ctrl.AxisShown(GSensorTrace::kAxisX));
    EXPECT_TRUE(m_ctrl.AxisShown(GSensorTrace::kAxisY));

    // Pressing elsewhere and releasing on the box counts: the release point decides.
    QTest::mousePress(&m_ctrl, Qt::LeftButton, {}, QPoint(200, 45));
    QTest::mouseRelease(&m_ctrl, Qt::LeftButton, {}, LegendCentre(GSensorTrace::kAxisX));
    image = Render();
    EXPECT_TRUE(m_ctrl.AxisShown(GSensorTrace::kAxisX));
    EXPECT_GT(CountColour(image, kPlotArea, kYellow), 0);
}

} // namespace
