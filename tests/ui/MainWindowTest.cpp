#include "app/CAppSettings.h"
#include "ui/controls/CStatusBoardStatic.h"
#include "ui/window/CKTRDlg.h"
#include "ui/window/WindowPlacement.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_config.isValid());
        m_window.resize(800, 560);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    QRect Placed(ControlId id) const {
        return m_window.findChild<QWidget*>(QString::number(static_cast<int>(id)))->geometry();
    }

    // A mouse event on the window's own surface, with the buttons held during it.
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, m_window.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&m_window, &event);
    }

    void Drag(QPoint from, std::initializer_list<QPoint> through) {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        for (const QPoint at : through)
            Mouse(QEvent::MouseMove, at, Qt::LeftButton);
    }

    QTemporaryDir m_config;
    CAppSettings m_settings{m_config.filePath(QString::fromLatin1(CAppSettings::kFileName))};
    CKTRDlg m_window{m_settings};
};

TEST_F(MainWindowTest, ControlsSitWhereTheLayoutPutsThemInTheSmallestWindow) {
    EXPECT_EQ(Placed(ControlId::FrontPanel), QRect(5, 48, 267, 221));
    EXPECT_EQ(Placed(ControlId::RearPanel), QRect(272, 48, 277, 221));
    EXPECT_EQ(Placed(ControlId::PositionSlider), QRect(5, 269, 544, 20));
    EXPECT_EQ(Placed(ControlId::GSensorCurve), QRect(5, 294, 544, 72));
    EXPECT_EQ(Placed(ControlId::GroupList), QRect(5, 371, 544, 125));
    EXPECT_EQ(Placed(ControlId::FileList), QRect(QPoint(555, 293), QPoint(794, 495)));
    EXPECT_EQ(Placed(ControlId::PlayButton), QRect(350, 504, 48, 48));
    EXPECT_EQ(Placed(ControlId::CloseButton), QRect(768, 2, 25, 25));
    EXPECT_EQ(Placed(ControlId::LockButton), QRect(741, 520, 32, 32));

    // The top-left corner is cut along a quarter circle, the others are rounded.
    const QRegion shape = m_window.mask();
    EXPECT_FALSE(shape.contains(QPoint(3, 3)));
    EXPECT_TRUE(shape.contains(QPoint(12, 12)));
    EXPECT_TRUE(shape.contains(QPoint(400, 280)));
    EXPECT_FALSE(shape.contains(QPoint(799, 559)));
}

TEST_F(MainWindowTest, MapSplitterMovesTheFileListWithinItsLimits) {
    Drag(QPoint(600, 290), {QPoint(600, 200)});
    EXPECT_EQ(Placed(ControlId::FileList).top(), 200 + 5);
    Mouse(QEvent::MouseMove, QPoint(600, 550), Qt::LeftButton);
    EXPECT_EQ(Placed(ControlId::FileList).top(), 560 - 127 + 53) << "map at most H - 127";
    Mouse(QEvent::MouseMove, QPoint(600, 30), Qt::LeftButton);
    EXPECT_EQ(Placed(ControlId::FileList).top(), 20 + 53) << "map at least 20";
    Mouse(QEvent::MouseButtonRelease, QPoint(600, 30), Qt::NoButton);
    Mouse(QEvent::MouseMove, QPoint(600, 300), Qt::NoButton);
    EXPECT_EQ(Placed(ControlId::FileList).top(), 20 + 53) << "the drag ended";
}

TEST_F(MainWindowTest, ColumnSplitterWorksOnlyRightOfTwoThirds) {
    Drag(QPoint(552, 100), {QPoint(500, 100)});
    EXPECT_EQ(Placed(ControlId::FileList).left(), 555);
    Mouse(QEvent::MouseMove, QPoint(600, 100), Qt::LeftButton);
    EXPECT_EQ(Placed(ControlId::FileList).left(), 800 - 5 - (800 - 600 - 10));
    Mouse(QEvent::MouseButtonRelease, QPoint(600, 100), Qt::NoButton);
}

TEST_F(MainWindowTest, GripNeverMakesTheWindowSmallerThanTheSmallest) {
    Drag(QPoint(795, 555), {QPoint(500, 300)});
    EXPECT_EQ(m_window.size(), QSize(800, 560));
    Mouse(QEvent::MouseMove, QPoint(900, 700), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, QPoint(950, 720), Qt::NoButton);
    EXPECT_EQ(m_window.size(), QSize(950, 720));
    EXPECT_EQ(Placed(ControlId::CloseButton), QRect(950 - 32, 2, 25, 25));
}

TEST_F(MainWindowTest, DoubleClickOnTheFreeSurfaceMaximizesAndRestores) {
    m_window.move(20, 10);
    const QRect before = m_window.geometry();
    QTest::mouseDClick(&m_window, Qt::LeftButton, Qt::NoModifier, QPoint(200, 30));
    EXPECT_TRUE(m_window.IsMaximized());
    EXPECT_EQ(m_window.geometry(), m_window.screen()->geometry());
    QTest::mouseDClick(&m_window, Qt::LeftButton, Qt::NoModifier, QPoint(200, 30));
    EXPECT_FALSE(m_window.IsMaximized());
    EXPECT_EQ(m_window.geometry(), before);
}

