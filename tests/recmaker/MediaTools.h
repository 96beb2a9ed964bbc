#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs a program to its end and keeps what it printed.
struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
ToolRun RunTool(const QString& program, const QStringList& args);

// ffprobe -v error FILE: empty stderr and exit 0 when the container is sound.
ToolRun Probe(const QString& path);
// A full decode of the video; `out` holds the MD5 of every decoded frame, so two files whose
// pictures are identical give the same digest.
ToolRun DecodeDigest(const QString& path);
