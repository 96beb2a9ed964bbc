#include "MapPageFolder.h"
#include "app/CAppSettings.h"
#include "app/SystemText.h"
#include "ui/controls/CKtcToolTipCtrl.h"
#include "ui/dialogs/CAboutDlg.h"
#include "ui/dialogs/CKtcConfigDlg.h"
#include "ui/window/CKTRDlg.h"
#include "ui/window/WindowMenu.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QPointer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr int kWaitMs = 10000;
constexpr int kPollMs = 10;

// Runs open, and act on the modal dialog of type Dialog that open shows, from inside the
// dialog's own loop. A dialog that act leaves open is cancelled afterwards so that open
// returns. False when no such dialog opened.
template <class Dialog>
bool WhileOpen(const std::function<void()>& open, const std::function<void(Dialog&)>& act) {
    bool opened = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QPointer<Dialog> dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        opened = true;
        act(*dialog);
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
    poll.start(kPollMs);
    open();
    return opened;
}

template <class Control> Control* Find(QWidget& parent, int id) {
    return parent.findChild<Control*>(QString::number(id));
}

void Choose(QWidget& dialog, int list, const QString& item) {
    QComboBox* combo = Find<QComboBox>(dialog, list);
    combo->setCurrentIndex(combo->findText(item));
    EXPECT_EQ(combo->currentText(), item);
}

void Click(QWidget& dialog, int button) {
    QTest::mouseClick(Find<QAbstractButton>(dialog, button), Qt::LeftButton);
}

QString AccessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

QString PageFile(const MapBridge& map) {
    return map.view()->url().fileName();
}

class WindowDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_config.isValid()); }

    // The window over the settings file as the test left it, with pages that have their keys.
    CKTRDlg& Window() {
        if (!m_window) {
            MainWindowOptions options;
            options.mapPageFolder = m_pages.path();
            m_window = std::make_unique<CKTRDlg>(m_settings, options);
            m_window->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        }
        return *m_window;
    }

    QWidget* Control(ControlId id) { return Window().Control(id); }

    QString ColumnTitle(ControlId list, int column) {
        return static_cast<QTableView*>(Control(list))
            ->model()
            ->headerData(column, Qt::Horizontal)
            .toString();
    }

    QString Tip(ControlId id) {
        return Window().findChild<CKtcToolTipCtrl*>()->ToolText(Control(id));
    }

    // Opens the configuration dialog with the Conf button and lets act work it.
    void WithConfigDialog(const std::function<void(CKtcConfigDlg&)>& act) {
        EXPECT_TRUE(WhileOpen<CKtcConfigDlg>(
            [this] { QTest::mouseClick(Control(ControlId::ConfigButton), Qt::LeftButton); }, act));
    }

    struct AboutBox {
        QString title;
        QString version;
        QSize size;
    };

    // What the about box that open shows looks like; it is closed with its OK button.
    static AboutBox SeenAboutBox(const std::function<void()>& open) {
        AboutBox seen;
        EXPECT_TRUE(WhileOpen<CAboutDlg>(open, [&seen](CAboutDlg& about) {
            seen = {about.windowTitle(), Find<QLabel>(about, CAboutDlg::kVersionText)->text(),
                    about.size()};
            Click(about, CAboutDlg::kOkButton);
            EXPECT_FALSE(about.isVisible());
        }));
        return seen;
    }

    QTemporaryDir m_config;
    CAppSettings m_settings{m_config.filePath(QString::fromLatin1(CAppSettings::kFileName))};
    MapPageFolder m_pages;
    std::unique_ptr<CKTRDlg> m_window;
};

