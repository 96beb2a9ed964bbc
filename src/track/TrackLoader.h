#pragma once

#include "track/TrackRecords.h"

#include <QString>

#include <cstdint>

class GSensorCurveSink;
class MapScriptSink;
class QFile;

// Whether the track of the recording at path is read from its NMEA sidecar: only the camera's
// own upper-case ".TS" ending marks a transport stream with one. Such a track has no course.
bool ReadsTrackFromSidecar(const QString& path);

// Reads the track of one recording into the catalogue's TrackBuffer and feeds the G-sensor
// curve and the map page. Either sink may be absent; its calls are then skipped.
class TrackLoader {
public:
    TrackLoader(TrackBuffer& track, GSensorCurveSink* curve, MapScriptSink* map);

    // Loads the recording at path (described by info) as entry entryIndex: the NMEA sidecar
    // for a ".TS" name, the embedded payloads otherwise. 0 when the recording file cannot be
    // opened (or is no regular file), else 1. A part of the track that could not be read is
    // left with a byte count of 0, so nothing reads it as samples.
    int32_t Load(int32_t entryIndex, const QString& path, const RecordingInfo& info);

    // Redraws the driven trail up to playback time t (ms). Always 1.
    int32_t RedrawDrivenPath(uint32_t t);

    // G-sensor samples per ms when the recording names no rate and its duration is unknown:
    // the curve's own starting rate.
    static constexpr double kFallbackSamplesPerMs = 0.016;

private:
    int32_t LoadFromSidecar(const QString& path);
    int32_t LoadEmbedded(const QString& path, const RecordingInfo& info);
    void LoadGSensorPayload(QFile& file, const RecordingInfo& info);
    void LoadPointPayload(QFile& file, const RecordingInfo& info);
    void PlotRoute();
    void RunScript(const QString& script);

    TrackBuffer& m_track;
    GSensorCurveSink* m_curve;
    MapScriptSink* m_map;
};
