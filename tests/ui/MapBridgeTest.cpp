#include "ui/MapBridge.h"
#include "MapPageFolder.h"
#include "ScopedCommaLocale.h"
#include "ScopedLogCapture.h"
#include "TileServer.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>

#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr int kWaitMs = 20000;
constexpr int kPollMs = 20;

using Points = std::vector<std::pair<double, double>>;

Points ToPoints(const QJsonValue& value) {
    Points points;
    for (const QJsonValue& p : value.toArray())
        points.emplace_back(p.toArray().at(0).toDouble(), p.toArray().at(1).toDouble());
    return points;
}

void ExpectPoints(const QJsonValue& value, const Points& expected, const char* what,
                  double tolerance = 1e-9) {
    const Points actual = ToPoints(value);
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(actual[i].first, expected[i].first, tolerance) << what << " point " << i;
        EXPECT_NEAR(actual[i].second, expected[i].second, tolerance) << what << " point " << i;
    }
}

// The OpenStreetMap page draws with the real Leaflet, so its state is read from the page's
// own objects; the other two pages record theirs in their service stand-ins.
const char kStateScript[] =
    R"JS(JSON.stringify(window.fakeService ? fakeService.state() : (function () {
    function pair(p) { return p ? [p.lat, p.lng] : null; }
    function line(l) {
        var d = l._path ? l._path.getAttribute("d") : "";
        return { points: l.getLatLngs().map(pair), opacity: l.options.opacity, weight: l.options.weight,
                 colour: l.options.color, onMap: map.hasLayer(l), drawn: !!d && d !== "M0 0" };
    }
    var notice = document.getElementById("notice");
    return { maps: 1, center: pair(map.getCenter()), zoom: map.getZoom(),
             mapFillsPane: map.getContainer() === document.getElementById("map"),
             marker: map.hasLayer(marker) ? pair(marker.getLatLng()) : null,
             markerShown: !!document.querySelector(".leaflet-marker-icon"),
             markerDraggable: marker.options.draggable,
             route: line(routeLine), driven: line(drivenLine),
             routeInView: routeLine.getLatLngs().length > 0 && map.getBounds().contains(routeLine.getBounds()),
             attribution: document.querySelector(".leaflet-control-attribution").innerHTML,
             notice: notice.style.display === "block" ? notice.textContent : "",
             tilesShown: document.querySelectorAll("img.leaflet-tile-loaded").length };
})()))JS";

// True once the page's map exists: the stand-in service started it, or Leaflet did.
const char kMapStartedScript[] =
    "!!((window.fakeService && fakeService.maps.length === 1) || (window.L && window.map))";

// Leaflet keeps its centre to whole screen pixels: the centre is only as exact as one pixel's
// width in degrees at the map's zoom (the other pages keep the exact position).
double CentreTolerance(const QJsonObject& state) {
    constexpr double kTilePixels = 256.0;
    return state["route"].toObject().contains("colour")
               ? 360.0 / (kTilePixels * std::pow(2.0, state["zoom"].toDouble()))
               : 1e-9;
}

QString PlotScript(const char* function, double lat, double lng) {
    return QString::asprintf("%s(%f,%f)", function, lat, lng);
}

class MapBridgeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid()) << "pages not found in " << qPrintable(BuiltPagesFolder());
        m_host.resize(480, 360);
    }

    // Creates the view, shows the page of a map choice and waits until the page has loaded.
    void Open(int choice) {
        ASSERT_TRUE(m_bridge.CreateMapView(&m_host));
        m_bridge.view()->resize(m_host.size());
        m_host.show();
        m_bridge.ShowMapPage(choice);
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_bridge.isReady(); }, kWaitMs))
            << "page did not load";
    }

    // Opens a page whose stand-in service has started the map.
    void OpenWithService(int choice) {
        Open(choice);
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return Evaluate(kMapStartedScript).toBool(); }, kWaitMs))
            << "the page never started its map";
    }

    QVariant Evaluate(const QString& script) {
        return EvaluateInPage(m_bridge.view()->page(), script);
    }

    QJsonObject State() {
        return QJsonDocument::fromJson(Evaluate(kStateScript).toString().toUtf8()).object();
    }

    // Polls the page's recorded state until done holds (or time runs out) and returns it.
    QJsonObject WaitForState(const std::function<bool(const QJsonObject&)>& done) {
        QJsonObject state;
        QDeadlineTimer deadline(kWaitMs);
        do {
            QTest::qWait(kPollMs);
            state = State();
        } while (!done(state) && !deadline.hasExpired());
        return state;
    }

    static int RouteLength(const QJsonObject& s) {
        return s["route"].toObject()["points"].toArray().size();
    }
    static int DrivenLength(const QJsonObject& s) {
        return s["driven"].toObject()["points"].toArray().size();
    }

    MapPageFolder m_folder;
    TileServer m_tiles;
    QWidget m_host;
    MapBridge m_bridge{m_folder.path(), m_tiles.urlTemplate()};
};

