#include "track/TrackLoader.h"

#include "track/CKtrVideoParser.h"
#include "track/NmeaSidecarReader.h"
#include "track/TrackSinks.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double kDisplayRangeG = 2.0;
constexpr double kSidecarFullScaleG = 2.0;
// The full scale the camera means when its rate word leaves the scale byte 0.
constexpr double kUnsetFullScaleG = 8.0;
// gsensorRate byte 0 counts samples per 500 ms.
constexpr double kRateCodeSpanMs = 500.0;
constexpr double kSidecarSamplesPerMs = 0.001;
constexpr double kSidecarPointsPerSecond = 1.0;
constexpr double kDefaultPointsPerSecond = 1.0;
constexpr size_t kMaxBlockPoints = std::numeric_limits<uint32_t>::max() / kTrackPointBytes;
constexpr size_t kMaxBlockSamples = std::numeric_limits<uint32_t>::max() / kGSensorSampleBytes;

bool PayloadFits(uint64_t offset, uint32_t size, qint64 fileLength) {
    const uint64_t length = fileLength > 0 ? static_cast<uint64_t>(fileLength) : 0;
    return size != 0 && offset <= length && size <= length - offset;
}

bool ReadAt(QFile& file, uint64_t offset, void* destination, uint32_t size) {
    return offset <= static_cast<uint64_t>(std::numeric_limits<qint64>::max()) &&
           file.seek(static_cast<qint64>(offset)) &&
           file.read(static_cast<char*>(destination), size) == static_cast<qint64>(size);
}

double GSensorSamplesPerMs(const RecordingInfo& info, uint32_t sampleCount) {
    if (info.gsensorRate[0] != 0)
        return info.gsensorRate[0] / kRateCodeSpanMs;
    if (info.durationMs != 0 && sampleCount != 0)
        return static_cast<double>(sampleCount) / static_cast<double>(info.durationMs);
    return TrackLoader::kFallbackSamplesPerMs;
}

QString PlotScript(const char* format, const TrackPoint& point) {
    // QString::asprintf formats with a dot whatever the process locale says.
    return QString::asprintf(format, NmeaToDegrees(point.latitudeNmea),
                             NmeaToDegrees(point.longitudeNmea));
}

} // namespace

bool ReadsTrackFromSidecar(const QString& path) {
    return IsTransportStreamName(QFileInfo(path).fileName());
}

TrackLoader::TrackLoader(TrackBuffer& track, GSensorCurveSink* curve, MapScriptSink* map)
    : m_track(track), m_curve(curve), m_map(map) {}

int32_t TrackLoader::Load(int32_t entryIndex, const QString& path, const RecordingInfo& info) {
    RunScript(QStringLiteral("pathdrived_delete()"));
    RunScript(QStringLiteral("path_delete()"));
    m_track.resize(0, 0);
    m_track.entryIndex = entryIndex;
    if (ReadsTrackFromSidecar(path))
        return LoadFromSidecar(path);
    return LoadEmbedded(path, info);
}

int32_t TrackLoader::LoadFromSidecar(const QString& path) {
    if (m_curve != nullptr) {
        m_curve->ClearSamples();
        m_curve->SetScale(kSidecarFullScaleG, kDisplayRangeG);
        m_curve->Repaint();
    }
    const NmeaSidecarTrack sidecar = ReadNmeaSidecar(path, m_curve);
    if (m_curve != nullptr)
        m_curve->UpdateSpan();

    const size_t pointCount = std::min(sidecar.points.size(), kMaxBlockPoints);
    const size_t sampleCount = std::min<size_t>(sidecar.gsensorCount, kMaxBlockSamples);
    // The sidecar's samples live in the curve alone; the block only says that there are some.
    m_track.resize(static_cast<uint32_t>(pointCount * kTrackPointBytes),
                   static_cast<uint32_t>(sampleCount * kGSensorSampleBytes));
    if (m_curve != nullptr) {
        m_curve->SetSamplesPerMs(kSidecarSamplesPerMs);
        m_curve->UpdateSpan();
    }
    if (pointCount != 0) {
        m_track.pointsPerSecond = kSidecarPointsPerSecond;
        std::copy_n(sidecar.points.begin(), pointCount, m_track.points.begin());
        PlotRoute();
    }
    return 1;
}

