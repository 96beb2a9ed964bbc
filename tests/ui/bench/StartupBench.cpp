// Starts the real program on a card folder five times, each a fresh process in a fresh working
// folder, and prints per run and as median, min and max: the time from the process's start to
// its main window's first exposure and to the first picture on the front and on the rear
// video surface; the CPU use (percent of one core) and the resident memory of the program and
// all its processes (the web engine's included) over the playing time after both pictures
// appeared; and the front channel's time minus the rear channel's at the end of it.
//
//   startup_bench CARD [--runs 5] [--seconds 60]
//
// Run on an X display (xvfb-run) with the environment of scripts/test-env.sh. The program runs
// inside this binary (the same start-up as kestrola), with a probe that reports the window's
// exposure, the video surfaces' window ids and the clock offset. The pictures are looked for
// from this process, in what the X server shows over each surface, so that a window thread
// busy with starting the players does not delay their detection.
#include "ProcessTreeUsage.h"
#include "StartupProbe.h"

#include "ui/CKTRApp.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr int kStartTimeoutSeconds = 60;
constexpr int kEndTimeoutMs = 20000;
// Short enough to place a first frame within a frame of 25 fps video.
constexpr int kReadWaitMs = 20;
constexpr int kMemoryEveryMs = 500;
// A surface without a picture is the window's near-black ground, with at most the scan
// counter in a corner; a video picture lights most of it.
constexpr int kLitChannel = 60;
constexpr double kPictureLitShare = 0.4;

struct Run {
    double shownMs = -1;
    double frontFrameMs = -1;
    double rearFrameMs = -1;
    double cpuPercent = -1;
    double residentMiB = -1;
    double peakResidentMiB = -1;
    double rootResidentMiB = -1;
    int processes = 0;
    std::optional<double> offsetMs;
};

// What the probe inside the program has told so far.
struct ProbeNews {
    std::array<WId, 2> surfaces{};
    bool offsetSeen = false;
};

double NowMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// "probe NANOSECONDS WHAT..." from the probe inside the program.
void ReadProbeLine(const QByteArray& line, double startMs, Run& run, ProbeNews& news) {
    const QList<QByteArray> words = line.trimmed().split(' ');
    if (words.size() < 3 || words[0] != "probe")
        return;
    const double atMs = words[1].toDouble() / 1e6 - startMs;
    if (words[2] == "shown")
        run.shownMs = atMs;
    else if (words[2] == "surfaces" && words.size() > 4)
        news.surfaces = {WId(words[3].toULongLong()), WId(words[4].toULongLong())};
    else if (words[2] == "offset" && words.size() > 3) {
        news.offsetSeen = true;
        bool isNumber = false;
        const double offset = words[3].toDouble(&isNumber);
        if (isNumber)
            run.offsetMs = offset;
    }
}

bool ShowsPicture(WId surface) {
    const QImage image =
        QGuiApplication::primaryScreen()->grabWindow(surface).toImage().convertToFormat(
            QImage::Format_RGB32);
    const double count = double(image.width()) * image.height();
    if (count == 0)
        return false;
    double lit = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (std::max({qRed(line[x]), qGreen(line[x]), qBlue(line[x])}) > kLitChannel)
                ++lit;
    }
    return lit / count >= kPictureLitShare;
}

// Looks at each surface that has not shown a picture yet and notes when it does.
void LookForPictures(const ProbeNews& news, double startMs, Run& run) {
    for (size_t i = 0; i < news.surfaces.size(); ++i) {
        double& frameMs = i == 0 ? run.frontFrameMs : run.rearFrameMs;
        if (frameMs < 0 && news.surfaces[i] != 0 && ShowsPicture(news.surfaces[i]))
            frameMs = NowMs() - startMs;
    }
}

std::optional<Run> MeasureOnce(const QString& card, int playSeconds) {
    QTemporaryDir workingFolder;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(StartupProbe::kEnvironmentVariable),
                       QString::number(playSeconds));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(workingFolder.path());
    program.setStandardErrorFile(QProcess::nullDevice());

    Run run;
    const double startMs = NowMs();
    program.start(QCoreApplication::applicationFilePath(), {card});
    if (!program.waitForStarted()) {
        std::fprintf(stderr, "the program did not start\n");
        return std::nullopt;
    }
    ProbeNews news;
    std::optional<ProcessTreeUsage> playStart;
    double playStartMs = 0;
    double lastMemoryMs = 0;
    while (!news.offsetSeen || run.cpuPercent < 0) {
        if (program.state() == QProcess::NotRunning) {
            std::fprintf(stderr, "the program ended early\n");
            return std::nullopt;
        }
        program.waitForReadyRead(kReadWaitMs);
        while (program.canReadLine())
            ReadProbeLine(program.readLine(), startMs, run, news);
        if (!playStart) {
            LookForPictures(news, startMs, run);
            const double nowMs = NowMs();
            if (run.frontFrameMs >= 0 && run.rearFrameMs >= 0) {
                playStart = ReadProcessTree(pid_t(program.processId()));
                playStartMs = lastMemoryMs = nowMs;
                program.write("playing\n");
            } else if (nowMs - startMs > kStartTimeoutSeconds * 1000.0) {
                std::fprintf(stderr, "no picture on both surfaces after %d s\n",
                             kStartTimeoutSeconds);
                return std::nullopt;
            }
            continue;
        }
        const double nowMs = NowMs();
        const bool playingTimeOver = nowMs - playStartMs >= playSeconds * 1000.0;
        if (run.cpuPercent >= 0 || (nowMs - lastMemoryMs < kMemoryEveryMs && !playingTimeOver))
            continue;
        lastMemoryMs = nowMs;
        const ProcessTreeUsage usage = ReadProcessTree(pid_t(program.processId()));
        run.peakResidentMiB = std::max(run.peakResidentMiB, usage.residentMiB);
        if (playingTimeOver) {
            run.cpuPercent = 100.0 * (usage.cpuSeconds - playStart->cpuSeconds) /
                             ((nowMs - playStartMs) / 1000.0);
            run.residentMiB = usage.residentMiB;
            run.rootResidentMiB = usage.rootResidentMiB;
            run.processes = usage.processes;
        }
    }
    // The probe closes the window, as a user would, when its input ends.
    program.closeWriteChannel();
    if (!program.waitForFinished(kEndTimeoutMs)) {
        std::fprintf(stderr, "the program did not end after its window closed\n");
        program.kill();
        program.waitForFinished();
    }
    return run;
}

