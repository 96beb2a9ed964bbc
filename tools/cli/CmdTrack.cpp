#include "CliCatalogue.h"
#include "CliCommand.h"
#include "JsonStream.h"

#include "library/RecordingCatalogue.h"
#include "map/GSensorTrace.h"
#include "map/GpxExport.h"
#include "map/KmlExport.h"
#include "track/TrackSinks.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>

#include <vector>

namespace {

// Keeps every script text of a load, one per call, in the order the loader ran them.
class RecordingMapSink : public MapScriptSink {
public:
    void RunScript(const QString& script) override { m_scripts.append(script); }
    const QStringList& Scripts() const { return m_scripts; }

private:
    QStringList m_scripts;
};

// Writes count elements made by element(i) as elements of the open array.
template <typename MakeElement>
void WriteElements(JsonStream& out, size_t count, const MakeElement& element) {
    for (size_t i = 0; i < count; ++i)
        out.Element(element(i));
}

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

void WriteCurve(JsonStream& out, const GSensorTrace& curve) {
    const std::vector<GSensorSample>& samples = curve.samples();
    out.BeginObject("gsensor");
    out.Member("displayRange", curve.displayRange());
    out.Member("fullScale", curve.fullScale());
    out.BeginArray("samples");
    WriteElements(out, samples.size(), [&samples](size_t i) {
        return QJsonArray{samples[i].x, samples[i].y, samples[i].z};
    });
    out.End();
    out.Member("samplesPerMs", curve.SamplesPerMs());
    out.End();
}

// The catalogue of PATH with entry N loaded into it. With views, as the player has it while N
// plays; without, only the points are read, which is all a KML file holds.
class LoadedTrack {
public:
    enum class Views { Attached, None };

    LoadedTrack(const TrackArguments& arguments, Views views) {
        if (views == Views::Attached) {
            m_catalogue.SetCurve(&m_curve);
            m_catalogue.SetMap(&m_map);
        }
        CataloguePath(m_catalogue, arguments.path);
        m_result = m_catalogue.LoadTrack(arguments.entry);
    }

    // Members in the order a QJsonObject sorts their keys.
    void Print() const {
        const TrackBuffer& track = m_catalogue.Track();
        JsonStream out(stdout);
        out.BeginObject();
        out.Member("entryIndex", track.entryIndex);
        WriteCurve(out, m_curve);
        out.Member("loadResult", m_result);
        out.BeginArray("mapCalls");
        const QStringList& scripts = m_map.Scripts();
        WriteElements(out, static_cast<size_t>(scripts.size()),
                      [&scripts](size_t i) { return scripts[static_cast<qsizetype>(i)]; });
        out.End();
        out.Member("pointBytes", static_cast<qint64>(track.pointBytes));
        out.BeginArray("points");
        WriteElements(out, track.pointCount(),
                      [&track](size_t i) { return PointJson(track.points[i]); });
        out.End();
        out.Member("pointsPerSecond", track.pointsPerSecond);
        out.End();
    }

    // Nothing loaded: no file, and no output folder made under Documents for it either.
    template <typename Export>
    KmlExportResult ExportTrack(const QString& outFolder, const QString& defaultFolder,
                                Export exportTrack) {
        const KmlRecordingLookup recordingAt = [this](int32_t index) {
            const RecordingEntry& entry = m_catalogue.Entry(index);
            return KmlRecording{entry.subfolder, entry.name, entry.info.startTime};
        };
        if (!KmlTrackLoaded(m_catalogue.Track(), m_catalogue.EntryCount()))
            return {};
        return exportTrack(outFolder.isEmpty() ? defaultFolder : outFolder, m_catalogue.Track(),
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
    const LoadedTrack loaded(ParseArguments(QStringLiteral("track"), arguments, false),
                             LoadedTrack::Views::Attached);
    loaded.Print();
    return loaded.result() == 1 ? 0 : 1;
}

int Kml(const QStringList& arguments) {
    const TrackArguments parsed = ParseArguments(QStringLiteral("kml"), arguments, true);
    LoadedTrack loaded(parsed, LoadedTrack::Views::None);
    const KmlExportResult result =
        loaded.ExportTrack(parsed.outFolder, KmlOutputFolder(), ::ExportKml);
    JsonStream(stdout).Object({{"result", result.ok}, {"path", result.path}});
    return result.ok ? 0 : 1;
}

// The same points as kml, with their times, as GPX.
int Gpx(const QStringList& arguments) {
    const TrackArguments parsed = ParseArguments(QStringLiteral("gpx"), arguments, true);
    LoadedTrack loaded(parsed, LoadedTrack::Views::None);
    const KmlExportResult result =
        loaded.ExportTrack(parsed.outFolder, GpxOutputFolder(), ::ExportGpx);
    JsonStream(stdout).Object({{"result", result.ok}, {"path", result.path}});
    return result.ok ? 0 : 1;
}

const CliCommandRegistrar kTrackRegistrar(
    {"track", "track PATH [--entry N]",
     "the track of entry N: points, G-sensor samples and every map script the load runs", Track});
const CliCommandRegistrar kKmlRegistrar({"kml", "kml PATH [--entry N] [--out DIR]",
                                         "exports the track of entry N as KML", Kml});
const CliCommandRegistrar kGpxRegistrar({"gpx", "gpx PATH [--entry N] [--out DIR]",
                                         "exports the track of entry N as GPX", Gpx});

} // namespace