int32_t TrackLoader::LoadEmbedded(const QString& path, const RecordingInfo& info) {
    // Both blocks stay empty until their payload has been read, so a recording that cannot
    // be opened, or a payload that lies beyond the end of the file, leaves nothing that
    // the playback clock could take for samples.
    // A FIFO would hold the open until a writer came, and a device has no payload to read:
    // only a regular file counts as a recording that can be opened.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return 0;
    if (m_curve != nullptr)
        m_curve->ClearSamples();
    LoadGSensorPayload(file, info);
    LoadPointPayload(file, info);
    return 1;
}

// Only the curve shows the samples: without one the payload is not read at all, and the block
// stays empty so that nothing takes the recording for one with samples to show.
void TrackLoader::LoadGSensorPayload(QFile& file, const RecordingInfo& info) {
    if (m_curve == nullptr)
        return;
    const uint32_t bytes = info.gsensorSize;
    if (!PayloadFits(info.gsensorOffset, bytes, file.size()))
        return;
    std::vector<uint8_t> block(bytes);
    if (!ReadAt(file, info.gsensorOffset, block.data(), bytes))
        return;
    m_track.gsensor = std::move(block);
    m_track.gsensorBytes = bytes;

    const uint32_t count = bytes / kGSensorSampleBytes;
    const uint8_t scaleByte = info.gsensorRate[1];
    m_curve->SetScale(scaleByte != 0 ? scaleByte : kUnsetFullScaleG, kDisplayRangeG);
    m_curve->ClearSamples();
    for (uint32_t i = 0; i < count; ++i) {
        GSensorSample sample;
        std::memcpy(&sample, m_track.gsensor.data() + size_t{i} * kGSensorSampleBytes,
                    sizeof sample);
        m_curve->AddSample(sample);
    }
    m_curve->UpdateSpan();
    m_curve->SetSamplesPerMs(GSensorSamplesPerMs(info, count));
    m_curve->UpdateSpan();
}

void TrackLoader::LoadPointPayload(QFile& file, const RecordingInfo& info) {
    const uint32_t bytes = info.gpsSize;
    if (!PayloadFits(info.gpsOffset, bytes, file.size()))
        return;
    std::vector<TrackPoint> block((size_t{bytes} + kTrackPointBytes - 1) / kTrackPointBytes,
                                  TrackPoint{});
    if (!ReadAt(file, info.gpsOffset, block.data(), bytes))
        return;
    m_track.points = std::move(block);
    m_track.pointBytes = bytes;
    m_track.pointsPerSecond = info.gpsRate[0] != 0 ? info.gpsRate[0] : kDefaultPointsPerSecond;
    PlotRoute();
}

void TrackLoader::PlotRoute() {
    if (m_map == nullptr)
        return;
    const uint32_t count = m_track.pointCount();
    for (uint32_t i = 0; i < count; ++i) {
        if (PassesMapTest(m_track.points[i]))
            RunScript(PlotScript("path_plot(%f,%f)", m_track.points[i]));
    }
}

int32_t TrackLoader::RedrawDrivenPath(uint32_t t) {
    if (m_track.pointsPerSecond == 0.0)
        m_track.pointsPerSecond = kDefaultPointsPerSecond;
    if (m_map == nullptr)
        return 1;
    RunScript(QStringLiteral("pathdrived_delete()"));
    const size_t count = std::min<size_t>(m_track.pointCount(), m_track.points.size());
    const double reached = std::trunc(t * m_track.pointsPerSecond / kMsPerSecond);
    size_t n = 0;
    if (reached > 0.0)
        n = reached >= static_cast<double>(count) ? count : static_cast<size_t>(reached);
    for (size_t i = 0; i < n; ++i) {
        if (PassesMapTest(m_track.points[i]))
            RunScript(PlotScript("pathdrived_plot(%f,%f)", m_track.points[i]));
    }
    return 1;
}

void TrackLoader::RunScript(const QString& script) {
    if (m_map != nullptr)
        m_map->RunScript(script);
}
