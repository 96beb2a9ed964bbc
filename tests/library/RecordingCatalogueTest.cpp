#include "library/RecordingCatalogue.h"
#include "track/CKtrVideoParser.h"

#include "CatalogueRecorders.h"
#include "RecordingFixtures.h"
#include "ScopedTimeZone.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint16_t kFhdWidth = 1920;
constexpr uint16_t kFhdHeight = 1080;
constexpr uint32_t kMinuteMs = 60000;
const QDateTime kBase(QDate(2021, 5, 4), QTime(10, 20, 0), Qt::LocalTime);

QByteArray Idit(int secondsAfterBase) {
    return kBase.addSecs(secondsAfterBase)
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
        .toLatin1();
}

// "path: reason" for each file, so that a failure shows the whole list.
QStringList Described(const std::vector<UnreadableRecording>& files) {
    QStringList lines;
    for (const UnreadableRecording& file : files)
        lines << file.path + QStringLiteral(": ") + ReadFailureText(file.reason);
    return lines;
}

QStringList Names(const RecordingCatalogue& catalogue) {
    QStringList names;
    for (const RecordingEntry& entry : catalogue.Entries())
        names << entry.name;
    return names;
}

class RecordingCatalogueTest : public ::testing::Test {
protected:
    RecordingCatalogueTest() {
        m_catalogue.SetGroupList(&m_groups);
        m_catalogue.SetFileList(&m_files);
        m_catalogue.SetProgress(&m_progress);
        m_catalogue.SetCurve(&m_curve);
    }

    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    void Mp4(const QString& relative, int startSeconds = 0, uint32_t durationMs = kMinuteMs) {
        WriteFile(Path(relative),
                  MinimalMp4(Idit(startSeconds), durationMs, kFhdWidth, kFhdHeight));
    }
    void Avi(const QString& relative, int startSeconds, uint32_t durationSeconds) {
        WriteFile(Path(relative), MinimalAvi(Idit(startSeconds), durationSeconds, 1280, 720));
    }
    void MakeReadOnly(const QString& relative) {
        ASSERT_TRUE(QFile::setPermissions(Path(relative), QFile::ReadOwner | QFile::ReadGroup));
    }
    bool ScanRoot() { return m_catalogue.Scan(m_dir.path(), QString()); }

    QTemporaryDir m_dir;
    RecordingGroupList m_groups;
    RecordingFileList m_files;
    RecordingProgress m_progress;
    RecordingCurve m_curve;
    RecordingCatalogue m_catalogue;
};

struct NameCase {
    const char16_t* name;
    bool accepted;
    uint8_t lockFlags;
};

TEST_F(RecordingCatalogueTest, NameTest) {
    const NameCase cases[] = {
        {u"ABCD1234.MP4", true, 0},
        {u"AB-_1234.MP4", true, 0},
        {u"ABCD1234", true, 0},
        {u"ABCG1234.MP4", true, kLockG},
        {u"ABCg1234.MP4", true, 0},
        {u"ABCD1234.AVI", true, 0},   // 12 characters: any ending
        {u"abcd1234.avi", true, 0},   // lower case is not the AVI ending
        {u"ABCD12345.AVI", false, 0}, // ".AVI" at any other length
        {u"ABCD1234.MP4.AVI", false, 0},
        {u"AB.D1234.MP4", false, 0},
        {u"ABCD12X4.MP4", false, 0},
        {u"ABCD123", false, 0},
        {u"ABÇD1234.MP4", false, 0},
        {u"ABCD12\uFF134.MP4", false, 0}, // a full-width digit is no digit here
    };
    // Every file is readable by the reader its name picks, so only the name leaves one out.
    for (const NameCase& c : cases) {
        const QString name = QString::fromUtf16(c.name);
        if (IsAviName(name))
            Avi(name, 0, 60);
        else
            Mp4(name);
    }
    ASSERT_TRUE(ScanRoot());
    const std::vector<RecordingEntry>& entries = m_catalogue.Entries();
    for (const NameCase& c : cases) {
        const QString name = QString::fromUtf16(c.name);
        SCOPED_TRACE(name.toStdString());
        const auto found = std::find_if(entries.begin(), entries.end(),
                                        [&](const RecordingEntry& e) { return e.name == name; });
        ASSERT_EQ(found != entries.end(), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(found->lockFlags, c.lockFlags);
        }
    }
}

