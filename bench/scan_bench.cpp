// Scans a folder with RecordingCatalogue::Scan several times and prints files per second.
// Usage: scan_bench FOLDER [RUNS]
#include "library/RecordingCatalogue.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kDefaultRuns = 5;

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: scan_bench FOLDER [RUNS]\n");
        return 2;
    }
    const int runs = args.size() == 3 ? std::max(1, args.at(2).toInt()) : kDefaultRuns;

    RecordingCatalogue catalogue;
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!catalogue.Scan(args.at(1), QString())) {
            std::fprintf(stderr, "scan_bench: folder not found\n");
            return 1;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds.push_back(took.count());
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("files examined   %d\n", catalogue.filesExamined());
    std::printf("entries          %d\n", catalogue.EntryCount());
    std::printf("groups           %zu\n", catalogue.Groups().size());
    std::printf("runs             %d\n", runs);
    std::printf("best s           %.4f\n", seconds.front());
    std::printf("median s         %.4f\n", median);
    std::printf("files per second %.0f\n", catalogue.filesExamined() / median);
    return 0;
}