TEST_F(MapBridgeTest, GooglePageStartsItsMapAndFollowsTheCalls) {
    OpenWithService(MapChoice::kGoogleMaps);
    EXPECT_EQ(m_bridge.mapKind(), MapChoice::kGoogleMaps);
    EXPECT_TRUE(m_bridge.view()->url().toLocalFile().endsWith("/gmap.html"));

    QJsonObject s = State();
    const QString src = s["src"].toString();
    EXPECT_TRUE(src.contains("v=3.37") && src.contains("key=test-google-key") &&
                src.contains("callback=initialize"))
        << qPrintable(src);
    EXPECT_TRUE(s["mapFillsPane"].toBool());
    ExpectPoints(QJsonArray{s["center"]}, {{0.0, 0.0}}, "start centre");
    EXPECT_EQ(s["zoom"].toInt(), 15);
    EXPECT_EQ(s["mapTypeId"].toString(), "roadmap");
    EXPECT_FALSE(s["fullscreenControl"].toBool(true));
    ExpectPoints(QJsonArray{s["marker"]}, {{0.0, 0.0}}, "start marker");
    EXPECT_TRUE(s["markerDraggable"].toBool());
    EXPECT_EQ(s["markerTitle"].toString("-"), "");
    for (const char* line : {"route", "driven"}) {
        const QJsonObject l = s[line].toObject();
        EXPECT_TRUE(l["onMap"].toBool()) << line;
        EXPECT_DOUBLE_EQ(l["opacity"].toDouble(), 0.5) << line;
        EXPECT_EQ(l["weight"].toInt(), 6) << line;
        EXPECT_TRUE(l["points"].toArray().isEmpty()) << line;
    }

    // What a track load and a position update send, in that order.
    m_bridge.RunScript("pathdrived_delete()");
    m_bridge.RunScript("path_delete()");
    const Points route = {{48.1173, 11.516667}, {48.2, 11.6}, {48.3, 11.7}};
    for (const auto& [lat, lng] : route)
        m_bridge.RunScript(PlotScript("path_plot", lat, lng));
    m_bridge.RunScript(PlotScript("pathdrived_plot", 48.05, 11.5));
    m_bridge.MoveMarker(48.07038, 11.31);
    s = WaitForState([](const QJsonObject& st) { return DrivenLength(st) == 2; });
    ExpectPoints(s["route"].toObject()["points"], route, "route");
    ExpectPoints(s["driven"].toObject()["points"], {{48.05, 11.5}, {48.1173, 11.516667}}, "driven");
    ExpectPoints(QJsonArray{s["marker"]}, {{48.1173, 11.516667}}, "marker");
    ExpectPoints(QJsonArray{s["center"]}, {{48.1173, 11.516667}}, "centre");

    // The two functions the program does not call.
    m_bridge.RunScript("pathdrived_plot_to_n(2)");
    m_bridge.RunScript("set_center(1.5, 2.5)");
    s = WaitForState(
        [](const QJsonObject& st) { return st["center"].toArray().at(0).toDouble() == 1.5; });
    ExpectPoints(s["driven"].toObject()["points"], {route[0], route[1]},
                 "driven after pathdrived_plot_to_n");
    ExpectPoints(QJsonArray{s["center"]}, {{1.5, 2.5}}, "set_center");

    m_bridge.RunScript("path_delete()");
    m_bridge.RunScript("pathdrived_delete()");
    s = WaitForState(
        [](const QJsonObject& st) { return RouteLength(st) == 0 && DrivenLength(st) == 0; });
    EXPECT_EQ(RouteLength(s), 0);
    EXPECT_EQ(DrivenLength(s), 0);
}

