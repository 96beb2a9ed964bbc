#include "CliRun.h"
#include "RecordingFixtures.h"
#include "ScopedTimeZone.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QJsonArray Row(const QStringList& cells) {
    return QJsonArray::fromStringList(cells);
}

class CliScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(m_dir.filePath(QStringLiteral("F/20210504-102027F.MP4")),
                  MinimalMp4("2021-05-04 10:20:27", 60000, 1920, 1080));
        WriteFile(m_dir.filePath(QStringLiteral("R/20210504-102027R.MP4")),
                  MinimalMp4("2021-05-04 10:20:27", 59999, 1920, 1080));
        WriteFile(m_dir.filePath(QStringLiteral("R/notes.txt")), QByteArray("not a recording"));
    }

    QTemporaryDir m_dir;
};

TEST_F(CliScanTest, FolderScanPrintsEntriesGroupsAndCellTexts) {
    const CliRun run = RunCli({QStringLiteral("scan"), m_dir.path()});
    ASSERT_EQ(run.exitCode, 0);
    const QJsonObject json = run.json();
    EXPECT_TRUE(json[QStringLiteral("result")].toBool());
    EXPECT_EQ(json[QStringLiteral("filesExamined")].toInt(), 3);

    const QJsonArray entries = json[QStringLiteral("entries")].toArray();
    ASSERT_EQ(entries.size(), 2);
    const QJsonObject rear = entries[1].toObject();
    EXPECT_EQ(rear[QStringLiteral("name")].toString(), QStringLiteral("20210504-102027R.MP4"));
    EXPECT_EQ(rear[QStringLiteral("folder")].toString(), m_dir.path() + QLatin1Char('/'));
    EXPECT_EQ(rear[QStringLiteral("subfolder")].toString(), QStringLiteral("R/"));
    EXPECT_EQ(rear[QStringLiteral("path")].toString(),
              m_dir.filePath(QStringLiteral("R/20210504-102027R.MP4")));
    EXPECT_EQ(rear[QStringLiteral("groupStart")].toInt(), 0);
    EXPECT_EQ(rear[QStringLiteral("lockFlags")].toInt(), 0);
    EXPECT_EQ(rear[QStringLiteral("reader")].toString(), QStringLiteral("mp4"));
    EXPECT_EQ(rear[QStringLiteral("result")].toInt(-9), 0);
    EXPECT_EQ(rear[QStringLiteral("durationMs")].toInt(), 59999);
    EXPECT_EQ(rear[QStringLiteral("width")].toInt(), 1920);
    const QDateTime start(QDate(2021, 5, 4), QTime(10, 20, 27), Qt::LocalTime);
    EXPECT_EQ(rear[QStringLiteral("startTime")].toInteger(), start.toSecsSinceEpoch());

    const QJsonArray groups = json[QStringLiteral("groups")].toArray();
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(groups[0].toObject()[QStringLiteral("count")].toInt(), 2);
    EXPECT_EQ(groups[0].toObject()[QStringLiteral("totalMs")].toInt(), 119999);

    EXPECT_EQ(json[QStringLiteral("groupRows")].toArray(),
              QJsonArray({Row({"G0", "FHD", "2021-05-04 10:20:27", " 119 s ", " 0 MB"})}));
    EXPECT_EQ(json[QStringLiteral("fileRows")].toArray(),
              QJsonArray({Row({"20210504-102027F.MP4", "10:20:27", "2021-05-04 10:20:27"}),
                          Row({"20210504-102027R.MP4", "10:20:27", "2021-05-04 10:20:27"})}));
}

