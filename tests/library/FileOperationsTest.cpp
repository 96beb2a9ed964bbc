#include "library/CopyJob.h"
#include "library/RecordingCatalogue.h"

#include "CatalogueRecorders.h"
#include "RecordingFixtures.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

constexpr uint32_t kMinute = 60;
const QDateTime kBase(QDate(2021, 5, 4), QTime(10, 20, 0), Qt::LocalTime);

// Group 0: one file in the root. Group 1: three files in the subfolder A, the middle one locked
// by the camera. Group 2: one locked file in the root.
const char* const kGroupFiles[] = {"AAAA0001.AVI", "A/BBBB0002.AVI", "A/BBBG0003.AVI",
                                   "A/BBBH0004.AVI", "CCCG0005.AVI"};
const int kStartSeconds[] = {0, 600, 660, 720, 3000};

QStringList FilesUnder(const QString& root) {
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(root).relativeFilePath(it.next());
    found.sort();
    return found;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FileOperationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (size_t i = 0; i < std::size(kGroupFiles); ++i) {
            const QByteArray idit = kBase.addSecs(kStartSeconds[i])
                                        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                        .toLatin1();
            WriteFile(Path(kGroupFiles[i]), MinimalAvi(idit, kMinute, 1280, 720));
        }
        m_catalogue.SetGroupList(&m_groups);
        m_catalogue.SetFileList(&m_files);
        ASSERT_TRUE(m_catalogue.Scan(m_root.path(), QString()));
        ASSERT_EQ(m_catalogue.Groups().size(), 3u);
    }

    QString Path(const QString& relative) const { return m_root.filePath(relative); }
    QString Path(const char* relative) const { return Path(QString::fromLatin1(relative)); }

    // Runs a copy into m_destination to its end, answering every overwrite question with
    // overwrite; the progress reports and the failures land in the members.
    bool Copy(bool overwrite = true) {
        CopyJob job([this](int percent) { m_percents.push_back(percent); },
                    [this](const std::vector<FileFailure>& failures) { m_copyEnd = failures; });
        const bool started = m_catalogue.CopyChecked(
            m_destination.path(),
            [&](const QString& target) {
                m_overwriteQuestions << target;
                return overwrite;
            },
            job);
        const QDeadlineTimer deadline(10000);
        while (started && !m_copyEnd && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return started;
    }

    int m_argc = 1;
    char m_name[5] = "test";
    char* m_argv[1] = {m_name};
    QCoreApplication m_app{m_argc, m_argv};
    QTemporaryDir m_root;
    QTemporaryDir m_destination;
    RecordingGroupList m_groups;
    RecordingFileList m_files;
    RecordingCatalogue m_catalogue;
    std::vector<FileFailure> m_failures;
    std::vector<int> m_percents;
    std::optional<std::vector<FileFailure>> m_copyEnd;
    QStringList m_overwriteQuestions;
};

TEST_F(FileOperationsTest, NothingTickedChangesNothing) {
    const QStringList before = FilesUnder(m_root.path());
    EXPECT_FALSE(m_catalogue.UnlockChecked(m_failures));
    EXPECT_FALSE(m_catalogue.DeleteChecked(m_failures));
    EXPECT_FALSE(Copy());
    EXPECT_EQ(FilesUnder(m_root.path()), before);
    EXPECT_TRUE(FilesUnder(m_destination.path()).isEmpty());
    EXPECT_EQ(m_catalogue.EntryCount(), 5);
    EXPECT_EQ(m_catalogue.Entry(2).lockFlags, kLockG);
}

