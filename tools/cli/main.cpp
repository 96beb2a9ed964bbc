#include "CliCommand.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifndef KESTROLA_VERSION
#define KESTROLA_VERSION "0"
#endif

std::vector<CliCommand>& CliCommands() {
    static std::vector<CliCommand> commands;
    return commands;
}

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
// Wide enough for the longest usage line, so that the summaries start in one column.
constexpr int kUsageColumn = 36;

int UsageError(const QString& message) {
    std::fprintf(stderr, "kestrola-cli: %s\n", message.toLocal8Bit().constData());
    return kExitUsage;
}

QString CommandList() {
    QStringList names;
    for (const CliCommand& command : CliCommands())
        names << QString::fromLatin1(command.name);
    return names.join(QLatin1Char('|'));
}

bool IsHelpOption(const QString& argument) {
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

int PrintOut(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    return kExitOk;
}

QString ToolHelp() {
    QString text = QStringLiteral("usage: kestrola-cli COMMAND ...\n\n");
    for (const CliCommand& command : CliCommands())
        text += QStringLiteral("  %1 %2\n")
                    .arg(QString::fromLatin1(command.usage), -kUsageColumn)
                    .arg(QString::fromLatin1(command.summary));
    text += QStringLiteral(
        "\nOutput is one JSON document on stdout (UTF-8). Exit 0 on success, 1 when the "
        "operation failed\n(the JSON is still printed) or the output could not be written, 2 "
        "on a usage error.\nkestrola-cli COMMAND --help shows one command.\n");
    return text;
}

QString CommandHelp(const CliCommand& command) {
    return QStringLiteral("usage: kestrola-cli %1\n\n%2\n")
        .arg(QString::fromLatin1(command.usage), QString::fromLatin1(command.summary));
}

// A reader of the output must not take a document cut short by a full disk for the whole
// answer, so a failed write fails the run whatever the command itself made of it.
int FinishOutput(int exitCode) {
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return exitCode;
    std::fprintf(stderr, "kestrola-cli: the output could not be written%s%s\n",
                 errno != 0 ? ": " : "", errno != 0 ? std::strerror(errno) : "");
    return kExitFailed;
}

int Run(const QStringList& args) {
    if (args.size() < 2)
        return UsageError(QStringLiteral("usage: kestrola-cli %1 ...").arg(CommandList()));
    if (args.size() == 2 && IsHelpOption(args.at(1)))
        return PrintOut(ToolHelp());
    if (args.size() == 2 && args.at(1) == QLatin1String("--version"))
        return PrintOut(QStringLiteral("kestrola-cli %1\n").arg(QStringLiteral(KESTROLA_VERSION)));
    for (const CliCommand& command : CliCommands()) {
        if (args.at(1) != QLatin1String(command.name))
            continue;
        const QStringList commandArgs = args.mid(2);
        if (std::any_of(commandArgs.begin(), commandArgs.end(), IsHelpOption))
            return PrintOut(CommandHelp(command));
        try {
            return command.run(commandArgs);
        } catch (const CliUsageError& error) {
            return UsageError(
                QStringLiteral("%1 (usage: kestrola-cli %2)")
                    .arg(QString::fromUtf8(error.what()), QString::fromLatin1(command.usage)));
        }
    }
    return UsageError(
        QStringLiteral("unknown command \"%1\" (expected %2)").arg(args.at(1), CommandList()));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrola-cli"));
    return FinishOutput(Run(QCoreApplication::arguments()));
}
