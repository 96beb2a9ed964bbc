#pragma once

#include "track/GSensorSampleSink.h"

#include <QString>

// What the track loader drives on the G-sensor curve (the trace model implements it).
class GSensorCurveSink : public GSensorSampleSink {
public:
    virtual void ClearSamples() = 0;
    virtual void SetScale(double fullScale, double displayRange) = 0;
    virtual void UpdateSpan() = 0;
    virtual void SetSamplesPerMs(double samplesPerMs) = 0;
    virtual double SamplesPerMs() const = 0;
    virtual void Repaint() = 0;
};

// Runs one script text on the map page; never reads a result.
class MapScriptSink {
public:
    virtual ~MapScriptSink() = default;
    virtual void RunScript(const QString& script) = 0;
};
