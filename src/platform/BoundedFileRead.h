#pragma once

#include <QByteArray>
#include <QString>

// The outcome of reading a file that is expected to be small.
struct BoundedRead {
    enum class Status { Read, Missing, Refused };
    Status status = Status::Missing;
    QByteArray data; // the whole file when Read
    QString refusal; // why it was not read when Refused, e.g. "is a FIFO"
};

// Reads the whole file at path, following symbolic links. Only a regular file is opened: a
// FIFO would hold the reader until a writer came, and a device could feed it without end.
// A file larger than maxBytes is refused unread, as is one that cannot be opened or read.
BoundedRead ReadBoundedFile(const QString& path, qint64 maxBytes);
