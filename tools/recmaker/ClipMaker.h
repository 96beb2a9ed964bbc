#pragma once

#include <QString>

// ffmpeg's own test sources, each visibly different.
enum class ClipPattern { TestSrc, TestSrc2, SmpteBars, Mandelbrot };
enum class ClipContainer { Mp4, Avi, Ts };

struct ClipSpec {
    double seconds = 2;
    int width = 320;
    int height = 240;
    ClipPattern pattern = ClipPattern::TestSrc2;
    ClipContainer container = ClipContainer::Mp4;
    int frameRate = 25;
    bool moovFirst = false; // MP4 only: "moov" before "mdat", as a streaming-ready file has it
    bool withAudio = false; // a sine tone as AAC, as the camera records sound
    // ffmpeg filters drawn over the test source's picture, e.g. a code per frame; empty: none.
    QString filter;
};

// Runs ffmpeg (found on PATH) to encode a plain H.264 clip with a key frame every second, so
// that seeks land quickly. Returns false with ffmpeg's complaint in *error when it cannot.
bool MakeClip(const QString& outPath, const ClipSpec& clip, QString* error = nullptr);
