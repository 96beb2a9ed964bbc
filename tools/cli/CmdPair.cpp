#include "CliCommand.h"
#include "JsonStream.h"

#include "playback/CompanionPaths.h"

#include <QCommandLineParser>

namespace {

// The path is looked up as given, so a relative one resolves against the working directory
// and the printed companions stay relative too.
int Pair(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("one file of a recording"));
    if (!parser.parse(QStringList{QStringLiteral("pair")} + arguments))
        throw CliUsageError(parser.errorText().toStdString());
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        throw CliUsageError("expected exactly one FILE");
    const QString& path = files.front();

    JsonStream(stdout).Object({{"front", FrontCompanion(path)}, {"rear", RearCompanion(path)}});
    return 0;
}

const CliCommandRegistrar kRegistrar({"pair", "pair FILE",
                                      "the front and the rear file of FILE's recording", Pair});

} // namespace