TEST_F(MapBridgeTest, ChinaPageTranslatesEveryPointAndKeepsTheCallOrder) {
    OpenWithService(MapChoice::kChinaMap);
    EXPECT_EQ(m_bridge.mapKind(), MapChoice::kChinaMap);
    EXPECT_TRUE(m_bridge.view()->url().toLocalFile().endsWith("/BMap.html"));

    QJsonObject s = State();
    const QString src = s["src"].toString();
    EXPECT_TRUE(src.contains("ak=test-baidu-key") && src.contains("callback=initialize"))
        << qPrintable(src);
    EXPECT_TRUE(s["mapFillsPane"].toBool());
    ExpectPoints(QJsonArray{s["center"]}, {{35.7101, 139.8107}}, "start centre");
    EXPECT_EQ(s["zoom"].toInt(), 16);
    EXPECT_EQ(s["controls"].toArray(), QJsonArray{7}) << "the large navigation control";
    EXPECT_TRUE(s["scrollWheel"].toBool());
    EXPECT_TRUE(s["keyboard"].toBool());
    EXPECT_TRUE(s["markers"].toArray().isEmpty())
        << "the marker is not shown before the first position";
    for (const char* line : {"route", "driven"}) {
        const QJsonObject l = s[line].toObject();
        EXPECT_TRUE(l["onMap"].toBool()) << line;
        EXPECT_DOUBLE_EQ(l["opacity"].toDouble(), 0.5) << line;
        EXPECT_EQ(l["weight"].toInt(), 6) << line;
    }

    // 25 points go out in three translation requests whose answers come back last-first.
    const double dLat = MapPageFolder::kTranslateLatOffset;
    const double dLng = MapPageFolder::kTranslateLngOffset;
    Points expectedRoute;
    m_bridge.RunScript("pathdrived_delete()");
    m_bridge.RunScript("path_delete()");
    for (int i = 0; i < 25; ++i) {
        const double lat = 30.0 + i * 0.01;
        const double lng = 120.0 + i * 0.02;
        m_bridge.RunScript(PlotScript("path_plot", lat, lng));
        expectedRoute.emplace_back(lat + dLat, lng + dLng);
    }
    m_bridge.MoveMarker(48.07038, 11.31);
    s = WaitForState([](const QJsonObject& st) { return DrivenLength(st) == 1; });
    ExpectPoints(s["route"].toObject()["points"], expectedRoute, "route");
    const Points moved = {{48.1173 + dLat, 11.516667 + dLng}};
    ExpectPoints(s["driven"].toObject()["points"], moved, "driven");
    ExpectPoints(s["markers"], moved, "the one marker shown");
    ExpectPoints(QJsonArray{s["center"]}, moved, "centre");
    EXPECT_EQ(s["zoom"].toInt(), 16) << "moving keeps the zoom";
    for (const QJsonValue& t : s["translations"].toArray()) {
        EXPECT_LE(t.toObject()["count"].toInt(), 10);
        EXPECT_EQ(t.toObject()["from"].toInt(), 1);
        EXPECT_EQ(t.toObject()["to"].toInt(), 5);
    }

    // A delete waits for the points sent before it; only what follows it stays.
    m_bridge.RunScript(PlotScript("pathdrived_plot", 31.0, 121.0));
    m_bridge.RunScript(PlotScript("pathdrived_plot", 31.1, 121.1));
    m_bridge.RunScript("pathdrived_delete()");
    m_bridge.RunScript(PlotScript("pathdrived_plot", 31.2, 121.2));
    m_bridge.RunScript("path_delete()");
    s = WaitForState(
        [](const QJsonObject& st) { return RouteLength(st) == 0 && DrivenLength(st) == 1; });
    ExpectPoints(s["driven"].toObject()["points"], {{31.2 + dLat, 121.2 + dLng}},
                 "driven after delete");
    EXPECT_EQ(RouteLength(s), 0);
}