TEST_F(RecordingCatalogueTest, ScanKeepsReadableRecordingsWithTheCameraNames) {
    Mp4(QStringLiteral("F/ABCD0001.MP4"));
    Avi(QStringLiteral("R/ABCD0002.AVI"), 0, 60);
    WriteFile(Path(QStringLiteral("ABCD0003.MP4")), QByteArray("not a recording"));
    Mp4(QStringLiteral("notes.MP4"));           // readable, but the name does not fit
    Avi(QStringLiteral("abcd0004.avi"), 0, 60); // read as MP4, so not catalogued
    Mp4(QStringLiteral("abcd0005.avi"), 60);
    Avi(QStringLiteral("ABCD00006.AVI"), 0, 60);
    Mp4(QStringLiteral(".hidden/ABCD0007.MP4"));

    ASSERT_TRUE(ScanRoot());
    EXPECT_EQ(Names(m_catalogue), QStringList({"ABCD0001.MP4", "ABCD0002.AVI", "abcd0005.avi"}));
    EXPECT_EQ(m_catalogue.filesExamined(), 7);
    EXPECT_EQ(m_progress.painted, std::vector<int32_t>({0, 1, 2, 3, 4, 5, 6}));

    const RecordingEntry& avi = m_catalogue.Entry(1);
    EXPECT_EQ(avi.folder, m_dir.path() + QLatin1Char('/'));
    EXPECT_EQ(avi.subfolder, QStringLiteral("R/"));
    EXPECT_EQ(m_catalogue.EntryPath(1), Path(QStringLiteral("R/ABCD0002.AVI")));
    EXPECT_EQ(avi.info.width, 1280);
    EXPECT_EQ(avi.info.durationSeconds, 60);
    EXPECT_EQ(avi.info.startTime, kBase.toSecsSinceEpoch());

    ASSERT_EQ(m_files.rows.size(), 3u);
    EXPECT_EQ(m_files.rows[2].name, QStringLiteral("abcd0005.avi"));
    ASSERT_EQ(m_groups.rows.size(), 1u);
    EXPECT_EQ(m_groups.rows[0].resolution, QStringLiteral("FHD"));
    EXPECT_EQ(m_groups.rows[0].totalMs, 3u * kMinuteMs);
}

TEST_F(RecordingCatalogueTest, OrderFoldsOnlyAsciiCapitalsAndComparesCodeUnits) {
    // Written out of order; the expected order is listed below.
    const QStringList expected{
        QStringLiteral("A00_0009.MP4"), // '_' sorts before a folded 'g'
        QStringLiteral("a00G0001.MP4"),
        QStringLiteral("ABCD1234b.MP4"),
        QStringLiteral("ABCD1234Z.MP4"),
        QStringLiteral("ABCD1234Ä.MP4"),               // not folded, not placed beside 'a'
        QString::fromUtf16(u"ABCD1234\U0001F600.MP4"), // a surrogate unit, below U+FF21
        QString::fromUtf16(u"ABCD1234\uFF21.MP4"),
    };
    for (qsizetype i = expected.size() - 1; i >= 0; --i)
        Mp4(expected[i]);
    // The same name in two folders, and names equal after folding, stay side by side.
    Mp4(QStringLiteral("F/ZZZZ0001.MP4"));
    Mp4(QStringLiteral("R/ZZZZ0001.MP4"));
    Mp4(QStringLiteral("zzzz0001.MP4"));

    ASSERT_TRUE(ScanRoot());
    QStringList names = Names(m_catalogue);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(names.takeLast().toUpper(), QStringLiteral("ZZZZ0001.MP4"));
    EXPECT_EQ(names, expected);
}

