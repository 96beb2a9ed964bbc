#include "ui/window/KmlButtonMenu.h"
#include "AnsweringPrompts.h"
#include "RecordingFixtures.h"
#include "app/CAppSettings.h"
#include "app/LanguageTable.h"
#include "ui/window/CKTRDlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Points the Documents folder into a temporary home for the life of the object.
class ScopedHome {
public:
    explicit ScopedHome(const QString& home)
        : m_home(qgetenv("HOME")), m_config(qgetenv("XDG_CONFIG_HOME")),
          m_configSet(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
        qputenv("HOME", QFile::encodeName(home));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/config")));
    }
    ~ScopedHome() {
        qputenv("HOME", m_home);
        if (m_configSet)
            qputenv("XDG_CONFIG_HOME", m_config);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    ScopedHome(const ScopedHome&) = delete;
    ScopedHome& operator=(const ScopedHome&) = delete;

private:
    QByteArray m_home;
    QByteArray m_config;
    bool m_configSet;
};

class KmlButtonMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_config.isValid() && m_card.isValid() && m_home.isValid());
        m_settings.SetLanguage(FindLanguageCode(QStringLiteral("ENG")));
        m_window.resize(800, 560);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    // Right-clicks the KML button and picks the GPX entry of the menu that opens.
    void PickGpxFromTheKmlButton() {
        auto* kml = static_cast<QAbstractButton*>(m_window.Control(ControlId::KmlButton));
        // What the platform delivers for a right-click.
        const QPoint at = kml->rect().center();
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, kml->mapToGlobal(at));
        QCoreApplication::sendEvent(kml, &rightClick);
        auto* menu = kml->findChild<KmlButtonMenu*>();
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        EXPECT_EQ(menu->gpxAction()->text(), QStringLiteral("Save GPS data to GPX file"));
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(menu->gpxAction()).center());
        EXPECT_FALSE(menu->isVisible());
    }

    QTemporaryDir m_config;
    QTemporaryDir m_card;
    QTemporaryDir m_home;
    ScopedHome m_scopedHome{m_home.path()};
    AnsweringPrompts m_prompts;
    CAppSettings m_settings{m_config.filePath(QString::fromLatin1(CAppSettings::kFileName))};
    CKTRDlg m_window{m_settings};
};

TEST_F(KmlButtonMenuTest, GpxEntryWritesTheLoadedTrackIntoTheGpxFolder) {
    WriteFile(m_card.filePath(QStringLiteral("AAAA0001.MP4")),
              MinimalMp4("2021-05-04 10:20:00", 1000, 1280, 720));
    ASSERT_TRUE(m_window.catalogue().Scan(m_card.path(), QString()));
    ASSERT_EQ(m_window.catalogue().LoadTrack(0), 1);
    TrackBuffer& track = m_window.catalogue().Track();
    track.resize(kTrackPointBytes, 0);
    track.points[0].latitudeNmea = 4807.038;
    track.points[0].longitudeNmea = 1131.0;
    track.points[0].flags = TrackPoint::kFixValid;

    PickGpxFromTheKmlButton();

    const QString path =
        m_home.filePath(QStringLiteral("Documents/KTR/GPX/AAAA0001_2021_05_04_10-20-00.gpx"));
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].text, QStringLiteral("Save GPX file: %1 OK.").arg(path));
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Save GPX"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("<trkpt lat=\"48.117300\" lon=\"11.516667\">"));
}

TEST_F(KmlButtonMenuTest, GpxEntryBeforeAnyTrackSaysNoFilesAndWritesNothing) {
    PickGpxFromTheKmlButton();
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].text, QStringLiteral("No Files in list"));
    EXPECT_FALSE(QFileInfo::exists(m_home.filePath(QStringLiteral("Documents/KTR/GPX"))));
}

} // namespace
