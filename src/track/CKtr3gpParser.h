#pragma once

#include "track/CKtrVideoParser.h"

#include <optional>

// Reads an MP4/3GP recording: the camera's top-level boxes, the first track's duration and
// picture size.
class CKtr3gpParser : public CKtrVideoParser {
public:
    void SetInfoTarget(RecordingInfo* info) override;
    int32_t Parse(const QString& path) override;
    void SetStatusTarget(FileStatus* status) override;

private:
    struct Content {
        uint64_t offset;
        uint32_t length;
    };

    ReadFailure ReadBoxes();
    void Walk(uint64_t position);
    void ReadMovie(uint64_t offset, uint32_t length);
    std::optional<Content> FindChild(uint64_t start, uint64_t limit, uint32_t type);
    template <size_t N>
    std::optional<Content> FindPath(uint64_t start, uint64_t limit, const uint32_t (&path)[N]);
};
