#include "MapPageFolder.h"
#include "QuietOptions.h"
#include "TestCard.h"

#include "AnsweringPrompts.h"
#include "app/CAppSettings.h"
#include "playback/SpeedTable.h"
#include "playback/WindowMessages.h"
#include "ui/CGSensorCtrl.h"
#include "ui/controls/CGdipButton.h"
#include "ui/controls/CPngCompassStatic.h"
#include "ui/controls/CPngStatic.h"
#include "ui/controls/CSpeedLabelStatic.h"
#include "ui/window/CKTRDlg.h"

#include <QAbstractSlider>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Generous: libvlc opens two files and the web engine loads a page on a shared, busy machine.
constexpr int kWaitMs = 20000;
// How close both players land to a seek target, in ms.
constexpr int64_t kSeekToleranceMs = 300;
const QString kPlayerError = QStringLiteral("Media player encountered a error.");

// A position the map page shows, [latitude, longitude].
struct MapPoint {
    double latitude = 0;
    double longitude = 0;
};

bool Near(const MapPoint& a, const TrackPoint& b) {
    constexpr double kDegrees = 1e-6;
    return std::abs(a.latitude - NmeaToDegrees(b.latitudeNmea)) < kDegrees &&
           std::abs(a.longitude - NmeaToDegrees(b.longitudeNmea)) < kDegrees;
}

MapPoint ToMapPoint(const QVariant& pair) {
    const QVariantList values = pair.toList();
    return values.size() == 2 ? MapPoint{values[0].toDouble(), values[1].toDouble()} : MapPoint{};
}

class PlayingWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Card().error.isEmpty()) << qPrintable(Card().error);
        ASSERT_TRUE(m_config.isValid());
        ASSERT_TRUE(m_pages.isValid());
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        // The track is plotted when a recording starts; the page must be there to take it.
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_window.map().isReady(); }, kWaitMs));
    }

    void Click(ControlId id) { static_cast<QAbstractButton*>(m_window.Control(id))->click(); }

    void AnswerOpen(int choice, const QString& path) {
        MediaOpenAnswer answer;
        answer.choice = choice;
        (choice == 2 ? answer.folderPath : answer.filePath) = path;
        m_prompts.mediaAnswers.push_back(answer);
        Click(ControlId::OpenButton);
    }

    CMediaChannel& front() { return m_window.frontChannel(); }
    CMediaChannel& rear() { return m_window.rearChannel(); }
    PlaybackController& controller() { return m_window.controller(); }
    QAbstractSlider* positionSlider() const {
        return static_cast<QAbstractSlider*>(m_window.Control(ControlId::PositionSlider));
    }
    template <class Control> Control* As(ControlId id) const {
        return static_cast<Control*>(m_window.Control(id));
    }
    int PlayButtonState() const { return As<CGdipButton>(ControlId::PlayButton)->PictureState(); }

    bool Plays(const QString& frontFile, const QString& rearFile) {
        return front().IsPlaying() && rear().IsPlaying() && front().Path() == frontFile.toUtf8() &&
               rear().Path() == rearFile.toUtf8();
    }

    // Opens the paired card and waits until entry 0 plays on both channels, the window has
    // taken the front channel's report that it plays, and its time is being reported.
    void PlayPairedCard() {
        AnswerOpen(2, Card().paired);
        ASSERT_EQ(m_window.catalogue().EntryCount(), 4);
        ASSERT_TRUE(QTest::qWaitFor(
            [this] {
                return Plays(Card().front[0], Card().rear[0]) && PlayButtonState() == 1 &&
                       positionSlider()->value() > 0 && rear().GetTime() > 0;
            },
            kWaitMs));
    }

    QVariantMap PageState() {
        return EvaluateInPage(m_window.map().view()->page(),
                              QStringLiteral("window.fakeService.state()"))
            .toMap();
    }

    AnsweringPrompts m_prompts;
    QTemporaryDir m_config;
    CAppSettings m_settings{m_config.filePath(QString::fromLatin1(CAppSettings::kFileName))};
    MapPageFolder m_pages;
    CKTRDlg m_window{m_settings, QuietOptions(m_pages.path())};
};

TEST_F(PlayingWindowTest, OpeningACardFolderPlaysTheFirstEntryOnBothChannels) {
    AnswerOpen(2, Card().paired);
    EXPECT_EQ(m_prompts.mediaQuestions, 1);
    EXPECT_TRUE(controller().switchPending()) << "a folder open guards against a second start";
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return Plays(Card().front[0], Card().rear[0]); }, kWaitMs));
    EXPECT_EQ(m_window.catalogue().currentEntry(), 0);
    EXPECT_TRUE(controller().frontActive());
    EXPECT_TRUE(m_window.Control(ControlId::FrontVideo)->isVisible());
    EXPECT_TRUE(m_window.Control(ControlId::RearVideo)->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !controller().switchPending(); }, kWaitMs))
        << "the first time report ends the switch";
}

