#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The readers open files by path, so each input is written to one scratch file per process
// (in memory-backed /dev/shm when there is one) and read from there.
class FuzzInputFile {
public:
    explicit FuzzInputFile(const QString& name) {
        const QString folder = QDir(QStringLiteral("/dev/shm")).exists()
                                   ? QStringLiteral("/dev/shm")
                                   : QDir::tempPath();
        m_path = QStringLiteral("%1/kestrola-fuzz-%2-%3")
                     .arg(folder)
                     .arg(QCoreApplication::applicationPid())
                     .arg(name);
    }
    ~FuzzInputFile() { QFile::remove(m_path); }

    const QString& Write(const uint8_t* data, size_t size) {
        std::FILE* out = std::fopen(QFile::encodeName(m_path).constData(), "wb");
        if (!out)
            std::abort();
        if (size != 0 && std::fwrite(data, 1, size, out) != size)
            std::abort();
        std::fclose(out);
        return m_path;
    }

    const QString& Path() const { return m_path; }

private:
    QString m_path;
};
