#include "CliCommand.h"
#include "CliJson.h"

#include "track/CKtrVideoParser.h"

#include <QCommandLineParser>

namespace {

int Probe(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("recording to read"));
    if (!parser.parse(QStringList{QStringLiteral("probe")} + arguments))
        throw CliUsageError(parser.errorText().toStdString());
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        throw CliUsageError("expected exactly one FILE");
    const QString& path = files.front();

    RecordingInfo info;
    const std::unique_ptr<CKtrVideoParser> reader = CreateReaderForName(path);
    reader->SetInfoTarget(&info);
    const int32_t result = reader->Parse(path);

    JsonMembers json = RecordingInfoMembers(info);
    json.insert(
        json.end(),
        {{"path", path}, {"reader", ReaderKindName(path)}, {"result", static_cast<int>(result)}});
    JsonStream(stdout).Object(std::move(json));
    return result == 0 ? 0 : 1;
}

const CliCommandRegistrar kRegistrar({"probe", "probe FILE",
                                      "what the embedded-track reader reads from one file", Probe});

} // namespace
