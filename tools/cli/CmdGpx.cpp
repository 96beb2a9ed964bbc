#include "CliCatalogue.h"
#include "CliCommand.h"

#include "library/RecordingCatalogue.h"
#include "map/GpxExport.h"

#include <QCommandLineParser>

namespace {

struct GpxArguments {
    QString path;
    int32_t entry = 0;
    QString outFolder; // empty: the GPX folder under Documents
};

GpxArguments ParseGpxArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("PATH"), QStringLiteral("folder or recording"));
    const QCommandLineOption entryOption(QStringLiteral("entry"),
                                         QStringLiteral("catalogue entry to load"),
                                         QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("GPX folder"),
                                       QStringLiteral("DIR"));
    parser.addOptions({entryOption, outOption});
    if (!parser.parse(QStringList{QStringLiteral("gpx")} + arguments))
        throw CliUsageError(parser.errorText().toStdString());
    const QStringList paths = parser.positionalArguments();
    if (paths.size() != 1)
        throw CliUsageError("expected exactly one PATH");

    GpxArguments parsed;
    parsed.path = paths.front();
    bool isNumber = false;
    parsed.entry = parser.value(entryOption).toInt(&isNumber);
    if (!isNumber)
        throw CliUsageError("--entry needs a whole number");
    if (parser.isSet(outOption)) {
        parsed.outFolder = parser.value(outOption);
        if (parsed.outFolder.isEmpty())
            throw CliUsageError("--out needs a folder");
    }
    return parsed;
}

// Loads entry N of PATH as the player would and writes its track as GPX, printing the same
// keys as kml.
int Gpx(const QStringList& arguments) {
    const GpxArguments parsed = ParseGpxArguments(arguments);
    RecordingCatalogue catalogue;
    CataloguePath(catalogue, parsed.path);
    catalogue.LoadTrack(parsed.entry);
    KmlExportResult result;
    // Nothing loaded: no file, and no output folder made under Documents for it either.
    if (KmlTrackLoaded(catalogue.Track(), catalogue.EntryCount())) {
        const KmlRecordingLookup recordingAt = [&catalogue](int32_t index) {
            const RecordingEntry& entry = catalogue.Entry(index);
            return KmlRecording{entry.subfolder, entry.name, entry.info.startTime};
        };
        result = ExportGpx(parsed.outFolder.isEmpty() ? GpxOutputFolder() : parsed.outFolder,
                           catalogue.Track(), catalogue.EntryCount(), recordingAt);
    }
    PrintJson({{QStringLiteral("result"), result.ok}, {QStringLiteral("path"), result.path}});
    return result.ok ? 0 : 1;
}

const CliCommandRegistrar kGpxRegistrar({"gpx", "gpx PATH [--entry N] [--out DIR]", Gpx});

} // namespace