TEST_F(MapBridgeTest, ScriptErrorsStayInsideThePage) {
    for (int choice : {MapChoice::kGoogleMaps, MapChoice::kChinaMap, MapChoice::kOpenStreetMap}) {
        SCOPED_TRACE(qPrintable(MapBridge::PageFileName(choice)));
        OpenWithService(choice);
        // The page's error handler cancels error events, so none is reported.
        EXPECT_FALSE(
            Evaluate(
                "window.dispatchEvent(new ErrorEvent('error', {cancelable: true, message: 'x'}))")
                .toBool());
        // A call that throws, or one that does not even parse, does not take the calls around
        // it down with it, even when they reach the page in one run.
        const double dLat =
            choice == MapChoice::kChinaMap ? MapPageFolder::kTranslateLatOffset : 0.0;
        const double dLng =
            choice == MapChoice::kChinaMap ? MapPageFolder::kTranslateLngOffset : 0.0;
        const QStringList brokenCalls[] = {{"no_such_function()", "throw new SyntaxError('x')"},
                                           {"path_plot(10,", "no_such_function()"}};
        double lat = 10.0; // each batch plots its own points, so a lost batch shows
        for (const QStringList& broken : brokenCalls) {
            SCOPED_TRACE(qPrintable(broken.join(" ; ")));
            const Points expected = {{lat + dLat, 20.0 + dLng}, {lat + 1.0 + dLat, 21.0 + dLng}};
            m_bridge.RunScript("path_delete()");
            m_bridge.RunScript(PlotScript("path_plot", lat, 20.0));
            for (const QString& script : broken)
                m_bridge.RunScript(script);
            m_bridge.RunScript(PlotScript("path_plot", lat + 1.0, 21.0));
            const QJsonObject s = WaitForState([&](const QJsonObject& st) {
                const QJsonArray route = st["route"].toObject()["points"].toArray();
                return route.size() == 2 &&
                       std::abs(route.at(1).toArray().at(0).toDouble() - expected[1].first) < 1e-6;
            });
            ExpectPoints(s["route"].toObject()["points"], expected, "route");
            lat += 10.0;
        }
    }
}

TEST_F(MapBridgeTest, OpenStreetMapPageDrawsOnItsTilesAndFollowsTheCalls) {
    ASSERT_TRUE(m_tiles.isListening());
    OpenWithService(MapChoice::kOpenStreetMap);
    EXPECT_EQ(m_bridge.mapKind(), MapChoice::kOpenStreetMap);
    EXPECT_TRUE(m_bridge.view()->url().toLocalFile().endsWith("/osm.html"));

    QJsonObject s =
        WaitForState([](const QJsonObject& st) { return st["tilesShown"].toInt() > 0; });
    EXPECT_GT(s["tilesShown"].toInt(), 0) << "tiles come from the tile server named by the bridge";
    EXPECT_EQ(m_tiles.lastUserAgent(), MapBridge::UserAgent().toUtf8());
    const QString attribution = s["attribution"].toString();
    EXPECT_TRUE(attribution.contains(u"© <a href=\"https://www.openstreetmap.org/copyright\">"
                                     u"OpenStreetMap</a> contributors"_qs))
        << qPrintable(attribution);
    EXPECT_TRUE(s["mapFillsPane"].toBool());
    EXPECT_TRUE(s["marker"].isNull()) << "the marker waits for the first position";
    EXPECT_TRUE(s["notice"].toString().isEmpty());
    for (const char* line : {"route", "driven"}) {
        const QJsonObject l = s[line].toObject();
        EXPECT_TRUE(l["onMap"].toBool()) << line;
        EXPECT_DOUBLE_EQ(l["opacity"].toDouble(), 0.5) << line;
        EXPECT_EQ(l["weight"].toInt(), 6) << line;
        EXPECT_TRUE(l["points"].toArray().isEmpty()) << line;
    }
    EXPECT_EQ(s["route"].toObject()["colour"].toString(), "#8833FF");
    EXPECT_EQ(s["driven"].toObject()["colour"].toString(), "#55EE55");

    // A track load: the route is drawn and fits the view.
    m_bridge.RunScript("pathdrived_delete()");
    m_bridge.RunScript("path_delete()");
    const Points route = {{48.1173, 11.516667}, {48.2, 11.6}, {48.3, 11.7}};
    for (const auto& [lat, lng] : route)
        m_bridge.RunScript(PlotScript("path_plot", lat, lng));
    s = WaitForState(
        [](const QJsonObject& st) { return st["route"].toObject()["drawn"].toBool(); });
    ExpectPoints(s["route"].toObject()["points"], route, "route");
    EXPECT_TRUE(s["routeInView"].toBool());
    const int fittedZoom = s["zoom"].toInt();

    // Playing: the trail grows and the map follows the marker at the zoom of the fit.
    m_bridge.RunScript(PlotScript("pathdrived_plot", 48.05, 11.5));
    m_bridge.MoveMarker(48.07038, 11.31);
    s = WaitForState([](const QJsonObject& st) { return DrivenLength(st) == 2; });
    ExpectPoints(s["driven"].toObject()["points"], {{48.05, 11.5}, {48.1173, 11.516667}}, "driven");
    ExpectPoints(QJsonArray{s["marker"]}, {{48.1173, 11.516667}}, "marker");
    EXPECT_TRUE(s["markerShown"].toBool());
    EXPECT_TRUE(s["markerDraggable"].toBool());
    ExpectPoints(QJsonArray{s["center"]}, {{48.1173, 11.516667}}, "centre", CentreTolerance(s));
    EXPECT_EQ(s["zoom"].toInt(), fittedZoom);

    m_bridge.RunScript("pathdrived_plot_to_n(2)");
    m_bridge.RunScript("set_center(1.5, 2.5)");
    s = WaitForState(
        [](const QJsonObject& st) { return st["center"].toArray().at(0).toDouble() == 1.5; });
    ExpectPoints(s["driven"].toObject()["points"], {route[0], route[1]},
                 "driven after pathdrived_plot_to_n");
    ExpectPoints(QJsonArray{s["center"]}, {{1.5, 2.5}}, "set_center", CentreTolerance(s));

    m_bridge.RunScript("path_delete()");
    m_bridge.RunScript("pathdrived_delete()");
    s = WaitForState(
        [](const QJsonObject& st) { return RouteLength(st) == 0 && DrivenLength(st) == 0; });
    EXPECT_EQ(RouteLength(s), 0);
    EXPECT_EQ(DrivenLength(s), 0);
}

