#pragma once

#include "track/CKtrVideoParser.h"

// Reads what the catalogue needs of a transport-stream recording, whose track lies in its NMEA
// sidecar: the start time from the name or from the first dated fix, the duration from the
// sidecar's points at one a second, and the size of the stream file. The stream itself is not
// read.
class CKtrTsParser : public CKtrVideoParser {
public:
    void SetInfoTarget(RecordingInfo* info) override;
    int32_t Parse(const QString& path) override;
    void SetStatusTarget(FileStatus* status) override;

private:
    ReadFailure ReadSidecar(const QString& path);
};
