#pragma once

#include "platform/IniFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <utility>

#include <sys/stat.h>

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

// What can stand at the path of "Ktr.ini" in place of a settings file, and the reason the
// program gives for not using it.
struct UnusableSettingsFile {
    const char* what;
    const char* reason;
    bool (*make)(const QString& path);
};

inline bool MakeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

inline bool MakeDirectory(const QString& path) {
    return QDir().mkdir(path);
}

inline bool MakeLinkToZeroDevice(const QString& path) {
    return QFile::link(QStringLiteral("/dev/zero"), path);
}

// A settings file choosing Korean, one byte over the limit.
inline bool MakeOversizedFile(const QString& path) {
    QByteArray bytes = "[UI]\nLANGID=KOR\n;";
    bytes.append(IniFile::kMaxFileBytes + 1 - bytes.size(), 'x');
    WriteBytes(path, bytes);
    return QFileInfo(path).size() == IniFile::kMaxFileBytes + 1;
}

inline const UnusableSettingsFile kUnusableSettingsFiles[] = {
    {"FIFO", "is a FIFO", MakeFifo},
    {"directory", "is a directory", MakeDirectory},
    {"link to /dev/zero", "is a device", MakeLinkToZeroDevice},
    {"oversized file", "is larger than 1048576 bytes", MakeOversizedFile},
};

// The kind and size of what stands at path itself, to show that it was left as it was.
inline std::pair<mode_t, off_t> KindAndSize(const QString& path) {
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return {status.st_mode, status.st_size};
}
