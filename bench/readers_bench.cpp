// Reads every file of a folder with the track reader the catalogue would pick for it and
// prints files per second: readers_bench FOLDER [SECONDS]. The folder is read again and
// again until SECONDS (default 3) have passed, so the figure is for a warm page cache. The rate
// is given per second of wall time and per second of processor time (user + system), the
// second being the steadier figure on a shared machine.

#include "track/CKtrVideoParser.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: readers_bench FOLDER [SECONDS]\n");
        return 2;
    }
    constexpr double kDefaultSeconds = 3.0;
    const double seconds = args.size() == 3 ? args.at(2).toDouble() : kDefaultSeconds;
    const QDir folder(args.at(1));
    QStringList paths;
    for (const QFileInfo& info : folder.entryInfoList(QDir::Files, QDir::Name))
        paths << info.absoluteFilePath();
    if (paths.isEmpty()) {
        std::fprintf(stderr, "readers_bench: no files in %s\n", qPrintable(args.at(1)));
        return 1;
    }

    long long reads = 0;
    long long accepted = 0;
    int passes = 0;
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpuStart = std::clock();
    do {
        for (const QString& path : paths) {
            RecordingInfo info;
            const auto reader = CreateReaderForName(path);
            reader->SetInfoTarget(&info);
            if (reader->Parse(path) == 0)
                ++accepted;
            ++reads;
        }
        ++passes;
    } while (timer.nsecsElapsed() < static_cast<qint64>(seconds * 1e9));
    const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::printf("readers: %lld files read (%d passes over %lld), %lld accepted, "
                "wall %.3f s = %.0f files/s, cpu %.3f s = %.0f files/s\n",
                reads, passes, static_cast<long long>(paths.size()), accepted, elapsed,
                static_cast<double>(reads) / elapsed, cpu, static_cast<double>(reads) / cpu);
    return accepted == reads ? 0 : 1;
}
