#include "playback/PlaybackController.h"

#include "CameraFixtures.h"
#include "fixtures/RecordingDisplay.h"
#include "fixtures/TestClips.h"
#include "library/RecordingCatalogue.h"
#include "playback/CMediaChannel.h"
#include "playback/WindowMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kTimeoutMs = 30000;

// Channels without the framework: every call on them does nothing, which leaves the
// controller's own decisions to be seen.
QByteArray MissingLibrary() {
    return QByteArrayLiteral("libkestrola-no-such-framework.so");
}

QStringList TestArguments() {
    return CMediaChannel::DefaultArguments()
           << QStringLiteral("--aout=adummy") << QStringLiteral("--no-osd");
}

// A recording the catalogue accepts: its readers need only the index boxes and the date.
void WriteRecording(const QString& path, const char* idit) {
    const std::string bytes =
        fixtures::Ftyp() + bytes::Box("IDIT", idit) + fixtures::Moov(1000, 20000, 1280, 720);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

class Controller : public ::testing::Test {
protected:
    explicit Controller(const QByteArray& library = MissingLibrary())
        : front(TestArguments(), library), rear(TestArguments(), library),
          controller(front, rear, catalogue, display) {}

    void SendMessage(QEvent::Type type, qintptr wParam = 0) {
        KtrMessageEvent message(type, wParam, 0);
        controller.HandleMessage(message);
    }

    // Entries 0..3: the front and the rear file of two recordings, as the camera names them.
    void ScanTwoRecordings() {
        WriteRecording(card.filePath("F/KTR_240515-081500F.MP4"), "2024-05-15 08:15:00");
        WriteRecording(card.filePath("R/KTR_240515-081500R.MP4"), "2024-05-15 08:15:00");
        WriteRecording(card.filePath("F/KTR_240515-081520F.MP4"), "2024-05-15 08:15:20");
        WriteRecording(card.filePath("R/KTR_240515-081520R.MP4"), "2024-05-15 08:15:20");
        ASSERT_TRUE(catalogue.Scan(card.path(), QString()));
        ASSERT_EQ(catalogue.EntryCount(), 4);
    }

    QString Front(const char* stamp) const {
        return card.filePath(QStringLiteral("F/KTR_%1F.MP4").arg(QLatin1String(stamp)));
    }

    QTemporaryDir card;
    CMediaChannel front;
    CMediaChannel rear;
    RecordingCatalogue catalogue;
    RecordingDisplay display;
    PlaybackController controller;
};

TrackPoint FixAt(double latitudeNmea, double longitudeNmea, uint8_t heading, uint16_t speed) {
    TrackPoint point{};
    point.latitudeNmea = latitudeNmea;
    point.longitudeNmea = longitudeNmea;
    point.headingHalfDeg = heading;
    point.speedKmh = speed;
    point.flags = TrackPoint::kFixValid;
    return point;
}

// Ten points a second; point i heads i and drives i km/h.
void FillTrack(TrackBuffer& track, uint32_t count) {
    track.resize(count * kTrackPointBytes, 0);
    track.pointsPerSecond = 10;
    for (uint32_t i = 0; i < count; ++i)
        track.points[i] =
            FixAt(4807.0 + i, 1131.0, static_cast<uint8_t>(i), static_cast<uint16_t>(i));
}

TEST_F(Controller, PositionUpdateShowsEachTrackPointOnceAndOnlyPlausibleOnesOnTheMap) {
    FillTrack(catalogue.Track(), 40);
    catalogue.Track().points[35].flags = 0;
    catalogue.Track().points[36].latitudeNmea = 20000.0;

    struct Step {
        int64_t timeMs;
        int lit;
        int shownPoint; // -1: nothing new shown
        bool marker;
    };
    const Step steps[] = {
        {2999, 1, 29, true},                        // trunc(2999 * 10 / 1000)
        {3050, 1, 30, true},  {3099, 1, -1, false}, // still point 30
        {3500, 0, -1, false},                       // point 35 has no fix
        {3600, 0, 36, false},                       // implausible latitude: shown, never on the map
        {4000, 0, -1, false},                       // past the track
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.timeMs);
        const size_t shownBefore = display.shownPoints.size();
        const size_t markersBefore = display.markers.size();
        EXPECT_EQ(controller.UpdatePosition(step.timeMs, 4000, true, true), step.lit);
        ASSERT_EQ(display.shownPoints.size(), shownBefore + (step.shownPoint >= 0 ? 1 : 0));
        if (step.shownPoint >= 0) {
            EXPECT_EQ(display.shownPoints.back().speed, step.shownPoint);
        }
        ASSERT_EQ(display.markers.size(), markersBefore + (step.marker ? 1 : 0));
    }
    EXPECT_EQ(display.noFixShown, 2);
    EXPECT_DOUBLE_EQ(display.markers[0].latitude, (4807.0 + 29) / 100);
    EXPECT_DOUBLE_EQ(display.markers[0].longitude, 11.31);

    // With the map off the point is still shown, but the marker stays.
    EXPECT_EQ(controller.UpdatePosition(1000, 4000, true, false), 1);
    EXPECT_EQ(display.shownPoints.back().speed, 10);
    EXPECT_EQ(display.markers.size(), 2u);
}

