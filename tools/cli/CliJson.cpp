#include "CliJson.h"

#include "track/CKtrVideoParser.h"

#include <QJsonArray>

namespace {

QJsonArray RateJson(const uint8_t (&rate)[4]) {
    QJsonArray bytes;
    for (const uint8_t b : rate)
        bytes.append(static_cast<int>(b));
    return bytes;
}

QJsonValue Unsigned(uint64_t value) {
    return QJsonValue(static_cast<qint64>(value));
}

} // namespace

QString ReaderKindName(const QString& fileName) {
    return IsAviName(fileName) ? QStringLiteral("avi") : QStringLiteral("mp4");
}

QString CatalogueReaderKindName(const QString& fileName) {
    return IsTransportStreamName(fileName) ? QStringLiteral("ts") : ReaderKindName(fileName);
}

QJsonObject RecordingInfoJson(const RecordingInfo& info) {
    QJsonObject json;
    json.insert(QStringLiteral("gpsOffset"), Unsigned(info.gpsOffset));
    json.insert(QStringLiteral("gpsSize"), Unsigned(info.gpsSize));
    json.insert(QStringLiteral("gsensorOffset"), Unsigned(info.gsensorOffset));
    json.insert(QStringLiteral("gsensorSize"), Unsigned(info.gsensorSize));
    json.insert(QStringLiteral("width"), static_cast<int>(info.width));
    json.insert(QStringLiteral("height"), static_cast<int>(info.height));
    json.insert(QStringLiteral("startTime"), static_cast<qint64>(info.startTime));
    json.insert(QStringLiteral("durationSeconds"), static_cast<qint64>(info.durationSeconds));
    json.insert(QStringLiteral("durationMs"), Unsigned(info.durationMs));
    json.insert(QStringLiteral("fileSize"), Unsigned(info.fileSize));
    json.insert(QStringLiteral("gpsRate"), RateJson(info.gpsRate));
    json.insert(QStringLiteral("gsensorRate"), RateJson(info.gsensorRate));
    return json;
}
