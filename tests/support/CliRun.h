#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>

#include <utility>
#include <vector>

// What one run of kestrola-cli left behind. exitCode is -1 when the tool could not be run or
// did not end normally.
struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject json() const;
};

using CliEnvironment = std::vector<std::pair<QString, QString>>;

// Runs the kestrola-cli found in $KESTROLA_BIN_DIR with the given arguments and extra
// environment variables, in workingDirectory when one is given, with its standard output sent
// to outputFile when one is given (out then stays empty); fails the current test when it is
// missing or does not finish.
CliRun RunCli(const QStringList& arguments, const CliEnvironment& environment = {},
              const QString& workingDirectory = {}, const QString& outputFile = {});

// Runs kestrola-cli with arguments that are a usage error and checks how it ends: exit 2, one
// line on stderr and nothing on stdout.
void ExpectUsageError(const QStringList& arguments);
