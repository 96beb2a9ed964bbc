#pragma once

#include "track/TrackRecords.h"

// Whatever collects G-sensor samples as a track is read (the G-sensor curve in the
// program, a recorder in the CLI and the tests).
class GSensorSampleSink {
public:
    virtual ~GSensorSampleSink() = default;
    virtual void AddSample(const GSensorSample& sample) = 0;
};