struct GroupingCase {
    const char* what;
    bool avi;
    std::vector<int> starts; // seconds after the base time, in name order
    std::vector<uint32_t> groupStarts;
};

TEST_F(RecordingCatalogueTest, GroupsFollowTheTwoSecondRule) {
    const GroupingCase cases[] = {
        {"2 s after the end stays", true, {0, 62}, {1, 0}},
        {"3 s after the end splits", true, {0, 63}, {1, 1}},
        {"2 s before the end stays", true, {0, 58}, {1, 0}},
        {"3 s before the end splits", true, {0, 57}, {1, 1}},
        // MP4 leaves the whole-second duration 0, so each start is compared with the last.
        {"MP4 starts 2 s apart chain", false, {0, 2, 4, 7, 4}, {1, 0, 0, 1, 1}},
    };
    for (const GroupingCase& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        for (size_t i = 0; i < c.starts.size(); ++i) {
            const QString name = QStringLiteral("%1/GRPA%2.%3")
                                     .arg(dir.path())
                                     .arg(i, 4, 10, QLatin1Char('0'))
                                     .arg(c.avi ? "AVI" : "MP4");
            WriteFile(name, c.avi ? MinimalAvi(Idit(c.starts[i]), 60, 1280, 720)
                                  : MinimalMp4(Idit(c.starts[i]), kMinuteMs, 640, 480));
        }
        ASSERT_TRUE(m_catalogue.Scan(dir.path(), QString()));
        std::vector<uint32_t> marks;
        for (const RecordingEntry& entry : m_catalogue.Entries())
            marks.push_back(entry.groupStart);
        EXPECT_EQ(marks, c.groupStarts);
    }
}

TEST_F(RecordingCatalogueTest, GroupsRowsAndLockFlags) {
    Mp4(QStringLiteral("A01G0001.MP4"), 0, 1000);   // G
    Mp4(QStringLiteral("A02_0002.MP4"), 1, 2000);   // M
    Mp4(QStringLiteral("A03G0003.MP4"), 100, 3000); // G and M
    Mp4(QStringLiteral("A04_0004.MP4"), 101, 4000); // none
    MakeReadOnly(QStringLiteral("A02_0002.MP4"));
    MakeReadOnly(QStringLiteral("A03G0003.MP4"));
    ASSERT_TRUE(ScanRoot());

    std::vector<int> flags;
    for (const RecordingEntry& entry : m_catalogue.Entries())
        flags.push_back(entry.lockFlags);
    EXPECT_EQ(flags, std::vector<int>({kLockG, kLockM, kLockG | kLockM, 0}));

    const auto& groups = m_catalogue.Groups();
    ASSERT_EQ(groups.size(), 2u);
    const uint64_t fileBytes = m_catalogue.Entry(0).info.fileSize;
    ASSERT_GT(fileBytes, 0u);
    EXPECT_EQ(groups[0].number, 0);
    EXPECT_EQ(groups[0].first, 0);
    EXPECT_EQ(groups[0].count, 2);
    EXPECT_EQ(groups[0].totalMs, 3000u);
    EXPECT_EQ(groups[0].totalBytes, 2 * fileBytes);
    EXPECT_EQ(groups[0].lockFlags, kLockG | kLockM);
    EXPECT_EQ(groups[1].number, 1);
    EXPECT_EQ(groups[1].first, 2);
    EXPECT_EQ(groups[1].count, 2);
    EXPECT_EQ(groups[1].totalMs, 7000u);
    EXPECT_EQ(groups[1].lockFlags, kLockG | kLockM);

    std::vector<std::vector<int64_t>> rows;
    for (const FileRow& row : m_catalogue.Rows())
        rows.push_back({row.group, row.place, row.entry, row.durationMs});
    EXPECT_EQ(rows, (std::vector<std::vector<int64_t>>{
                        {0, 0, 0, 1000}, {0, 1, 1, 2000}, {1, 0, 2, 3000}, {1, 1, 3, 4000}}));

    ASSERT_EQ(m_groups.rows.size(), 2u);
    EXPECT_EQ(m_groups.rows[1].number, 1);
    EXPECT_EQ(m_groups.rows[1].startTime, kBase.toSecsSinceEpoch() + 100);
    EXPECT_EQ(m_groups.rows[1].totalBytes, 2 * fileBytes);
    ASSERT_EQ(m_files.rows.size(), 4u);
    EXPECT_EQ(m_files.rows[2].lockFlags, kLockG | kLockM);
}

