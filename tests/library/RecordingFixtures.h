#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <ostream>

// The smallest recordings the two readers accept, dated by an "IDIT" text in local time
// ("yyyy-MM-dd HH:mm:ss").
QByteArray MinimalMp4(const QByteArray& idit, uint32_t durationMs, uint16_t width, uint16_t height);
QByteArray MinimalAvi(const QByteArray& idit, uint32_t durationSeconds, uint16_t width,
                      uint16_t height);

// Writes bytes to path (creating the parent folders); fails the current test on error.
void WriteFile(const QString& path, const QByteArray& bytes);

// Lets failed expectations show strings as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
