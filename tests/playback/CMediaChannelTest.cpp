#include "playback/CMediaChannel.h"
#include "fixtures/EventLog.h"
#include "fixtures/ImageMeasures.h"
#include "fixtures/TestClips.h"
#include "fixtures/VideoStage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <memory>

using namespace std::chrono_literals;

namespace {

// Generous: two cores shared with compilers and other test programs.
constexpr int kTimeoutMs = 30000;
constexpr int kClipSeconds = 12;
const QSize kPatternSize(352, 288);
const QSize kBarsSize(320, 240);
constexpr int kPattern = 0;              // surface and channel of the moving test pattern
constexpr int kBars = 1;                 // surface and channel of the still colour bars
constexpr double kVisiblePicture = 12.0; // grey spread of a real picture; black is ~0
constexpr double kOtherPicture = 20.0;   // mean difference of two unrelated pictures
constexpr double kJpegLoss = 8.0;        // mean difference a JPEG encoding may add

QStringList TestArguments() {
    return CMediaChannel::DefaultArguments()
           << QStringLiteral("--aout=adummy") << QStringLiteral("--no-osd");
}

QByteArray Utf8(const QString& path) {
    return path.toUtf8();
}

struct ClipSet {
    QTemporaryDir dir;
    QString pattern;
    QString bars;
    QString empty;
    QString patternFirstFrame;
    QString patternLaterFrame;
    QString error;
};

// Made once for the whole program: encoding is the slow part.
const ClipSet& Clips() {
    static const std::unique_ptr<ClipSet> clips = [] {
        auto set = std::make_unique<ClipSet>();
        set->pattern = set->dir.filePath(QStringLiteral("pattern.mp4"));
        set->bars = set->dir.filePath(QStringLiteral("bars.mp4"));
        set->empty = set->dir.filePath(QStringLiteral("empty.mp4"));
        set->patternFirstFrame = set->dir.filePath(QStringLiteral("pattern-first.png"));
        set->patternLaterFrame = set->dir.filePath(QStringLiteral("pattern-later.png"));
        set->error = MakeTestClip(set->pattern, ClipPattern::TestSrc2, kPatternSize, kClipSeconds, true);
        if (set->error.isEmpty())
            set->error = MakeTestClip(set->bars, ClipPattern::SmpteBars, kBarsSize, kClipSeconds, false);
        if (set->error.isEmpty())
            set->error = ExtractFrame(set->pattern, 0, set->patternFirstFrame);
        if (set->error.isEmpty())
            set->error = ExtractFrame(set->pattern, 5.0, set->patternLaterFrame);
        QFile empty(set->empty);
        if (!empty.open(QIODevice::WriteOnly))
            set->error = empty.errorString();
        return set;
    }();
    return *clips;
}

// Two channels drawing into two surfaces of one window, as the player's front and rear.
class TwoChannels : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Clips().error.isEmpty()) << Clips().error.toStdString();
        ASSERT_TRUE(m_stage.Show());
        for (int i = 0; i < 2; ++i) {
            m_channels[i] = std::make_unique<CMediaChannel>(TestArguments());
            ASSERT_TRUE(m_channels[i]->IsLoaded());
            m_logs[i] = std::make_unique<EventLog>();
            m_channels[i]->AttachEvents(&EventLog::Callback, m_logs[i].get());
            m_channels[i]->SetWindow(m_stage.WindowId(i));
        }
    }

    void TearDown() override {
        for (auto& channel : m_channels)
            channel.reset();
    }

    CMediaChannel& Channel(int i) { return *m_channels[i]; }
    EventLog& Log(int i) { return *m_logs[i]; }

    void OpenAndPlay(int i, const QString& clip) {
        Channel(i).Open(Utf8(clip));
        EXPECT_EQ(Channel(i).Play(), 0);
    }
    void PlayBoth() {
        OpenAndPlay(kPattern, Clips().pattern);
        OpenAndPlay(kBars, Clips().bars);
    }

    bool WaitForTime(int i, int64_t atLeast) {
        return QTest::qWaitFor([&] { return Channel(i).GetTime() >= atLeast; }, kTimeoutMs);
    }
    bool WaitForEvent(int i, int type) {
        return QTest::qWaitFor([&] { return Log(i).Count(type) > 0; }, kTimeoutMs);
    }
    bool WaitForPicture(int i) {
        return QTest::qWaitFor([&] { return GreySpread(m_stage.Grab(i)) > kVisiblePicture; },
                               kTimeoutMs);
    }

    VideoStage m_stage{{kPatternSize, kBarsSize}};
    std::array<std::unique_ptr<EventLog>, 2> m_logs;
    std::array<std::unique_ptr<CMediaChannel>, 2> m_channels;
};

