#include "RecordingFixtures.h"

#include "CameraFixtures.h"

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

void WriteFile(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path())) << path.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}
