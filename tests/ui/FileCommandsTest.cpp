#include "AnsweringPrompts.h"
#include "RecordingFixtures.h"
#include "app/CAppSettings.h"
#include "app/LanguageTable.h"
#include "ui/controls/CStatusBoardStatic.h"
#include "ui/window/CKTRDlg.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QDateTime kBase(QDate(2021, 5, 4), QTime(10, 20, 0), Qt::LocalTime);
const QString kNoSelection = QStringLiteral("Confirm file selection");

// Two groups of one and three recordings, the later ones in the subfolder A.
const char* const kCardFiles[] = {"AAAA0001.MP4", "A/BBBB0002.MP4", "A/BBBG0003.MP4",
                                  "A/BBBH0004.MP4"};
const int kStartSeconds[] = {0, 600, 601, 602};

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_config.isValid());
        m_settings.SetLanguage(FindLanguageCode(QStringLiteral("ENG")));
        m_window.resize(800, 560);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    // Catalogues the card without starting playback.
    void ScanCard() {
        for (size_t i = 0; i < std::size(kCardFiles); ++i) {
            const QByteArray idit = kBase.addSecs(kStartSeconds[i])
                                        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                        .toLatin1();
            WriteFile(m_card.filePath(kCardFiles[i]), MinimalMp4(idit, 1000, 1280, 720));
        }
        ASSERT_TRUE(m_window.catalogue().Scan(m_card.path(), QString()));
        ASSERT_EQ(m_window.catalogue().Groups().size(), 2u);
    }

    void Tick(int row) {
        auto* list = static_cast<QAbstractItemView*>(m_window.Control(ControlId::GroupList));
        ASSERT_TRUE(
            list->model()->setData(list->model()->index(row, 0), Qt::Checked, Qt::CheckStateRole));
    }

    QAbstractButton* Button(ControlId id) const {
        return static_cast<QAbstractButton*>(m_window.Control(id));
    }
    CStatusBoardStatic* Board() const {
        return static_cast<CStatusBoardStatic*>(m_window.Control(ControlId::ProgressBoard));
    }

    QStringList Captions() const {
        QStringList captions;
        for (const AnsweringPrompts::Message& message : m_prompts.messages)
            captions << message.caption;
        return captions;
    }

    // Clicks SAVE and lets the window run until the copy has ended.
    void SaveAsAndWait() {
        Button(ControlId::SaveButton)->click();
        const QDeadlineTimer deadline(10000);
        while (!Board()->isHidden() && !deadline.hasExpired())
            QTest::qWait(20);
        ASSERT_TRUE(Board()->isHidden());
    }

    QTemporaryDir m_config;
    QTemporaryDir m_card;
    QTemporaryDir m_destination;
    AnsweringPrompts m_prompts;
    CAppSettings m_settings{m_config.filePath(QString::fromLatin1(CAppSettings::kFileName))};
    CKTRDlg m_window{m_settings};
};

TEST_F(FileCommandsTest, EmptyCatalogueOnlySaysSo) {
    for (const ControlId id :
         {ControlId::LockButton, ControlId::DeleteButton, ControlId::SaveButton}) {
        Button(id)->click();
    }
    ASSERT_EQ(m_prompts.messages.size(), 3u);
    for (const AnsweringPrompts::Message& message : m_prompts.messages) {
        EXPECT_EQ(message.text, QStringLiteral("No Files in list"));
        EXPECT_EQ(message.caption, QStringLiteral("OK"));
    }
    EXPECT_TRUE(m_prompts.folderQuestions.empty());
}

TEST_F(FileCommandsTest, NothingTickedIsToldAfterTheCommandsQuestions) {
    ScanCard();
    m_prompts.folders = {m_destination.path()};

    Button(ControlId::LockButton)->click();
    Button(ControlId::DeleteButton)->click();
    Button(ControlId::SaveButton)->click();

    EXPECT_EQ(Captions(), QStringList({kNoSelection, QStringLiteral("Delete Files"), kNoSelection,
                                       kNoSelection}));
    ASSERT_EQ(m_prompts.folderQuestions.size(), 1u);
    EXPECT_EQ(m_prompts.folderQuestions[0].title, QStringLiteral("Select a folder"));
    EXPECT_EQ(m_window.catalogue().EntryCount(), 4);
    EXPECT_TRUE(Board()->isHidden());
}