TEST_F(TwoChannels, PlayTwoRecordingsAtOnceWithAdvancingTime) {
    PlayBoth();
    for (int i : {kPattern, kBars}) {
        EXPECT_TRUE(Channel(i).IsPlaying());
        EXPECT_FALSE(Channel(i).IsPaused());
        ASSERT_TRUE(WaitForEvent(i, MediaEvent::kPlaying)) << "channel " << i;
        ASSERT_TRUE(WaitForTime(i, 1000)) << "channel " << i;
    }
    const int64_t pattern = Channel(kPattern).GetTime();
    const int64_t bars = Channel(kBars).GetTime();
    ASSERT_TRUE(WaitForTime(kPattern, pattern + 1000));
    ASSERT_TRUE(WaitForTime(kBars, bars + 1000));
    for (int i : {kPattern, kBars}) {
        EXPECT_NEAR(Channel(i).GetLength(), kClipSeconds * 1000, 200);
        EXPECT_GE(Log(i).Count(MediaEvent::kTimeChanged), 2);
    }

    ASSERT_TRUE(WaitForPicture(kPattern));
    ASSERT_TRUE(WaitForPicture(kBars));
    EXPECT_GT(MeanDifference(m_stage.Grab(kPattern), m_stage.Grab(kBars)), kOtherPicture)
        << "each surface shows its own recording";
}

TEST_F(TwoChannels, SetTimeJumpsBoth) {
    PlayBoth();
    ASSERT_TRUE(WaitForTime(kPattern, 300));
    ASSERT_TRUE(WaitForTime(kBars, 300));
    const auto before = std::chrono::steady_clock::now();
    for (int i : {kPattern, kBars})
        Channel(i).SetTime(8000);
    for (int i : {kPattern, kBars}) {
        EXPECT_TRUE(WaitForTime(i, 8000)) << "channel " << i;
        const bool reported = QTest::qWaitFor(
            [&] {
                for (const LoggedEvent& e : Log(i).Events(MediaEvent::kTimeChanged))
                    if (e.at >= before && e.time >= 8000)
                        return true;
                return false;
            },
            kTimeoutMs);
        EXPECT_TRUE(reported) << "channel " << i;
    }
}

class RatePace : public TwoChannels, public ::testing::WithParamInterface<float> {
protected:
    // Media milliseconds per wall millisecond, from the first time report half a second
    // after `from` (the rate has taken hold) to one at least three seconds later.
    double MeasurePace(int i, std::chrono::steady_clock::time_point from) {
        const auto start = from + 500ms;
        const auto end = start + 3s;
        const bool enough = QTest::qWaitFor(
            [&] {
                const auto reports = Log(i).Events(MediaEvent::kTimeChanged);
                return !reports.empty() && reports.back().at >= end;
            },
            kTimeoutMs);
        if (!enough)
            return -1;
        const auto reports = Log(i).Events(MediaEvent::kTimeChanged);
        const LoggedEvent* first = nullptr;
        for (const LoggedEvent& e : reports)
            if (e.at >= start) {
                first = &e;
                break;
            }
        const LoggedEvent& last = reports.back();
        const double wall = std::chrono::duration<double, std::milli>(last.at - first->at).count();
        return double(last.time - first->time) / wall;
    }
};

TEST_P(RatePace, ChangesThePaceOfBothChannels) {
    const float rate = GetParam();
    PlayBoth();
    ASSERT_TRUE(WaitForTime(kPattern, 300));
    ASSERT_TRUE(WaitForTime(kBars, 300));
    const auto from = std::chrono::steady_clock::now();
    for (int i : {kPattern, kBars}) {
        EXPECT_EQ(Channel(i).SetRate(rate), 0);
        EXPECT_FLOAT_EQ(Channel(i).Rate(), rate);
    }
    for (int i : {kPattern, kBars}) {
        const double pace = MeasurePace(i, from);
        EXPECT_GT(pace, rate * 0.6) << "channel " << i << " pace " << pace;
        EXPECT_LT(pace, rate * 1.4) << "channel " << i << " pace " << pace;
    }
}

