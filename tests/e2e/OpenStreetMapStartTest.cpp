#include "MapPageFolder.h"
#include "QuietOptions.h"
#include "TestCard.h"
#include "TileServer.h"

#include "app/CAppSettings.h"
#include "ui/MapBridge.h"
#include "ui/window/CKTRDlg.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 20000;
// Set to a file name, the test with tiles saves a picture of the playing window there.
constexpr char kScreenshotVariable[] = "KESTROLA_OSM_SCREENSHOT";

const char kPageState[] = R"JS((function () {
    var d = routeLine._path ? routeLine._path.getAttribute("d") : "";
    return { page: location.pathname.split("/").pop(), routePoints: routeLine.getLatLngs().length,
             routeDrawn: !!d && d !== "M0 0", markerOnMap: map.hasLayer(marker),
             markerShown: !!document.querySelector(".leaflet-marker-icon"),
             notice: document.getElementById("notice").textContent,
             tilesShown: document.querySelectorAll("img.leaflet-tile-loaded").length };
})())JS";

// A first start: no map-keys.js beside the pages and no "Ktr.ini" in the working folder.
class OpenStreetMapStartTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        ASSERT_TRUE(Card().error.isEmpty()) << qPrintable(Card().error);
        ASSERT_TRUE(m_config.isValid());
        ASSERT_TRUE(m_pages.isValid());
        ASSERT_TRUE(m_tiles.isListening());
        if (!GetParam())
            m_tiles.Stop(); // the network is cut: the tile address answers nothing
    }

    QVariantMap PageState(CKTRDlg& window) {
        return EvaluateInPage(window.map().view()->page(), kPageState).toMap();
    }

    QTemporaryDir m_config;
    CAppSettings m_settings{m_config.filePath(QString::fromLatin1(CAppSettings::kFileName))};
    MapPageFolder m_pages{MapPageFolder::kNoKeyFile};
    TileServer m_tiles;
};

TEST_P(OpenStreetMapStartTest, TheCardsRouteIsShownOnOpenStreetMap) {
    const bool online = GetParam();
    MainWindowOptions options = QuietOptions(m_pages.path());
    options.mapTileUrl = m_tiles.urlTemplate();
    CKTRDlg window(m_settings, options);
    window.resize(1000, 700);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.map().isReady(); }, kWaitMs));
    ASSERT_TRUE(window.OpenPath(Card().paired));

    QVariantMap state;
    const bool drawn = QTest::qWaitFor(
        [&] {
            state = PageState(window);
            return state["routePoints"].toInt() > 1 && state["routeDrawn"].toBool() &&
                   state["markerShown"].toBool() && (!online || state["tilesShown"].toInt() > 0);
        },
        kWaitMs);
    EXPECT_TRUE(drawn) << qPrintable(QVariant(state).toString());
    EXPECT_EQ(state["page"].toString(), "osm.html");
    EXPECT_EQ(state["routePoints"].toInt(),
              static_cast<int>(window.catalogue().Track().points.size()));
    EXPECT_TRUE(state["markerOnMap"].toBool());
    EXPECT_TRUE(state["notice"].toString().contains("\"google\"")) << "the default choice's key";
    if (!online) {
        EXPECT_EQ(state["tilesShown"].toInt(), 0) << "the lines draw on a plain background";
    }

    const QString shot = qEnvironmentVariable(kScreenshotVariable);
    if (online && !shot.isEmpty()) {
        QTest::qWait(3000); // a little of the recording plays and the marker moves on
        const QRect frame = window.frameGeometry();
        QGuiApplication::primaryScreen()
            ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
            .save(shot);
    }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutNetwork, OpenStreetMapStartTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Tiles" : "NetworkCut"; });

} // namespace