TEST_F(FileOperationsTest, UnlockRenamesCameraLockedFilesAndClearsReadOnly) {
    ASSERT_TRUE(QFile::setPermissions(Path("A/BBBG0003.AVI"), QFile::ReadOwner));
    ASSERT_TRUE(m_catalogue.Scan(m_root.path(), QString()));
    ASSERT_EQ(m_catalogue.Entry(2).lockFlags, kLockG | kLockM);
    m_groups.ticked = {1};

    ASSERT_TRUE(m_catalogue.UnlockChecked(m_failures));
    EXPECT_TRUE(m_failures.empty());
    const QString unlocked = Path("A/BBB_0003.AVI");
    EXPECT_FALSE(QFile::exists(Path("A/BBBG0003.AVI")));
    EXPECT_TRUE(QFile::permissions(unlocked) & QFile::WriteOwner);
    EXPECT_EQ(m_catalogue.EntryPath(2), unlocked);
    EXPECT_EQ(m_catalogue.Entry(2).lockFlags, 0);
    EXPECT_EQ(m_catalogue.Groups()[1].lockFlags, 0);
    EXPECT_TRUE(QFile::exists(Path("CCCG0005.AVI"))) << "an unticked group keeps its lock";
    EXPECT_EQ(m_catalogue.Groups()[2].lockFlags, kLockG);

    // The lists show the new name, the cleared group and no ticks.
    ASSERT_EQ(m_files.rows.size(), 5u);
    EXPECT_EQ(m_files.rows[2].name, QStringLiteral("BBB_0003.AVI"));
    EXPECT_EQ(m_files.rows[2].lockFlags, 0);
    ASSERT_EQ(m_groups.rows.size(), 3u);
    EXPECT_EQ(m_groups.rows[1].lockFlags, 0);
    EXPECT_TRUE(m_groups.ticked.empty());
}

TEST_F(FileOperationsTest, UnlockThatCannotRenameReportsTheFileAndKeepsItsLock) {
    // Not a readable recording, so the scan leaves it out; it only stands in the way.
    WriteFile(Path("A/BBB_0003.AVI"), QByteArray("someone else's file"));
    m_groups.ticked = {1};

    ASSERT_TRUE(m_catalogue.UnlockChecked(m_failures));
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_EQ(m_failures[0].path, Path("A/BBBG0003.AVI"));
    EXPECT_FALSE(m_failures[0].reason.isEmpty());
    EXPECT_EQ(ReadAll(Path("A/BBB_0003.AVI")), QByteArray("someone else's file"));
    EXPECT_EQ(m_catalogue.Entry(2).name, QStringLiteral("BBBG0003.AVI"));
    EXPECT_EQ(m_catalogue.Entry(2).lockFlags, kLockG);
    EXPECT_EQ(m_catalogue.Groups()[1].lockFlags, kLockG) << "the group still shows the lock";
}

TEST_F(FileOperationsTest, DeleteRemovesTheTickedGroupsFilesAndRenumbersTheRest) {
    ASSERT_TRUE(QFile::setPermissions(Path("A/BBBB0002.AVI"), QFile::ReadOwner));
    m_catalogue.Select(4);
    m_groups.ticked = {1};

    ASSERT_TRUE(m_catalogue.DeleteChecked(m_failures));
    EXPECT_TRUE(m_failures.empty());
    EXPECT_EQ(FilesUnder(m_root.path()), QStringList({"AAAA0001.AVI", "CCCG0005.AVI"}));
    ASSERT_EQ(m_catalogue.EntryCount(), 2);
    ASSERT_EQ(m_catalogue.Groups().size(), 2u);
    EXPECT_EQ(m_catalogue.Groups()[1].number, 1);
    EXPECT_EQ(m_catalogue.Groups()[1].first, 1);
    ASSERT_EQ(m_groups.rows.size(), 2u);
    EXPECT_EQ(m_groups.rows[1].number, 1);
    EXPECT_EQ(m_files.rows.size(), 2u);
    // The current entry followed its file down.
    EXPECT_EQ(m_catalogue.currentEntry(), 1);
    EXPECT_EQ(m_catalogue.CurrentPath(), Path("CCCG0005.AVI"));
}

