#include "CliCatalogue.h"
#include "CliCommand.h"
#include "CliJson.h"
#include "JsonStream.h"

#include "library/CatalogueViews.h"
#include "library/ListCellTexts.h"
#include "library/RecordingCatalogue.h"

#include <QCommandLineParser>
#include <QJsonArray>

#include <vector>

namespace {

template <size_t N> QJsonArray TextsJson(const std::array<QString, N>& texts) {
    QJsonArray row;
    for (const QString& text : texts)
        row.append(text);
    return row;
}

// The two lists as the window would fill them. The rows keep what the catalogue handed over
// and become cell texts only when printed, so a large card holds no texts twice.
class GroupRowsRecorder : public GroupListSink {
public:
    struct Row {
        int32_t number;
        QString resolution;
        uint64_t totalMs;
        uint64_t totalBytes;
        int64_t startTime;
    };

    void DeleteAllItems() override { rows.clear(); }
    void SetHighlight(int32_t, bool) override {}
    void EnsureVisible(int32_t) override {}
    bool AddGroupRow(int32_t number, const QString& resolution, uint64_t totalMs,
                     uint64_t totalBytes, uint8_t, int64_t startTime) override {
        rows.push_back({number, resolution, totalMs, totalBytes, startTime});
        return true;
    }

    std::vector<Row> rows;
};

class FileRowsRecorder : public FileListSink {
public:
    void DeleteAllItems() override { names.clear(); }
    void SetHighlight(int32_t, bool) override {}
    void EnsureVisible(int32_t) override {}
    bool AddFileRow(const QString& name, uint8_t) override {
        names.push_back(name);
        return true;
    }
    void SetPlayingRow(int32_t) override {}

    std::vector<QString> names;
};

QJsonObject EntryJson(const RecordingCatalogue& catalogue, int32_t i) {
    const RecordingEntry& entry = catalogue.Entry(i);
    QJsonObject json = RecordingInfoJson(entry.info);
    json.insert(QStringLiteral("name"), entry.name);
    json.insert(QStringLiteral("folder"), entry.folder);
    json.insert(QStringLiteral("subfolder"), entry.subfolder);
    json.insert(QStringLiteral("path"), catalogue.EntryPath(i));
    json.insert(QStringLiteral("lockFlags"), entry.lockFlags);
    json.insert(QStringLiteral("groupStart"), static_cast<qint64>(entry.groupStart));
    json.insert(QStringLiteral("reader"), CatalogueReaderKindName(entry.name));
    json.insert(QStringLiteral("result"), entry.readResult);
    return json;
}

QJsonObject GroupJson(const RecordingGroup& group) {
    return {
        {QStringLiteral("number"), group.number},
        {QStringLiteral("first"), group.first},
        {QStringLiteral("count"), group.count},
        {QStringLiteral("totalMs"), static_cast<qint64>(group.totalMs)},
        {QStringLiteral("totalBytes"), static_cast<qint64>(group.totalBytes)},
        {QStringLiteral("lockFlags"), group.lockFlags},
    };
}

// Members in the order a QJsonObject sorts their keys.
void PrintScan(bool found, const RecordingCatalogue& catalogue, const GroupRowsRecorder& groupRows,
               const FileRowsRecorder& fileRows) {
    JsonStream out(stdout);
    out.BeginObject();
    out.BeginArray(QStringLiteral("entries"));
    for (int32_t i = 0; i < catalogue.EntryCount(); ++i)
        out.Element(EntryJson(catalogue, i));
    out.End();
    out.BeginArray(QStringLiteral("fileRows"));
    for (const QString& name : fileRows.names)
        out.Element(TextsJson(FileRowTexts(name)));
    out.End();
    out.Member(QStringLiteral("filesExamined"), catalogue.filesExamined());
    out.BeginArray(QStringLiteral("groupRows"));
    for (const GroupRowsRecorder::Row& row : groupRows.rows)
        out.Element(TextsJson(
            GroupRowTexts(row.number, row.resolution, row.totalMs, row.totalBytes, row.startTime)));
    out.End();
    out.BeginArray(QStringLiteral("groups"));
    for (const RecordingGroup& group : catalogue.Groups())
        out.Element(GroupJson(group));
    out.End();
    out.Member(QStringLiteral("result"), found);
    out.BeginArray(QStringLiteral("unreadable"));
    for (const UnreadableRecording& file : catalogue.Unreadable())
        out.Element(QJsonObject{{QStringLiteral("path"), file.path},
                                {QStringLiteral("reason"), ReadFailureText(file.reason)}});
    out.End();
    out.End();
}

int Scan(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("PATH"),
                                 QStringLiteral("folder to scan, or one recording"));
    if (!parser.parse(QStringList{QStringLiteral("scan")} + arguments))
        throw CliUsageError(parser.errorText().toStdString());
    const QStringList paths = parser.positionalArguments();
    if (paths.size() != 1)
        throw CliUsageError("expected exactly one PATH");
    const QString& path = paths.front();

    GroupRowsRecorder groupRows;
    FileRowsRecorder fileRows;
    RecordingCatalogue catalogue;
    catalogue.SetGroupList(&groupRows);
    catalogue.SetFileList(&fileRows);
    const bool found = CataloguePath(catalogue, path);
    PrintScan(found, catalogue, groupRows, fileRows);
    return found ? 0 : 1;
}

const CliCommandRegistrar
    kRegistrar({"scan", "scan PATH",
                "the catalogue of a folder (or of one file): entries, groups and "
                "the cell texts of the two lists",
                Scan});

} // namespace
