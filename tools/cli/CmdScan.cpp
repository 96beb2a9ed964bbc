#include "CliCatalogue.h"
#include "CliCommand.h"
#include "CliJson.h"

#include "library/CatalogueViews.h"
#include "library/ListCellTexts.h"
#include "library/RecordingCatalogue.h"

#include <QCommandLineParser>
#include <QJsonArray>

namespace {

template <size_t N> QJsonArray TextsJson(const std::array<QString, N>& texts) {
    QJsonArray row;
    for (const QString& text : texts)
        row.append(text);
    return row;
}

// The two lists as the window would show them, one array of cell texts per row.
class GroupRowsJson : public GroupListSink {
public:
    void DeleteAllItems() override { rows = QJsonArray(); }
    void SetHighlight(int32_t, bool) override {}
    void EnsureVisible(int32_t) override {}
    bool AddGroupRow(int32_t number, const QString& resolution, uint64_t totalMs,
                     uint64_t totalBytes, uint8_t, int64_t startTime) override {
        rows.append(TextsJson(GroupRowTexts(number, resolution, totalMs, totalBytes, startTime)));
        return true;
    }

    QJsonArray rows;
};

class FileRowsJson : public FileListSink {
public:
    void DeleteAllItems() override { rows = QJsonArray(); }
    void SetHighlight(int32_t, bool) override {}
    void EnsureVisible(int32_t) override {}
    bool AddFileRow(const QString& name, uint8_t) override {
        rows.append(TextsJson(FileRowTexts(name)));
        return true;
    }
    void SetPlayingRow(int32_t) override {}

    QJsonArray rows;
};

QJsonArray EntriesJson(const RecordingCatalogue& catalogue) {
    QJsonArray entries;
    for (int32_t i = 0; i < catalogue.EntryCount(); ++i) {
        const RecordingEntry& entry = catalogue.Entry(i);
        QJsonObject json = RecordingInfoJson(entry.info);
        json.insert(QStringLiteral("name"), entry.name);
        json.insert(QStringLiteral("folder"), entry.folder);
        json.insert(QStringLiteral("subfolder"), entry.subfolder);
        json.insert(QStringLiteral("path"), catalogue.EntryPath(i));
        json.insert(QStringLiteral("lockFlags"), entry.lockFlags);
        json.insert(QStringLiteral("groupStart"), static_cast<qint64>(entry.groupStart));
        json.insert(QStringLiteral("reader"), ReaderKindName(entry.name));
        json.insert(QStringLiteral("result"), entry.readResult);
        entries.append(json);
    }
    return entries;
}

QJsonArray GroupsJson(const RecordingCatalogue& catalogue) {
    QJsonArray groups;
    for (const RecordingGroup& group : catalogue.Groups()) {
        groups.append(QJsonObject{
            {QStringLiteral("number"), group.number},
            {QStringLiteral("first"), group.first},
            {QStringLiteral("count"), group.count},
            {QStringLiteral("totalMs"), static_cast<qint64>(group.totalMs)},
            {QStringLiteral("totalBytes"), static_cast<qint64>(group.totalBytes)},
            {QStringLiteral("lockFlags"), group.lockFlags},
        });
    }
    return groups;
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

    GroupRowsJson groupRows;
    FileRowsJson fileRows;
    RecordingCatalogue catalogue;
    catalogue.SetGroupList(&groupRows);
    catalogue.SetFileList(&fileRows);
    const bool found = CataloguePath(catalogue, path);

    PrintJson(QJsonObject{
        {QStringLiteral("result"), found},
        {QStringLiteral("filesExamined"), catalogue.filesExamined()},
        {QStringLiteral("entries"), EntriesJson(catalogue)},
        {QStringLiteral("groups"), GroupsJson(catalogue)},
        {QStringLiteral("groupRows"), groupRows.rows},
        {QStringLiteral("fileRows"), fileRows.rows},
    });
    return found ? 0 : 1;
}

const CliCommandRegistrar
    kRegistrar({"scan", "scan PATH",
                "the catalogue of a folder (or of one file): entries, groups and "
                "the cell texts of the two lists",
                Scan});

} // namespace