// The profile keeps tiles on disk under the user's cache folder, so a trip reviewed later
// without a network still has its map.
TEST_F(MapBridgeTest, TilesSeenOnceAreShownAgainWithoutTheTileServer) {
    OpenWithService(MapChoice::kOpenStreetMap);
    QWebEngineProfile* profile = m_bridge.view()->page()->profile();
    EXPECT_FALSE(profile->isOffTheRecord());
    EXPECT_EQ(profile->httpCacheType(), QWebEngineProfile::DiskHttpCache);
    EXPECT_TRUE(profile->cachePath().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation)))
        << qPrintable(profile->cachePath());
    EXPECT_EQ(profile->httpUserAgent(), MapBridge::UserAgent());
    ASSERT_TRUE(WaitForState([](const QJsonObject& st) {
                    return st["tilesShown"].toInt() > 0;
                })["tilesShown"]
                    .toInt() > 0);
    const int shownOnline = State()["tilesShown"].toInt();

    m_tiles.Stop();
    const int requestsBefore = m_tiles.tileRequests();
    m_bridge.ShowMapPage(MapChoice::kOpenStreetMap);
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_bridge.isReady(); }, kWaitMs));
    const QJsonObject s = WaitForState(
        [&](const QJsonObject& st) { return st["tilesShown"].toInt() >= shownOnline; });
    EXPECT_EQ(s["tilesShown"].toInt(), shownOnline);
    EXPECT_EQ(m_tiles.tileRequests(), requestsBefore);
}

class MapKeyNoticeTest : public ::testing::TestWithParam<std::tuple<int, MapPageFolder::Keys>> {};

TEST_P(MapKeyNoticeTest, MissingKeyShowsOpenStreetMapWithANoticeAndKeepsTheChoice) {
    const auto [choice, keys] = GetParam();
    MapPageFolder folder(keys);
    ASSERT_TRUE(folder.isValid());
    TileServer tiles;
    QWidget host;
    MapBridge bridge(folder.path(), tiles.urlTemplate());
    ASSERT_TRUE(bridge.CreateMapView(&host));
    host.show();
    bridge.ShowMapPage(choice);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bridge.isReady(); }, kWaitMs));
    EXPECT_EQ(bridge.mapKind(), choice) << "the choice is kept for when the key is set";
    EXPECT_TRUE(bridge.view()->url().toLocalFile().endsWith("/osm.html"));
    const QString keyName = choice == MapChoice::kChinaMap ? "\"baidu\"" : "\"google\"";
    const QString notice =
        EvaluateInPage(bridge.view()->page(), "document.getElementById('notice').textContent")
            .toString();
    EXPECT_TRUE(notice.contains(keyName) && notice.contains("map-keys.js")) << qPrintable(notice);
    bridge.RunScript("path_plot(1,2)");
    bridge.MoveMarker(48.07038, 11.31);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return EvaluateInPage(bridge.view()->page(),
                                  "routeLine.getLatLngs().length + drivenLine.getLatLngs().length")
                       .toInt() == 2;
        },
        kWaitMs))
        << "the calls draw on the page that is shown";
    EXPECT_EQ(EvaluateInPage(bridge.view()->page(), "typeof window.fakeService").toString(),
              "undefined");
}

