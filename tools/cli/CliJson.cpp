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

JsonMembers RecordingInfoMembers(const RecordingInfo& info) {
    return {
        {"gpsOffset", Unsigned(info.gpsOffset)},
        {"gpsSize", Unsigned(info.gpsSize)},
        {"gsensorOffset", Unsigned(info.gsensorOffset)},
        {"gsensorSize", Unsigned(info.gsensorSize)},
        {"width", static_cast<int>(info.width)},
        {"height", static_cast<int>(info.height)},
        {"startTime", static_cast<qint64>(info.startTime)},
        {"durationSeconds", static_cast<qint64>(info.durationSeconds)},
        {"durationMs", Unsigned(info.durationMs)},
        {"fileSize", Unsigned(info.fileSize)},
        {"gpsRate", RateJson(info.gpsRate)},
        {"gsensorRate", RateJson(info.gsensorRate)},
    };
}
