#include "FuzzInputFile.h"
#include "map/KmlExport.h"
#include "track/TrackLoader.h"
#include "track/TrackSinks.h"

#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

// Input: a header (name length in UTF-16 units, start time, playback time), the name as raw
// UTF-16 units, then the track's point records as the camera writes them.
namespace {

constexpr size_t kHeaderBytes = 13;

struct Header {
    uint8_t nameUnits = 0;
    int64_t startTime = 0;
    uint32_t playbackMs = 0;
};

Header HeaderFrom(const uint8_t* data) {
    Header header;
    header.nameUnits = data[0];
    std::memcpy(&header.startTime, data + 1, sizeof header.startTime);
    std::memcpy(&header.playbackMs, data + 9, sizeof header.playbackMs);
    return header;
}

class ScriptList : public MapScriptSink {
public:
    void RunScript(const QString& script) override { scripts.append(script); }
    QStringList scripts;
};

// Every script the map page gets is one call with two plain "%f" numbers, or a delete.
void CheckScripts(const QStringList& scripts, const char* plotCall) {
    static const QRegularExpression number(QStringLiteral("-?[0-9]+\\.[0-9]{6}"));
    const QRegularExpression call(QRegularExpression::anchoredPattern(
        QString::fromLatin1(plotCall) + QStringLiteral("\\(%1,%1\\)").arg(number.pattern())));
    for (const QString& script : scripts) {
        if (script != QLatin1String("pathdrived_delete()") &&
            script != QLatin1String("path_delete()") && !call.match(script).hasMatch())
            std::abort();
    }
}

// The document reads to its end as XML, and every coordinate line holds finite numbers.
void CheckKml(const QByteArray& document) {
    QXmlStreamReader reader(document);
    QString coordinates;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("coordinates"))
            coordinates = reader.readElementText();
    }
    if (reader.hasError())
        std::abort();
    for (const QString& line : coordinates.split(u'\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = line.trimmed().split(u',');
        if (fields.size() != 3)
            std::abort();
        for (const QString& field : fields) {
            bool ok = false;
            if (!std::isfinite(field.toDouble(&ok)) || !ok)
                std::abort();
        }
    }
}

// Any UTF-16 units, as a file name may hold them.
QString NameFrom(const uint8_t* data, size_t units) {
    QString name(static_cast<qsizetype>(units), Qt::Uninitialized);
    for (size_t i = 0; i < units; ++i) {
        const auto unit = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
        name[static_cast<qsizetype>(i)] = QChar(unit);
    }
    return name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzInputFile recording(QStringLiteral("export.MP4"));
    if (size < kHeaderBytes)
        return 0;
    const Header header = HeaderFrom(data);
    data += kHeaderBytes;
    size -= kHeaderBytes;
    const size_t units = std::min<size_t>(header.nameUnits, size / 2);
    const QString name = NameFrom(data, units);
    data += 2 * units;
    size -= 2 * units;

    TrackBuffer track;
    track.resize(static_cast<uint32_t>(size), 0);
    if (size != 0)
        std::memcpy(track.points.data(), data, size);
    const KmlRecording entry{name.left(units / 2), name.mid(units / 2), header.startTime};
    KmlFilePath(QStringLiteral("/kml"), entry);
    CheckKml(KmlDocument(KmlPlacemarkName(entry), track));
    CheckKml(KmlDocument(name, track));

    ScriptList driven;
    TrackLoader(track, nullptr, &driven).RedrawDrivenPath(header.playbackMs);
    CheckScripts(driven.scripts, "pathdrived_plot");

    RecordingInfo info;
    info.gpsSize = static_cast<uint32_t>(size);
    info.fileSize = size;
    TrackBuffer loaded;
    ScriptList route;
    TrackLoader(loaded, nullptr, &route).Load(0, recording.Write(data, size), info);
    CheckScripts(route.scripts, "path_plot");
    if (loaded.pointBytes != size ||
        (size != 0 && std::memcmp(loaded.points.data(), data, size) != 0))
        std::abort();
    return 0;
}
