#include "RecordingFixtures.h"

#include "CameraFixtures.h"
#include "track/NmeaSidecarReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kMillisecondsTimescale = 1000;
constexpr uint32_t kOneFramePerSecond = 1000000; // microseconds per frame

QByteArray ToBytes(const std::string& bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

QByteArray MinimalMp4(const QByteArray& idit, uint32_t durationMs, uint16_t width,
                      uint16_t height) {
    return ToBytes(fixtures::Ftyp() + bytes::Box("IDIT", idit.toStdString()) +
                   fixtures::Moov(kMillisecondsTimescale, durationMs, width, height));
}

QByteArray MinimalAvi(const QByteArray& idit, uint32_t durationSeconds, uint16_t width,
                      uint16_t height) {
    return ToBytes(fixtures::Avi(kOneFramePerSecond, durationSeconds, width, height,
                                 bytes::Chunk("IDIT", idit.toStdString())));
}

QByteArray SidecarText(int noFix, int fixes, const QDateTime& firstFix) {
    QByteArray text;
    for (int i = 0; i < noFix; ++i)
        text += "$GNRMC,,V,,,,,,,,,,N*53\n";
    const QDateTime utc = firstFix.toUTC();
    for (int i = 0; i < fixes; ++i) {
        const QDateTime at = utc.addSecs(i);
        text += "$GNRMC," + at.toString(QStringLiteral("HHmmss")).toLatin1() +
                ".00,A,4807.03800,N,01131.00000,E,10.0000,84.4," +
                at.toString(QStringLiteral("ddMMyy")).toLatin1() + ",,,A\n";
        text += "$GSENSORD,0.015,-0.250,1.002\n";
    }
    return text;
}

void WriteTsRecording(const QString& path, const QByteArray& sidecar) {
    WriteFile(path, QByteArray(188, '\x47'));
    if (!sidecar.isNull())
        WriteFile(NmeaSidecarPath(path), sidecar);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path())) << path.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}