TEST_F(Controller, PositionUpdateMovesTheCurveAndTellsWhenThereIsNoTrack) {
    catalogue.Track().resize(0, 12);
    EXPECT_EQ(controller.UpdatePosition(1500, 20000, true, true), 0);
    EXPECT_EQ(display.curveCursorMs, 1500);
    EXPECT_DOUBLE_EQ(display.curveLengthMs, 20000);
    EXPECT_EQ(controller.UpdatePosition(1600, 20000, false, true), 0);
    EXPECT_EQ(display.curveCursorMs, 1500) << "the curve is off";
    EXPECT_EQ(display.noTrackShown, (std::vector<bool>{true, false}));
}

TEST_F(Controller, SpeedStepsStopAtBothEndsOfTheTable) {
    for (int press = 0; press < 6; ++press)
        controller.OnFaster();
    EXPECT_EQ(controller.speedIndex(), 13);
    EXPECT_STREQ(kSpeedTable[controller.speedIndex()].label, "2.4 X");
    for (int press = 0; press < 10; ++press)
        controller.OnFaster();
    EXPECT_EQ(controller.speedIndex(), kFastestSpeedIndex);
    for (int press = 0; press < 30; ++press)
        controller.OnSlower();
    EXPECT_EQ(controller.speedIndex(), kSlowestSpeedIndex);
    controller.OnStop();
    EXPECT_EQ(controller.speedIndex(), kNormalSpeedIndex);
}

TEST_F(Controller, EndOfFileSkipsTheOtherHalfOfThePairAndWrapsAfterTheLast) {
    ScanTwoRecordings();
    controller.StartRecording(0);
    EXPECT_EQ(controller.lastFrontPath(), Front("240515-081500"));

    // Entry 1 is the rear file of the recording that just ended.
    SendMessage(WM_KTR_END_REACHED, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(catalogue.currentEntry(), 2);
    EXPECT_EQ(controller.lastFrontPath(), Front("240515-081520"));
    EXPECT_TRUE(controller.frontActive());

    SendMessage(WM_KTR_END_REACHED, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(catalogue.currentEntry(), 0);
    EXPECT_EQ(controller.lastFrontPath(), Front("240515-081500"));
}

TEST_F(Controller, ARecordingWithoutARearFileClearsTheRearPicture) {
    WriteRecording(card.filePath("F/KTR_240515-081500F.MP4"), "2024-05-15 08:15:00");
    ASSERT_TRUE(catalogue.Scan(card.path(), QString()));
    controller.StartRecording(0);
    EXPECT_TRUE(controller.frontActive());
    EXPECT_EQ(display.clears[1], 1);
    EXPECT_FALSE(display.surfaceShown[1]);
}

TEST_F(Controller, ARearOnlyRecordingLeavesTheFrontChannelOut) {
    WriteRecording(card.filePath("R/KTR_240515-081500R.MP4"), "2024-05-15 08:15:00");
    ASSERT_TRUE(catalogue.Scan(card.path(), QString()));
    controller.StartRecording(0);
    EXPECT_FALSE(controller.frontActive());
    EXPECT_TRUE(controller.currentFrontPath().isEmpty());
    EXPECT_TRUE(display.surfaceShown[1]);
}

// Entries 0..3 are F0, R0, F1, R1: the other file of the same recording is no step.
TEST_F(Controller, NextAndPreviousRecordingStepOverTheOtherFileOfTheSameRecording) {
    ScanTwoRecordings();
    struct Case {
        int32_t from;
        bool next;
        int32_t to;
    };
    const Case cases[] = {
        {0, true, 2},  {1, true, 2},  {2, true, 2},  {3, true, 3},
        {3, false, 0}, {2, false, 0}, {1, false, 1}, {0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << (c.next ? " next" : " previous"));
        // A fresh controller each time: a step starts a switch, which holds the next step.
        PlaybackController stepper(front, rear, catalogue, display);
        ASSERT_TRUE(catalogue.Select(c.from));
        c.next ? stepper.OnNextRecording() : stepper.OnPreviousRecording();
        EXPECT_EQ(catalogue.currentEntry(), c.to);
        if (c.from != c.to) {
            EXPECT_TRUE(stepper.switchPending());
            stepper.OnPreviousRecording();
            EXPECT_EQ(catalogue.currentEntry(), c.to) << "held while switching";
        }
    }
}

TEST_F(Controller, SelectionsAndOpenWaitWhileASwitchIsPending) {
    ScanTwoRecordings();
    SendMessage(WM_KTR_FILE_SELECTED, 2);
    EXPECT_EQ(catalogue.currentEntry(), 2);
    EXPECT_TRUE(controller.switchPending());

    SendMessage(WM_KTR_FILE_SELECTED, 3);
    SendMessage(WM_KTR_GROUP_SELECTED, 0);
    EXPECT_EQ(catalogue.currentEntry(), 2);
    controller.OnOpen(); // would ask the silent prompts, which cancel
    EXPECT_EQ(catalogue.EntryCount(), 4);
}

TEST_F(Controller, AFolderOpenedStartsItsFirstRecordingHalfASecondLater) {
    ScanTwoRecordings();
    catalogue.Clear();
    controller.StartClock();
    ASSERT_TRUE(controller.OpenPath(card.path()));
    EXPECT_EQ(display.scanProgress, (std::vector<bool>{true, false}));
    EXPECT_EQ(catalogue.EntryCount(), 4);
    EXPECT_EQ(controller.sourceKind(), PlaybackController::SourceKind::Folder);
    EXPECT_TRUE(controller.currentFrontPath().isEmpty());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !controller.currentFrontPath().isEmpty(); }, kTimeoutMs));
    EXPECT_EQ(controller.currentFrontPath(), Front("240515-081500"));
    EXPECT_FALSE(controller.OpenPath(card.filePath("missing")));
}

