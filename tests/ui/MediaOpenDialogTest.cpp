#include "AnsweringPrompts.h"
#include "app/CAppSettings.h"
#include "app/LanguageTable.h"
#include "app/RememberedFolder.h"
#include "ui/dialogs/CMediaOpenDialog.h"
#include "ui/dialogs/WidgetPrompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Id = CMediaOpenDialog::ControlId;

QWidget* Control(QWidget& dialog, Id id) {
    return dialog.findChild<QWidget*>(QString::number(id));
}

QAbstractButton* Button(QWidget& dialog, Id id) {
    return qobject_cast<QAbstractButton*>(Control(dialog, id));
}

QString FieldText(QWidget& dialog, Id id) {
    return qobject_cast<QLineEdit*>(Control(dialog, id))->text();
}

void Click(QWidget& dialog, Id id) {
    QTest::mouseClick(Button(dialog, id), Qt::LeftButton);
}

class OpenMediaDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_config.isValid() && m_card.isValid()); }

    CMediaOpenDialog& Open() {
        m_dialog = std::make_unique<CMediaOpenDialog>(m_settings);
        m_dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
        return *m_dialog;
    }

    QString Remembered() const { return m_settings.ReadText(SettingsKeys::kFolder); }

    QTemporaryDir m_config;
    QTemporaryDir m_card;
    CAppSettings m_settings{m_config.filePath(QString::fromLatin1(CAppSettings::kFileName))};
    AnsweringPrompts m_prompts;
    std::unique_ptr<CMediaOpenDialog> m_dialog;
};

TEST_F(OpenMediaDialogTest, OffersOnlyFileAndFolderWithFileTickedAndOkGivesAnEmptyFile) {
    CMediaOpenDialog& dialog = Open();
    for (const Id hidden : {Id::kDiskRadio, Id::kDiskList})
        EXPECT_FALSE(Control(dialog, hidden)->isVisible()) << hidden;
    EXPECT_FALSE(Button(dialog, Id::kDiskRadio)->isChecked());
    EXPECT_TRUE(Button(dialog, Id::kFileRadio)->isChecked());
    EXPECT_FALSE(Button(dialog, Id::kFolderRadio)->isChecked());
    EXPECT_EQ(Control(dialog, Id::kFileRadio)->geometry(), QRect(10, 53, 80, 20));
    EXPECT_EQ(Control(dialog, Id::kFolderRadio)->geometry(), QRect(10, 120, 80, 20));
    for (const Id field : {Id::kFileField, Id::kFolderField})
        EXPECT_TRUE(qobject_cast<QLineEdit*>(Control(dialog, field))->isReadOnly()) << field;

    Click(dialog, Id::kOkButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice(), CMediaOpenDialog::kChoiceFile);
    EXPECT_EQ(dialog.filePath(), QString());
    EXPECT_EQ(dialog.folderPath(), QString());
}

TEST_F(OpenMediaDialogTest, LastPickTicksItsChoiceAndOkReturnsBothPaths) {
    const QString file = m_card.filePath("2026_0101_120000_001F.MP4");
    m_prompts.folders = {m_card.path(), m_card.path()};
    m_prompts.openFiles = {file};
    CMediaOpenDialog& dialog = Open();

    Click(dialog, Id::kFolderButton);
    EXPECT_TRUE(Button(dialog, Id::kFolderRadio)->isChecked());
    EXPECT_FALSE(Button(dialog, Id::kFileRadio)->isChecked());
    EXPECT_EQ(FieldText(dialog, Id::kFolderField), m_card.path());
    Click(dialog, Id::kFileButton);
    EXPECT_TRUE(Button(dialog, Id::kFileRadio)->isChecked());
    EXPECT_FALSE(Button(dialog, Id::kFolderRadio)->isChecked());
    EXPECT_EQ(FieldText(dialog, Id::kFileField), file);
    Click(dialog, Id::kOkButton);
    EXPECT_EQ(dialog.choice(), CMediaOpenDialog::kChoiceFile);
    EXPECT_EQ(dialog.filePath(), file);
    EXPECT_EQ(dialog.folderPath(), m_card.path());

    CMediaOpenDialog& again = Open();
    Click(again, Id::kFolderButton);
    Click(again, Id::kOkButton);
    EXPECT_EQ(again.choice(), CMediaOpenDialog::kChoiceFolder);
    EXPECT_EQ(again.filePath(), QString());
    EXPECT_EQ(again.folderPath(), m_card.path());
}

