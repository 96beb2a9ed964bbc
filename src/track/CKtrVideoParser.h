#pragma once

#include "platform/BinaryFile.h"
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

protected:
    // The date text of an "IDIT" box or chunk: at most this many bytes minus the terminator
    // are kept, whatever length the container declares.
    static constexpr size_t kDateTextBytes = 64;

    // Clears the results, the date-found flag and the date text; the targets stay.
    void BeginRead();
    // Opens path read-only and fills the status target, if any; false when it cannot be opened.
    bool OpenForRead(const QString& path);
    // Examines the points of a "gps0" payload that starts at the file position and declares
    // length bytes, dating the recording by the first dated point. Only whole points that lie
    // inside the file are looked at.
    void ExaminePoints(uint64_t length);
    // Reads an "IDIT" text of the declared length at the file position and dates the
    // recording from it, or clears the date-found flag when the text is not a usable date.
    void ReadDateText(uint64_t length);
    // Closes the file and, when accepted, hands the results to the info target.
    int32_t Finish(bool accepted);

    BinaryFile m_file;
    RecordingInfo m_results;
    RecordingInfo* m_infoTarget = nullptr;
    FileStatus* m_statusTarget = nullptr;
    bool m_dateFound = false;
    char m_dateText[kDateTextBytes] = {};
};

// The reader the catalogue uses for a file name: AVI when the name ends in ".AVI"
// exactly (upper case), the MP4/3GP reader for everything else.
bool IsAviName(const QString& name);
std::unique_ptr<CKtrVideoParser> CreateReaderForName(const QString& name);
