#pragma once

#include "track/GSensorSampleSink.h"
#include "track/TrackRecords.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a sidecar holds: the position points in file order and how many G-sensor sentences
// were handed to the sink.
struct NmeaSidecarTrack {
    std::vector<TrackPoint> points;
    int32_t gsensorCount = 0;
    // The first position sentence with a fix and a readable time and date: its moment in
    // seconds since 1970 UTC and the index of its point. Empty when no sentence has both.
    std::optional<int64_t> firstFixUtc;
    size_t firstFixIndex = 0;
};

// One sentence cut at its commas. Runs of commas are one separator and empty NMEA fields
// vanish, so the fields after them move forward; the list ends at the first field that is
// blank after trimming. The identifier is the first field as cut, before trimming.
struct NmeaFields {
    std::string identifier;
    std::vector<std::string> fields; // trimmed; fields[0] is the trimmed identifier
};

NmeaFields CutNmeaFields(std::string_view line);

// Reads text as the C library's atof does in the "C" locale (whatever the user's locale):
// leading blanks skipped, the longest prefix that forms a number, 0 when there is none.
double NmeaNumber(std::string_view text);

// The sidecar of a video: the path without its last four characters (the channel letter
// and the extension) followed by ".NMEA", shared by both channels of a recording.
QString NmeaSidecarPath(const QString& videoPath);
// Whether a file name is such a sidecar's: it ends in ".NMEA" exactly, upper case.
bool IsNmeaSidecarName(const QString& name);

// Reads the sidecar of videoPath. "$GNRMC" sentences become points, "$GSENSORD" sentences
// become samples appended to sink (which may be null). A missing sidecar gives an empty
// track. Sentences too short to hold the fields they need are skipped and not counted.
NmeaSidecarTrack ReadNmeaSidecar(const QString& videoPath, GSensorSampleSink* sink);
