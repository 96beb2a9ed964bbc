#pragma once

#include "track/TrackSinks.h"

#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// The G-sensor curve without its widget: the samples, the time window the plot shows and
// where the cursor is. The widget asks it where everything goes in a plot rectangle and
// paints; the track loader fills it through GSensorCurveSink.
class GSensorTrace : public GSensorCurveSink {
public:
    enum Axis { kAxisX = 0, kAxisY = 1, kAxisZ = 2, kAxisCount = 3 };

    static constexpr double kDefaultSamplesPerMs = 0.016;
    static constexpr double kDefaultScaleG = 2.0;
    static constexpr double kUnsetScaleG = 8.0;
    static constexpr double kTickIntervalMs = 200.0;
    static constexpr double kMinSpanMs = 1000.0;
    static constexpr double kMaxSpanMs = 3600000.0;
    static constexpr double kEmptyPaintSpanMs = 20000.0;

    // GSensorCurveSink
    void ClearSamples() override;
    void AddSample(const GSensorSample& sample) override;
    void SetScale(double fullScale, double displayRange) override;
    void UpdateSpan() override;
    void SetSamplesPerMs(double samplesPerMs) override { m_samplesPerMs = samplesPerMs; }
    double SamplesPerMs() const override { return m_samplesPerMs; }
    void Repaint() override;

    // The widget sets this so that a change of the model shows on screen.
    void SetRepaintCallback(std::function<void()> callback) { m_repaint = std::move(callback); }

    // Moves the cursor to a playback time (clamped to 0..lengthMs) and scrolls the view
    // window so that the cursor stays visible. Always returns 1.
    int SetCursorTime(int32_t timeMs);

    void SetLengthMs(double lengthMs) { m_lengthMs = lengthMs; }
    void SetDimmed(bool dimmed) { m_dimmed = dimmed; }

    // The span that a paint uses across the plot width: the data's own length, unlimited,
    // or 20 s when there is none.
    double PaintSpanMs() const;
    // The plot rectangles taken below count their right and bottom edges exclusive, as the
    // drawing code does (width = right - left).
    //
    // Index of the sample drawn in pixel column m of a plot that wide, or -1 past the data.
    int64_t SampleIndexAtColumn(int column, int plotWidth, double paintSpanMs) const;
    // Pixel column (window x) of the cursor.
    int CursorX(const QRect& plot) const;
    // The byte of one axis that holds its value (the lowest of the 32-bit integer).
    static uint8_t SampleByte(const GSensorSample& sample, Axis axis);
    // Window y of a sample byte: the signed count scaled and clamped to the display range.
    int ValueToY(uint8_t sampleByte, const QRect& plot) const;
    // X, Y and Z in g of the sample under the cursor; zeros past the data.
    std::array<double, kAxisCount> ValuesAtCursor() const;

    static QString LegendText(Axis axis, double valueG);
    static QString LegendLetter(Axis axis);

    const std::vector<GSensorSample>& samples() const { return m_samples; }
    double cursorTime() const { return m_cursorTime; }
    double lengthMs() const { return m_lengthMs; }
    double viewStart() const { return m_viewStart; }
    double viewEnd() const { return m_viewEnd; }
    double sampleSpanMs() const { return m_sampleSpanMs; }
    double spanMs() const { return m_spanMs; }
    double fullScale() const { return m_fullScale; }
    double displayRange() const { return m_displayRange; }
    bool dimmed() const { return m_dimmed; }

    // Window y of the zero line.
    static int PlotMid(const QRect& plot) { return plot.top() + plot.height() / 2; }

private:
    std::vector<GSensorSample> m_samples;
    double m_cursorTime = 0.0;
    double m_lengthMs = 0.0;
    double m_viewStart = 0.0;
    double m_viewEnd = 0.0;
    double m_sampleSpanMs = 0.0;
    double m_spanMs = 0.0;
    double m_samplesPerMs = kDefaultSamplesPerMs;
    double m_fullScale = kDefaultScaleG;
    double m_displayRange = kDefaultScaleG;
    bool m_dimmed = false;
    std::function<void()> m_repaint;
};