TEST_F(RecordingCatalogueTest, MissingRootEmptiesTheCatalogueAndTheViews) {
    ASSERT_TRUE(ScanRoot()); // an empty folder is found, with nothing in it
    EXPECT_EQ(m_catalogue.EntryCount(), 0);
    EXPECT_TRUE(m_catalogue.Groups().empty());
    EXPECT_TRUE(m_groups.rows.empty());

    Mp4(QStringLiteral("ABCD0001.MP4"));
    ASSERT_TRUE(ScanRoot());
    ASSERT_TRUE(m_catalogue.Select(0));
    ASSERT_EQ(m_files.rows.size(), 1u);
    const int curveClears = m_curve.clears;

    EXPECT_FALSE(m_catalogue.Scan(Path(QStringLiteral("gone")), QString()));
    EXPECT_EQ(m_catalogue.EntryCount(), 0);
    EXPECT_TRUE(m_catalogue.Groups().empty());
    EXPECT_TRUE(m_catalogue.Rows().empty());
    EXPECT_EQ(m_catalogue.currentEntry(), -1);
    EXPECT_EQ(m_catalogue.filesExamined(), 0);
    EXPECT_TRUE(m_groups.rows.empty());
    EXPECT_TRUE(m_files.rows.empty());
    EXPECT_EQ(m_curve.clears, curveClears + 1);
    EXPECT_EQ(m_curve.repaints, m_curve.clears);

    EXPECT_FALSE(m_catalogue.Scan(m_dir.path(), QStringLiteral("ABCD9999.MP4")));
    EXPECT_EQ(m_catalogue.EntryCount(), 0);
}

TEST_F(RecordingCatalogueTest, SingleFileIsCataloguedEvenWhenUnreadable) {
    Mp4(QStringLiteral("sub/ABCG0001.MP4"), 5);
    MakeReadOnly(QStringLiteral("sub/ABCG0001.MP4"));
    WriteFile(Path(QStringLiteral("sub/x.bin")), QByteArray("\0\0\0\x10junk", 8));

    const QString folder = Path(QStringLiteral("sub"));
    ASSERT_TRUE(m_catalogue.Scan(folder, QStringLiteral("ABCG0001.MP4")));
    ASSERT_EQ(m_catalogue.EntryCount(), 1);
    const RecordingEntry& readable = m_catalogue.Entry(0);
    EXPECT_EQ(readable.folder, folder);
    EXPECT_EQ(readable.subfolder, QString());
    EXPECT_EQ(readable.lockFlags, kLockG | kLockM);
    EXPECT_EQ(readable.info.startTime, kBase.toSecsSinceEpoch() + 5);
    EXPECT_EQ(readable.readResult, 0);
    EXPECT_EQ(m_catalogue.EntryPath(0), folder + QStringLiteral("/ABCG0001.MP4"));
    EXPECT_EQ(m_groups.rows.size(), 1u);

    // No name test, and a reading failure still lists the file, with nothing known about it.
    ASSERT_TRUE(m_catalogue.Scan(folder + QLatin1Char('/'), QStringLiteral("x.bin")));
    ASSERT_EQ(m_catalogue.EntryCount(), 1);
    const RecordingEntry& unreadable = m_catalogue.Entry(0);
    EXPECT_EQ(unreadable.lockFlags, 0);
    EXPECT_EQ(unreadable.info.durationMs, 0u);
    EXPECT_EQ(unreadable.info.fileSize, 0u);
    EXPECT_EQ(unreadable.readResult, -1);
    EXPECT_EQ(unreadable.readFailure, ReadFailure::NotRecognised);
    EXPECT_EQ(m_catalogue.EntryPath(0), folder + QStringLiteral("/x.bin"));
    ASSERT_EQ(m_groups.rows.size(), 1u);
    EXPECT_EQ(m_groups.rows[0].resolution, QString());

    // Opening a FIFO would wait for a writer forever; it is listed without being opened.
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path(QStringLiteral("sub/pipe.MP4"))).constData(), 0644),
              0);
    ASSERT_TRUE(m_catalogue.Scan(folder, QStringLiteral("pipe.MP4")));
    ASSERT_EQ(m_catalogue.EntryCount(), 1);
    EXPECT_EQ(m_catalogue.Entry(0).info.durationMs, 0u);
    EXPECT_EQ(m_catalogue.Entry(0).readFailure, ReadFailure::CannotOpen);
}