TEST_F(OpenMediaDialogTest, PickedFolderIsRememberedAndCancelledPicksChangeNothing) {
    const QString gone = m_card.filePath("gone");
    m_prompts.folders = {m_card.path(), QString(), gone};
    CMediaOpenDialog& dialog = Open();

    Click(dialog, Id::kFolderButton);
    EXPECT_EQ(Remembered(), m_card.path());
    Click(dialog, Id::kFolderButton); // cancelled
    Click(dialog, Id::kFileButton);   // cancelled
    EXPECT_EQ(FieldText(dialog, Id::kFolderField), m_card.path());
    EXPECT_EQ(FieldText(dialog, Id::kFileField), QString());
    EXPECT_TRUE(Button(dialog, Id::kFolderRadio)->isChecked());
    EXPECT_EQ(Remembered(), m_card.path());

    // A folder that does not exist is still handed back, but not offered next time.
    Click(dialog, Id::kFolderButton);
    EXPECT_EQ(Remembered(), QString());
    Click(dialog, Id::kOkButton);
    EXPECT_EQ(dialog.choice(), CMediaOpenDialog::kChoiceFolder);
    EXPECT_EQ(dialog.folderPath(), gone);

    ASSERT_EQ(m_prompts.folderQuestions.size(), 3u);
    EXPECT_EQ(m_prompts.folderQuestions[0].initialFolder, QString());
    EXPECT_EQ(m_prompts.folderQuestions[1].initialFolder, m_card.path());
    EXPECT_EQ(m_prompts.folderQuestions[2].initialFolder, m_card.path());
}

TEST_F(OpenMediaDialogTest, TextsFollowTheChosenLanguage) {
    struct Case {
        const char* code;
        const char16_t* caption;
        const char16_t* file;
        const char16_t* folder;
        const char16_t* cancel;
        const char16_t* folderTitle;
    } cases[] = {
        {"ENG", u"Select a file", u"File", u"Folder", u"Cancel", u"Select a folder"},
        {"JPN", u"ファイルを開く", u"ファイル", u"フォルダー", u"キャンセル", u"フォルダーの選択"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        m_settings.SetLanguage(FindLanguageCode(QString::fromLatin1(c.code)));
        CMediaOpenDialog& dialog = Open();
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf16(c.caption));
        EXPECT_EQ(Button(dialog, Id::kFileRadio)->text(), QString::fromUtf16(c.file));
        EXPECT_EQ(Button(dialog, Id::kFolderRadio)->text(), QString::fromUtf16(c.folder));
        EXPECT_EQ(Button(dialog, Id::kOkButton)->text(), QStringLiteral("OK"));
        EXPECT_EQ(Button(dialog, Id::kCancelButton)->text(), QString::fromUtf16(c.cancel));

        Click(dialog, Id::kFileButton);
        Click(dialog, Id::kFolderButton);
        ASSERT_FALSE(m_prompts.openFileTitles.empty());
        ASSERT_FALSE(m_prompts.folderQuestions.empty());
        EXPECT_EQ(m_prompts.openFileTitles.back(), QString::fromUtf16(c.caption));
        EXPECT_EQ(m_prompts.folderQuestions.back().title, QString::fromUtf16(c.folderTitle));
    }
}

// The real prompts run the dialog modally; the test answers it from inside its event loop.
TEST_F(OpenMediaDialogTest, RealPromptsHandBackTheDialogsAnswerOrCancel) {
    WidgetPrompts prompts(m_settings);
    m_prompts.folders = {m_card.path()};
    const auto pressWhenShown = [](Id last) {
        QTimer::singleShot(0, [last] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            if (last == Id::kOkButton)
                Click(*dialog, Id::kFolderButton);
            Click(*dialog, last);
        });
    };

    MediaOpenAnswer answer;
    pressWhenShown(Id::kOkButton);
    ASSERT_TRUE(prompts.AskMediaToOpen(answer));
    EXPECT_EQ(answer.choice, CMediaOpenDialog::kChoiceFolder);
    EXPECT_EQ(answer.folderPath, m_card.path());
    EXPECT_EQ(answer.filePath, QString());

    MediaOpenAnswer untouched;
    untouched.filePath = QStringLiteral("kept");
    pressWhenShown(Id::kCancelButton);
    EXPECT_FALSE(prompts.AskMediaToOpen(untouched));
    EXPECT_EQ(untouched.filePath, QStringLiteral("kept"));
}

} // namespace
