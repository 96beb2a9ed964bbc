#pragma once

#include "track/TrackRecords.h"

#include <QJsonObject>
#include <QString>

// The reader kind the catalogue picks for a file name: "avi" or "mp4".
QString ReaderKindName(const QString& fileName);

// Every field of a RecordingInfo under its own name; the two rate fields as arrays of their
// four bytes.
QJsonObject RecordingInfoJson(const RecordingInfo& info);

// The reader's result for an info record that started zeroed: a reader writes the record only
// on success, and success needs a width, a height and a duration. So the record alone tells
// 0 from -1 (a single file the reader could not read is still catalogued).
int32_t ReadResultOf(const RecordingInfo& info);