// The recording written when the power failed is the one most likely to be cut short: a scan
// lists it with the reader's reason instead of leaving it out without a word.
TEST_F(RecordingCatalogueTest, FolderScanListsTheFilesNoReaderCouldRead) {
    Mp4(QStringLiteral("ABCD0001.MP4"));
    Mp4(QStringLiteral("R/ABCD0005.MP4"), 60);
    WriteFile(Path(QStringLiteral("notes.txt")), QByteArray("not a camera name"));
    const QByteArray mp4 = MinimalMp4(Idit(0), kMinuteMs, kFhdWidth, kFhdHeight);
    const QByteArray avi = MinimalAvi(Idit(0), 60, 1280, 720);
    const std::pair<const char*, QByteArray> unreadable[] = {
        {"F/ABCD0002.MP4", QByteArray()},
        {"F/ABCD0003.AVI", avi.left(avi.indexOf("movi") + 20)},
        {"R/ABCD0004.MP4", QByteArray("garbage where a recording should be")},
        {"R/ABCD0006.MP4", mp4.left(mp4.indexOf("moov") - 4)},
    };
    for (const auto& [name, bytes] : unreadable)
        WriteFile(Path(QString::fromLatin1(name)), bytes);

    ASSERT_TRUE(ScanRoot());
    EXPECT_EQ(Names(m_catalogue), QStringList({"ABCD0001.MP4", "ABCD0005.MP4"}));
    EXPECT_EQ(m_catalogue.filesExamined(), 7);
    const QStringList expected = {
        Path(QStringLiteral("F/ABCD0002.MP4: empty")),
        Path(QStringLiteral("F/ABCD0003.AVI: truncated")),
        Path(QStringLiteral("R/ABCD0004.MP4: not-recognised")),
        Path(QStringLiteral("R/ABCD0006.MP4: no-index")),
    };
    EXPECT_EQ(Described(m_catalogue.Unreadable()), expected);
    ASSERT_EQ(m_progress.unreadable.size(), 1u);
    EXPECT_EQ(Described(m_progress.unreadable[0]), expected);

    // Every later scan starts a new list and shows it, also the one that finds nothing.
    ASSERT_TRUE(m_catalogue.Scan(m_dir.path(), QStringLiteral("ABCD0001.MP4")));
    EXPECT_TRUE(m_catalogue.Unreadable().empty());
    EXPECT_FALSE(m_catalogue.Scan(Path(QStringLiteral("gone")), QString()));
    ASSERT_EQ(m_progress.unreadable.size(), 3u);
    EXPECT_TRUE(m_progress.unreadable[1].empty());
    EXPECT_TRUE(m_progress.unreadable[2].empty());
}

