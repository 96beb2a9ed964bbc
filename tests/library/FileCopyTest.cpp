#include "platform/FileCopy.h"
#include "library/CopyJob.h"

#include "RecordingFixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "ScopedFileSizeLimit.h"

#include <gtest/gtest.h>

namespace {

constexpr qint64 kSourceBytes = 3 << 20; // several blocks of the copy

QByteArray Pattern(qint64 size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7);
    return bytes;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FileCopyTest : public ::testing::Test {
protected:
    void SetUp() override { WriteFile(m_source, Pattern(kSourceBytes)); }

    // An earlier good copy under the real name, which a failed copy must leave alone.
    void PutOlderTarget() { WriteFile(m_target, QByteArray("older good copy")); }
    QStringList TargetFolder() const {
        return QDir(m_dir.filePath("out")).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir m_dir;
    QString m_source = m_dir.filePath("ABCD0001.AVI");
    QString m_target = m_dir.filePath("out/ABCD0001.AVI");
};

TEST_F(FileCopyTest, CopyArrivesWholeAndReplacesTheOldFile) {
    PutOlderTarget();
    EXPECT_EQ(CopyFileSafely(m_source, m_target, {}), QString());
    EXPECT_EQ(ReadAll(m_target), Pattern(kSourceBytes));
    EXPECT_EQ(TargetFolder(), QStringList({"ABCD0001.AVI"}));
}

TEST_F(FileCopyTest, FullDestinationIsReportedAndKeepsTheOldFile) {
    PutOlderTarget();
    QString reason;
    {
        const ScopedFileSizeLimit limit(kSourceBytes / 2);
        reason = CopyFileSafely(m_source, m_target, {});
    }
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(ReadAll(m_target), QByteArray("older good copy"));
    EXPECT_EQ(TargetFolder(), QStringList({"ABCD0001.AVI"})) << "no temporary file left";
}

TEST_F(FileCopyTest, SourceThatShrinksMidCopyIsReportedAndLeavesNoTarget) {
    WriteFile(m_dir.filePath("out/keep"), QByteArray());
    int blocks = 0;
    // Removing an open file does not end its content here; cutting it off does, as a card
    // pulled out or a file truncated by another program would.
    const QString reason = CopyFileSafely(m_source, m_target, [&] {
        if (++blocks == 2)
            QFile::resize(m_source, 0);
        return true;
    });
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(TargetFolder(), QStringList({"keep"}));
}

TEST_F(FileCopyTest, MissingSourceAndCancelAreReported) {
    PutOlderTarget();
    EXPECT_FALSE(CopyFileSafely(m_dir.filePath("gone.AVI"), m_target, {}).isEmpty());
    EXPECT_FALSE(CopyFileSafely(m_source, m_target, [] { return false; }).isEmpty());
    EXPECT_EQ(ReadAll(m_target), QByteArray("older good copy"));
    EXPECT_EQ(TargetFolder(), QStringList({"ABCD0001.AVI"}));
}

TEST_F(FileCopyTest, JobDestroyedMidCopyLeavesTheFileWholeOrAbsent) {
    const QString big = m_dir.filePath("big.AVI");
    WriteFile(big, QByteArray(64 << 20, 'x'));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath("out")));
    {
        CopyJob job([](int) {}, [](const std::vector<FileFailure>&) {});
        ASSERT_TRUE(job.Start({{big, m_target}}));
    }
    // However far the copy got, the real name holds everything or nothing.
    const QStringList left = TargetFolder();
    EXPECT_TRUE(left.isEmpty() || (left == QStringList({"ABCD0001.AVI"}) &&
                                   QFileInfo(m_target).size() == QFileInfo(big).size()))
        << left.join(u',').toStdString();
}

} // namespace
