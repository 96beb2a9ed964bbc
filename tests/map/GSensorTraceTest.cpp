#include "map/GSensorTrace.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

// A plot 40 pixels high (top 20, mid 40, bottom 60) and 376 wide.
const QRect kPlot(24, 20, 376, 40);

GSensorSample Sample(int32_t x, int32_t y, int32_t z) {
    return GSensorSample{x, y, z};
}

void Fill(GSensorTrace& trace, int count, double samplesPerMs, GSensorSample sample = {0, 0, 0}) {
    trace.ClearSamples();
    for (int i = 0; i < count; ++i)
        trace.AddSample(sample);
    trace.SetSamplesPerMs(samplesPerMs);
    trace.UpdateSpan();
}

TEST(GSensorTraceTest, ConstructedEmptyWithDefaults) {
    GSensorTrace trace;
    EXPECT_DOUBLE_EQ(trace.SamplesPerMs(), 0.016);
    EXPECT_DOUBLE_EQ(trace.fullScale(), 2.0);
    EXPECT_DOUBLE_EQ(trace.displayRange(), 2.0);
    EXPECT_FALSE(trace.dimmed());
    EXPECT_EQ(GSensorTrace::PlotMid(kPlot), 40);
    EXPECT_DOUBLE_EQ(trace.PaintSpanMs(), 20000.0);
    EXPECT_EQ(trace.CursorX(kPlot), 24) << "no media length yet: cursor rests at the left edge";
    EXPECT_EQ(GSensorTrace::LegendText(GSensorTrace::kAxisX, trace.ValuesAtCursor()[0]),
              "X: 0.0000 G    ");
}

TEST(GSensorTraceTest, ZeroScaleBecomesEight) {
    GSensorTrace trace;
    trace.SetScale(0.0, 0.0);
    EXPECT_DOUBLE_EQ(trace.fullScale(), 8.0);
    EXPECT_DOUBLE_EQ(trace.displayRange(), 8.0);
    trace.SetScale(4.0, 2.0);
    EXPECT_DOUBLE_EQ(trace.fullScale(), 4.0);
    EXPECT_DOUBLE_EQ(trace.displayRange(), 2.0);
}

TEST(GSensorTraceTest, SpanFollowsSampleCountAndIsLimited) {
    struct Case {
        int count;
        double samplesPerMs;
        double sampleSpan;
        double span;
        double paintSpan;
    };
    const Case cases[] = {
        {0, 0.016, 0.0, 1000.0, 20000.0},       {8, 0.016, 500.0, 1000.0, 500.0},
        {6000, 0.1, 60000.0, 60000.0, 60000.0}, {5000, 0.001, 5000000.0, 3600000.0, 5000000.0},
        {10, 0.0, 0.0, 1000.0, 20000.0}, // no rate: no time extent instead of infinity
    };
    for (const Case& c : cases) {
        GSensorTrace trace;
        Fill(trace, c.count, c.samplesPerMs);
        EXPECT_DOUBLE_EQ(trace.sampleSpanMs(), c.sampleSpan) << c.count << " @ " << c.samplesPerMs;
        EXPECT_DOUBLE_EQ(trace.spanMs(), c.span) << c.count << " @ " << c.samplesPerMs;
        EXPECT_DOUBLE_EQ(trace.PaintSpanMs(), c.paintSpan) << c.count << " @ " << c.samplesPerMs;
    }
}

TEST(GSensorTraceTest, CursorIsClampedAndViewFollowsIt) {
    struct Case {
        int count;
        double samplesPerMs;
        double lengthMs;
        int32_t time;
        double cursor;
        double viewStart;
        double viewEnd;
    };
    const Case cases[] = {
        {6000, 0.1, 60000.0, -5, 0.0, 0.0, 60000.0},
        {6000, 0.1, 60000.0, 70000, 60000.0, 0.0, 60000.0},
        // Span and data agree: the whole recording stays in view and only the cursor moves.
        {6000, 0.1, 60000.0, 45000, 45000.0, 0.0, 60000.0},
        // Data longer than the longest span: the view scrolls with the cursor in the middle ...
        {5000, 0.001, 5000000.0, 1000000, 1000000.0, 0.0, 3600000.0},
        {5000, 0.001, 5000000.0, 2000000, 2000000.0, 200000.0, 3800000.0},
        // ... and stops at the end of the data.
        {5000, 0.001, 5000000.0, 4000000, 4000000.0, 1400000.0, 5000000.0},
        // Less than a second of data: the view is the data.
        {8, 0.016, 500.0, 250, 250.0, 0.0, 500.0},
    };
    for (const Case& c : cases) {
        GSensorTrace trace;
        Fill(trace, c.count, c.samplesPerMs);
        trace.SetLengthMs(c.lengthMs);
        EXPECT_EQ(trace.SetCursorTime(c.time), 1);
        EXPECT_DOUBLE_EQ(trace.cursorTime(), c.cursor) << c.time;
        EXPECT_DOUBLE_EQ(trace.viewStart(), c.viewStart) << c.time;
        EXPECT_DOUBLE_EQ(trace.viewEnd(), c.viewEnd) << c.time;
    }
}