TEST_F(FileOperationsTest, DeletingTheCurrentEntryLeavesNoCurrentEntry) {
    m_catalogue.Select(4);
    m_groups.ticked = {0, 2};

    ASSERT_TRUE(m_catalogue.DeleteChecked(m_failures));
    EXPECT_EQ(m_catalogue.EntryCount(), 3);
    EXPECT_EQ(m_catalogue.currentEntry(), -1);
    EXPECT_EQ(m_catalogue.currentGroup(), -1);
}

TEST_F(FileOperationsTest, DeleteThatFailsReportsTheFileAndKeepsItsEntry) {
    ASSERT_TRUE(QFile::remove(Path("AAAA0001.AVI")));
    m_groups.ticked = {0, 2};

    ASSERT_TRUE(m_catalogue.DeleteChecked(m_failures));
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_EQ(m_failures[0].path, Path("AAAA0001.AVI"));
    EXPECT_FALSE(m_failures[0].reason.isEmpty());
    EXPECT_FALSE(QFile::exists(Path("CCCG0005.AVI")));
    ASSERT_EQ(m_catalogue.EntryCount(), 4);
    EXPECT_EQ(m_catalogue.Entry(0).name, QStringLiteral("AAAA0001.AVI"));
}

TEST_F(FileOperationsTest, CopyRecreatesTheSubfoldersAndReportsEveryFileAsAShare) {
    m_groups.ticked = {0, 1};

    ASSERT_TRUE(Copy());
    ASSERT_TRUE(m_copyEnd.has_value());
    EXPECT_TRUE(m_copyEnd->empty());
    EXPECT_EQ(m_percents, std::vector<int>({25, 50, 75, 100}));
    EXPECT_EQ(FilesUnder(m_destination.path()),
              QStringList({"A/BBBB0002.AVI", "A/BBBG0003.AVI", "A/BBBH0004.AVI", "AAAA0001.AVI"}));
    EXPECT_EQ(ReadAll(m_destination.filePath("A/BBBG0003.AVI")), ReadAll(Path("A/BBBG0003.AVI")));
    EXPECT_TRUE(m_overwriteQuestions.isEmpty());
    EXPECT_EQ(m_groups.ticked, std::set<int32_t>({0, 1})) << "the ticks stay";
}

TEST_F(FileOperationsTest, ExistingTargetIsCopiedOverOnlyWhenConfirmed) {
    const QString target = m_destination.filePath("AAAA0001.AVI");
    for (const bool overwrite : {false, true}) {
        SCOPED_TRACE(overwrite);
        WriteFile(target, QByteArray("older copy"));
        QFile::remove(m_destination.filePath("CCCG0005.AVI"));
        m_groups.ticked = {0, 2};
        m_percents.clear();
        m_copyEnd.reset();
        m_overwriteQuestions.clear();

        ASSERT_TRUE(Copy(overwrite));
        EXPECT_EQ(m_overwriteQuestions, QStringList({target}));
        EXPECT_EQ(ReadAll(target) == ReadAll(Path("AAAA0001.AVI")), overwrite);
        EXPECT_TRUE(QFile::exists(m_destination.filePath("CCCG0005.AVI")));
        EXPECT_EQ(m_percents, std::vector<int>({50, 100})) << "a skipped file counts too";
    }
}

TEST_F(FileOperationsTest, CopyIntoAnUnwritablePlaceIsReportedPerFile) {
    // A plain file where the subfolder A should be made: nothing can be written below it.
    WriteFile(m_destination.filePath("A"), QByteArray("in the way"));
    m_groups.ticked = {0, 1};

    ASSERT_TRUE(Copy());
    ASSERT_TRUE(m_copyEnd.has_value());
    ASSERT_EQ(m_copyEnd->size(), 3u);
    EXPECT_EQ((*m_copyEnd)[0].path, m_destination.filePath("A/BBBB0002.AVI"));
    EXPECT_FALSE((*m_copyEnd)[0].reason.isEmpty());
    EXPECT_EQ(FilesUnder(m_destination.path()), QStringList({"A", "AAAA0001.AVI"}));
    EXPECT_EQ(m_percents.back(), 100);
}

} // namespace
