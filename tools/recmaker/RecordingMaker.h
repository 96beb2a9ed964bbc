#pragma once

#include "track/TrackRecords.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// What the camera writes into a recording besides the picture.
struct CameraTrack {
    std::vector<TrackPoint> points;                     // "gps0"; no box when empty
    std::vector<GSensorSample> gsensor;                 // "gsen"; no box when empty
    std::array<uint8_t, 4> gpsRate = {1, 0, 0, 0};      // "gpsa": [0] points per second
    std::array<uint8_t, 4> gsensorRate = {25, 4, 0, 0}; // "gsea": [0] rate code, [1] full scale g
    QByteArray idit; // "IDIT" text such as "2024-05-15 08:15:00"; no box when empty
};

// Where the camera boxes go in an MP4/3GP file. They are always written in the order
// gpsa, gsea, IDIT, gps0, gsen, so that the rate is known when the points are dated.
enum class BoxPlacement {
    BeforeMdat, // top level, just before the media data; chunk offsets are moved to match
    AtEnd,      // top level, after the last box; nothing else changes
    InsideMoov, // last children of "moov"; chunk offsets are moved when the media data follows
};

// Each function reads an ffmpeg-made clip, writes the recording atomically (nothing is left at
// outPath on failure) and returns false with a reason in *error when the clip cannot be used.
bool MakeMp4Recording(const QString& clipPath, const QString& outPath, const CameraTrack& track,
                      BoxPlacement placement = BoxPlacement::BeforeMdat, QString* error = nullptr);
// The chunks go at the end of the "hdrl" list.
bool MakeAviRecording(const QString& clipPath, const QString& outPath, const CameraTrack& track,
                      QString* error = nullptr);
// Copies the stream and writes the track as the NMEA sidecar beside it, named as the sidecar
// reader looks for it (NmeaSidecarPath).
bool MakeTsRecording(const QString& clipPath, const QString& outPath, const CameraTrack& track,
                     QString* error = nullptr);

// The same rewrites on a whole file held in memory.
bool AddCameraBoxes(QByteArray& mp4, const CameraTrack& track, BoxPlacement placement,
                    QString* error = nullptr);
bool AddCameraChunks(QByteArray& avi, const CameraTrack& track, QString* error = nullptr);

// One $GNRMC sentence per point, each followed by the $GSENSORD sentences of its interval.
QByteArray NmeaSidecarText(const CameraTrack& track);