// The list comes after every key scripts already read, whose bytes stay as they were.
TEST_F(CliScanTest, FolderScanPrintsTheUnreadableFilesLast) {
    const QByteArray mp4 = MinimalMp4("2021-05-04 10:21:27", 60000, 1920, 1080);
    WriteFile(m_dir.filePath(QStringLiteral("F/20210504-102127F.MP4")),
              mp4.left(mp4.indexOf("moov") + 8));
    WriteFile(m_dir.filePath(QStringLiteral("R/20210504-102127R.MP4")), QByteArray());
    const CliRun run = RunCli({QStringLiteral("scan"), m_dir.path()});
    ASSERT_EQ(run.exitCode, 0);
    const QJsonObject json = run.json();
    EXPECT_EQ(json[QStringLiteral("entries")].toArray().size(), 2);
    EXPECT_EQ(
        json[QStringLiteral("unreadable")].toArray(),
        QJsonArray({QJsonObject{{"path", m_dir.filePath(QStringLiteral("F/20210504-102127F.MP4"))},
                                {"reason", "no-index"}},
                    QJsonObject{{"path", m_dir.filePath(QStringLiteral("R/20210504-102127R.MP4"))},
                                {"reason", "empty"}}}))
        << run.out.constData();
    const qsizetype listAt = run.out.indexOf("\"unreadable\"");
    for (const QString& key : json.keys()) {
        if (key != QStringLiteral("unreadable")) {
            EXPECT_LT(run.out.lastIndexOf('"' + key.toUtf8() + '"'), listAt) << key.toStdString();
        }
    }
}

// A card of transport streams reads as any other: its entries, groups and cells, the stream
// without a sidecar in the unreadable list, and a KML named after the time in the name.
TEST(CliTransportStreamCard, ScanAndKmlWorkAsOnAnyOtherCard) {
    const char* const kZone = "XYZ-2";
    const ScopedTimeZone zone(kZone);
    const CliEnvironment environment = {{QStringLiteral("TZ"), QString::fromLatin1(kZone)}};
    QTemporaryDir card;
    const QDateTime start(QDate(2021, 5, 4), QTime(10, 20, 0), Qt::LocalTime);
    const QByteArray sidecar = SidecarText(1, 30, start.addSecs(1));
    WriteTsRecording(card.filePath(QStringLiteral("F/KTR_210504-102000F.TS")), sidecar);
    WriteTsRecording(card.filePath(QStringLiteral("R/KTR_210504-102000R.TS")), sidecar);
    WriteTsRecording(card.filePath(QStringLiteral("R/KTR_210504-102100R.TS")), QByteArray());

    const CliRun scan = RunCli({QStringLiteral("scan"), card.path()}, environment);
    ASSERT_EQ(scan.exitCode, 0) << scan.err.constData();
    const QJsonObject json = scan.json();
    const QJsonArray entries = json[QStringLiteral("entries")].toArray();
    ASSERT_EQ(entries.size(), 2) << scan.out.constData();
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        EXPECT_EQ(entry[QStringLiteral("reader")].toString(), QStringLiteral("ts"));
        EXPECT_EQ(entry[QStringLiteral("result")].toInt(-9), 0);
        EXPECT_EQ(entry[QStringLiteral("startTime")].toInteger(), start.toSecsSinceEpoch());
        EXPECT_EQ(entry[QStringLiteral("durationMs")].toInt(), 31000);
    }
    EXPECT_EQ(json[QStringLiteral("groupRows")].toArray(),
              QJsonArray({Row({"G0", "", "2021-05-04 10:20:00", " 62 s ", " 0 MB"})}));
    EXPECT_EQ(
        json[QStringLiteral("unreadable")].toArray(),
        QJsonArray({QJsonObject{{"path", card.filePath(QStringLiteral("R/KTR_210504-102100R.TS"))},
                                {"reason", "no-position-sidecar"}}}));

    // Opened on its own, the stream is dated too, not named after 1970.
    const CliRun kml =
        RunCli({QStringLiteral("kml"), card.filePath(QStringLiteral("R/KTR_210504-102000R.TS")),
                QStringLiteral("--out"), card.path()},
               environment);
    ASSERT_EQ(kml.exitCode, 0) << kml.err.constData();
    const QString path = kml.json()[QStringLiteral("path")].toString();
    // The name loses four characters, as the sidecar's does: both channels share the track.
    EXPECT_EQ(QFileInfo(path).fileName(),
              QStringLiteral("KTR_210504-102000_2021_05_04_10-20-00.KML"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("11.516667,48.117300,0"), 30);
}

