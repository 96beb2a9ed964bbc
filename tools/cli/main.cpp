#include "CliCommand.h"

#include <QCoreApplication>
#include <QJsonDocument>

#include <cstdio>

std::vector<CliCommand>& CliCommands()
{
    static std::vector<CliCommand> commands;
    return commands;
}

void PrintJson(const QJsonObject& document)
{
    const QByteArray bytes = QJsonDocument(document).toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

namespace {

int UsageError(const QString& message)
{
    std::fprintf(stderr, "kestrola-cli: %s\n", message.toLocal8Bit().constData());
    return 2;
}

QString CommandList()
{
    QStringList names;
    for (const CliCommand& command : CliCommands())
        names << QString::fromLatin1(command.name);
    return names.join(QLatin1Char('|'));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrola-cli"));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2)
        return UsageError(QStringLiteral("usage: kestrola-cli %1 ...").arg(CommandList()));
    for (const CliCommand& command : CliCommands()) {
        if (args.at(1) != QLatin1String(command.name))
            continue;
        try {
            return command.run(args.mid(2));
        } catch (const CliUsageError& error) {
            return UsageError(QStringLiteral("%1 (usage: kestrola-cli %2)")
                                  .arg(QString::fromUtf8(error.what()),
                                       QString::fromLatin1(command.usage)));
        }
    }
    return UsageError(QStringLiteral("unknown command \"%1\" (expected %2)")
                          .arg(args.at(1), CommandList()));
}
