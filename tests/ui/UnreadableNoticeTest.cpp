#include "ui/window/UnreadableNotice.h"
#include "RecordingFixtures.h"
#include "app/CAppSettings.h"
#include "app/LanguageTable.h"
#include "playback/WindowMessages.h"
#include "ui/dialogs/UnreadableListDialog.h"
#include "ui/window/CKTRDlg.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QByteArray kIdit = "2021-05-04 10:20:00";

class UnreadableNoticeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_config.isValid());
        m_settings.SetLanguage(FindLanguageCode(QStringLiteral("ENG")));
        m_window.resize(800, 560);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    QString CardPath(const char* name) const { return m_card.filePath(QString::fromLatin1(name)); }
    void ScanCard() { ASSERT_TRUE(m_window.catalogue().Scan(m_card.path(), QString())); }
    UnreadableNotice* Notice() const {
        return m_window.findChild<UnreadableNotice*>(QStringLiteral("UnreadableNotice"));
    }
    std::vector<QStringList> ListedRows() const {
        std::vector<QStringList> rows;
        const QTreeWidget* list = Notice()->listDialog()->list();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows.push_back({list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1)});
        return rows;
    }

    QTemporaryDir m_config;
    QTemporaryDir m_card;
    CAppSettings m_settings{m_config.filePath(QString::fromLatin1(CAppSettings::kFileName))};
    CKTRDlg m_window{m_settings};
};

TEST_F(UnreadableNoticeTest, ScanThatLeftFilesOutSaysSoAndOpensTheListWithoutBlocking) {
    const QByteArray avi = MinimalAvi(kIdit, 60, 1280, 720);
    WriteFile(CardPath("AAAA0001.MP4"), MinimalMp4(kIdit, 60000, 1920, 1080));
    WriteFile(CardPath("AAAA0002.MP4"), MinimalMp4("2021-05-04 10:21:00", 60000, 1920, 1080));
    WriteFile(CardPath("AAAA0003.MP4"), QByteArray());
    WriteFile(CardPath("A/AAAA0004.AVI"), avi.left(avi.indexOf("movi") + 20));
    WriteFile(CardPath("AAAA0005.MP4"), QByteArray("garbage where a recording should be"));
    ASSERT_TRUE(Notice());
    EXPECT_FALSE(Notice()->isVisible());

    ScanCard();
    ASSERT_EQ(m_window.catalogue().EntryCount(), 2);
    EXPECT_TRUE(Notice()->isVisible());
    EXPECT_EQ(Notice()->toolTip(), QStringLiteral("3 recordings could not be read"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    QTest::mouseClick(Notice(), Qt::LeftButton);
    ASSERT_TRUE(Notice()->listDialog());
    EXPECT_TRUE(Notice()->listDialog()->isVisible());
    EXPECT_FALSE(Notice()->listDialog()->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(ListedRows(),
              (std::vector<QStringList>{
                  {CardPath("A/AAAA0004.AVI"), "Truncated: the recording is cut short"},
                  {CardPath("AAAA0003.MP4"), "Empty file"},
                  {CardPath("AAAA0005.MP4"), "Not a recording format the player knows"}}));

    // The open list follows the next scan, and so does the language.
    ASSERT_TRUE(QFile::remove(CardPath("A/AAAA0004.AVI")));
    ASSERT_TRUE(QFile::remove(CardPath("AAAA0005.MP4")));
    ScanCard();
    EXPECT_EQ(Notice()->toolTip(), QStringLiteral("1 recording could not be read"));
    EXPECT_EQ(ListedRows(), (std::vector<QStringList>{{CardPath("AAAA0003.MP4"), "Empty file"}}));
    m_settings.SetLanguage(FindLanguageCode(QStringLiteral("RUS")));
    KtrMessageEvent languageChanged(WM_KTR_LANGUAGE_CHANGED, 0, 0);
    QApplication::sendEvent(&m_window, &languageChanged);
    EXPECT_EQ(Notice()->toolTip(), QStringLiteral("Не прочитана 1 запись"));
    EXPECT_EQ(ListedRows(), (std::vector<QStringList>{{CardPath("AAAA0003.MP4"), "Пустой файл"}}));

    // A scan that read everything takes the notice and the list away.
    ASSERT_TRUE(QFile::remove(CardPath("AAAA0003.MP4")));
    ScanCard();
    EXPECT_FALSE(Notice()->isVisible());
    EXPECT_FALSE(Notice()->listDialog()->isVisible());
}

} // namespace
