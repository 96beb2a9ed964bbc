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

bool MakeClip(const QString& outPath, const ClipSpec& spec, QString* error) {
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        return Fail(error, QStringLiteral("ffmpeg is not installed"));
    if (spec.seconds <= 0 || spec.width <= 0 || spec.height <= 0 || spec.frameRate <= 0)
        return Fail(error, QStringLiteral("clip length, size and frame rate must be positive"));

    const QString source = QStringLiteral("%1=size=%2x%3:rate=%4:duration=%5")
                               .arg(SourceName(spec.pattern))
                               .arg(spec.width)
                               .arg(spec.height)
                               .arg(spec.frameRate)
                               .arg(spec.seconds);
    QStringList args = {QStringLiteral("-nostdin"), QStringLiteral("-v"),
                        QStringLiteral("error"),    QStringLiteral("-y"),
                        QStringLiteral("-f"),       QStringLiteral("lavfi"),
                        QStringLiteral("-i"),       source,
                        QStringLiteral("-c:v"),     QStringLiteral("libx264"),
                        QStringLiteral("-preset"),  QStringLiteral("ultrafast"),
                        QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p")};
    switch (spec.container) {
    case ClipContainer::Mp4:
        args << QStringLiteral("-f") << QStringLiteral("mp4");
        if (spec.moovFirst)
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