TEST_F(FileCommandsTest, DeleteAsksFirstAndCancelKeepsTheFiles) {
    ScanCard();
    Tick(1);
    m_prompts.messageAnswer = PromptAnswer::Cancel;
    Button(ControlId::DeleteButton)->click();
    EXPECT_EQ(Captions(), QStringList({QStringLiteral("Delete Files")}));
    EXPECT_TRUE(QFile::exists(m_card.filePath("A/BBBB0002.MP4")));

    m_prompts.messageAnswer = PromptAnswer::Ok;
    Button(ControlId::DeleteButton)->click();
    EXPECT_FALSE(QFile::exists(m_card.filePath("A/BBBB0002.MP4")));
    EXPECT_EQ(m_window.catalogue().EntryCount(), 1);
}

TEST_F(FileCommandsTest, UnlockShowsTheFilesItCouldNotChange) {
    ScanCard();
    WriteFile(m_card.filePath("A/BBB_0003.MP4"), QByteArray("in the way"));
    Tick(1);
    Button(ControlId::LockButton)->click();
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Warning"));
    EXPECT_TRUE(m_prompts.messages[0].text.contains(m_card.filePath("A/BBBG0003.MP4")));
}

TEST_F(FileCommandsTest, SaveAsCopiesOffTheWindowThreadWithTheCommandsDisabled) {
    ScanCard();
    const QString existing = m_destination.filePath("AAAA0001.MP4");
    WriteFile(existing, QByteArray("older copy"));
    Tick(0);
    Tick(1);
    m_prompts.folders = {m_destination.path()};

    Button(ControlId::SaveButton)->click();
    // The click returned with the copy still to come: the window stays responsive.
    EXPECT_FALSE(Board()->isHidden());
    EXPECT_EQ(Board()->ValueText(), QStringLiteral("0 %"));
    for (const ControlId id : {ControlId::OpenButton, ControlId::LockButton,
                               ControlId::DeleteButton, ControlId::SaveButton})
        EXPECT_FALSE(Button(id)->isEnabled()) << static_cast<int>(id);
    const QDeadlineTimer deadline(10000);
    while (!Board()->isHidden() && !deadline.hasExpired())
        QTest::qWait(20);
    ASSERT_TRUE(Board()->isHidden());

    EXPECT_EQ(Board()->Percent(), 100);
    EXPECT_TRUE(Button(ControlId::SaveButton)->isEnabled());
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Confirm to overwrite the file."));
    EXPECT_EQ(m_prompts.messages[0].text,
              QStringLiteral("File \"%1\" is already exist. Are you sure to overwrite it?")
                  .arg(existing));
    for (const char* name : kCardFiles) {
        QFile copy(m_destination.filePath(name));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(copy.size(), QFileInfo(m_card.filePath(name)).size()) << name;
    }
}

TEST_F(FileCommandsTest, SaveAsReportsAMissingFolderAndFailedCopies) {
    ScanCard();
    Tick(1);
    m_prompts.folders = {m_destination.filePath("gone")};
    Button(ControlId::SaveButton)->click();
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].text, QStringLiteral("Folder is not exist."));
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Warning"));

    // A plain file where the subfolder A belongs.
    WriteFile(m_destination.filePath("A"), QByteArray("in the way"));
    m_prompts.messages.clear();
    m_prompts.folders = {m_destination.path()};
    SaveAsAndWait();
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Warning"));
    EXPECT_TRUE(m_prompts.messages[0].text.contains(m_destination.filePath("A/BBBH0004.MP4")));
    EXPECT_EQ(QDir(m_destination.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"A"}));
}

} // namespace
