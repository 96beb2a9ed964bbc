#include "CliCatalogue.h"
#include "CliCommand.h"

#include "library/RecordingCatalogue.h"
#include "map/GSensorTrace.h"
#include "map/KmlExport.h"
#include "track/TrackSinks.h"

#include <QCommandLineParser>
#include <QJsonArray>

namespace {

// Keeps every script text of a load, one per call, in the order the loader ran them.
class RecordingMapSink : public MapScriptSink {
public:
    void RunScript(const QString& script) override { m_scripts.append(script); }
    QJsonArray Scripts() const { return QJsonArray::fromStringList(m_scripts); }

private:
    QStringList m_scripts;
};

struct TrackArguments {
    QString path;
    int32_t entry = 0;
    QString outFolder;
};

TrackArguments ParseArguments(const QString& command, const QStringList& arguments, bool withOut) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("PATH"), QStringLiteral("folder or recording"));
    const QCommandLineOption entryOption(QStringLiteral("entry"),
                                         QStringLiteral("catalogue entry to load"),
                                         QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("KML folder"),
                                       QStringLiteral("DIR"));
    parser.addOption(entryOption);
    if (withOut)
        parser.addOption(outOption);
    if (!parser.parse(QStringList{command} + arguments))
        throw CliUsageError(parser.errorText().toStdString());
    const QStringList paths = parser.positionalArguments();
    if (paths.size() != 1)
        throw CliUsageError("expected exactly one PATH");

    TrackArguments parsed;
    parsed.path = paths.front();
    bool isNumber = false;
    parsed.entry = parser.value(entryOption).toInt(&isNumber);
    if (!isNumber)
        throw CliUsageError("--entry needs a whole number");
    if (withOut && parser.isSet(outOption)) {
        parsed.outFolder = parser.value(outOption);
        if (parsed.outFolder.isEmpty())
            throw CliUsageError("--out needs a folder");
    }
    return parsed;
}

QJsonObject PointJson(const TrackPoint& point) {
    return {
        {QStringLiteral("latitudeNmea"), point.latitudeNmea},
        {QStringLiteral("longitudeNmea"), point.longitudeNmea},
        {QStringLiteral("altitude"), point.altitude},
        {QStringLiteral("speedKmh"), point.speedKmh},
        {QStringLiteral("headingHalfDeg"), point.headingHalfDeg},
        {QStringLiteral("fixValid"), point.fixValid()},
    };
}

QJsonObject CurveJson(const GSensorTrace& curve) {
    QJsonArray samples;
    for (const GSensorSample& sample : curve.samples())
        samples.append(QJsonArray{sample.x, sample.y, sample.z});
    return {
        {QStringLiteral("fullScale"), curve.fullScale()},
        {QStringLiteral("displayRange"), curve.displayRange()},
        {QStringLiteral("samplesPerMs"), curve.SamplesPerMs()},
        {QStringLiteral("samples"), samples},
    };
}

// The catalogue of PATH with entry N loaded into it, as the player has it while N plays.
class LoadedTrack {
public:
    explicit LoadedTrack(const TrackArguments& arguments) {
        m_catalogue.SetCurve(&m_curve);
        m_catalogue.SetMap(&m_map);
        CataloguePath(m_catalogue, arguments.path);
        m_result = m_catalogue.LoadTrack(arguments.entry);
    }

    QJsonObject Json() const {
        const TrackBuffer& track = m_catalogue.Track();
        QJsonArray points;
        for (uint32_t i = 0; i < track.pointCount(); ++i)
            points.append(PointJson(track.points[i]));
        return {
            {QStringLiteral("loadResult"), m_result},
            {QStringLiteral("entryIndex"), track.entryIndex},
            {QStringLiteral("pointsPerSecond"), track.pointsPerSecond},
            {QStringLiteral("pointBytes"), static_cast<qint64>(track.pointBytes)},
            {QStringLiteral("points"), points},
            {QStringLiteral("gsensor"), CurveJson(m_curve)},
            {QStringLiteral("mapCalls"), m_map.Scripts()},
        };
    }

    KmlExportResult ExportKml(const QString& outFolder) {
        const KmlRecordingLookup recordingAt = [this](int32_t index) {
            const RecordingEntry& entry = m_catalogue.Entry(index);
            return KmlRecording{entry.subfolder, entry.name, entry.info.startTime};
        };
        // Nothing loaded: no file, and no output folder made under Documents for it either.
        if (!KmlTrackLoaded(m_catalogue.Track(), m_catalogue.EntryCount()))
            return {};
        return ::ExportKml(outFolder.isEmpty() ? KmlOutputFolder() : outFolder, m_catalogue.Track(),
                           m_catalogue.EntryCount(), recordingAt);
    }

    int32_t result() const { return m_result; }

private:
    GSensorTrace m_curve;
    RecordingMapSink m_map;
    RecordingCatalogue m_catalogue;
    int32_t m_result = 0;
};

int Track(const QStringList& arguments) {
    const LoadedTrack loaded(ParseArguments(QStringLiteral("track"), arguments, false));
    PrintJson(loaded.Json());
    return loaded.result() == 1 ? 0 : 1;
}

int Kml(const QStringList& arguments) {
    const TrackArguments parsed = ParseArguments(QStringLiteral("kml"), arguments, true);
    LoadedTrack loaded(parsed);
    const KmlExportResult result = loaded.ExportKml(parsed.outFolder);
    PrintJson({{QStringLiteral("result"), result.ok}, {QStringLiteral("path"), result.path}});
    return result.ok ? 0 : 1;
}

const CliCommandRegistrar kTrackRegistrar(
    {"track", "track PATH [--entry N]",
     "the track of entry N: points, G-sensor samples and every map script the load runs", Track});
const CliCommandRegistrar kKmlRegistrar({"kml", "kml PATH [--entry N] [--out DIR]",
                                         "exports the track of entry N as KML", Kml});

} // namespace