TEST_F(PlayingWindowTest, TimeReportsMoveEveryDisplayAndTheMapMarker) {
    PlayPairedCard();
    const std::vector<TrackPoint>& points = m_window.catalogue().Track().points;
    ASSERT_EQ(points.size(), size_t{TestCard::kRecordingSeconds});

    const GSensorTrace& curve = As<CGSensorCtrl>(ControlId::GSensorCurve)->trace();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return As<CPngStatic>(ControlId::GpsLamp)->IsLit() &&
                   As<CPngCompassStatic>(ControlId::Compass)->ImageIndex() != 0 &&
                   curve.cursorTime() > 0;
        },
        kWaitMs));
    EXPECT_GT(curve.lengthMs(), 0);
    EXPECT_FALSE(curve.dimmed());
    EXPECT_EQ(As<CSpeedLabelStatic>(ControlId::SpeedReadout)->Text(),
              QStringLiteral("%1 Km/h").arg(points[0].speedKmh));
    EXPECT_GT(points[0].speedKmh, 0);

    // The marker stands on a point of the recording's track, and moves on with the time.
    MapPoint first;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            first = ToMapPoint(PageState().value(QStringLiteral("marker")));
            return Near(first, points[0]) || Near(first, points[1]);
        },
        kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const MapPoint now = ToMapPoint(PageState().value(QStringLiteral("marker")));
            return now.longitude > first.longitude &&
                   std::any_of(points.begin(), points.end(),
                               [&](const TrackPoint& p) { return Near(now, p); });
        },
        kWaitMs));
}

// Disabled: the seek waiting for the seek timer is cancelled before the timer fires when the
// players are paused (neither player moves); the cause is not found yet.
TEST_F(PlayingWindowTest, SliderSeekMovesBothChannelsAndRedrawsTheDrivenTrail) {
    PlayPairedCard();
    // Paused, so the players stay where the seek puts them.
    Click(ControlId::PlayButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return PlayButtonState() == 0; }, kWaitMs));
    ASSERT_TRUE(front().IsPaused() && rear().IsPaused());

    const int64_t length = front().GetLength();
    ASSERT_GT(length, 0);
    positionSlider()->setValue(500);
    KtrMessageEvent seek(WM_KTR_SEEK, 0, 0);
    QCoreApplication::sendEvent(&m_window, &seek);
    const int64_t target = 500 * (length / 1000);
    EXPECT_EQ(controller().pendingSeekMs(), target);

    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return controller().pendingSeekMs() == PlaybackController::kNoSeek; }, kWaitMs))
        << "the seek timer carries the seek out";
    // On a loaded machine the paused players may take a moment to show the new time.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return std::abs(front().GetTime() - target) < kSeekToleranceMs &&
                   std::abs(rear().GetTime() - target) < kSeekToleranceMs;
        },
        kWaitMs))
        << "front at " << front().GetTime() << ", rear at " << rear().GetTime() << " ms";

    // The trail is drawn again up to the target: the points before it, in order.
    const std::vector<TrackPoint>& points = m_window.catalogue().Track().points;
    const qsizetype reached = static_cast<qsizetype>(target / 1000);
    const auto drivenUpToTarget = [&] {
        const QVariantList driven = PageState()
                                        .value(QStringLiteral("driven"))
                                        .toMap()
                                        .value(QStringLiteral("points"))
                                        .toList();
        if (driven.size() < reached)
            return false;
        for (qsizetype i = 0; i < reached; ++i)
            if (!Near(ToMapPoint(driven[i]), points[static_cast<size_t>(i)]))
                return false;
        return true;
    };
    EXPECT_TRUE(QTest::qWaitFor(drivenUpToTarget, kWaitMs));
}

TEST_F(PlayingWindowTest, FastSixTimesGivesTwoPointFourAndResumingReturnsToNormal) {
    PlayPairedCard();
    for (int press = 0; press < 6; ++press)
        Click(ControlId::FastButton);
    EXPECT_EQ(controller().speedIndex(), 13);
    EXPECT_EQ(QByteArray(kSpeedTable[controller().speedIndex()].label), QByteArray("2.4 X"));
    EXPECT_FLOAT_EQ(front().Rate(), 2.4f);
    EXPECT_FLOAT_EQ(rear().Rate(), 2.4f);

    Click(ControlId::PlayButton);
    EXPECT_TRUE(front().IsPaused() && rear().IsPaused());
    Click(ControlId::PlayButton);
    EXPECT_TRUE(front().IsPlaying() && rear().IsPlaying());
    EXPECT_EQ(controller().speedIndex(), kNormalSpeedIndex);
    EXPECT_FLOAT_EQ(front().Rate(), 1.0f);
    EXPECT_FLOAT_EQ(rear().Rate(), 1.0f);
}

