#pragma once

#include <QString>

// Recordings made once per test run, short so that the ends of files come quickly, each with a
// GPS point a second and G-sensor samples of a drive due east at a constant speed.
//   paired:   F/ and R/ of two consecutive recordings, so entries 0 to 3 are F0, R0, F1, R1
//   rearOnly: R/ of one recording whose front file is missing
//   garbage:  a file with a camera name that holds no video
struct TestCard {
    static constexpr int kRecordingSeconds = 4;
    static constexpr int kSpeedKmh = 36;

    QString paired;
    QString front[2];
    QString rear[2];
    QString rearOnly;
    QString rearOnlyFile;
    QString garbageFile;
    QString error; // why the card could not be made; empty when it was
};

const TestCard& Card();
