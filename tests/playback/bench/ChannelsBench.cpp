// Two channels playing two 720p recordings side by side, as the player does: prints the
// process's CPU use and memory and how far apart the two clocks drift, at 1x and 4x.
//
//   bench_channels [--seconds 60] [--clips DIR]
//
// Run under a display (xvfb-run). The clips are made once with ffmpeg and kept in DIR.

#include "fixtures/TestClips.h"
#include "fixtures/VideoStage.h"
#include "playback/CMediaChannel.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <array>
#include <cstdio>
#include <ctime>
#include <memory>

namespace {

const QSize kClipSize(1280, 720);
const QSize kSurfaceSize(640, 360);
constexpr float kRates[] = {1.0f, 4.0f};
constexpr int kSettleMs = 2000;
constexpr int kStartTimeoutMs = 60000;
constexpr int kOffsetSamples = 60;
constexpr int kOffsetEveryMs = 50;

// Resident and peak resident memory in MiB, from the kernel's view of this process.
std::pair<double, double> ResidentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    double rss = 0;
    double peak = 0;
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n')) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() < 2)
                continue;
            if (fields[0] == "VmRSS:")
                rss = fields[1].toDouble() / 1024;
            else if (fields[0] == "VmHWM:")
                peak = fields[1].toDouble() / 1024;
        }
    return {rss, peak};
}

// The framework updates its clock in steps of about a quarter second, so one reading of
// each channel says little; the mean over a few seconds of readings does.
double MeanOffset(const CMediaChannel& front, const CMediaChannel& rear) {
    double total = 0;
    for (int i = 0; i < kOffsetSamples; ++i) {
        total += double(front.GetTime() - rear.GetTime());
        QTest::qWait(kOffsetEveryMs);
    }
    return total / kOffsetSamples;
}

double CpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

int Measure(float rate, int seconds, const std::array<QString, 2>& clips) {
    VideoStage stage({kSurfaceSize, kSurfaceSize});
    if (!stage.Show()) {
        std::fprintf(stderr, "the window did not appear\n");
        return 1;
    }
    const QStringList arguments = CMediaChannel::DefaultArguments()
                                  << QStringLiteral("--aout=adummy") << QStringLiteral("--no-osd");
    std::array<std::unique_ptr<CMediaChannel>, 2> channels;
    for (int i = 0; i < 2; ++i) {
        channels[i] = std::make_unique<CMediaChannel>(arguments);
        if (!channels[i]->IsLoaded()) {
            std::fprintf(stderr, "the media framework did not load\n");
            return 1;
        }
        channels[i]->SetWindow(stage.WindowId(i));
        channels[i]->Open(clips[i].toUtf8());
    }
    for (auto& channel : channels) {
        channel->Play();
        channel->SetRate(rate);
    }
    if (!QTest::qWaitFor([&] { return channels[0]->GetTime() > 0 && channels[1]->GetTime() > 0; },
                         kStartTimeoutMs)) {
        std::fprintf(stderr, "playback did not start\n");
        return 1;
    }
    QTest::qWait(kSettleMs);

    const double cpuStart = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    const int64_t startFront = channels[0]->GetTime();
    const int64_t startRear = channels[1]->GetTime();
    const double startOffset = MeanOffset(*channels[0], *channels[1]);
    QTest::qWait(seconds * 1000 - kOffsetSamples * kOffsetEveryMs);
    const double endOffset = MeanOffset(*channels[0], *channels[1]);
    const int64_t endFront = channels[0]->GetTime();
    const int64_t endRear = channels[1]->GetTime();
    const double wallSeconds = wall.elapsed() / 1000.0;
    const double cpu = CpuSeconds() - cpuStart;
    const auto [rss, peak] = ResidentMiB();

    std::printf("rate %.1fx over %.1f s: CPU %.0f %% of one core, resident %.0f MiB (peak %.0f "
                "MiB)\n",
                rate, wallSeconds, 100.0 * cpu / wallSeconds, rss, peak);
    std::printf("  clock pace front %.3fx rear %.3fx; front - rear: %.0f ms at start, %.0f ms "
                "after %.0f s, drift %.0f ms\n",
                (endFront - startFront) / 1000.0 / wallSeconds,
                (endRear - startRear) / 1000.0 / wallSeconds, startOffset, endOffset, wallSeconds,
                endOffset - startOffset);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("seconds"), QStringLiteral("Measured wall time per rate."),
                      QStringLiteral("s"), QStringLiteral("60")});
    parser.addOption({QStringLiteral("clips"), QStringLiteral("Folder for the 720p clips."),
                      QStringLiteral("dir"),
                      QDir::temp().filePath(QStringLiteral("kestrola-bench-clips"))});
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        return 2;
    }
    const int seconds = parser.value(QStringLiteral("seconds")).toInt();
    if (seconds <= 0) {
        std::fprintf(stderr, "--seconds must be a positive number\n");
        return 2;
    }

    // Long enough for the measured time at the highest rate, plus the start and settling.
    const int clipSeconds = int(seconds * kRates[std::size(kRates) - 1]) + 20;
    const QDir dir(parser.value(QStringLiteral("clips")));
    QDir().mkpath(dir.path());
    struct ClipChoice {
        ClipPattern pattern;
        const char* name;
    };
    const std::array<ClipChoice, 2> choices = {
        ClipChoice{ClipPattern::TestSrc2, "testsrc2"},
        ClipChoice{ClipPattern::TestSrc, "testsrc"},
    };
    std::array<QString, 2> clips;
    for (int i = 0; i < 2; ++i) {
        clips[i] = dir.filePath(QStringLiteral("%1-%2s.mp4")
                                    .arg(QLatin1String(choices[i].name))
                                    .arg(clipSeconds));
        if (QFile::exists(clips[i]))
            continue;
        std::printf("making %s\n", qPrintable(clips[i]));
        std::fflush(stdout);
        // Made under another name first, so an interrupted run leaves no half clip behind.
        const QString partial = clips[i] + QStringLiteral(".part.mp4");
        const QString error =
            MakeTestClip(partial, choices[i].pattern, kClipSize, clipSeconds, true);
        if (!error.isEmpty() || !QFile::rename(partial, clips[i])) {
            std::fprintf(stderr, "could not make %s: %s\n", qPrintable(clips[i]),
                         qPrintable(error));
            return 1;
        }
    }
    for (const float rate : kRates)
        if (const int status = Measure(rate, seconds, clips))
            return status;
    return 0;
}