INSTANTIATE_TEST_SUITE_P(
    BothPages, MapKeyNoticeTest,
    ::testing::Combine(::testing::Values(MapChoice::kGoogleMaps, MapChoice::kChinaMap),
                       ::testing::Values(MapPageFolder::kEmptyKeys, MapPageFolder::kNoKeyFile)));

TEST_F(MapBridgeTest, WithoutAViewEveryCallIsDropped) {
    EXPECT_FALSE(m_bridge.CreateMapView(nullptr));
    EXPECT_EQ(m_bridge.view(), nullptr);
    m_bridge.ShowMapPage(MapChoice::kChinaMap);
    m_bridge.RunScript("path_plot(1,2)");
    m_bridge.MoveMarker(48.07038, 11.31);
    QTest::qWait(10);
    EXPECT_FALSE(m_bridge.isReady());
    EXPECT_EQ(m_bridge.mapKind(), MapChoice::kChinaMap)
        << "the choice is kept for when a view exists";
}

TEST_F(MapBridgeTest, CallsBeforeThePageHasLoadedAreDropped) {
    ASSERT_TRUE(m_bridge.CreateMapView(&m_host));
    m_bridge.RunScript(PlotScript("path_plot", 1.0, 2.0)); // view, but no page yet
    m_bridge.ShowMapPage(MapChoice::kGoogleMaps);
    m_bridge.RunScript(PlotScript("path_plot", 3.0, 4.0)); // page still loading
    EXPECT_FALSE(m_bridge.isReady());
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_bridge.isReady(); }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return Evaluate("window.fakeService && fakeService.maps.length").toInt() == 1; },
        kWaitMs));
    m_bridge.RunScript(PlotScript("path_plot", 5.0, 6.0));
    const QJsonObject s = WaitForState([](const QJsonObject& st) { return RouteLength(st) >= 1; });
    ExpectPoints(s["route"].toObject()["points"], {{5.0, 6.0}}, "route");
}

TEST_F(MapBridgeTest, DroppedAndFailedScriptsAreLoggedForDebugging) {
    const ScopedLogCapture log("kestrola.map");
    ASSERT_TRUE(m_bridge.CreateMapView(&m_host));
    m_bridge.RunScript("path_plot(1,2)");
    EXPECT_FALSE(log.Find({"dropped", "path_plot(1,2)"}).isEmpty());

    OpenWithService(MapChoice::kGoogleMaps);
    // One batch that runs guarded, one that has to be run script by script.
    struct Batch {
        QStringList scripts;
        QString broken;
    };
    const Batch batches[] = {{{"path_plot(3,4)", "no_such_function()"}, "no_such_function()"},
                             {{"path_plot(10,", "path_plot(5,6)"}, "path_plot(10,"}};
    for (const Batch& batch : batches) {
        for (const QString& script : batch.scripts)
            m_bridge.RunScript(script);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return !log.Find({"failed", batch.broken}).isEmpty();
            },
            kWaitMs))
            << qPrintable(log.messages().join('\n'));
    }
    for (const char* good : {"path_plot(3,4)", "path_plot(5,6)"})
        EXPECT_TRUE(log.Find({"failed", good}).isEmpty()) << good;
    EXPECT_EQ(Evaluate("typeof window.__kestrolaScriptFailed").toString(), "undefined")
        << "the batch cleans up after itself";
}

