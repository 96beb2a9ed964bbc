#include "app/CAppSettings.h"
#include "playback/WindowMessages.h"
#include "ui/dialogs/CKtcConfigDlg.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

using Id = CKtcConfigDlg::ControlId;
using Message = std::pair<QEvent::Type, qintptr>;

// Stands in for the main window: keeps the private messages posted to it, in order.
class MessageRecorder : public QObject {
public:
    std::vector<Message> Received() {
        QCoreApplication::sendPostedEvents(this);
        return m_messages;
    }

protected:
    bool event(QEvent* event) override {
        if (const auto* message = dynamic_cast<const KtrMessageEvent*>(event)) {
            m_messages.emplace_back(message->type(), message->wParam());
            return true;
        }
        return QObject::event(event);
    }

private:
    std::vector<Message> m_messages;
};

QComboBox* List(QWidget& dialog, Id id) {
    return dialog.findChild<QComboBox*>(QString::number(id));
}

QString Text(QWidget& dialog, Id id) {
    if (auto* group = dialog.findChild<QGroupBox*>(QString::number(id)))
        return group->title();
    return dialog.findChild<QAbstractButton*>(QString::number(id))->text();
}

QStringList Items(QComboBox* list) {
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->itemText(row);
    return items;
}

void Choose(QWidget& dialog, Id list, const QString& item) {
    QComboBox* combo = List(dialog, list);
    const int row = combo->findText(item);
    ASSERT_GE(row, 0) << qPrintable(item);
    combo->setCurrentIndex(row);
}

void Click(QWidget& dialog, Id id) {
    QTest::mouseClick(dialog.findChild<QAbstractButton*>(QString::number(id)), Qt::LeftButton);
}

// The dialog's own texts: title, OK, Cancel, both Apply buttons, map frame, language frame.
QStringList Labels(QWidget& dialog) {
    return {dialog.windowTitle(),
            Text(dialog, Id::kOkButton),
            Text(dialog, Id::kCancelButton),
            Text(dialog, Id::kMapApply),
            Text(dialog, Id::kLanguageApply),
            Text(dialog, Id::kMapGroup),
            Text(dialog, Id::kLanguageGroup)};
}

const QStringList kMapItemsEnglish{QStringLiteral("Google Maps"), QStringLiteral("China Map"),
                                   QStringLiteral("OpenStreetMap")};

class ConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_config.isValid()); }

    QString IniPath() const {
        return m_config.filePath(QString::fromLatin1(CAppSettings::kFileName));
    }

    CKtcConfigDlg& Open() {
        m_dialog = std::make_unique<CKtcConfigDlg>(m_settings, &m_window);
        m_dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
        return *m_dialog;
    }

    // What a later start of the program would read from the file.
    QString StoredLanguage() const {
        return CAppSettings(IniPath()).ReadText(SettingsKeys::kLanguage);
    }
    int StoredMap() const { return m_settings.ReadInt(SettingsKeys::kMap); }

    QTemporaryDir m_config;
    CAppSettings m_settings{IniPath()};
    MessageRecorder m_window;
    std::unique_ptr<CKtcConfigDlg> m_dialog;
};

TEST_F(ConfigDialogTest, OpensOnTheStoredChoicesWithTheMapClamped) {
    const struct {
        int storedMap;
        int selectedMap;
    } cases[] = {{7, 2}, {-3, 0}, {2, 2}, {1, 1}, {0, 0}};
    m_settings.SetLanguage(4);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.storedMap);
        ASSERT_TRUE(m_settings.WriteInt(SettingsKeys::kMap, c.storedMap));
        CKtcConfigDlg& dialog = Open();
        EXPECT_EQ(List(dialog, Id::kMapList)->currentIndex(), c.selectedMap);
        EXPECT_EQ(dialog.mapChoice(), c.selectedMap);
        EXPECT_EQ(m_settings.mapChoice(), c.selectedMap);
        EXPECT_EQ(List(dialog, Id::kLanguageList)->currentText(), u"русский"_qs);
    }
    EXPECT_TRUE(m_window.Received().empty()) << "opening applies nothing";
}

TEST_F(ConfigDialogTest, ListsEveryLanguageInItsOwnNameAndTheMapsInTheChosenLanguage) {
    CKtcConfigDlg& english = Open();
    EXPECT_EQ(Items(List(english, Id::kLanguageList)),
              (QStringList{u"English"_qs, u"简体中文"_qs, u"繁體中文"_qs, u"한국의"_qs,
                           u"русский"_qs, u"Vietnamese"_qs, u"日本語"_qs, u"Thai"_qs}));
    EXPECT_EQ(Items(List(english, Id::kMapList)), kMapItemsEnglish);
    EXPECT_EQ(Labels(english), (QStringList{u"Config"_qs, u"OK"_qs, u"Cancel"_qs, u"Apply"_qs,
                                            u"Apply"_qs, u"Select map"_qs, u"Select language"_qs}));

    m_settings.SetLanguage(7);
    CKtcConfigDlg& thai = Open();
    EXPECT_EQ(Items(List(thai, Id::kMapList)),
              (QStringList{u"Google แผนที่"_qs, u"แผนที่จีน"_qs, u"แผนที่ OpenStreetMap"_qs}));
    EXPECT_EQ(List(thai, Id::kLanguageList)->currentText(), u"Thai"_qs);
}