TEST_F(CliScanTest, SingleFileMissingPathAndUsage) {
    const QString front = m_dir.filePath(QStringLiteral("F/20210504-102027F.MP4"));
    CliRun run = RunCli({QStringLiteral("scan"), front});
    ASSERT_EQ(run.exitCode, 0);
    QJsonObject json = run.json();
    const QJsonArray entries = json[QStringLiteral("entries")].toArray();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].toObject()[QStringLiteral("folder")].toString(),
              m_dir.filePath(QStringLiteral("F")));
    EXPECT_EQ(entries[0].toObject()[QStringLiteral("path")].toString(), front);
    EXPECT_EQ(entries[0].toObject()[QStringLiteral("result")].toInt(-9), 0);
    EXPECT_EQ(json[QStringLiteral("groupRows")].toArray().size(), 1);

    // A single file the reader rejects is still catalogued, with its zeroed record and the
    // reader's own result; nothing is logged by default.
    const QByteArray avi = MinimalAvi("2021-05-04 10:20:27", 60, 1280, 720);
    WriteFile(m_dir.filePath(QStringLiteral("R/empty.MP4")), QByteArray());
    WriteFile(m_dir.filePath(QStringLiteral("R/cut.AVI")), avi.left(avi.indexOf("movi") + 20));
    for (const char* rejected : {"R/notes.txt", "R/empty.MP4", "R/cut.AVI"}) {
        SCOPED_TRACE(rejected);
        run = RunCli({QStringLiteral("scan"), m_dir.filePath(QString::fromLatin1(rejected))});
        ASSERT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
        const QJsonArray rejectedEntries = run.json()[QStringLiteral("entries")].toArray();
        ASSERT_EQ(rejectedEntries.size(), 1);
        const QJsonObject unreadable = rejectedEntries[0].toObject();
        EXPECT_EQ(unreadable[QStringLiteral("result")].toInt(-9), -1);
        EXPECT_EQ(unreadable[QStringLiteral("width")].toInt(-9), 0);
    }

    run = RunCli({QStringLiteral("scan"), m_dir.filePath(QStringLiteral("gone"))});
    EXPECT_EQ(run.exitCode, 1);
    json = run.json();
    EXPECT_FALSE(json[QStringLiteral("result")].toBool(true));
    EXPECT_TRUE(json[QStringLiteral("entries")].toArray().isEmpty());
    EXPECT_TRUE(json[QStringLiteral("fileRows")].toArray().isEmpty());

    for (const QStringList& wrong :
         {QStringList{QStringLiteral("scan")},
          QStringList{QStringLiteral("scan"), m_dir.path(), m_dir.path()}}) {
        run = RunCli(wrong);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty());
    }
}

QByteArray Golden(const char* name) {
    QFile file(QStringLiteral(KESTROLA_CLI_GOLDEN "/%1").arg(QLatin1String(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return file.readAll();
}

// The printed document is compared byte for byte with the one kept from before the output was
// streamed: key order, number formats and layout are what scripts rely on. The scan runs with
// a relative PATH in UTC so that the document does not depend on the machine; a second group
// (an AVI locked by its name) brings in the other reader and the lock flags.
TEST_F(CliScanTest, PrintedDocumentIsUnchangedByteForByte) {
    WriteFile(m_dir.filePath(QStringLiteral("F/202G1102.AVI")),
              MinimalAvi("2021-05-04 12:00:00", 61, 1280, 720));
    const CliRun run = RunCli({QStringLiteral("scan"), QStringLiteral(".")},
                              {{QStringLiteral("TZ"), QStringLiteral("UTC")}}, m_dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, Golden("scan.json"));
}

} // namespace
