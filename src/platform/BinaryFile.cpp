#include "platform/BinaryFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>

// Left unfilled: only bytes a read has put there are ever copied out, and a scan makes one
// reader a file, so clearing 64 KiB each time would cost more than the reads.
BinaryFile::BinaryFile() : m_buffer(std::make_unique_for_overwrite<char[]>(kBufferBytes)) {}

BinaryFile::~BinaryFile() {
    Close();
}

bool BinaryFile::Open(const QString& path) {
    Close();
    // A FIFO would block a plain open until a writer comes: O_NONBLOCK lets the open return, and
    // the type is then checked on what was opened, so no separate look at the path is needed.
    // Only regular files are read; a device has no length.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0)
        return false;
    struct stat st {};
    if (::fstat(descriptor, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        ::close(descriptor);
        return false;
    }
    m_descriptor = descriptor;
    m_length = static_cast<uint64_t>(st.st_size);
    FillFileStatus(path, st, m_status);
    return true;
}

void BinaryFile::Close() {
    // Nothing was written through the descriptor, so a failing close loses nothing.
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
    m_status = FileStatus{};
    m_length = 0;
    m_position = 0;
    m_bufferStart = 0;
    m_bufferBytes = 0;
}

void BinaryFile::ReadAt(uint64_t position, char* destination, size_t count) {
    if (m_descriptor < 0)
        throw FileReadError(FileReadError::Cause::InputOutput, "file not open");
    size_t done = 0;
    while (done < count) {
        const uint64_t at = position + done;
        if (at > static_cast<uint64_t>(std::numeric_limits<off_t>::max()))
            throw FileReadError(FileReadError::Cause::InputOutput, "position out of range");
        const ssize_t got =
            ::pread(m_descriptor, destination + done, count - done, static_cast<off_t>(at));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw FileReadError(FileReadError::Cause::InputOutput, "read failed");
        if (got == 0)
            throw FileReadError(FileReadError::Cause::PastEnd,
                                "file shorter than when it was opened");
        done += static_cast<size_t>(got);
    }
}

void BinaryFile::Fill(uint64_t position) {
    const size_t bytes = static_cast<size_t>(std::min<uint64_t>(kBufferBytes, m_length - position));
    m_bufferBytes = 0;
    ReadAt(position, m_buffer.get(), bytes);
    m_bufferStart = position;
    m_bufferBytes = bytes;
}

size_t BinaryFile::Read(void* destination, size_t count) {
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(count, Remaining()));
    char* out = static_cast<char*>(destination);
    size_t done = 0;
    while (done < wanted) {
        const uint64_t at = m_position + done;
        const size_t left = wanted - done;
        if (at >= m_bufferStart && at < m_bufferStart + m_bufferBytes) {
            const size_t offset = static_cast<size_t>(at - m_bufferStart);
            const size_t n = std::min(left, m_bufferBytes - offset);
            std::memcpy(out + done, m_buffer.get() + offset, n);
            done += n;
        } else if (left >= kBufferBytes) {
            // Large payloads go straight to the caller instead of through the buffer.
            ReadAt(at, out + done, left);
            done += left;
        } else {
            Fill(at);
        }
    }
    m_position += done;
    return done;
}

void BinaryFile::ReadExact(void* destination, size_t count) {
    if (Read(destination, count) != count)
        throw FileReadError(FileReadError::Cause::PastEnd, "read past the end of the file");
}

bool BinaryFile::QueryStatus(FileStatus& status) const {
    if (m_descriptor < 0)
        return false;
    status = m_status;
    return true;
}