INSTANTIATE_TEST_SUITE_P(FastAndSlow, RatePace, ::testing::Values(2.0f, 0.3f));

TEST_F(TwoChannels, StopThenPlayStartsFromTheBeginning) {
    OpenAndPlay(kPattern, Clips().pattern);
    ASSERT_TRUE(WaitForTime(kPattern, 300));
    Channel(kPattern).SetTime(6000);
    ASSERT_TRUE(WaitForTime(kPattern, 6000));

    Channel(kPattern).Stop();
    EXPECT_FALSE(Channel(kPattern).IsPlaying());
    EXPECT_FALSE(Channel(kPattern).IsPaused());
    Log(kPattern).Clear();
    EXPECT_EQ(Channel(kPattern).Play(), 0);
    ASSERT_TRUE(WaitForEvent(kPattern, MediaEvent::kTimeChanged));
    EXPECT_LT(Log(kPattern).Events(MediaEvent::kTimeChanged).front().time, 1500);
}

// The end of a file is held on its first frame by stopping, playing and pausing at once.
class RewindAndHold : public TwoChannels, public ::testing::WithParamInterface<int> {};

TEST_P(RewindAndHold, LeavesTheFirstFramePaused) {
    OpenAndPlay(kPattern, Clips().pattern);
    ASSERT_TRUE(WaitForTime(kPattern, 300));
    Channel(kPattern).SetTime(6000);
    ASSERT_TRUE(WaitForTime(kPattern, 6000));

    Channel(kPattern).Stop();
    Log(kPattern).Clear();
    Channel(kPattern).Play();
    QTest::qWait(GetParam());
    Channel(kPattern).Pause();
    EXPECT_TRUE(Channel(kPattern).IsPaused());
    ASSERT_TRUE(WaitForEvent(kPattern, MediaEvent::kPaused));

    // The surface still holds the picture from 6 s until the first frame replaces it.
    const QImage first(Clips().patternFirstFrame);
    const QImage later(Clips().patternLaterFrame);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QImage shown = m_stage.Grab(kPattern);
            return MeanDifference(shown, first) < MeanDifference(shown, later);
        },
        kTimeoutMs));
    const int64_t held = Channel(kPattern).GetTime();
    EXPECT_LT(held, 500);
    QTest::qWait(1000); // long enough to see a playing clock move
    EXPECT_EQ(Channel(kPattern).GetTime(), held);
    EXPECT_EQ(Log(kPattern).Count(MediaEvent::kEndReached), 0);
}

// 0 ms: Pause follows Play before the framework has even opened the file.
INSTANTIATE_TEST_SUITE_P(ShortWaits, RewindAndHold, ::testing::Values(0, 50));

TEST_F(TwoChannels, SnapshotsAreTheVideosOwnPicturesInTheNamedFormat) {
    PlayBoth();
    ASSERT_TRUE(WaitForTime(kPattern, 1000));
    ASSERT_TRUE(WaitForTime(kBars, 1000));
    for (int i : {kPattern, kBars})
        Channel(i).Pause();
    ASSERT_TRUE(WaitForEvent(kPattern, MediaEvent::kPaused));
    ASSERT_TRUE(WaitForEvent(kBars, MediaEvent::kPaused));

    const QString front = Clips().dir.filePath(QStringLiteral("shot_f.png"));
    const QString rear = Clips().dir.filePath(QStringLiteral("shot_r.png"));
    ASSERT_TRUE(Channel(kPattern).TakeSnapshot(Utf8(front)));
    ASSERT_TRUE(Channel(kBars).TakeSnapshot(Utf8(rear)));
    const QImage frontPicture(front, "PNG");
    const QImage rearPicture(rear, "PNG");
    EXPECT_EQ(frontPicture.size(), kPatternSize);
    EXPECT_EQ(rearPicture.size(), kBarsSize);
    EXPECT_GT(GreySpread(frontPicture), kVisiblePicture);
    EXPECT_GT(GreySpread(rearPicture), kVisiblePicture);
    EXPECT_GT(MeanDifference(frontPicture, rearPicture), kOtherPicture);

    const QString jpeg = Clips().dir.filePath(QStringLiteral("shot_f.jpg"));
    ASSERT_TRUE(Channel(kPattern).TakeSnapshot(Utf8(jpeg)));
    QFile file(jpeg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(3), QByteArray("\xFF\xD8\xFF", 3));
    QImageReader reader(jpeg);
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage jpegPicture = reader.read();
    EXPECT_EQ(jpegPicture.size(), kPatternSize);
    EXPECT_LT(MeanDifference(jpegPicture, frontPicture), kJpegLoss);
}

