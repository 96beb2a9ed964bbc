#include "recmaker/ClipMaker.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace {

constexpr int kFfmpegTimeoutMs = 10 * 60 * 1000;

QString SourceName(ClipPattern pattern) {
    switch (pattern) {
    case ClipPattern::TestSrc:
        return QStringLiteral("testsrc");
    case ClipPattern::TestSrc2:
        return QStringLiteral("testsrc2");
    case ClipPattern::SmpteBars:
        return QStringLiteral("smptebars");
    case ClipPattern::Mandelbrot:
        return QStringLiteral("mandelbrot");
    }
    return QStringLiteral("testsrc2");
}

bool Fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

} // namespace

bool MakeClip(const QString& outPath, const ClipSpec& clip, QString* error) {
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        return Fail(error, QStringLiteral("ffmpeg is not installed"));
    if (clip.seconds <= 0 || clip.width <= 0 || clip.height <= 0 || clip.frameRate <= 0)
        return Fail(error, QStringLiteral("clip length, size and frame rate must be positive"));

    QString source = QStringLiteral("%1=size=%2x%3:rate=%4:duration=%5")
                         .arg(SourceName(clip.pattern))
                         .arg(clip.width)
                         .arg(clip.height)
                         .arg(clip.frameRate)
                         .arg(clip.seconds);
    if (!clip.filter.isEmpty())
        source += QLatin1Char(',') + clip.filter;
    QStringList args = {QStringLiteral("-nostdin"), QStringLiteral("-v"),
                        QStringLiteral("error"),    QStringLiteral("-y"),
                        QStringLiteral("-f"),       QStringLiteral("lavfi"),
                        QStringLiteral("-i"),       source};
    if (clip.withAudio)
        args << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
             << QStringLiteral("sine=frequency=440:duration=%1").arg(clip.seconds)
             << QStringLiteral("-c:a") << QStringLiteral("aac");
    args << QStringLiteral("-c:v") << QStringLiteral("libx264") << QStringLiteral("-preset")
         << QStringLiteral("ultrafast") << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p")
         << QStringLiteral("-g") << QString::number(clip.frameRate);
    switch (clip.container) {
    case ClipContainer::Mp4:
        args << QStringLiteral("-f") << QStringLiteral("mp4");
        if (clip.moovFirst)
            args << QStringLiteral("-movflags") << QStringLiteral("+faststart");
        break;
    case ClipContainer::Avi:
        args << QStringLiteral("-f") << QStringLiteral("avi");
        break;
    case ClipContainer::Ts:
        args << QStringLiteral("-f") << QStringLiteral("mpegts");
        break;
    }
    args << outPath;

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(ffmpeg, args);
    if (!process.waitForStarted())
        return Fail(error, QStringLiteral("cannot start ffmpeg: %1").arg(process.errorString()));
    if (!process.waitForFinished(kFfmpegTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return Fail(error, QStringLiteral("ffmpeg did not finish"));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return Fail(error, QStringLiteral("ffmpeg failed: %1")
                               .arg(QString::fromLocal8Bit(process.readAll()).trimmed()));
    return true;
}
