#include "CliRun.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

constexpr int kCliTimeoutMs = 60000;

} // namespace

QJsonObject CliRun::json() const {
    return QJsonDocument::fromJson(out).object();
}

CliRun RunCli(const QStringList& arguments, const CliEnvironment& environment,
              const QString& workingDirectory, const QString& outputFile) {
    CliRun run;
    const QString bin = qEnvironmentVariable("KESTROLA_BIN_DIR");
    const QString cli = QDir(bin).filePath(QStringLiteral("kestrola-cli"));
    if (bin.isEmpty() || !QFileInfo(cli).isExecutable()) {
        ADD_FAILURE() << "kestrola-cli not found; set KESTROLA_BIN_DIR to build/bin";
        return run;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : environment)
        env.insert(name, value);
    QProcess process;
    process.setProcessEnvironment(env);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(cli, arguments);
    if (!process.waitForFinished(kCliTimeoutMs)) {
        ADD_FAILURE() << "kestrola-cli did not finish";
        process.kill();
        process.waitForFinished();
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void ExpectUsageError(const QStringList& arguments) {
    SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
    const CliRun run = RunCli(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.count('\n'), 1);
}
