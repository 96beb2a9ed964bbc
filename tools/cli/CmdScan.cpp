#include "CliCatalogue.h"
#include "CliCommand.h"
#include "CliJson.h"
#include "JsonStream.h"

#include "library/CatalogueViews.h"
#include "library/ListCellTexts.h"
#include "library/RecordingCatalogue.h"

#include <QCommandLineParser>

#include <vector>

namespace {

template <size_t N> void WriteTexts(JsonStream& out, const std::array<QString, N>& texts) {
    out.BeginArray();
    for (const QString& text : texts)
        out.Element(text);
    out.End();
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

void WriteEntry(JsonStream& out, const RecordingCatalogue& catalogue, int32_t i) {
    const RecordingEntry& entry = catalogue.Entry(i);
    JsonMembers json = RecordingInfoMembers(entry.info);
    json.insert(json.end(), {{"name", entry.name},
                             {"folder", entry.folder},
                             {"subfolder", entry.subfolder},
                             {"path", catalogue.EntryPath(i)},
                             {"lockFlags", entry.lockFlags},
                             {"groupStart", static_cast<qint64>(entry.groupStart)},
                             {"reader", CatalogueReaderKindName(entry.name)},
                             {"result", entry.readResult}});
    out.Object(std::move(json));
}

void WriteGroup(JsonStream& out, const RecordingGroup& group) {
    out.Object({
        {"number", group.number},
        {"first", group.first},
        {"count", group.count},
        {"totalMs", static_cast<qint64>(group.totalMs)},
        {"totalBytes", static_cast<qint64>(group.totalBytes)},
        {"lockFlags", group.lockFlags},
    });
}

// Members in the order a QJsonObject sorts their keys.
void PrintScan(bool found, const RecordingCatalogue& catalogue, const GroupRowsRecorder& groupRows,
               const FileRowsRecorder& fileRows) {
    JsonStream out(stdout);
    out.BeginObject();
    out.BeginArray("entries");
    for (int32_t i = 0; i < catalogue.EntryCount(); ++i)
        WriteEntry(out, catalogue, i);
    out.End();
    out.BeginArray("fileRows");
    for (const QString& name : fileRows.names)
        WriteTexts(out, FileRowTexts(name));
    out.End();
    out.Member("filesExamined", catalogue.filesExamined());
    out.BeginArray("groupRows");
    for (const GroupRowsRecorder::Row& row : groupRows.rows)
        WriteTexts(out, GroupRowTexts(row.number, row.resolution, row.totalMs, row.totalBytes,
                                      row.startTime));
    out.End();
    out.BeginArray("groups");
    for (const RecordingGroup& group : catalogue.Groups())
        WriteGroup(out, group);
    out.End();
    out.Member("result", found);
    out.BeginArray("unreadable");
    for (const UnreadableRecording& file : catalogue.Unreadable())
        out.Object({{"path", file.path}, {"reason", ReadFailureText(file.reason)}});
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
