#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <ostream>

// The smallest recordings the two readers accept, dated by an "IDIT" text in local time
// ("yyyy-MM-dd HH:mm:ss").
QByteArray MinimalMp4(const QByteArray& idit, uint32_t durationMs, uint16_t width, uint16_t height);
QByteArray MinimalAvi(const QByteArray& idit, uint32_t durationSeconds, uint16_t width,
                      uint16_t height);

// The text of an NMEA sidecar: noFix position sentences without a fix, then fixes sentences one
// second apart from firstFix (read as UTC), each followed by a G-sensor sentence, as the camera
// writes them.
QByteArray SidecarText(int noFix, int fixes, const QDateTime& firstFix);

// Writes a transport-stream recording at path: a few bytes standing for the stream, which no
// reader looks into, and, when sidecar is not null, the sidecar its name leads to.
void WriteTsRecording(const QString& path, const QByteArray& sidecar);

// Writes bytes to path (creating the parent folders); fails the current test on error.
void WriteFile(const QString& path, const QByteArray& bytes);

// Lets failed expectations show strings as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
