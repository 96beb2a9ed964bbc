#include "playback/CompanionPaths.h"
#include "fixtures/EmptyFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Relative paths keep dots and separators of the temporary folder's own path out of the
// cases, and let a path without any separator name a real file.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const QString& path) : m_previous(QDir::currentPath()) {
        m_entered = QDir::setCurrent(path);
    }
    ~ScopedCurrentDirectory() { QDir::setCurrent(m_previous); }
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;
    bool Entered() const { return m_entered; }

private:
    QString m_previous;
    bool m_entered = false;
};

// One folder per channel; both channels in one folder; a rear file both beside the front file
// and in the rear folder; a front file without rear; files without extension; files in the
// current folder itself, one of them a name that is all extension.
const QStringList kCard = {"F/20240101_120000F.MP4",
                           "R/20240101_120000R.MP4",
                           "same/aF.MP4",
                           "same/aR.MP4",
                           "both/F/bF.MP4",
                           "both/F/bR.MP4",
                           "both/R/bR.MP4",
                           "alone/F/cF.MP4",
                           "noext/F/dF",
                           "noext/R/dR",
                           "eF.MP4",
                           "eR.MP4",
                           ".MP4"};

TEST(CompanionPaths, FindsEachChannelsFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(MakeEmptyFiles(QDir(dir.path()), kCard));
    const ScopedCurrentDirectory inCard(dir.path());
    ASSERT_TRUE(inCard.Entered());

    const struct {
        const char* path;
        const char* front;
        const char* rear;
    } cases[] = {
        {"F/20240101_120000F.MP4", "F/20240101_120000F.MP4", "R/20240101_120000R.MP4"},
        {"R/20240101_120000R.MP4", "F/20240101_120000F.MP4", "R/20240101_120000R.MP4"},
        // The letter before the extension need not be a channel letter.
        {"F/20240101_1200000.MP4", "F/20240101_120000F.MP4", "R/20240101_120000R.MP4"},
        {"same/aF.MP4", "same/aF.MP4", "same/aR.MP4"},
        {"same/aR.MP4", "same/aF.MP4", "same/aR.MP4"},
        // The file beside it wins over the one in the other channel's folder.
        {"both/F/bF.MP4", "both/F/bF.MP4", "both/F/bR.MP4"},
        {"alone/F/cF.MP4", "alone/F/cF.MP4", ""},
        {"noext/F/dF", "", ""},
        {".MP4", "", ""},
        {"", "", ""},
        {"eF.MP4", "eF.MP4", "eR.MP4"},
        {"lone.MP4", "", ""},
        // Up to three separators between the folder and the file name are walked over.
        {"F//20240101_120000F.MP4", "F//20240101_120000F.MP4", "R//20240101_120000R.MP4"},
        {"F///20240101_120000F.MP4", "F///20240101_120000F.MP4", "R///20240101_120000R.MP4"},
        {"F////20240101_120000F.MP4", "F////20240101_120000F.MP4", ""},
        // Nothing but separators before the file name: the walk runs out of path.
        {"///xF.MP4", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(FrontCompanion(path).toStdString(), c.front);
        EXPECT_EQ(RearCompanion(path).toStdString(), c.rear);
    }
}

// The catalogue hands over absolute paths; the folder letter is found in them the same way.
TEST(CompanionPaths, AbsolutePathsOfSplitChannels) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(MakeEmptyFiles(QDir(dir.path()), {"F/xF.MP4", "R/xR.MP4"}));
    const QString front = dir.filePath(QStringLiteral("F/xF.MP4"));
    const QString rear = dir.filePath(QStringLiteral("R/xR.MP4"));
    for (const QString& path : {front, rear}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(FrontCompanion(path), front);
        EXPECT_EQ(RearCompanion(path), rear);
    }
}

} // namespace