TEST_F(PlayingWindowTest, StopHidesBothSurfaces) {
    PlayPairedCard();
    Click(ControlId::StopButton);
    EXPECT_FALSE(m_window.Control(ControlId::FrontVideo)->isVisible());
    EXPECT_FALSE(m_window.Control(ControlId::RearVideo)->isVisible());
    EXPECT_FALSE(front().IsPlaying());
    EXPECT_FALSE(rear().IsPlaying());
    EXPECT_EQ(positionSlider()->value(), 0);
    EXPECT_EQ(PlayButtonState(), 0);
}

TEST_F(PlayingWindowTest, AutoPlaySkipsTheOtherHalfOfTheRecordingThatEnded) {
    PlayPairedCard();
    // Entry 1 is the rear half of the recording that just ended. Passing over it takes one
    // posted message; playing it would start the first recording again, and the slider with it.
    bool replayedFirst = false;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            replayedFirst = replayedFirst || (m_window.catalogue().currentEntry() == 1 &&
                                              positionSlider()->value() < 500);
            return Plays(Card().front[1], Card().rear[1]);
        },
        kWaitMs));
    EXPECT_FALSE(replayedFirst);
    EXPECT_EQ(m_window.catalogue().currentEntry(), 2);
    EXPECT_EQ(controller().lastFrontPath(), Card().front[1]);
}

TEST_F(PlayingWindowTest, WithLoopOffTheEndRewindsAndHoldsTheFirstFrame) {
    PlayPairedCard();
    Click(ControlId::LoopButton);
    ASSERT_FALSE(controller().autoPlayNext());
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return front().IsPaused() && rear().IsPaused() && PlayButtonState() == 0; },
        kWaitMs));
    EXPECT_EQ(m_window.catalogue().currentEntry(), 0);
    EXPECT_EQ(front().Path(), Card().front[0].toUtf8());
    EXPECT_LT(front().GetTime(), 1000);
    EXPECT_LT(rear().GetTime(), 1000);
}

TEST_F(PlayingWindowTest, SnapshotWritesAFileForEachChannel) {
    PlayPairedCard();
    ASSERT_TRUE(QTest::qWaitFor([this] { return rear().GetTime() > 0; }, kWaitMs));
    const QString shot = m_config.filePath(QStringLiteral("shot.png"));
    m_prompts.saveFiles.push_back(shot);
    Click(ControlId::SnapButton);
    ASSERT_EQ(m_prompts.saveQuestions.size(), 1u);
    EXPECT_TRUE(QTest::qWaitFor(
        [this] {
            return QFileInfo(m_config.filePath(QStringLiteral("shot_f.png"))).size() > 0 &&
                   QFileInfo(m_config.filePath(QStringLiteral("shot_r.png"))).size() > 0;
        },
        kWaitMs));
    EXPECT_FALSE(QFileInfo::exists(shot));
    EXPECT_TRUE(front().IsPlaying() && rear().IsPlaying()) << "both resume after the dialog";
}

TEST_F(PlayingWindowTest, RearOnlyRecordingPlaysOnTheRearChannelWhichDrivesTheClock) {
    AnswerOpen(2, Card().rearOnly);
    ASSERT_EQ(m_window.catalogue().EntryCount(), 1);
    ASSERT_TRUE(QTest::qWaitFor(
        [this] {
            return rear().IsPlaying() && rear().Path() == Card().rearOnlyFile.toUtf8() &&
                   positionSlider()->value() > 0;
        },
        kWaitMs));
    EXPECT_FALSE(controller().frontActive());
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return As<CPngStatic>(ControlId::GpsLamp)->IsLit(); }, kWaitMs));
    // FAST and PLAY act on the rear channel only.
    Click(ControlId::FastButton);
    EXPECT_FLOAT_EQ(rear().Rate(), 1.2f);
    EXPECT_FLOAT_EQ(front().Rate(), 1.0f);
    Click(ControlId::PlayButton);
    EXPECT_TRUE(rear().IsPaused());
}

TEST_F(PlayingWindowTest, UnplayableFileShowsThePlayerErrorOnce) {
    AnswerOpen(1, Card().garbageFile);
    ASSERT_EQ(m_window.catalogue().EntryCount(), 1) << "a file picked by hand is listed";
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_prompts.messages.empty(); }, kWaitMs))
        << "front channel: " << front().Path().constData() << ", playing " << front().IsPlaying()
        << ", time " << front().GetTime() << " of " << front().GetLength();
    EXPECT_EQ(m_prompts.messages.front().text, kPlayerError);
    // Nothing announces that no second report is coming; give the players time to send one.
    QTest::qWait(2000);
    EXPECT_EQ(m_prompts.messages.size(), 1u);
}

} // namespace
