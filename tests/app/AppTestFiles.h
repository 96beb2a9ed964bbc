#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// UTF-16LE with its byte-order mark, the form of a settings file saved as Unicode.
inline QByteArray Utf16LeFile(const QString& text) {
    QByteArray bytes("\xFF\xFE");
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}
