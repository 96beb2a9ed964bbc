#include "app/RememberedFolder.h"

#include "app/CAppSettings.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class RememberedFolderTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    CAppSettings m_settings{m_dir.filePath("Ktr.ini")};
};

TEST_F(RememberedFolderTest, FolderThatNoLongerExistsReadsEmptyButStaysInTheFile) {
    EXPECT_EQ(ReadRememberedFolder(m_settings), QString());
    const QString folder = m_dir.filePath(" spaced folder ");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(WriteRememberedFolder(m_settings, folder));
    EXPECT_EQ(ReadRememberedFolder(m_settings), folder);

    ASSERT_TRUE(QDir().rmdir(folder));
    EXPECT_EQ(ReadRememberedFolder(m_settings), QString());
    EXPECT_EQ(m_settings.ReadText(SettingsKeys::kFolder), folder);
}

TEST_F(RememberedFolderTest, PickedFolderThatDoesNotExistIsStoredEmpty) {
    ASSERT_TRUE(WriteRememberedFolder(m_settings, m_dir.path()));
    ASSERT_TRUE(WriteRememberedFolder(m_settings, m_dir.filePath("gone")));
    EXPECT_EQ(m_settings.ReadText(SettingsKeys::kFolder), QString());
}

} // namespace
