#include "ui/MapBridge.h"

#include "map/MapLog.h"
#include "platform/ProgramDataFolder.h"
#include "track/TrackRecords.h"
#include "ui/MapKeyFile.h"
#include "ui/MapWebPage.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

const QString kGooglePage = QStringLiteral("gmap.html");
const QString kChinaPage = QStringLiteral("BMap.html");
const QString kOpenStreetMapPage = QStringLiteral("osm.html");
const QString kGoogleKeyName = QStringLiteral("google");
const QString kChinaKeyName = QStringLiteral("baidu");
// One profile name for every run, so that its disk cache is found again.
const QString kProfileName = QStringLiteral("map");
const QString kCacheSubfolder = QStringLiteral("map");
constexpr double kNmeaDivisor = 100.0;

// Runs a batch so that each script fails on its own, as separate runs would: the scripts
// are compiled together, each statement guarded, which costs one compilation for the whole
// batch; only when one of them does not parse (then nothing has run yet) is each compiled
// and run separately, so the broken one costs only itself. The guards run in the page's
// global scope, so they reach the list of failures through a global of their own, removed
// again before the batch returns that list.
const char kBatchRunner[] = R"JS((function (s) {
var failed = [];
var fail = function (i, e) { failed.push(s[i] + " -> " + e); };
globalThis.__kestrolaScriptFailed = fail;
var all = s.map(function (x, i) {
  return "try{" + x + "\n}catch(e){__kestrolaScriptFailed(" + i + ",e)}"; }).join("\n");
try { (0, eval)(all); } catch (e) {
  if (e instanceof SyntaxError) {
    for (var i = 0; i < s.length; ++i) { try { (0, eval)(s[i]); } catch (e2) { fail(i, e2); } }
  } else {
    failed.push(String(e));
  }
}
delete globalThis.__kestrolaScriptFailed;
return failed;
}))JS";

void LogFailedScripts(const QVariant& failures) {
    for (const QVariant& failure : failures.toList())
        qCDebug(lcMap) << "map script failed:" << failure.toString();
}

QString BatchScript(const QStringList& scripts) {
    const QByteArray list =
        QJsonDocument(QJsonArray::fromStringList(scripts)).toJson(QJsonDocument::Compact);
    return QLatin1String(kBatchRunner) + u'(' + QString::fromUtf8(list) + QStringLiteral(");");
}

} // namespace

MapBridge::MapBridge(const QString& pageFolder, const QString& tileUrl, QObject* parent)
    : QObject(parent),
      m_pageFolder(pageFolder.isEmpty() ? ProgramDataFolder() : pageFolder),
      m_tileUrl(tileUrl) {
    // Calls made in one pass of the window thread (a track load sends thousands) go to the
    // page as one script run once control returns to the event loop.
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(0);
    connect(&m_flushTimer, &QTimer::timeout, this, &MapBridge::Flush);
}

MapBridge::~MapBridge() {
    // The page must go before its profile, which as the bridge's child goes after this.
    delete m_view.data();
}

QString MapBridge::UserAgent() {
    return QStringLiteral("Kestrola/" KESTROLA_VERSION);
}

QString MapBridge::CacheFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(kCacheSubfolder);
}

bool MapBridge::CreateMapView(QWidget* parent) {
    if (m_view)
        return true;
    if (!parent)
        return false;
    m_profile = new QWebEngineProfile(kProfileName, this);
    m_profile->setCachePath(CacheFolder());
    m_profile->setPersistentStoragePath(QDir(CacheFolder()).filePath(QStringLiteral("storage")));
    m_profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    m_profile->setHttpUserAgent(UserAgent());
    m_view = new QWebEngineView(parent);
    m_view->setPage(new MapWebPage(m_profile, m_view));
    // The pages are local files that load the map service's script and tiles from the web.
    m_view->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    m_view->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    connect(m_view, &QWebEngineView::loadStarted, this, &MapBridge::OnLoadStarted);
    connect(m_view, &QWebEngineView::loadFinished, this, &MapBridge::OnLoadFinished);
    connect(m_view, &QWebEngineView::renderProcessTerminated, this,
            &MapBridge::OnRenderProcessTerminated);
    return true;
}

QString MapBridge::PageFileName(int choice) {
    switch (choice) {
    case MapChoice::kChinaMap:
        return kChinaPage;
    case MapChoice::kOpenStreetMap:
        return kOpenStreetMapPage;
    default:
        return kGooglePage;
    }
}

void MapBridge::ShowMapPage(int choice) {
    m_mapKind = choice == MapChoice::kChinaMap || choice == MapChoice::kOpenStreetMap
                    ? choice
                    : MapChoice::kGoogleMaps;
    if (!m_view)
        return;
    m_pageLoaded = false;
    DropPending("another page is loading");
    m_view->load(PageUrl());
}

QUrl MapBridge::PageUrl() const {
    QUrlQuery query;
    int shown = m_mapKind;
    if (m_mapKind != MapChoice::kOpenStreetMap) {
        const QString keyName = m_mapKind == MapChoice::kChinaMap ? kChinaKeyName : kGoogleKeyName;
        if (!MapKeyFile(m_pageFolder).HasKey(keyName)) {
            shown = MapChoice::kOpenStreetMap;
            query.addQueryItem(QStringLiteral("missing"), keyName);
        }
    }
    if (shown == MapChoice::kOpenStreetMap && !m_tileUrl.isEmpty())
        query.addQueryItem(QStringLiteral("tiles"), m_tileUrl);
    QUrl url = QUrl::fromLocalFile(QDir(m_pageFolder).filePath(PageFileName(shown)));
    url.setQuery(query);
    return url;
}

QString MapBridge::MarkerScript(double latitudeDivided100, double longitudeDivided100) {
    // asprintf formats like C in the "C" locale: always a dot, whatever the user's locale.
    return QString::asprintf("movpos(%f, %f)", NmeaToDegrees(latitudeDivided100 * kNmeaDivisor),
                             NmeaToDegrees(longitudeDivided100 * kNmeaDivisor));
}

void MapBridge::MoveMarker(double latitudeDivided100, double longitudeDivided100) {
    RunScript(MarkerScript(latitudeDivided100, longitudeDivided100));
}

void MapBridge::RunScript(const QString& script) {
    if (!isReady()) {
        qCDebug(lcMap) << "map page not ready, script dropped:" << script;
        return;
    }
    m_pending.append(script);
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

QWebEngineView* MapBridge::view() const {
    return m_view;
}

bool MapBridge::isReady() const {
    return m_view && m_pageLoaded;
}

void MapBridge::Flush() {
    if (!isReady()) {
        DropPending("the map page went away");
        return;
    }
    const QStringList scripts = std::exchange(m_pending, {});
    if (scripts.isEmpty())
        return;
    // The callback holds nothing of the bridge: it may run after the bridge is gone.
    m_view->page()->runJavaScript(BatchScript(scripts), LogFailedScripts);
}

void MapBridge::DropPending(const char* reason) {
    if (!m_pending.isEmpty())
        qCDebug(lcMap) << m_pending.size() << "queued map scripts dropped:" << reason;
    m_pending.clear();
}

void MapBridge::OnLoadStarted() {
    // Whatever was queued was meant for the page that is going away.
    m_pageLoaded = false;
    DropPending("another page is loading");
}

void MapBridge::OnLoadFinished(bool ok) {
    m_pageLoaded = ok;
    emit pageLoaded(ok);
}

void MapBridge::OnRenderProcessTerminated() {
    m_pageLoaded = false;
    DropPending("the page's render process ended");
}
