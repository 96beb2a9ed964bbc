// kestrola-recmaker: writes a camera recording from an ffmpeg-made clip and a route file.
#include "recmaker/RecordingMaker.h"
#include "recmaker/RouteFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int Complain(int status, const QString& message) {
    std::fprintf(stderr, "kestrola-recmaker: %s\n", message.toLocal8Bit().constData());
    return status;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes GPS and G-sensor data into a clip as the camera does. The container follows "
        "the output name: .MP4/.MOV/.3GP boxes, .AVI chunks, .TS a copy plus its .NMEA sidecar."));
    const QCommandLineOption clip(QStringLiteral("clip"), QStringLiteral("ffmpeg-made clip."),
                                  QStringLiteral("file"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("recording to write."),
                                 QStringLiteral("file"));
    const QCommandLineOption route(QStringLiteral("route"),
                                   QStringLiteral("route file (JSON, see RouteFile.h)."),
                                   QStringLiteral("file"));
    const QCommandLineOption placement(
        QStringLiteral("placement"),
        QStringLiteral("MP4 only: before-mdat (default), end or moov."), QStringLiteral("where"),
        QStringLiteral("before-mdat"));
    parser.addOptions({clip, out, route, placement});
    parser.addHelpOption();
    if (!parser.parse(QCoreApplication::arguments()))
        return Complain(kExitUsage, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (!parser.isSet(clip) || !parser.isSet(out) || !parser.isSet(route))
        return Complain(kExitUsage, QStringLiteral("--clip, --out and --route are required"));

    BoxPlacement where = BoxPlacement::BeforeMdat;
    const QString placementName = parser.value(placement);
    if (placementName == QLatin1String("end"))
        where = BoxPlacement::AtEnd;
    else if (placementName == QLatin1String("moov"))
        where = BoxPlacement::InsideMoov;
    else if (placementName != QLatin1String("before-mdat"))
        return Complain(kExitUsage, QStringLiteral("--placement must be before-mdat, end or moov"));

    QString error;
    CameraTrack track;
    if (!ReadRouteFile(parser.value(route), track, &error))
        return Complain(kExitFailed, error);

    const QString outPath = parser.value(out);
    const QString suffix = outPath.section(QLatin1Char('.'), -1).toUpper();
    bool made = false;
    if (suffix == QLatin1String("AVI"))
        made = MakeAviRecording(parser.value(clip), outPath, track, &error);
    else if (suffix == QLatin1String("TS"))
        made = MakeTsRecording(parser.value(clip), outPath, track, &error);
    else if (suffix == QLatin1String("MP4") || suffix == QLatin1String("MOV") ||
             suffix == QLatin1String("3GP"))
        made = MakeMp4Recording(parser.value(clip), outPath, track, where, &error);
    else
        return Complain(kExitUsage,
                        QStringLiteral("--out must end in .MP4, .MOV, .3GP, .AVI or .TS"));
    return made ? 0 : Complain(kExitFailed, error);
}
