// Plays a card whose frames carry their numbers in the real main window and reads, from one
// X screenshot at a time, the frame shown on the front and on the rear surface, so that the
// offset is what a viewer sees rather than what the players report. Prints, per scenario, the
// p50, p95 and max of |front - rear| in ms, the signed median, and how many screenshots were
// read and rejected (a code unreadable on either surface); then the CPU and memory of the
// process tree during the 60 s at 1x, and the machine's cores and load.
//
//   sync_bench CARD_FOLDER [--rejects FOLDER]
//
// The card is made into CARD_FOLDER when it is not complete there (a few minutes), and taken
// from there afterwards. --rejects saves the first rejected screenshot of each scenario into
// FOLDER, to see why a code could not be read.
// Run on an X display (xvfb-run) with the environment of scripts/test-env.sh.
#include "SyncCard.h"
#include "WindowFrameCodes.h"

#include "AnsweringPrompts.h"
#include "MapPageFolder.h"
#include "ProcessTreeUsage.h"
#include "app/CAppSettings.h"
#include "playback/SpeedTable.h"
#include "playback/WindowMessages.h"
#include "ui/window/CKTRDlg.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kWaitMs = 30000;
constexpr int kSampleEveryMs = 40;
constexpr double kFrameMs = 1000.0 / SyncCard::kFrameRate;
constexpr int kSteadySeconds = 60;
constexpr int kRateSeconds = 20;
constexpr int kSeeks = 10;
constexpr int kSeekReadMs[] = {1000, 5000, 10000};
constexpr int kSeekWindowMs = 400;
constexpr int kPauseCycles = 10;
constexpr int kPausedMs = 1000;
constexpr int kResumedMs = 2000;
constexpr int kAfterMoveMs = 5000;
constexpr int kBeforeEndMs = 4000;
constexpr int kUsageEveryMs = 1000;
constexpr int kSliderMaximum = 1000;

struct Scenario {
    const char* name;
    std::vector<double> offsetsMs{};
    int rejected = 0;
};

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const size_t at = size_t(std::ceil(share * double(values.size()))) - 1;
    return values[std::min(at, values.size() - 1)];
}

void PrintScenario(const Scenario& scenario) {
    if (scenario.offsetsMs.empty()) {
        std::printf("%-22s %7s %7s %7s %8s %8d %8d\n", scenario.name, "-", "-", "-", "-", 0,
                    scenario.rejected);
        return;
    }
    std::vector<double> sizes;
    for (double offset : scenario.offsetsMs)
        sizes.push_back(std::abs(offset));
    std::printf("%-22s %7.0f %7.0f %7.0f %8.0f %8zu %8d\n", scenario.name, Percentile(sizes, 0.5),
                Percentile(sizes, 0.95), Percentile(sizes, 1.0),
                Percentile(scenario.offsetsMs, 0.5), scenario.offsetsMs.size(), scenario.rejected);
}

void PrintMachine(const char* when) {
    QFile load(QStringLiteral("/proc/loadavg"));
    const QByteArray text = load.open(QIODevice::ReadOnly) ? load.readLine().trimmed() : "?";
    std::printf("%s: %ld cores, load average %s\n", when, sysconf(_SC_NPROCESSORS_ONLN),
                text.constData());
}

class SyncBench {
public:
    SyncBench(const SyncCard& card, const QString& rejectsFolder)
        : m_card(card), m_rejectsFolder(rejectsFolder) {}

    bool Run();

private:
    CMediaChannel& front() { return m_window.frontChannel(); }
    CMediaChannel& rear() { return m_window.rearChannel(); }
    PlaybackController& controller() { return m_window.controller(); }
    QAbstractSlider* slider() const {
        return static_cast<QAbstractSlider*>(m_window.Control(ControlId::PositionSlider));
    }

    bool Start();
    void TakeSample(Scenario& scenario);
    void SampleFor(int ms, Scenario& scenario, const std::function<void()>& alongside = {});
    void SeekTo(int sliderValue);
    void StepSpeedTo(int index);
    void RunSteady();
    void RunRates();
    void RunSeeks();
    void RunPauses();
    bool RunMoveToNext();