struct Spread {
    double median = 0;
    double min = 0;
    double max = 0;
};

Spread SpreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

void PrintRun(const char* label, const Run& run) {
    std::printf("%-8s %9.0f %10.0f %10.0f %8.1f %10.0f %10.0f %10.0f %6d ", label, run.shownMs,
                run.frontFrameMs, run.rearFrameMs, run.cpuPercent, run.rootResidentMiB,
                run.residentMiB, run.peakResidentMiB, run.processes);
    if (run.offsetMs)
        std::printf("%12.0f\n", *run.offsetMs);
    else
        std::printf("%12s\n", "-");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet(StartupProbe::kEnvironmentVariable))
        return CKTRApp().Run(argc, argv);

    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("card"), QStringLiteral("The card folder."));
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Fresh starts."), QStringLiteral("n"),
                      QStringLiteral("5")});
    parser.addOption({QStringLiteral("seconds"), QStringLiteral("Playing time measured per run."),
                      QStringLiteral("s"), QStringLiteral("60")});
    if (!parser.parse(app.arguments()) || parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "usage: startup_bench CARD [--runs N] [--seconds S]\n");
        return 2;
    }
    const QString card = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    const int runs = parser.value(QStringLiteral("runs")).toInt();
    const int seconds = parser.value(QStringLiteral("seconds")).toInt();
    if (runs <= 0 || seconds <= 0 || !QFileInfo(card).isDir()) {
        std::fprintf(stderr, "startup_bench: needs a card folder and positive --runs, --seconds\n");
        return 2;
    }

    std::printf("%s, %d fresh starts; times in ms from the process's start; usage over %d s of "
                "playing after both pictures; RSS summed over the processes\n",
                qPrintable(card), runs, seconds);
    std::printf("%-8s %9s %10s %10s %8s %10s %10s %10s %6s %12s\n", "run", "window", "front fr.",
                "rear fr.", "CPU %", "RSS main", "RSS tree", "RSS peak", "procs", "front-rear");
    std::vector<Run> results;
    for (int i = 0; i < runs; ++i) {
        const std::optional<Run> run = MeasureOnce(card, seconds);
        if (!run)
            return 1;
        results.push_back(*run);
        PrintRun(qPrintable(QString::number(i + 1)), *run);
    }

    const auto spread = [&](auto member) {
        std::vector<double> values;
        for (const Run& run : results)
            values.push_back(member(run));
        return SpreadOf(values);
    };
    const Spread shown = spread([](const Run& r) { return r.shownMs; });
    const Spread front = spread([](const Run& r) { return r.frontFrameMs; });
    const Spread rear = spread([](const Run& r) { return r.rearFrameMs; });
    const Spread cpu = spread([](const Run& r) { return r.cpuPercent; });
    const Spread root = spread([](const Run& r) { return r.rootResidentMiB; });
    const Spread tree = spread([](const Run& r) { return r.residentMiB; });
    const Spread peak = spread([](const Run& r) { return r.peakResidentMiB; });
    const Spread procs = spread([](const Run& r) { return double(r.processes); });
    std::vector<double> offsets;
    for (const Run& r : results)
        if (r.offsetMs)
            offsets.push_back(*r.offsetMs);
    const char* labels[] = {"median", "min", "max"};
    for (int row = 0; row < 3; ++row) {
        const auto pick = [row](const Spread& s) {
            return row == 0 ? s.median : row == 1 ? s.min : s.max;
        };
        Run summary{.shownMs = pick(shown),
                    .frontFrameMs = pick(front),
                    .rearFrameMs = pick(rear),
                    .cpuPercent = pick(cpu),
                    .residentMiB = pick(tree),
                    .peakResidentMiB = pick(peak),
                    .rootResidentMiB = pick(root),
                    .processes = int(pick(procs)),
                    .offsetMs = std::nullopt};
        if (!offsets.empty())
            summary.offsetMs = pick(SpreadOf(offsets));
        PrintRun(labels[row], summary);
    }
    return 0;
}
