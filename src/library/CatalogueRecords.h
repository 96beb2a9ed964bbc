#pragma once

#include "track/ReadFailure.h"
#include "track/TrackRecords.h"

#include <QString>

#include <cstdint>

// Lock state is two bits everywhere; the value 0..3 also picks the lock picture in the lists.
enum LockFlag : uint8_t {
    kLockG = 0x01, // the camera locked the file: 'G' is the fourth character of its name
    kLockM = 0x02, // the file is read-only
};

// Where in a file name the camera writes 'G' for a locked recording.
inline constexpr qsizetype kLockCharacterPosition = 3;

// One accepted recording file.
struct RecordingEntry {
    uint32_t groupStart = 0; // 1 when this entry begins a group
    uint8_t lockFlags = 0;
    QString name;
    QString folder;    // scan root (ends with a separator for a folder scan)
    QString subfolder; // path below the root, each level followed by a separator
    RecordingInfo info;
    int32_t readResult = -1;                     // what the reader's Parse returned: 0 or -1
    ReadFailure readFailure = ReadFailure::None; // why, when readResult is -1
};

// A file of a folder scan whose name fits the camera's pattern but that no reader could read.
struct UnreadableRecording {
    QString path;
    ReadFailure reason = ReadFailure::None;
};

// A run of consecutive entries that follow one another in time.
struct RecordingGroup {
    int32_t number = 0;
    int32_t first = 0;
    int32_t count = 0;
    uint64_t totalMs = 0;
    uint64_t totalBytes = 0;
    uint8_t lockFlags = 0;
    int32_t checked = 0;
};

// One row of the file list; row i refers to entry i.
struct FileRow {
    int32_t group = 0;
    int32_t place = 0; // 0-based position within the group
    int32_t entry = 0;
    uint64_t fileSize = 0;
    uint32_t durationMs = 0;
    uint32_t reserved = 0;
};
