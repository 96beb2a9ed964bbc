#pragma once

#include "track/CKtrVideoParser.h"

// Reads an AVI (RIFF) recording: the camera's chunks, the main header's duration and the
// video stream's picture size.
class CKtrAviParser : public CKtrVideoParser {
public:
    void SetInfoTarget(RecordingInfo* info) override;
    int32_t Parse(const QString& path) override;
    void SetStatusTarget(FileStatus* status) override;

private:
    ReadFailure ReadChunks();
    // Returns true when the movie data list claims more bytes than the file holds.
    bool Walk();
    uint32_t ReadId();
    uint32_t ReadSize();
    uint64_t ReadStreamHeader(uint64_t p, uint32_t size);
};
