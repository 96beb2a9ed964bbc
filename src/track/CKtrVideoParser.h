#pragma once

#include "platform/BinaryFile.h"
#include "track/ReadFailure.h"
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

    // Why the last Parse returned -1; None after a successful one.
    ReadFailure Failure() const { return m_failure; }

protected:
    // The date text of an "IDIT" box or chunk: at most this many bytes minus the terminator
    // are kept, whatever length the container declares.
    static constexpr size_t kDateTextBytes = 64;

    // One complete read of path: opens it, runs walk (which returns None when the results
    // are complete) and ends the read. A file error ends the walk as truncated or read error.
    template <typename Walk> int32_t ReadFile(const QString& path, Walk walk);

    // The camera's own boxes and chunks: "gps0", "gsen", "gpsa", "gsea" and "IDIT".
    static bool IsCameraPayload(uint32_t type);
    // Takes note of a camera payload of that type whose content of length bytes starts at p,
    // where the file stands, and returns where the walk goes on.
    uint64_t ReadCameraPayload(uint32_t type, uint64_t p, uint32_t length);
    // Set once a recording date was refused: the read has then failed and the walk stops.
    bool DateRefused() const { return m_dateRefused; }
    // Dates the recording from calendar fields in the camera's local time, as an "IDIT" text
    // does; false, and the date counts as refused, when the conversion refuses them.
    bool DateFromLocalFields(int year, int month, int day, int hour, int minute, int second);
    // Dates the recording from a moment already in seconds since 1970 UTC.
    void DateFromUtc(int64_t seconds);

    BinaryFile m_file;
    RecordingInfo m_results;
    RecordingInfo* m_infoTarget = nullptr;
    FileStatus* m_statusTarget = nullptr;

private:
    // Clears the results, the flags and the date text; the targets stay.
    void BeginRead();
    // Opens path read-only and fills the status target, if any; an empty file counts as
    // failed here, before any read is tried.
    ReadFailure OpenForRead(const QString& path);
    // Examines the points of a "gps0" payload that starts at the file position and declares
    // length bytes, dating the recording by the first dated point. Only whole points that lie
    // inside the file are looked at.
    void ExaminePoints(uint64_t length);
    // Reads an "IDIT" text of the declared length at the file position and dates the
    // recording from it, or clears the date-found flag when the text is not a usable date.
    void ReadDateText(uint64_t length);
    // Sets startTime from calendar fields in local time; false when the conversion refuses.
    bool SetLocalStart(int year, int month, int day, int hour, int minute, int second,
                       int64_t stepBackSeconds);
    // Closes the file and, when nothing failed, hands the results to the info target.
    int32_t Finish(const QString& path, ReadFailure failure);

    ReadFailure m_failure = ReadFailure::None;
    bool m_dateFound = false;
    bool m_dateRefused = false;
    char m_dateText[kDateTextBytes] = {};
};

template <typename Walk> int32_t CKtrVideoParser::ReadFile(const QString& path, Walk walk) {
    BeginRead();
    ReadFailure failure = OpenForRead(path);
    if (failure == ReadFailure::None) {
        try {
            failure = walk();
            // The walk stopped at the refused date: what it missed after it is no reason.
            if (m_dateRefused)
                failure = ReadFailure::DateRefused;
        } catch (const FileReadError& error) {
            failure = error.cause == FileReadError::Cause::PastEnd ? ReadFailure::Truncated
                                                                   : ReadFailure::ReadError;
        }
    }
    return Finish(path, failure);
}

// The reader the catalogue uses for a file name: AVI when the name ends in ".AVI"
// exactly (upper case), the MP4/3GP reader for everything else.
bool IsAviName(const QString& name);
// A transport stream whose track lies in an NMEA sidecar: the name ends in ".TS" exactly
// (upper case), the camera's own ending.
bool IsTransportStreamName(const QString& name);
std::unique_ptr<CKtrVideoParser> CreateReaderForName(const QString& name);