TEST_F(Controller, SnapshotWithNothingCataloguedSaysSo) {
    controller.OnSnapshot();
    EXPECT_EQ(display.noFilesMessages, 1);
}

// Real channels playing a real clip.
class PlayingController : public Controller {
protected:
    PlayingController() : Controller(CMediaChannel::DefaultLibraryName()) {}

    static const QString& Clip() {
        static QTemporaryDir dir;
        static const QString path = dir.filePath(QStringLiteral("clip.mp4"));
        static const QString error =
            MakeTestClip(path, ClipPattern::TestSrc2, QSize(320, 240), 12, false);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return path;
    }
};

// PLAY drops a seek that waits; the framework's late report of a pause made before the seek
// does not.
TEST_F(PlayingController, OnlyThePlayCommandDropsAWaitingSeek) {
    ASSERT_TRUE(rear.IsLoaded());
    controller.AttachChannels();
    controller.StartClock();
    rear.Open(Clip().toUtf8());
    ASSERT_EQ(rear.Play(), 0);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return rear.GetTime() > 0 && rear.GetLength() > 0; }, kTimeoutMs));
    const int64_t target = 500 * (rear.GetLength() / 1000);

    display.positionSlider = 500;
    SendMessage(WM_KTR_SEEK);
    EXPECT_EQ(controller.pendingSeekMs(), target);
    controller.OnPlayPause();
    EXPECT_EQ(controller.pendingSeekMs(), PlaybackController::kNoSeek);

    display.playButtonState = 1;
    rear.Pause();
    SendMessage(WM_KTR_SEEK);
    ASSERT_TRUE(QTest::qWaitFor([&] { return display.playButtonState == 0; }, kTimeoutMs))
        << "the Paused report arrives";
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return std::abs(rear.GetTime() - target) < 500; }, kTimeoutMs))
        << "the paused player is at " << rear.GetTime() << " ms";
    EXPECT_EQ(controller.pendingSeekMs(), PlaybackController::kNoSeek);

    display.positionSlider = 0;
    SendMessage(WM_KTR_SEEK);
    EXPECT_EQ(controller.pendingSeekMs(), 0) << "the start is a seek target like any other";
}

// The rear channel is the clock while no front file is active.
TEST_F(PlayingController, SkipsMoveByFiveSecondsWithinTheRecording) {
    ASSERT_TRUE(rear.IsLoaded());
    WriteRecording(card.filePath("R/KTR_240515-081500R.MP4"), "2024-05-15 08:15:00");
    ASSERT_TRUE(catalogue.Scan(card.path(), QString()));
    controller.AttachChannels();
    rear.Open(Clip().toUtf8());
    ASSERT_EQ(rear.Play(), 0);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return rear.GetTime() > 0 && rear.GetLength() > 0; }, kTimeoutMs));
    rear.Pause();
    const auto landsAt = [&](int64_t target) {
        return QTest::qWaitFor([&] { return std::abs(rear.GetTime() - target) < 300; }, kTimeoutMs);
    };
    const int64_t from = rear.GetTime();
    controller.OnSkip(PlaybackController::kSkipMs);
    EXPECT_TRUE(landsAt(from + PlaybackController::kSkipMs)) << "at " << rear.GetTime() << " ms";
    EXPECT_EQ(display.positionSlider,
              static_cast<int>((from + PlaybackController::kSkipMs) * 1000 / rear.GetLength()));
    controller.OnSkip(-60000);
    EXPECT_TRUE(landsAt(0)) << "at " << rear.GetTime() << " ms";
}

TEST_F(PlayingController, FrameStepHoldsThePlayingChannelPaused) {
    ASSERT_TRUE(rear.IsLoaded());
    WriteRecording(card.filePath("R/KTR_240515-081500R.MP4"), "2024-05-15 08:15:00");
    ASSERT_TRUE(catalogue.Scan(card.path(), QString()));
    controller.AttachChannels();
    rear.Open(Clip().toUtf8());
    ASSERT_EQ(rear.Play(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rear.GetTime() > 500; }, kTimeoutMs));
    display.playButtonState = 1;
    controller.OnFrameStep();
    EXPECT_TRUE(rear.IsPaused());
    EXPECT_EQ(display.playButtonState, 0);
}

} // namespace
