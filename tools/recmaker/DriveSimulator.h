#pragma once

#include "recmaker/RecordingMaker.h"

#include <QDateTime>

#include <utility>
#include <vector>

struct SpeedKey {
    double second = 0;
    double kmh = 0;
};

// A drive along a road: the vehicle follows the path at a speed that changes linearly between
// the keys (held before the first and after the last). One drive can be cut into several
// consecutive recordings with fromSecond/seconds.
struct DrivePlan {
    std::vector<std::pair<double, double>> path; // latitude, longitude in degrees
    std::vector<SpeedKey> speeds;
    QDateTime start; // local time of second 0 of the drive
    double fromSecond = 0;
    double seconds = 20;
    int pointsPerSecond = 1;
    int gsensorRateCode = 25; // 2 x code samples per second
    int fullScale = 4;        // g
    int32_t altitude = 0;
};

// Points and G-sensor samples of [fromSecond, fromSecond + seconds), dated from
// start + fromSecond. The G-sensor x axis is forward, y to the left, z up (gravity 1 g);
// a small deterministic vibration is added so the curves look alive.
CameraTrack SimulateDrive(const DrivePlan& plan);