TEST_F(ConfigDialogTest, LanguageApplyRelabelsTheDialogAtOnceWhileTheMapListKeepsItsItems) {
    CKtcConfigDlg& dialog = Open();
    Choose(dialog, Id::kMapList, QStringLiteral("China Map"));
    Choose(dialog, Id::kLanguageList, u"한국의"_qs);
    Click(dialog, Id::kLanguageApply);

    EXPECT_EQ(Labels(dialog), (QStringList{u"설정"_qs, u"확인"_qs, u"취소"_qs, u"적용"_qs,
                                           u"적용"_qs, u"지도 선택"_qs, u"언어 선택"_qs}));
    EXPECT_EQ(Items(List(dialog, Id::kMapList)), kMapItemsEnglish);
    EXPECT_EQ(List(dialog, Id::kMapList)->currentIndex(), 1) << "the map choice is kept";
    EXPECT_EQ(List(dialog, Id::kMapList)->accessibleName(), u"지도 선택"_qs);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_settings.languageIndex(), 3);
    EXPECT_EQ(StoredLanguage(), QStringLiteral("KOR"));
    EXPECT_EQ(StoredMap(), 0) << "the map is not applied by the language's button";
    EXPECT_EQ(m_window.Received(), (std::vector<Message>{{WM_KTR_LANGUAGE_CHANGED, 3}}));
}

TEST_F(ConfigDialogTest, MapApplyStoresAndAnnouncesTheChoiceAndCancelKeepsIt) {
    CKtcConfigDlg& dialog = Open();
    Choose(dialog, Id::kMapList, QStringLiteral("China Map"));
    Click(dialog, Id::kMapApply);
    EXPECT_EQ(StoredMap(), 1);
    EXPECT_EQ(m_settings.mapChoice(), 1);
    EXPECT_EQ(dialog.mapChoice(), 1);
    Choose(dialog, Id::kLanguageList, u"日本語"_qs);
    Click(dialog, Id::kCancelButton);

    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(StoredMap(), 1);
    EXPECT_EQ(StoredLanguage(), QStringLiteral("ENG")) << "the language was never applied";
    EXPECT_EQ(m_window.Received(), (std::vector<Message>{{WM_KTR_MAP_CHOICE_CHANGED, 1}}));
}

TEST_F(ConfigDialogTest, OkAppliesAndAnnouncesBothEvenWhenNothingChanged) {
    const struct {
        const char16_t* map;
        const char16_t* language;
        int mapChoice;
        int languageIndex;
        const char* code;
    } cases[] = {
        {u"Google Maps", u"English", 0, 0, "ENG"},
        {u"OpenStreetMap", u"English", 2, 0, "ENG"},
        {u"China Map", u"Vietnamese", 1, 5, "POR"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        CKtcConfigDlg& dialog = Open();
        Choose(dialog, Id::kMapList, QString::fromUtf16(c.map));
        Choose(dialog, Id::kLanguageList, QString::fromUtf16(c.language));
        const std::vector<Message> before = m_window.Received();
        Click(dialog, Id::kOkButton);

        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.mapChoice(), c.mapChoice);
        EXPECT_EQ(StoredMap(), c.mapChoice);
        EXPECT_EQ(StoredLanguage(), QString::fromLatin1(c.code));
        std::vector<Message> posted = m_window.Received();
        posted.erase(posted.begin(), posted.begin() + static_cast<long>(before.size()));
        EXPECT_EQ(posted, (std::vector<Message>{{WM_KTR_MAP_CHOICE_CHANGED, c.mapChoice},
                                                {WM_KTR_LANGUAGE_CHANGED, c.languageIndex}}));
    }
}

TEST_F(ConfigDialogTest, WithoutALanguageSelectedOkAppliesOnlyTheMapAndStaysOpen) {
    CKtcConfigDlg& dialog = Open();
    Choose(dialog, Id::kMapList, QStringLiteral("China Map"));
    List(dialog, Id::kLanguageList)->setCurrentIndex(-1);
    Click(dialog, Id::kLanguageApply);
    Click(dialog, Id::kOkButton);

    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(m_settings.languageIndex(), 0);
    EXPECT_EQ(StoredMap(), 1);
    EXPECT_EQ(m_window.Received(), (std::vector<Message>{{WM_KTR_MAP_CHOICE_CHANGED, 1}}));
}

} // namespace