TEST(GSensorTraceTest, ValueToYScalesClampsAndUsesOnlyTheLowByte) {
    struct Case {
        double fullScale;
        double displayRange;
        uint8_t byte;
        int y;
    };
    const Case cases[] = {
        {2.0, 2.0, 0x00, 40}, // zero line
        {2.0, 2.0, 0x80, 60}, // -128 = -2 g: bottom edge
        {2.0, 2.0, 0x40, 30}, // +1 g: halfway up
        {2.0, 2.0, 0xC0, 50}, // -1 g
        {2.0, 1.0, 0x40, 20}, // 64 counts reach the top of a 1 g range ...
        {2.0, 1.0, 0x7F, 20}, // ... and more stays there
        {2.0, 1.0, 0x81, 60}, // clamped at the bottom too
        {4.0, 2.0, 0x40, 20}, // 64 counts of a 4 g sensor = 2 g
    };
    for (const Case& c : cases) {
        GSensorTrace trace;
        trace.SetScale(c.fullScale, c.displayRange);
        EXPECT_EQ(trace.ValueToY(c.byte, kPlot), c.y)
            << int(c.byte) << " fs " << c.fullScale << " range " << c.displayRange;
    }
    EXPECT_EQ(GSensorTrace::SampleByte(Sample(0x12345680, 1, 2), GSensorTrace::kAxisX), 0x80);
    EXPECT_EQ(GSensorTrace::SampleByte(Sample(0, 0x7F01, 2), GSensorTrace::kAxisY), 0x01);
    EXPECT_EQ(GSensorTrace::SampleByte(Sample(0, 0, -1), GSensorTrace::kAxisZ), 0xFF);
}

TEST(GSensorTraceTest, ValuesAtCursorReadTheSampleUnderTheCursor) {
    GSensorTrace trace;
    trace.ClearSamples();
    trace.AddSample(Sample(0, 0, 0));
    trace.AddSample(
        Sample(0x7700'0040, static_cast<int32_t>(0xFFFF'FFC0), 0x20)); // +1 g, -1 g, +0.5 g
    trace.SetSamplesPerMs(0.01);                                       // one sample per 100 ms
    trace.UpdateSpan();
    trace.SetLengthMs(1000.0);

    trace.SetCursorTime(150);
    auto v = trace.ValuesAtCursor();
    EXPECT_DOUBLE_EQ(v[0], 1.0);
    EXPECT_DOUBLE_EQ(v[1], -1.0);
    EXPECT_DOUBLE_EQ(v[2], 0.5);
    EXPECT_EQ(GSensorTrace::LegendText(GSensorTrace::kAxisY, v[1]), "Y: -1.0000 G    ");

    trace.SetCursorTime(200); // sample 2 does not exist
    v = trace.ValuesAtCursor();
    EXPECT_EQ(v, (std::array<double, 3>{0.0, 0.0, 0.0}));
}

TEST(GSensorTraceTest, LegendTextKeepsTheDotWhateverTheLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(GSensorTrace::LegendText(GSensorTrace::kAxisZ, 0.25), "Z: 0.2500 G    ");
    QLocale::setDefault(previous);
}

TEST(GSensorTraceTest, ColumnsPickOneSamplePerPixelAndStopAtTheEnd) {
    GSensorTrace trace;
    Fill(trace, 100, 0.01); // 10 s of data on 376 columns
    trace.SetLengthMs(10000.0);
    trace.SetCursorTime(0);
    const double span = trace.PaintSpanMs();
    const int width = kPlot.width();
    EXPECT_EQ(trace.SampleIndexAtColumn(0, width, span), 0);
    EXPECT_EQ(trace.SampleIndexAtColumn(188, width, span), 50);
    EXPECT_EQ(trace.SampleIndexAtColumn(375, width, span), 99);
    EXPECT_EQ(trace.SampleIndexAtColumn(376, width, span), -1);
    EXPECT_EQ(trace.SampleIndexAtColumn(0, 0, span), -1) << "a panel too small to plot";

    Fill(trace, 50, 0.01); // half the media length: the curve ends mid-plot
    trace.SetCursorTime(0);
    EXPECT_EQ(trace.SampleIndexAtColumn(375, width, 10000.0), -1);
}

TEST(GSensorTraceTest, CursorColumnFollowsTimeOverMediaLength) {
    GSensorTrace trace;
    Fill(trace, 600, 0.01);
    trace.SetLengthMs(60000.0);
    trace.SetCursorTime(30000);
    EXPECT_EQ(trace.CursorX(kPlot), 24 + 188);
    trace.SetCursorTime(60000);
    EXPECT_EQ(trace.CursorX(kPlot), 24 + 376);
}

TEST(GSensorTraceTest, ClearSamplesResetsCursorAndRepaints) {
    GSensorTrace trace;
    int repaints = 0;
    Fill(trace, 600, 0.01);
    trace.SetLengthMs(60000.0);
    trace.SetCursorTime(30000);
    trace.SetRepaintCallback([&repaints] { ++repaints; });
    trace.ClearSamples();
    EXPECT_TRUE(trace.samples().empty());
    EXPECT_DOUBLE_EQ(trace.cursorTime(), 0.0);
    EXPECT_EQ(repaints, 1);
}

} // namespace
