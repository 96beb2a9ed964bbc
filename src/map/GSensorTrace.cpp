#include "map/GSensorTrace.h"

#include "track/TrackRecords.h"

#include <algorithm>
#include <cmath>

namespace {

double ScaleOrUnset(double value) {
    return value == 0.0 ? GSensorTrace::kUnsetScaleG : value;
}

} // namespace

uint8_t GSensorTrace::SampleByte(const GSensorSample& sample, Axis axis) {
    const int32_t raw = axis == kAxisX ? sample.x : axis == kAxisY ? sample.y : sample.z;
    return static_cast<uint8_t>(raw & 0xFF);
}

void GSensorTrace::ClearSamples() {
    m_samples.clear();
    m_cursorTime = 0.0;
    Repaint();
}

void GSensorTrace::AddSample(const GSensorSample& sample) {
    m_samples.push_back(sample);
}

void GSensorTrace::SetScale(double fullScale, double displayRange) {
    m_fullScale = ScaleOrUnset(fullScale);
    m_displayRange = ScaleOrUnset(displayRange);
}

void GSensorTrace::UpdateSpan() {
    // A rate of 0 would make the data infinitely long; such a trace has no time extent.
    m_sampleSpanMs =
        m_samplesPerMs > 0.0 ? static_cast<double>(m_samples.size()) / m_samplesPerMs : 0.0;
    m_spanMs = std::clamp(m_sampleSpanMs, kMinSpanMs, kMaxSpanMs);
}

void GSensorTrace::Repaint() {
    if (m_repaint)
        m_repaint();
}

int GSensorTrace::SetCursorTime(int32_t timeMs) {
    m_cursorTime = timeMs;
    UpdateSpan();
    if (m_cursorTime > m_lengthMs)
        m_cursorTime = m_lengthMs;
    else
        m_cursorTime = std::max(0.0, m_cursorTime);

    const double half = m_spanMs * 0.5;
    if (half > m_cursorTime || m_spanMs > m_sampleSpanMs) {
        m_viewStart = 0.0;
        m_viewEnd = std::min(m_sampleSpanMs, m_spanMs);
    } else if (m_sampleSpanMs > m_cursorTime + half) {
        m_viewStart = m_cursorTime - half;
        m_viewEnd = m_cursorTime + half;
    } else {
        m_viewStart = m_sampleSpanMs - m_spanMs;
        m_viewEnd = m_sampleSpanMs;
    }
    Repaint();
    return 1;
}

double GSensorTrace::PaintSpanMs() const {
    const double span = std::trunc(m_sampleSpanMs);
    return (m_samplesPerMs == 0.0 || span == 0.0) ? kEmptyPaintSpanMs : span;
}

int64_t GSensorTrace::SampleIndexAtColumn(int column, int plotWidth, double paintSpanMs) const {
    if (plotWidth <= 0)
        return -1;
    const double t = std::trunc(column * paintSpanMs / plotWidth + m_viewStart);
    const double index = std::trunc(t * m_samplesPerMs);
    if (!(index >= 0.0) || index >= static_cast<double>(m_samples.size()))
        return -1;
    return static_cast<int64_t>(index);
}

int GSensorTrace::CursorX(const QRect& plot) const {
    // Before the media length is known the cursor rests at the left edge instead of
    // dividing by zero.
    if (!(m_lengthMs > 0.0))
        return plot.left();
    return static_cast<int>(std::trunc((m_cursorTime - m_viewStart) * plot.width() / m_lengthMs)) +
           plot.left();
}

int GSensorTrace::ValueToY(uint8_t sampleByte, const QRect& plot) const {
    const double g = std::clamp(GSensorCountToG(static_cast<int8_t>(sampleByte), m_fullScale),
                                -m_displayRange, m_displayRange);
    return static_cast<int>(std::trunc(PlotMid(plot) - g * plot.height() / (2.0 * m_displayRange)));
}

std::array<double, GSensorTrace::kAxisCount> GSensorTrace::ValuesAtCursor() const {
    const double index = std::trunc(std::trunc(m_cursorTime) * m_samplesPerMs);
    if (!(index >= 0.0) || index >= static_cast<double>(m_samples.size()))
        return {0.0, 0.0, 0.0};
    const GSensorSample& sample = m_samples[static_cast<size_t>(index)];
    return {GSensorG(sample.x, m_fullScale), GSensorG(sample.y, m_fullScale),
            GSensorG(sample.z, m_fullScale)};
}

QString GSensorTrace::LegendLetter(Axis axis) {
    static const char* const kLetters[kAxisCount] = {"X", "Y", "Z"};
    return QString::fromLatin1(kLetters[axis]);
}

QString GSensorTrace::LegendText(Axis axis, double valueG) {
    return QString::asprintf("%s: %0.4f G    ", LegendLetter(axis).toLatin1().constData(), valueG);
}
