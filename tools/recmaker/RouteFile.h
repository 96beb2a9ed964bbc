#pragma once

#include "recmaker/RecordingMaker.h"

#include <QJsonObject>
#include <QString>

// The route file of kestrola-recmaker, a JSON object:
//   "start": "2024-05-15T08:15:00"   local time of the first point (optional: undated)
//   "pointsPerSecond": 1, "undatedPoints": 0, "idit": "2024-05-15 08:15:00" (optional)
//   "gsensorRateCode": 25, "fullScale": 4
// and either explicit samples
//   "nmeaCoordinates": false,
//   "points": [{"lat": 48.15, "lon": 11.58, "speed": 40, "heading": 17, "fix": true, "alt": 520}]
//   "gsensor": [[x, y, z], ...] in g  (or "gsensorCounts": [[x, y, z], ...] raw)
// or a drive that is simulated and cut:
//   "drive": {"path": [[lat, lon], ...], "speeds": [[second, kmh], ...],
//             "from": 0, "seconds": 20, "alt": 520}
// With "drive", "start" is the start of the whole drive and the recording starts "from"
// seconds later.
bool ReadRouteJson(const QJsonObject& route, CameraTrack& track, QString* error = nullptr);
bool ReadRouteFile(const QString& path, CameraTrack& track, QString* error = nullptr);