    const SyncCard& m_card;
    QString m_rejectsFolder;
    AnsweringPrompts m_prompts;
    QTemporaryDir m_config;
    CAppSettings m_settings{m_config.filePath(QString::fromLatin1(CAppSettings::kFileName))};
    MapPageFolder m_pages;
    CKTRDlg m_window{m_settings, [this] {
                         MainWindowOptions options;
                         // No sound card on a bench machine.
                         options.channelArguments << QStringLiteral("--aout=adummy")
                                                  << QStringLiteral("--no-osd");
                         options.mapPageFolder = m_pages.path();
                         return options;
                     }()};
    std::optional<WindowFrameCodes> m_codes;
    std::vector<Scenario> m_scenarios;
    double m_cpuPercent = 0;
    double m_meanResidentMiB = 0;
    double m_peakResidentMiB = 0;
};

bool SyncBench::Start() {
    if (!m_config.isValid() || !m_pages.isValid()) {
        std::fprintf(stderr, "no temporary folders\n");
        return false;
    }
    m_window.show();
    if (!QTest::qWaitForWindowExposed(&m_window) ||
        !QTest::qWaitFor([this] { return m_window.map().isReady(); }, kWaitMs)) {
        std::fprintf(stderr, "the window or its map page did not appear\n");
        return false;
    }
    if (!m_window.OpenPath(m_card.folder) || !QTest::qWaitFor(
                                                 [this] {
                                                     return front().IsPlaying() &&
                                                            rear().IsPlaying() &&
                                                            front().GetTime() > 0 &&
                                                            rear().GetTime() > 0;
                                                 },
                                                 kWaitMs)) {
        std::fprintf(stderr, "the card did not start playing\n");
        return false;
    }
    m_codes.emplace(m_window, QSize(m_card.shape.width, m_card.shape.height));
    std::printf("surfaces: front %dx%d, rear %dx%d; picture %.0fx%.0f\n",
                m_codes->frontSurface().width(), m_codes->frontSurface().height(),
                m_codes->rearSurface().width(), m_codes->rearSurface().height(),
                m_codes->pictureOnScreen().width(), m_codes->pictureOnScreen().height());
    return true;
}

// One XGetImage of the rectangle over both surfaces, so both are seen at the same instant.
void SyncBench::TakeSample(Scenario& scenario) {
    const WindowFrameCodes::Sample sample = m_codes->Take();
    if (sample.readable())
        scenario.offsetsMs.push_back(sample.frontMinusRear() * kFrameMs);
    else if (++scenario.rejected == 1 && !m_rejectsFolder.isEmpty())
        sample.shot.save(
            QDir(m_rejectsFolder)
                .filePath(QString::number(m_scenarios.size()) + QStringLiteral(".png")));
}

void SyncBench::SampleFor(int ms, Scenario& scenario, const std::function<void()>& alongside) {
    QElapsedTimer clock;
    clock.start();
    for (qint64 next = 0; clock.elapsed() < ms; next += kSampleEveryMs) {
        TakeSample(scenario);
        if (alongside)
            alongside();
        const qint64 wait = next + kSampleEveryMs - clock.elapsed();
        QTest::qWait(int(std::max<qint64>(wait, 1)));
    }
}

// The way the position slider seeks: its value, then the window's seek message.
void SyncBench::SeekTo(int sliderValue) {
    slider()->setValue(sliderValue);
    KtrMessageEvent seek(WM_KTR_SEEK, 0, 0);
    QCoreApplication::sendEvent(&m_window, &seek);
}

void SyncBench::StepSpeedTo(int index) {
    while (controller().speedIndex() < index)
        controller().OnFaster();
    while (controller().speedIndex() > index)
        controller().OnSlower();
}

void SyncBench::RunSteady() {
    Scenario scenario{"steady 1x, 60 s"};
    const pid_t self = getpid();
    const ProcessTreeUsage before = ReadProcessTree(self);
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer sinceUsage;
    sinceUsage.start();
    double residentSum = before.residentMiB;
    int readings = 1;
    m_peakResidentMiB = before.residentMiB;
    SampleFor(kSteadySeconds * 1000, scenario, [&] {
        if (sinceUsage.elapsed() < kUsageEveryMs)
            return;
        sinceUsage.restart();
        const ProcessTreeUsage now = ReadProcessTree(self);
        residentSum += now.residentMiB;
        ++readings;
        m_peakResidentMiB = std::max(m_peakResidentMiB, now.residentMiB);
    });
    const ProcessTreeUsage after = ReadProcessTree(self);
    m_cpuPercent = 100.0 * (after.cpuSeconds - before.cpuSeconds) / (clock.elapsed() / 1000.0);
    m_meanResidentMiB = residentSum / readings;
    m_scenarios.push_back(std::move(scenario));
}