TEST_F(TwoChannels, FailedSnapshotReportsFalseAndKeepsTheOldFile) {
    OpenAndPlay(kBars, Clips().bars);
    ASSERT_TRUE(WaitForTime(kBars, 300));
    Channel(kBars).Stop(); // no picture to take any more

    const QString target = Clips().dir.filePath(QStringLiteral("kept.jpg"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier snapshot");
    old.close();
    EXPECT_FALSE(Channel(kBars).TakeSnapshot(Utf8(target)));
    EXPECT_FALSE(Channel(kPattern).TakeSnapshot(Utf8(target))) << "never opened a media";
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("earlier snapshot"));
}

TEST_F(TwoChannels, EndOfMediaIsReported) {
    OpenAndPlay(kBars, Clips().bars);
    ASSERT_TRUE(WaitForTime(kBars, 300));
    Channel(kBars).SetTime(Channel(kBars).GetLength() - 1000);
    EXPECT_TRUE(WaitForEvent(kBars, MediaEvent::kEndReached));
    EXPECT_EQ(Log(kBars).Count(MediaEvent::kEncounteredError), 0);
}

TEST_F(TwoChannels, UnplayableFilesGiveTheErrorEvent) {
    const struct {
        const char* what;
        QString path;
    } cases[] = {
        {"missing file", Clips().dir.filePath(QStringLiteral("absent.mp4"))},
        {"empty file, as a recording cut off by power loss", Clips().empty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Log(kPattern).Clear();
        OpenAndPlay(kPattern, c.path);
        EXPECT_TRUE(WaitForEvent(kPattern, MediaEvent::kEncounteredError));
        EXPECT_EQ(Log(kPattern).Count(MediaEvent::kPlaying), 0);
        Channel(kPattern).Stop();
    }
}

TEST_F(TwoChannels, RecreateLeavesNoPictureAndKeepsTheEvents) {
    EXPECT_EQ(Channel(kPattern).Recreate(), 0) << "no media opened yet";

    OpenAndPlay(kPattern, Clips().pattern);
    ASSERT_TRUE(WaitForTime(kPattern, 500));
    ASSERT_TRUE(WaitForPicture(kPattern));
    const QString shot = Clips().dir.filePath(QStringLiteral("recreated.png"));

    EXPECT_EQ(Channel(kPattern).Recreate(), 1);
    EXPECT_TRUE(Channel(kPattern).IsLoaded());
    EXPECT_FALSE(Channel(kPattern).TakeSnapshot(Utf8(shot)));
    EXPECT_FALSE(QFile::exists(shot));
    EXPECT_NE(Channel(kPattern).Play(), 0) << "nothing left to play";
    // The framework leaves its last picture in the surface; once the surface has painted
    // itself, nothing may draw there again.
    m_stage.Repaint(kPattern);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return GreySpread(m_stage.Grab(kPattern)) < kVisiblePicture; }, kTimeoutMs));
    QTest::qWait(1000); // many frame periods of the clip
    EXPECT_LT(GreySpread(m_stage.Grab(kPattern)), kVisiblePicture);
    EXPECT_EQ(Channel(kPattern).Recreate(), 0) << "no media opened since";

    Log(kPattern).Clear();
    Channel(kPattern).SetWindow(m_stage.WindowId(kPattern));
    OpenAndPlay(kPattern, Clips().bars);
    EXPECT_TRUE(WaitForEvent(kPattern, MediaEvent::kPlaying));
    EXPECT_TRUE(WaitForEvent(kPattern, MediaEvent::kTimeChanged));
}

