#pragma once

#include "platform/FileStatus.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

// Thrown when the file cannot deliver the bytes asked for: a read that runs past the end of
// the file (through ReadExact, or because the file has become shorter since it was opened),
// or an I/O error.
struct FileReadError : std::runtime_error {
    enum class Cause { PastEnd, InputOutput };
    FileReadError(Cause why, const char* what) : std::runtime_error(what), cause(why) {}
    Cause cause;
};

// A read-only binary file read through a buffer. Readers that look at a file a few bytes at
// a time (box headers, 32-byte points) would otherwise make one system call per look; here a
// seek only moves the logical position, and a read inside the buffered window is a copy.
// Nothing is ever read beyond the length the file had when it was opened.
class BinaryFile {
public:
    static constexpr size_t kBufferBytes = 64 * 1024;

    BinaryFile();
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    // Opens a regular file for reading only; false for anything else or when it cannot be
    // opened. Length and status are taken once, here.
    bool Open(const QString& path);
    void Close();
    bool IsOpen() const { return m_descriptor >= 0; }

    uint64_t Length() const { return m_length; }
    uint64_t Position() const { return m_position; }
    uint64_t Remaining() const { return m_position < m_length ? m_length - m_position : 0; }
    // Positions past the end are allowed; reads there deliver nothing.
    void Seek(uint64_t position) { m_position = position; }

    // Reads up to count bytes; fewer only at the end of the file. Throws FileReadError on an
    // I/O error.
    size_t Read(void* destination, size_t count);
    // Reads exactly count bytes or throws FileReadError.
    void ReadExact(void* destination, size_t count);

    // The status the file had when it was opened; false when it is not open.
    bool QueryStatus(FileStatus& status) const;

private:
    void Fill(uint64_t position);
    void ReadAt(uint64_t position, char* destination, size_t count);

    int m_descriptor = -1;
    FileStatus m_status;
    uint64_t m_length = 0;
    uint64_t m_position = 0;
    std::unique_ptr<char[]> m_buffer;
    uint64_t m_bufferStart = 0;
    size_t m_bufferBytes = 0;
};
