#pragma once

#include "JsonStream.h"

#include "track/TrackRecords.h"

#include <QString>

// The reader kind a single-file read picks for a file name: "avi" or "mp4".
QString ReaderKindName(const QString& fileName);
// The reader kind the catalogue picks, which reads a transport stream's sidecar: "ts" for
// those, otherwise as ReaderKindName.
QString CatalogueReaderKindName(const QString& fileName);

// Every field of a RecordingInfo under its own name; the two rate fields as arrays of their
// four bytes.
JsonMembers RecordingInfoMembers(const RecordingInfo& info);