TEST_F(MapBridgeTest, ChangingTheServiceReloadsTheViewWithItsPage) {
    OpenWithService(MapChoice::kGoogleMaps);
    m_bridge.RunScript(PlotScript("path_plot", 1.0, 2.0));
    WaitForState([](const QJsonObject& st) { return RouteLength(st) == 1; });

    m_bridge.ShowMapPage(MapChoice::kChinaMap);
    EXPECT_FALSE(m_bridge.isReady()) << "calls are dropped while the new page loads";
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_bridge.isReady(); }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return Evaluate("window.fakeService && fakeService.maps.length").toInt() == 1; },
        kWaitMs));
    EXPECT_TRUE(m_bridge.view()->url().toLocalFile().endsWith("/BMap.html"));
    m_bridge.MoveMarker(48.07038, 11.31);
    const QJsonObject s = WaitForState([](const QJsonObject& st) { return DrivenLength(st) == 1; });
    EXPECT_EQ(RouteLength(s), 0) << "the reload started from an empty route";
    ExpectPoints(QJsonArray{s["center"]},
                 {{48.1173 + MapPageFolder::kTranslateLatOffset,
                   11.516667 + MapPageFolder::kTranslateLngOffset}},
                 "centre");

    // On to the page that needs no key, and back to the first one.
    for (int choice : {MapChoice::kOpenStreetMap, MapChoice::kGoogleMaps}) {
        SCOPED_TRACE(qPrintable(MapBridge::PageFileName(choice)));
        m_bridge.ShowMapPage(choice);
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_bridge.isReady(); }, kWaitMs));
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return Evaluate(kMapStartedScript).toBool(); }, kWaitMs));
        EXPECT_TRUE(m_bridge.view()->url().toLocalFile().endsWith(MapBridge::PageFileName(choice)));
        m_bridge.MoveMarker(48.07038, 11.31);
        const QJsonObject again =
            WaitForState([](const QJsonObject& st) { return DrivenLength(st) == 1; });
        EXPECT_EQ(RouteLength(again), 0);
        ExpectPoints(QJsonArray{again["center"]}, {{48.1173, 11.516667}}, "centre",
                     CentreTolerance(again));
    }
}

TEST(MapBridgeScriptTest, MarkerScriptUsesDegreesAndADotInAnyLocale) {
    const ScopedCommaLocale commaLocale(LC_NUMERIC);
    if (!commaLocale.active())
        GTEST_SKIP() << ScopedCommaLocale::kMissing;
    const QLocale previousLocale;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(MapBridge::MarkerScript(48.07038, 11.31), "movpos(48.117300, 11.516667)");
    EXPECT_EQ(MapBridge::MarkerScript(0.0, 0.0), "movpos(0.000000, 0.000000)");
    QLocale::setDefault(previousLocale);
}

// Runs in a child process whose web engine cannot start its page process (the renderer
// launch is prefixed with a command that fails), as on a machine where the engine is broken.
constexpr char kBrokenEngineVariable[] = "KESTROLA_TEST_BROKEN_WEB_ENGINE";

TEST(MapBridgeBrokenEngineChild, MapStaysEmptyAndCallsAreDropped) {
    if (qEnvironmentVariableIsEmpty(kBrokenEngineVariable))
        GTEST_SKIP() << "runs only inside WebEngineThatCannotStartLeavesTheMapEmpty";
    MapPageFolder folder;
    ASSERT_TRUE(folder.isValid());
    QWidget host;
    MapBridge bridge(folder.path());
    ASSERT_TRUE(bridge.CreateMapView(&host));
    host.show();
    bool finished = false;
    bool loadedOk = true;
    QObject::connect(&bridge, &MapBridge::pageLoaded, [&](bool ok) {
        finished = true;
        loadedOk = ok;
    });
    bridge.ShowMapPage(MapChoice::kGoogleMaps);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, kWaitMs));
    EXPECT_FALSE(loadedOk);
    EXPECT_FALSE(bridge.isReady());
    bridge.RunScript("path_delete()");
    bridge.MoveMarker(48.07038, 11.31);
    bridge.ShowMapPage(MapChoice::kChinaMap);
    QTest::qWait(500);
    EXPECT_FALSE(bridge.isReady());
}

TEST(MapBridgeBrokenEngineTest, WebEngineThatCannotStartLeavesTheMapEmpty) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kBrokenEngineVariable, "1");
    env.insert("QTWEBENGINE_CHROMIUM_FLAGS",
               env.value("QTWEBENGINE_CHROMIUM_FLAGS") + " --renderer-cmd-prefix=/bin/false");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=MapBridgeBrokenEngineChild.*"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << qPrintable(output);
    EXPECT_EQ(child.exitCode(), 0) << qPrintable(output);
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << qPrintable(output);
}

} // namespace
