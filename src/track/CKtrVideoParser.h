#pragma once

#include "track/TrackRecords.h"

#include <QString>

#include <cstdint>
#include <memory>

// Base of the embedded-track readers: one object reads one recording file.
class CKtrVideoParser {
public:
    CKtrVideoParser() = default;
    virtual ~CKtrVideoParser() = default;
    CKtrVideoParser(const CKtrVideoParser&) = delete;
    CKtrVideoParser& operator=(const CKtrVideoParser&) = delete;

    virtual void SetInfoTarget(RecordingInfo* info);
    // 0 on success, -1 on failure; the info target is written only on success.
    virtual int32_t Parse(const QString& path);
    virtual void SetStatusTarget(FileStatus* status);
};

// The reader the catalogue uses for a file name: AVI when the name ends in ".AVI"
// exactly (upper case), the MP4/3GP reader for everything else.
bool IsAviName(const QString& name);
std::unique_ptr<CKtrVideoParser> CreateReaderForName(const QString& name);
