#include "platform/BinaryFile.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <limits>

BinaryFile::BinaryFile() : m_buffer(kBufferBytes) {}

bool BinaryFile::Open(const QString& path) {
    Close();
    // A FIFO would block the open until a writer comes, and a device has no length: only
    // regular files are read.
    if (!QFileInfo(path).isFile())
        return false;
    m_file.setFileName(path);
    // Unbuffered: this class keeps the only buffer, so a refill is one seek and one read.
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const qint64 size = m_file.size();
    if (size < 0) {
        m_file.close();
        return false;
    }
    m_path = path;
    m_length = static_cast<uint64_t>(size);
    return true;
}

void BinaryFile::Close() {
    if (m_file.isOpen())
        m_file.close();
    m_path.clear();
    m_length = 0;
    m_position = 0;
    m_bufferStart = 0;
    m_bufferBytes = 0;
}

void BinaryFile::ReadAt(uint64_t position, char* destination, size_t count) {
    if (!m_file.isOpen())
        throw FileReadError(FileReadError::Cause::InputOutput, "file not open");
    if (position > static_cast<uint64_t>(std::numeric_limits<qint64>::max()) ||
        !m_file.seek(static_cast<qint64>(position)))
        throw FileReadError(FileReadError::Cause::InputOutput, "seek failed");
    size_t done = 0;
    while (done < count) {
        const qint64 got = m_file.read(destination + done, static_cast<qint64>(count - done));
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
    ReadAt(position, m_buffer.data(), bytes);
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
            std::memcpy(out + done, m_buffer.data() + offset, n);
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
    return m_file.isOpen() && QueryFileStatus(m_path, status);
}