// Attaching replaces what was attached: each change is reported once, to the newest
// receiver only.
TEST_F(TwoChannels, AttachingAgainReportsEachEventOnceToTheNewReceiver) {
    EventLog newer;
    Channel(kBars).AttachEvents(&EventLog::Callback, &Log(kBars));
    Channel(kBars).AttachEvents(&EventLog::Callback, &newer);
    OpenAndPlay(kBars, Clips().bars);
    ASSERT_TRUE(QTest::qWaitFor([&] { return newer.Count(MediaEvent::kTimeChanged) >= 3; },
                                kTimeoutMs));
    EXPECT_EQ(newer.Count(MediaEvent::kOpening), 1);
    EXPECT_EQ(newer.Count(MediaEvent::kPlaying), 1);
    const auto reports = newer.Events(MediaEvent::kTimeChanged);
    for (size_t i = 1; i < reports.size(); ++i)
        EXPECT_NE(reports[i].time, reports[i - 1].time) << "report " << i << " repeated";
    EXPECT_EQ(Log(kBars).Total(), 0);
    Channel(kBars).AttachEvents(nullptr, nullptr); // newer ends before the channel
}

// After a null callback, Recreate and the channel's end, the receiver may be gone: nothing
// may reach it, not even the reports of the player being torn down.
TEST_F(TwoChannels, NothingReachesAReceiverOnceItIsLetGo) {
    PlayBoth();
    ASSERT_TRUE(WaitForTime(kPattern, 500));
    ASSERT_TRUE(WaitForTime(kBars, 500));

    Channel(kPattern).AttachEvents(nullptr, nullptr);
    Log(kPattern).Clear();
    const int64_t from = Channel(kPattern).GetTime();
    ASSERT_TRUE(WaitForTime(kPattern, from + 1000)) << "still plays";
    Channel(kPattern).Stop();
    EXPECT_EQ(Log(kPattern).Total(), 0) << "after a null callback";
    EXPECT_EQ(Channel(kPattern).Recreate(), 1);
    EXPECT_EQ(Log(kPattern).Total(), 0) << "nothing attached again after a null callback";

    EventLog lastWords;
    const auto reported = [&] {
        return QTest::qWaitFor([&] { return lastWords.Count(MediaEvent::kTimeChanged) > 0; },
                               kTimeoutMs);
    };
    Channel(kBars).AttachEvents(&EventLog::Callback, &lastWords);
    ASSERT_TRUE(reported());
    lastWords.Clear();
    EXPECT_EQ(Channel(kBars).Recreate(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(lastWords.Total(), 0) << "the old player reported after Recreate";

    Channel(kBars).SetWindow(m_stage.WindowId(kBars));
    OpenAndPlay(kBars, Clips().bars);
    ASSERT_TRUE(reported()) << "Recreate attaches the callback again";
    lastWords.Clear();
    m_channels[kBars].reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(lastWords.Total(), 0) << "after the channel's end";
}

// A pause given before the player has opened the file is kept, not waited for.
TEST_F(TwoChannels, PauseWhileOpeningReturnsAtOnceAndHoldsOnceTheFilePlays) {
    Channel(kPattern).Open(Utf8(Clips().pattern));
    ASSERT_EQ(Channel(kPattern).Play(), 0);
    Channel(kPattern).Pause();
    EXPECT_EQ(Log(kPattern).Count(MediaEvent::kPlaying), 0)
        << "Pause waited until the player played";
    EXPECT_TRUE(Channel(kPattern).IsPaused());
    EXPECT_FALSE(Channel(kPattern).IsPlaying());

    ASSERT_TRUE(WaitForEvent(kPattern, MediaEvent::kPlaying));
    ASSERT_TRUE(WaitForEvent(kPattern, MediaEvent::kPaused));
    const int64_t held = Channel(kPattern).GetTime();
    EXPECT_LT(held, 500);
    QTest::qWait(1000); // long enough to see a playing clock move
    EXPECT_EQ(Channel(kPattern).GetTime(), held);

    // The kept pause is spent: playing again plays on.
    Log(kPattern).Clear();
    ASSERT_EQ(Channel(kPattern).Play(), 0);
    EXPECT_TRUE(WaitForTime(kPattern, held + 1000));
    EXPECT_EQ(Log(kPattern).Count(MediaEvent::kPaused), 0);
}

// A pause kept for a file that was then stopped must not hold the next one.
TEST_F(TwoChannels, StopForgetsAKeptPause) {
    Channel(kPattern).Open(Utf8(Clips().pattern));
    ASSERT_EQ(Channel(kPattern).Play(), 0);
    Channel(kPattern).Pause();
    Channel(kPattern).Stop();
    Log(kPattern).Clear();
    ASSERT_EQ(Channel(kPattern).Play(), 0);
    ASSERT_TRUE(WaitForTime(kPattern, 1500));
    EXPECT_EQ(Log(kPattern).Count(MediaEvent::kPaused), 0);
}

TEST_F(TwoChannels, SpeedLabelIsDrawnOverTheVideoUntilDisabled) {
    // Top left of the bars: grey, yellow and cyan, no green of their own.
    const QRect labelArea(0, 0, 130, 60);
    const auto green = [&] { return GreenPixels(m_stage.Grab(kBars).copy(labelArea)); };

    OpenAndPlay(kBars, Clips().bars);
    ASSERT_TRUE(WaitForTime(kBars, 300));
    ASSERT_TRUE(WaitForPicture(kBars));
    EXPECT_LT(green(), 5);

    EXPECT_EQ(Channel(kBars).SetRate(2.0f), 0);
    EXPECT_EQ(Channel(kBars).ShowSpeedOverlay("x2.0", kBarsSize.height() / 10, true), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return green() > 40; }, kTimeoutMs));

    EXPECT_EQ(Channel(kBars).ShowSpeedOverlay("x2.0", kBarsSize.height() / 10, false), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return green() < 5; }, kTimeoutMs));
}

