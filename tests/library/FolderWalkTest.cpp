#include "library/FolderWalk.h"

#include "RecordingFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every item the walk reported, as subfolder + name with a trailing "/" for directories.
QStringList Walk(const QString& root, QString* seenRoot = nullptr) {
    QStringList items;
    WalkFolder(root, [&](const QString& walkRoot, const QString& subfolder, const QString& name,
                         const QFileInfo&, bool isDirectory) {
        if (seenRoot)
            *seenRoot = walkRoot;
        items << subfolder + name + (isDirectory ? QStringLiteral("/") : QString());
    });
    items.sort();
    return items;
}

QString Nested(int depth) {
    QString path;
    for (int level = 1; level <= depth; ++level)
        path += QStringLiteral("d%1/").arg(level);
    return path;
}

// Runs in a forked child: drops root (which may list any directory) and walks the tree with
// one unlistable directory. 0 when exactly the other branches were seen.
int WalkWithoutRoot(const QString& root) {
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
        return 100;
    const QStringList expected{"a/", "a/one.bin", "locked/", "z/", "z/two.bin"};
    return Walk(root) == expected ? 0 : 1;
}

class FolderWalkTest : public ::testing::Test {
protected:
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    void Touch(const QString& relative) { WriteFile(Path(relative), QByteArray("x")); }

    QTemporaryDir m_dir;
};

TEST_F(FolderWalkTest, ReportsSubfoldersAndSkipsHiddenItems) {
    Touch(QStringLiteral("top.bin"));
    Touch(QStringLiteral("F/front.bin"));
    Touch(QStringLiteral("F/deeper/inner.bin"));
    Touch(QStringLiteral(".hidden/secret.bin"));
    Touch(QStringLiteral("F/.dotfile"));

    QString seenRoot;
    EXPECT_EQ(Walk(m_dir.path(), &seenRoot),
              QStringList({"F/", "F/deeper/", "F/deeper/inner.bin", "F/front.bin", "top.bin"}));
    EXPECT_EQ(seenRoot, m_dir.path() + QLatin1Char('/'));
    // A root that already ends with the separator is not given a second one.
    Walk(m_dir.path() + QLatin1Char('/'), &seenRoot);
    EXPECT_EQ(seenRoot, m_dir.path() + QLatin1Char('/'));
}

TEST_F(FolderWalkTest, MissingRootIsReported) {
    bool called = false;
    auto callback = [&](const QString&, const QString&, const QString&, const QFileInfo&, bool) {
        called = true;
    };
    EXPECT_EQ(WalkFolder(Path(QStringLiteral("absent")), callback), WalkOutcome::RootMissing);
    EXPECT_EQ(WalkFolder(QString(), callback), WalkOutcome::RootMissing);
    EXPECT_EQ(WalkFolder(m_dir.path(), callback), WalkOutcome::Done);
    EXPECT_FALSE(called);
}

TEST_F(FolderWalkTest, DescendsFortyLevelsAndNoFurther) {
    Touch(Nested(kMaxWalkDepth) + QStringLiteral("deepest.bin"));
    Touch(Nested(kMaxWalkDepth + 1) + QStringLiteral("too-deep.bin"));

    const QStringList items = Walk(m_dir.path());
    EXPECT_TRUE(items.contains(Nested(kMaxWalkDepth) + QStringLiteral("deepest.bin")));
    EXPECT_FALSE(items.contains(Nested(kMaxWalkDepth + 1)));
    EXPECT_FALSE(items.contains(Nested(kMaxWalkDepth + 1) + QStringLiteral("too-deep.bin")));
}

TEST_F(FolderWalkTest, DoesNotFollowDirectoryLinksOrOpenSpecialFiles) {
    Touch(QStringLiteral("card/F/clip.bin"));
    ASSERT_TRUE(QFile::link(Path(QStringLiteral("card")), Path(QStringLiteral("card/F/loop"))));
    ASSERT_TRUE(QFile::link(Path(QStringLiteral("card/F/clip.bin")),
                            Path(QStringLiteral("card/F/alias.bin"))));
    ASSERT_TRUE(QFile::link(Path(QStringLiteral("nowhere")), Path(QStringLiteral("card/dead"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path(QStringLiteral("card/pipe"))).constData(), 0644), 0);

    EXPECT_EQ(Walk(Path(QStringLiteral("card"))), QStringList({"F/", "F/alias.bin", "F/clip.bin"}));
}

TEST_F(FolderWalkTest, UnlistableDirectoryEndsOnlyItsBranch) {
    Touch(QStringLiteral("a/one.bin"));
    Touch(QStringLiteral("locked/hidden-from-walk.bin"));
    Touch(QStringLiteral("z/two.bin"));
    ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(Path(QStringLiteral("locked"))).constData(), 0), 0);

    EXPECT_EXIT(std::_Exit(WalkWithoutRoot(m_dir.path())), ::testing::ExitedWithCode(0), "");
    ::chmod(QFile::encodeName(Path(QStringLiteral("locked"))).constData(), 0755);
}

} // namespace
