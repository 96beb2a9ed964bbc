// Sends the map calls of a one-hour track (pathdrived_delete, path_delete and 3,600
// path_plot) to each real map page, once as one script run per call and once through the
// bridge's coalescing, and prints how long the window thread was busy sending, the time
// until the last point reached the page's route, and the longest stall of the event loop
// in between. The Google and China map services are the test stand-ins and the OpenStreetMap
// page draws with Leaflet on tiles that never come (a closed port), so no network is involved.
#include "MapPageFolder.h"
#include "ui/MapBridge.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPoints = 3600;
constexpr int kTimeoutMs = 300000;
constexpr int kProbeIntervalMs = 5;
constexpr int kRounds = 5;
// Nothing listens here: the tiles fail at once, as without a network.
const QString kNoTileServer = QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png");

// Makes the page set its title to "drawn <points>" once its route holds them all and is drawn.
QString NotifyScript(int mapChoice) {
    if (mapChoice != MapChoice::kOpenStreetMap)
        return QString("fakeService.notifyAt = %1").arg(kPoints);
    return QString("(function () { var draw = routeLine.setLatLngs.bind(routeLine);"
                   " routeLine.setLatLngs = function (points) { draw(points);"
                   " if (routeLine.getLatLngs().length === %1) document.title = 'drawn %1';"
                   " return routeLine; }; })()")
        .arg(kPoints);
}

struct Result {
    double sendMs = -1.0;
    double drawnMs = -1.0;
    double longestStallMs = 0.0;
};

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, kProbeIntervalMs);
    }
    return true;
}

QStringList TrackScripts() {
    QStringList scripts{QStringLiteral("pathdrived_delete()"), QStringLiteral("path_delete()")};
    for (int i = 0; i < kPoints; ++i)
        scripts << QString::asprintf("path_plot(%f,%f)", 48.1173 + i * 1e-5, 11.516667 + i * 2e-5);
    return scripts;
}

Result RunOnce(const QString& folder, int mapChoice, bool coalesced) {
    Result result;
    QWidget host;
    host.resize(640, 480);
    MapBridge bridge(folder, kNoTileServer);
    bridge.CreateMapView(&host);
    bridge.view()->resize(host.size());
    host.show();
    bridge.ShowMapPage(mapChoice);
    if (!WaitFor([&] { return bridge.isReady(); }, kTimeoutMs) ||
        !WaitFor(
            [&] {
                return EvaluateInPage(bridge.view()->page(),
                                      "!!((window.fakeService && fakeService.maps.length === 1) ||"
                                      " (window.L && window.map))")
                    .toBool();
            },
            kTimeoutMs))
        return result;
    EvaluateInPage(bridge.view()->page(), NotifyScript(mapChoice));

    bool drawn = false;
    QObject::connect(bridge.view(), &QWebEngineView::titleChanged, [&](const QString& title) {
        drawn = title == QString("drawn %1").arg(kPoints);
    });
    QElapsedTimer sinceProbe;
    QTimer probe;
    probe.setInterval(kProbeIntervalMs);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        result.longestStallMs = std::max(result.longestStallMs, sinceProbe.nsecsElapsed() / 1e6);
        sinceProbe.restart();
    });

    const QStringList scripts = TrackScripts();
    QElapsedTimer clock;
    clock.start();
    sinceProbe.start();
    probe.start();
    for (const QString& script : scripts) {
        if (coalesced)
            bridge.RunScript(script);
        else
            bridge.view()->page()->runJavaScript(script);
    }
    result.sendMs = clock.nsecsElapsed() / 1e6;
    if (WaitFor([&] { return drawn; }, kTimeoutMs))
        result.drawnMs = clock.nsecsElapsed() / 1e6;
    return result;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    // The map's web profile keeps its cache under the user's cache folder: not the real one.
    const QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", cacheHome.path().toLocal8Bit());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    MapPageFolder folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "cannot prepare the map pages from %s\n",
                     qPrintable(BuiltPagesFolder()));
        return 1;
    }
    std::printf("%d points, median of %d rounds (-1: the page never drew them)\n", kPoints,
                kRounds);
    std::printf("%-10s %-10s %12s %14s %16s\n", "page", "mode", "send ms", "last point ms",
                "longest stall ms");
    for (int choice : {MapChoice::kGoogleMaps, MapChoice::kChinaMap, MapChoice::kOpenStreetMap}) {
        for (bool coalesced : {false, true}) {
            std::vector<double> send, drawn, stall;
            for (int round = 0; round < kRounds; ++round) {
                const Result r = RunOnce(folder.path(), choice, coalesced);
                send.push_back(r.sendMs);
                drawn.push_back(r.drawnMs);
                stall.push_back(r.longestStallMs);
            }
            std::printf(
                "%-10s %-10s %12.1f %14.1f %16.1f\n", qPrintable(MapBridge::PageFileName(choice)),
                coalesced ? "coalesced" : "per call", Median(send), Median(drawn), Median(stall));
        }
    }
    return 0;
}