// A card of transport streams: the catalogue reads each one's sidecar for its start time and
// length, so the list is not empty and the groups hold.
TEST_F(RecordingCatalogueTest, TransportStreamsAreCataloguedFromTheirSidecars) {
    const ScopedTimeZone zone("XYZ-2"); // two hours east of UTC
    const QDateTime tenTwenty(QDate(2021, 5, 4), QTime(10, 20, 0), Qt::LocalTime);
    const QByteArray minute = SidecarText(0, 60, tenTwenty);
    WriteTsRecording(Path(QStringLiteral("F/KTR_210504-102000F.TS")), minute);
    WriteTsRecording(Path(QStringLiteral("R/KTR_210504-102000R.TS")), minute);
    WriteTsRecording(Path(QStringLiteral("F/KTR_210504-102100F.TS")),
                     SidecarText(0, 60, tenTwenty.addSecs(60)));
    // The name's time holds over a sidecar whose clock says otherwise.
    WriteTsRecording(Path(QStringLiteral("F/KTR_210504-110000F.TS")),
                     SidecarText(0, 30, QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC)));
    // No time in the name: the first dated fix, less the points before it. These names differ
    // before their last character, which the sidecar's name leaves out.
    const QDateTime fix(QDate(2021, 5, 4), QTime(9, 0, 0), Qt::UTC);
    WriteTsRecording(Path(QStringLiteral("FILE0010.TS")), SidecarText(2, 5, fix));
    WriteTsRecording(Path(QStringLiteral("FILE0020.TS")), QByteArray());
    WriteTsRecording(Path(QStringLiteral("FILE0030.TS")), SidecarText(4, 0, fix));

    ASSERT_TRUE(ScanRoot());
    EXPECT_EQ(Names(m_catalogue),
              QStringList({"FILE0010.TS", "KTR_210504-102000F.TS", "KTR_210504-102000R.TS",
                           "KTR_210504-102100F.TS", "KTR_210504-110000F.TS"}));
    std::vector<std::vector<int64_t>> read;
    for (const RecordingEntry& entry : m_catalogue.Entries())
        read.push_back({entry.info.startTime, entry.info.durationSeconds, entry.info.durationMs,
                        static_cast<int64_t>(entry.info.fileSize), entry.groupStart});
    const int64_t t = tenTwenty.toSecsSinceEpoch();
    EXPECT_EQ(read,
              (std::vector<std::vector<int64_t>>{{fix.toSecsSinceEpoch() - 2, 0, 7000, 188, 1},
                                                 {t, 0, 60000, 188, 1},
                                                 {t, 0, 60000, 188, 0},
                                                 {t + 60, 0, 60000, 188, 1},
                                                 {t + 2400, 0, 30000, 188, 1}}));
    // Front and rear of one recording make one group, as on an MP4 card.
    ASSERT_EQ(m_catalogue.Groups().size(), 4u);
    EXPECT_EQ(m_catalogue.Groups()[1].count, 2);
    EXPECT_EQ(m_catalogue.Groups()[1].totalMs, 120000u);
    // The sidecars, whose names fit the pattern too, are neither recordings nor unreadable.
    EXPECT_EQ(Described(m_catalogue.Unreadable()),
              QStringList({Path(QStringLiteral("FILE0020.TS: no-position-sidecar")),
                           Path(QStringLiteral("FILE0030.TS: no-position-sidecar"))}));
}

// Creates a file under a name given as raw bytes, which need not be UTF-8.
void WriteRawName(const QString& folder, const QByteArray& name, const QByteArray& bytes) {
    const QByteArray path = QFile::encodeName(folder) + '/' + name;
    const int file = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(file, 0) << path.constData();
    EXPECT_EQ(::write(file, bytes.constData(), static_cast<size_t>(bytes.size())), bytes.size());
    ::close(file);
}

TEST_F(RecordingCatalogueTest, NameThatIsNotUtf8IsListedWhenItFitsTheRules) {
    const QByteArray mp4 = MinimalMp4(Idit(0), kMinuteMs, kFhdWidth, kFhdHeight);
    WriteRawName(m_dir.path(), "ABCD0001\xff.MP4", mp4);
    WriteRawName(m_dir.path(),
                 "AB\xe9"
                 "D0002.MP4",
                 mp4); // the bad byte breaks the camera name
    // A real U+FFFD in a UTF-8 name is no decoding loss.
    Mp4(QStringLiteral("ABCD0003\uFFFD.MP4"));

    ASSERT_TRUE(ScanRoot());
    EXPECT_EQ(Names(m_catalogue), QStringList({QStringLiteral("ABCD0003\uFFFD.MP4")}));
    EXPECT_EQ(Described(m_catalogue.Unreadable()),
              QStringList({Path(QStringLiteral("ABCD0001\uFFFD.MP4: name-not-utf8"))}));
}