TEST_F(WindowDialogsTest, OkShowsTheChosenMapPageAndRelabelsTheWholeWindow) {
    ASSERT_NE(Window().map().view(), nullptr);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return PageFile(Window().map()) == "gmap.html"; }, kWaitMs));
    WithConfigDialog([](CKtcConfigDlg& dialog) {
        Choose(dialog, CKtcConfigDlg::kMapList, QStringLiteral("China Map"));
        Choose(dialog, CKtcConfigDlg::kLanguageList, u"한국의"_qs);
        Click(dialog, CKtcConfigDlg::kOkButton);
    });
    EXPECT_EQ(Window().map().mapKind(), MapChoice::kChinaMap) << "shown as the dialog closes";
    QCoreApplication::sendPostedEvents(&Window());

    EXPECT_TRUE(
        QTest::qWaitFor([this] { return PageFile(Window().map()) == "BMap.html"; }, kWaitMs));
    EXPECT_EQ(ColumnTitle(ControlId::GroupList, 0), u"그룹"_qs);
    EXPECT_EQ(ColumnTitle(ControlId::FileList, 0), u"파일 이름"_qs);
    EXPECT_EQ(AccessibleName(Control(ControlId::GroupList)), u"그룹"_qs);
    EXPECT_EQ(Tip(ControlId::PlayButton), u"비디오 재생/일시 정지"_qs);
    EXPECT_EQ(AccessibleName(Control(ControlId::PlayButton)), u"비디오 재생/일시 정지"_qs);
    EXPECT_EQ(AccessibleName(Control(ControlId::SpeedReadout)), u"속도 단위 변경 KPH/MPH."_qs);
    const WindowMenu* menu = Window().findChild<WindowMenu*>();
    EXPECT_EQ(menu->closeAction()->text(), u"프로그램 닫기"_qs);
    EXPECT_EQ(menu->aboutAction()->text(), LoadSystemText(101)) << "named once, at start";
}

TEST_F(WindowDialogsTest, LanguageApplyRelabelsTheWindowWhileTheDialogStaysOpen) {
    WithConfigDialog([this](CKtcConfigDlg& dialog) {
        Choose(dialog, CKtcConfigDlg::kLanguageList, u"日本語"_qs);
        Click(dialog, CKtcConfigDlg::kLanguageApply);
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Tip(ControlId::PlayButton), u"ビデオの再生/一時停止"_qs);
        EXPECT_EQ(ColumnTitle(ControlId::GroupList, 0), u"グループ"_qs);
        Click(dialog, CKtcConfigDlg::kCancelButton);
    });
    QCoreApplication::sendPostedEvents(&Window());
    EXPECT_EQ(AccessibleName(Control(ControlId::ConfigButton)), u"設定"_qs) << "kept on Cancel";
    EXPECT_EQ(Window().map().mapKind(), MapChoice::kGoogleMaps) << "the map was not applied";
}

TEST_F(WindowDialogsTest, TheStoredMapChoiceIsShownAtStart) {
    ASSERT_TRUE(m_settings.WriteInt(SettingsKeys::kMap, 1));
    EXPECT_EQ(Window().map().mapKind(), MapChoice::kChinaMap);
    EXPECT_EQ(m_settings.mapChoice(), MapChoice::kChinaMap);
}

TEST_F(WindowDialogsTest, AboutButtonAndWindowMenuOpenTheSameAboutBox) {
    m_settings.SetLanguage(6);
    const AboutBox fromButton = SeenAboutBox(
        [this] { static_cast<QAbstractButton*>(Control(ControlId::AboutButton))->click(); });
    EXPECT_EQ(fromButton.title, u"バージョン情報"_qs);
    EXPECT_EQ(fromButton.version, QStringLiteral("Kestrola,Version 1.1.3"));

    auto* menu = Window().findChild<WindowMenu*>();
    QContextMenuEvent belowTitle(QContextMenuEvent::Mouse, QPoint(300, 200),
                                 Window().mapToGlobal(QPoint(300, 200)));
    QCoreApplication::sendEvent(&Window(), &belowTitle);
    EXPECT_FALSE(menu->isVisible()) << "the menu belongs to the title row";
    QContextMenuEvent onTitle(QContextMenuEvent::Mouse, QPoint(300, 20),
                              Window().mapToGlobal(QPoint(300, 20)));
    QCoreApplication::sendEvent(&Window(), &onTitle);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    EXPECT_EQ(menu->aboutAction()->text(), LoadSystemText(101));
    EXPECT_EQ(menu->aboutAction()->objectName(), QStringLiteral("16"));

    const AboutBox fromMenu = SeenAboutBox([menu] {
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(menu->aboutAction()).center());
    });
    EXPECT_EQ(fromMenu.title, fromButton.title);
    EXPECT_EQ(fromMenu.version, fromButton.version);
    EXPECT_EQ(fromMenu.size, fromButton.size);
}

TEST_F(WindowDialogsTest, AltSpaceOpensTheWindowMenuUnderTheTitle) {
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    QTest::keyClick(&Window(), Qt::Key_Space, Qt::AltModifier);
    auto* menu = Window().findChild<WindowMenu*>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    EXPECT_EQ(menu->pos().y(), Window().mapToGlobal(QPoint(0, kPaneTop)).y());
}

} // namespace
