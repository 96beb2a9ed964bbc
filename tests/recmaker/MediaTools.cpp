#include "MediaTools.h"

#include <QProcess>

ToolRun RunTool(const QString& program, const QStringList& args) {
    constexpr int kTimeoutMs = 5 * 60 * 1000;
    QProcess process;
    process.start(program, args);
    ToolRun run;
    if (!process.waitForStarted() || !process.waitForFinished(kTimeoutMs)) {
        run.err = process.errorString().toUtf8();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

ToolRun Probe(const QString& path) {
    return RunTool(QStringLiteral("ffprobe"),
                   {QStringLiteral("-v"), QStringLiteral("error"), path});
}

ToolRun DecodeDigest(const QString& path) {
    return RunTool(QStringLiteral("ffmpeg"),
                   {QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"),
                    QStringLiteral("-i"), path, QStringLiteral("-map"), QStringLiteral("0:v"),
                    QStringLiteral("-f"), QStringLiteral("md5"), QStringLiteral("-")});
}