// Plug-ins shipped in "plugins" beside the working folder are offered to the framework,
// which still finds its own as well.
TEST(MediaChannelPlugins, LocalPluginFolderIsSearchedBesideTheSystemOne) {
    QTemporaryDir work;
    ASSERT_TRUE(QDir(work.path()).mkdir(QStringLiteral("plugins")));
    const QString previousFolder = QDir::currentPath();
    const QByteArray previousVariable = qgetenv("VLC_PLUGIN_PATH");
    ASSERT_TRUE(QDir::setCurrent(work.path()));

    const CMediaChannel channel(TestArguments());
    const QByteArray variable = qgetenv("VLC_PLUGIN_PATH");

    QDir::setCurrent(previousFolder);
    if (previousVariable.isNull())
        qunsetenv("VLC_PLUGIN_PATH");
    else
        qputenv("VLC_PLUGIN_PATH", previousVariable);
    EXPECT_TRUE(channel.IsLoaded());
    EXPECT_EQ(variable, QFile::encodeName(QDir(work.path()).absoluteFilePath("plugins")));
}

// A channel whose framework could not be created does nothing and says so in its results.
class InertChannel : public ::testing::TestWithParam<std::pair<QByteArray, QStringList>> {};

TEST_P(InertChannel, DoesNothingAndReturnsTheStatedValues) {
    const auto& [library, arguments] = GetParam();
    CMediaChannel channel(arguments, library);
    EXPECT_FALSE(channel.IsLoaded());

    int events = 0;
    channel.AttachEvents([](const MediaEventInfo&, void* user) { ++*static_cast<int*>(user); }, &events);
    channel.SetWindow(0);
    channel.Open(Utf8(Clips().bars));
    EXPECT_EQ(channel.Play(), -1);
    EXPECT_FALSE(channel.IsPlaying());
    EXPECT_TRUE(channel.IsPaused());
    channel.Pause();
    channel.Stop();
    EXPECT_TRUE(channel.IsPaused()) << "flags only follow commands that were carried out";
    channel.SetTime(1000);
    EXPECT_EQ(channel.GetTime(), -1);
    EXPECT_EQ(channel.GetLength(), -1);
    EXPECT_EQ(channel.SetRate(2.0f), -1);
    EXPECT_FLOAT_EQ(channel.Rate(), 1.0f);
    channel.SetVolume(50);
    EXPECT_EQ(channel.Volume(), CMediaChannel::kInitialVolume);
    channel.SetMute(true);
    EXPECT_EQ(channel.ShowSpeedOverlay("x2.0", 24, true), 0);
    EXPECT_EQ(channel.Recreate(), 0);
    const QString shot = Clips().dir.filePath(QStringLiteral("inert.png"));
    EXPECT_FALSE(channel.TakeSnapshot(Utf8(shot)));
    EXPECT_FALSE(QFile::exists(shot));
    EXPECT_EQ(events, 0);
}

INSTANTIATE_TEST_SUITE_P(
    CreationFails, InertChannel,
    ::testing::Values(std::make_pair(QByteArray("libvlc-kestrola-absent.so.5"), TestArguments()),
                      // An option the framework does not know makes it refuse to start.
                      std::make_pair(CMediaChannel::DefaultLibraryName(),
                                     TestArguments()
                                         << QStringLiteral("--kestrola-no-such-option"))));

} // namespace