// Each rate from 1x, near the start of the recording so that 20 s at 4x stay inside it.
void SyncBench::RunRates() {
    const struct {
        const char* name;
        int index;
    } rates[] = {
        {"0.3x, 20 s", kSlowestSpeedIndex}, {"2x, 20 s", 12}, {"4x, 20 s", kFastestSpeedIndex}};
    for (const auto& rate : rates) {
        SeekTo(0);
        QTest::qWait(2000);
        StepSpeedTo(rate.index);
        Scenario scenario{rate.name};
        SampleFor(kRateSeconds * 1000, scenario);
        m_scenarios.push_back(std::move(scenario));
        StepSpeedTo(kNormalSpeedIndex);
    }
}

// Targets spread over the first four fifths, so that 10 s after each stay in the recording.
void SyncBench::RunSeeks() {
    Scenario after[std::size(kSeekReadMs)] = {
        {"1 s after seeks"}, {"5 s after seeks"}, {"10 s after seeks"}};
    for (int i = 0; i < kSeeks; ++i) {
        SeekTo(kSliderMaximum / 20 + i * (kSliderMaximum * 3 / 4) / (kSeeks - 1));
        QElapsedTimer clock;
        clock.start();
        for (size_t point = 0; point < std::size(kSeekReadMs); ++point) {
            QTest::qWait(int(std::max<qint64>(kSeekReadMs[point] - clock.elapsed(), 1)));
            SampleFor(kSeekWindowMs, after[point]);
        }
    }
    for (Scenario& scenario : after)
        m_scenarios.push_back(std::move(scenario));
}

void SyncBench::RunPauses() {
    SeekTo(kSliderMaximum / 10);
    QTest::qWait(2000);
    Scenario scenario{"after pause/resume"};
    for (int i = 0; i < kPauseCycles; ++i) {
        controller().OnPlayPause();
        QTest::qWait(kPausedMs);
        controller().OnPlayPause();
        SampleFor(kResumedMs, scenario);
    }
    m_scenarios.push_back(std::move(scenario));
}

bool SyncBench::RunMoveToNext() {
    const int64_t length = front().GetLength();
    if (length <= kBeforeEndMs) {
        std::fprintf(stderr, "the first recording has no length\n");
        return false;
    }
    SeekTo(int((length - kBeforeEndMs) * kSliderMaximum / length));
    const QByteArray next = m_card.front[1].toUtf8();
    if (!QTest::qWaitFor([&] { return front().Path() == next && front().IsPlaying(); }, kWaitMs)) {
        std::fprintf(stderr, "the next recording did not start\n");
        return false;
    }
    Scenario scenario{"5 s after next file"};
    SampleFor(kAfterMoveMs, scenario);
    m_scenarios.push_back(std::move(scenario));
    return true;
}

bool SyncBench::Run() {
    if (!Start())
        return false;
    RunSteady();
    RunRates();
    RunSeeks();
    RunPauses();
    const bool moved = RunMoveToNext();

    std::printf("|front - rear| in ms (one frame is %.0f ms); signed median is front - rear\n",
                kFrameMs);
    std::printf("%-22s %7s %7s %7s %8s %8s %8s\n", "scenario", "p50", "p95", "max", "median",
                "samples", "rejected");
    for (const Scenario& scenario : m_scenarios)
        PrintScenario(scenario);
    std::printf("during the 60 s at 1x: CPU %.0f %% of one core, resident %.0f MiB (peak %.0f "
                "MiB) over all processes\n",
                m_cpuPercent, m_meanResidentMiB, m_peakResidentMiB);
    for (const AnsweringPrompts::Message& message : m_prompts.messages)
        std::printf("message shown: %s\n", qPrintable(message.text));
    return moved;
}

} // namespace

int main(int argc, char** argv) {
    // The web engine shares its GL contexts with the widgets; this must precede the app.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && !(args.size() == 4 && args[2] == QStringLiteral("--rejects"))) {
        std::fprintf(stderr, "usage: sync_bench CARD_FOLDER [--rejects FOLDER]\n");
        return 2;
    }
    PrintMachine("start");
    SyncCard card;
    QString error;
    if (!PrepareSyncCard(args[1], SyncCardShape(), &card, &error)) {
        std::fprintf(stderr, "could not make the card: %s\n", qPrintable(error));
        return 1;
    }
    std::fflush(stdout);
    const bool done = SyncBench(card, args.size() == 4 ? args[3] : QString()).Run();
    PrintMachine("end");
    return done ? 0 : 1;
}