TEST_F(MainWindowTest, ClosingSavesTheWindowEdges) {
    m_window.setGeometry(30, 40, 900, 600);
    QTest::mouseClick(m_window.findChild<QWidget*>(QStringLiteral("1045")), Qt::LeftButton);
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(m_settings.ReadInt(SettingsKeys::kWindowLeft), 30);
    EXPECT_EQ(m_settings.ReadInt(SettingsKeys::kWindowTop), 40);
    EXPECT_EQ(m_settings.ReadInt(SettingsKeys::kWindowRight), 930);
    EXPECT_EQ(m_settings.ReadInt(SettingsKeys::kWindowBottom), 640);
}

TEST_F(MainWindowTest, ControlBarHasAccessibleNamesAndRoles) {
    const struct {
        ControlId id;
        QAccessible::Role role;
        const char* name;
    } cases[] = {
        {ControlId::PlayButton, QAccessible::Button, "Play/Pause video"},
        {ControlId::StopButton, QAccessible::Button, nullptr},
        {ControlId::OpenButton, QAccessible::Button, nullptr},
        {ControlId::SoundButton, QAccessible::Button, nullptr},
        {ControlId::VolumeSlider, QAccessible::Slider, nullptr},
        {ControlId::CloseButton, QAccessible::Button, nullptr},
    };
    for (const auto& c : cases) {
        QWidget* control = m_window.Control(c.id);
        ASSERT_NE(control, nullptr) << static_cast<int>(c.id);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        EXPECT_EQ(accessible->role(), c.role) << static_cast<int>(c.id);
        const QString name = accessible->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty()) << static_cast<int>(c.id);
        if (c.name) {
            EXPECT_EQ(name, QString::fromUtf8(c.name));
        }
    }
}

TEST_F(MainWindowTest, ReadoutsTellWhatTheyShow) {
    const auto accessible = [this](ControlId id) {
        return QAccessible::queryAccessibleInterface(m_window.Control(id));
    };
    QAccessibleInterface* speed = accessible(ControlId::SpeedReadout);
    EXPECT_EQ(speed->role(), QAccessible::StaticText);
    EXPECT_EQ(speed->text(QAccessible::Name), QStringLiteral("Change Speed Unit KPH/MPH."));
    EXPECT_EQ(speed->text(QAccessible::Value), QStringLiteral("0 Km/h"));

    QAccessibleInterface* lamp = accessible(ControlId::GpsLamp);
    EXPECT_EQ(lamp->role(), QAccessible::Indicator);
    EXPECT_EQ(lamp->text(QAccessible::Name), QStringLiteral("GPS"));
    EXPECT_EQ(lamp->text(QAccessible::Value), QStringLiteral("0"));
    EXPECT_EQ(accessible(ControlId::Compass)->role(), QAccessible::Indicator);
    EXPECT_EQ(accessible(ControlId::Compass)->text(QAccessible::Name), QStringLiteral("Compass"));
    EXPECT_EQ(accessible(ControlId::PositionSlider)->text(QAccessible::Name),
              QStringLiteral("Position"));

    auto* board = static_cast<CStatusBoardStatic*>(m_window.Control(ControlId::ProgressBoard));
    board->SetProgress(37, QStringLiteral("37 %"));
    EXPECT_EQ(accessible(ControlId::ProgressBoard)->role(), QAccessible::ProgressBar);
    EXPECT_EQ(accessible(ControlId::ProgressBoard)->text(QAccessible::Name),
              QStringLiteral("Progress"));
    EXPECT_EQ(accessible(ControlId::ProgressBoard)->text(QAccessible::Value),
              QStringLiteral("37 %"));
}

TEST(MainWindowPlacement, OpensWhereTheSettingsFileSaysWithinTheScreen) {
    QTemporaryDir config;
    CAppSettings settings(config.filePath(QString::fromLatin1(CAppSettings::kFileName)));
    ASSERT_TRUE(settings.WriteInt(SettingsKeys::kWindowLeft, 5000));
    ASSERT_TRUE(settings.WriteInt(SettingsKeys::kWindowTop, 20));
    ASSERT_TRUE(settings.WriteInt(SettingsKeys::kWindowRight, 5300));
    ASSERT_TRUE(settings.WriteInt(SettingsKeys::kWindowBottom, 120));
    CKTRDlg window(settings);
    const int screenWidth = window.screen()->availableGeometry().width();
    EXPECT_EQ(window.geometry(), QRect(screenWidth - 800, 20, 800, 560));
}

TEST(WindowPlacement, OpensWhollyOnTheScreenAndNeverTooSmall) {
    const QSize screen(1920, 1050);
    const struct {
        int left, top, right, bottom;
        QRect placed;
    } cases[] = {
        {0, 0, 800, 560, QRect(0, 0, 800, 560)},
        {5000, 10, 6000, 700, QRect(920, 10, 1000, 690)},
        {100, 100, 400, 200, QRect(100, 100, 800, 560)},
        {-50, -20, 750, 540, QRect(0, 0, 800, 560)},
        {0, 0, 3000, 2000, QRect(0, 0, 1920, 1050)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowPlacement(c.left, c.top, c.right, c.bottom, screen), c.placed)
            << c.left << " " << c.top << " " << c.right << " " << c.bottom;
}

} // namespace