TEST_F(RecordingCatalogueTest, SelectMovesTheHighlightsAndRejectsNonRows) {
    Mp4(QStringLiteral("ABCD0001.MP4"), 0);
    Mp4(QStringLiteral("ABCD0002.MP4"), 100);
    Mp4(QStringLiteral("ABCD0003.MP4"), 101);
    ASSERT_TRUE(ScanRoot());

    ASSERT_TRUE(m_catalogue.Select(2));
    EXPECT_EQ(m_catalogue.currentEntry(), 2);
    EXPECT_EQ(m_catalogue.currentGroup(), 1);
    EXPECT_EQ(m_catalogue.CurrentPath(), Path(QStringLiteral("ABCD0003.MP4")));

    for (int32_t outside : {-1, 3}) {
        EXPECT_FALSE(m_catalogue.Select(outside));
        EXPECT_EQ(m_catalogue.currentEntry(), 2);
        EXPECT_EQ(m_groups.highlighted, std::set<int32_t>({1}));
        EXPECT_EQ(m_files.highlighted, std::set<int32_t>({2}));
    }

    ASSERT_TRUE(m_catalogue.Select(0));
    EXPECT_EQ(m_catalogue.currentGroup(), 0);
    EXPECT_EQ(m_groups.highlighted, std::set<int32_t>({0}));
    EXPECT_EQ(m_files.highlighted, std::set<int32_t>({0}));
    EXPECT_EQ(m_groups.visible, 0);
    EXPECT_EQ(m_files.visible, 0);
    EXPECT_EQ(m_files.playing, 0);
}

TEST_F(RecordingCatalogueTest, ViewsAreOptional) {
    Mp4(QStringLiteral("ABCD0001.MP4"));
    RecordingCatalogue bare;
    ASSERT_TRUE(bare.Scan(m_dir.path(), QString()));
    EXPECT_TRUE(bare.Select(0));
    EXPECT_EQ(bare.Groups().size(), 1u);
}

TEST(RecordingCatalogueStatic, ResolutionText) {
    const struct {
        int width;
        int height;
        const char* text;
    } cases[] = {
        {2048, 1600, "QXGA"},      {2048, 1536, "QXGA"},    {1920, 1080, "FHD"}, {1280, 720, "HD"},
        {1152, 870, "MAC"},        {720, 480, "480P"},      {640, 480, "VGA"},   {320, 240, "CIF"},
        {1080, 1920, "1080x1920"}, {1000, 500, "1000x500"}, {0, 480, ""},        {640, 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RecordingCatalogue::ResolutionText(c.width, c.height),
                  QString::fromLatin1(c.text))
            << c.width << "x" << c.height;
}

TEST(RecordingCatalogueStatic, CreateDirectoryPath) {
    QTemporaryDir dir;
    const QString deep = dir.filePath(QStringLiteral("KTR/KML/2021"));
    EXPECT_TRUE(RecordingCatalogue::CreateDirectoryPath(deep));
    EXPECT_TRUE(QFileInfo(deep).isDir());
    // Already there: nothing is created, and the answer is false.
    EXPECT_FALSE(RecordingCatalogue::CreateDirectoryPath(deep + QLatin1Char('/')));
    // Only the missing last level is new.
    EXPECT_TRUE(RecordingCatalogue::CreateDirectoryPath(dir.filePath(QStringLiteral("KTR/KML/x"))));
    // Below a file nothing can be created.
    WriteFile(dir.filePath(QStringLiteral("plain")), QByteArray("x"));
    EXPECT_FALSE(
        RecordingCatalogue::CreateDirectoryPath(dir.filePath(QStringLiteral("plain/sub"))));
    EXPECT_FALSE(RecordingCatalogue::CreateDirectoryPath(QString()));
}

} // namespace
