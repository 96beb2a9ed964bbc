#include "MapPageFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QWebEnginePage>

#include <memory>

namespace {

const char kFakeGoogle[] = R"JS(
(function () {
    var src = document.currentScript.src;
    var rec = { src: src, maps: [], markers: [], polylines: [], notifyAt: 0 };
    function LatLng(lat, lng) { this.la = lat; this.ln = lng; }
    LatLng.prototype.lat = function () { return this.la; };
    LatLng.prototype.lng = function () { return this.ln; };
    function Path() { this.a = []; }
    Path.prototype.push = function (p) {
        this.a.push(p);
        if (rec.notifyAt && this.a.length === rec.notifyAt)
            document.title = "drawn " + this.a.length;
    };
    Path.prototype.clear = function () { this.a = []; };
    Path.prototype.getLength = function () { return this.a.length; };
    Path.prototype.getAt = function (i) { return this.a[i]; };
    function GMap(el, options) { this.el = el; this.options = options; this.center = options.center; rec.maps.push(this); }
    GMap.prototype.setCenter = function (p) { this.center = p; };
    function Marker(options) { this.options = options; this.position = options.position; rec.markers.push(this); }
    Marker.prototype.setPosition = function (p) { this.position = p; };
    function Polyline(options) { this.options = options; this.path = new Path(); rec.polylines.push(this); }
    Polyline.prototype.getPath = function () { return this.path; };
    function pair(p) { return p ? [p.lat(), p.lng()] : null; }
    function line(colour) {
        var l = rec.polylines.filter(function (x) { return x.options.strokeColor === colour; })[0];
        return l ? { points: l.path.a.map(pair), opacity: l.options.strokeOpacity, weight: l.options.strokeWeight,
                     onMap: l.options.map === rec.maps[0] } : null;
    }
    rec.state = function () {
        var m = rec.maps[0], k = rec.markers[0];
        return { src: rec.src, maps: rec.maps.length, center: pair(m.center), zoom: m.options.zoom,
                 mapTypeId: m.options.mapTypeId, fullscreenControl: m.options.fullscreenControl,
                 mapFillsPane: m.el === document.getElementById("map"),
                 marker: pair(k.position), markerDraggable: k.options.draggable, markerTitle: k.options.title,
                 route: line("#8833FF"), driven: line("#55EE55") };
    };
    window.fakeService = rec;
    window.google = { maps: { LatLng: LatLng, Map: GMap, Marker: Marker, Polyline: Polyline } };
    var callback = new URL(src).searchParams.get("callback");
    setTimeout(function () { window[callback](); }, 0);
})();
)JS";

// Answers come back after a delay that shrinks with every request, so later batches overtake
// earlier ones, as a real network may make them.
const char kFakeBaidu[] = R"JS(
(function () {
    var src = document.currentScript.src;
    var rec = { src: src, maps: [], polylines: [], translations: [], notifyAt: 0 };
    function Point(lng, lat) { this.lng = lng; this.lat = lat; }
    function BaiduMap(id) { this.id = id; this.overlays = []; this.controls = []; rec.maps.push(this); }
    BaiduMap.prototype.centerAndZoom = function (p, z) { this.center = p; this.zoom = z; };
    BaiduMap.prototype.setCenter = function (p) { this.center = p; };
    BaiduMap.prototype.addControl = function (c) { this.controls.push(c); };
    BaiduMap.prototype.enableScrollWheelZoom = function () { this.scrollWheel = true; };
    BaiduMap.prototype.enableKeyboard = function () { this.keyboard = true; };
    BaiduMap.prototype.addOverlay = function (o) { this.overlays.push(o); };
    BaiduMap.prototype.removeOverlay = function (o) {
        this.overlays = this.overlays.filter(function (x) { return x !== o; });
    };
    function Marker(p) { this.point = p; }
    function Polyline(points, options) { this.points = points.slice(); this.options = options; rec.polylines.push(this); }
    Polyline.prototype.getPath = function () { return this.points.slice(); };
    Polyline.prototype.setPath = function (points) {
        this.points = points.slice();
        if (rec.notifyAt && this.points.length === rec.notifyAt)
            document.title = "drawn " + this.points.length;
    };
    function NavigationControl(options) { this.options = options; }
    function Convertor() { }
    Convertor.prototype.translate = function (points, from, to, callback) {
        rec.translations.push({ count: points.length, from: from, to: to });
        var out = points.map(function (p) { return new Point(p.lng + %LNG%, p.lat + %LAT%); });
        var delay = Math.max(0, 40 - 10 * rec.translations.length);
        setTimeout(function () { callback({ status: 0, points: out }); }, delay);
    };
    function pair(p) { return p ? [p.lat, p.lng] : null; }
    function line(colour) {
        var l = rec.polylines.filter(function (x) { return x.options.strokeColor === colour; })[0];
        return l ? { points: l.points.map(pair), opacity: l.options.strokeOpacity, weight: l.options.strokeWeight,
                     onMap: rec.maps[0].overlays.indexOf(l) >= 0 } : null;
    }
    rec.state = function () {
        var m = rec.maps[0];
        var markers = m.overlays.filter(function (o) { return o instanceof Marker; });
        return { src: rec.src, maps: rec.maps.length, center: pair(m.center), zoom: m.zoom, mapFillsPane: m.id === "map",
                 controls: m.controls.map(function (c) { return c.options.type; }),
                 scrollWheel: !!m.scrollWheel, keyboard: !!m.keyboard,
                 markers: markers.map(function (k) { return pair(k.point); }),
                 route: line("blue"), driven: line("red"), translations: rec.translations };
    };
    window.fakeService = rec;
    window.BMAP_NAVIGATION_CONTROL_LARGE = 7;
    window.BMap = { Point: Point, Map: BaiduMap, Marker: Marker, Polyline: Polyline,
                    NavigationControl: NavigationControl, Convertor: Convertor };
    var callback = new URL(src).searchParams.get("callback");
    setTimeout(function () { window[callback](); }, 0);
})();
)JS";

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

bool CopyFolder(const QString& from, const QString& to) {
    if (!QDir().mkpath(to))
        return false;
    const QDir source(from);
    const QFileInfoList entries =
        source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    if (entries.isEmpty())
        return false;
    for (const QFileInfo& entry : entries) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir() ? !CopyFolder(entry.filePath(), target)
                          : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

} // namespace

QString BuiltPagesFolder() {
    const QByteArray fromEnv = qgetenv("KESTROLA_BIN_DIR");
    return fromEnv.isEmpty() ? QCoreApplication::applicationDirPath()
                             : QString::fromLocal8Bit(fromEnv);
}

MapPageFolder::MapPageFolder(Keys keys) {
    if (!m_dir.isValid())
        return;
    const QDir built(BuiltPagesFolder());
    const QDir here(m_dir.path());
    for (const char* page : {"gmap.html", "BMap.html", "osm.html"}) {
        if (!QFile::copy(built.filePath(page), here.filePath(page)))
            return;
    }
    if (!CopyFolder(built.filePath("leaflet"), here.filePath("leaflet")))
        return;
    const QByteArray baidu = QByteArray(kFakeBaidu)
                                 .replace("%LAT%", QByteArray::number(kTranslateLatOffset))
                                 .replace("%LNG%", QByteArray::number(kTranslateLngOffset));
    QByteArray keyFile;
    if (keys == kWithKeys) {
        keyFile = QByteArray("window.KESTROLA_MAP_KEYS = { google: \"") + kGoogleKey +
                  "\", baidu: \"" + kBaiduKey +
                  "\", googleScriptUrl: \"fake-google.js\", baiduScriptUrl: \"fake-baidu.js\" };\n";
    } else if (keys == kEmptyKeys) {
        keyFile = "window.KESTROLA_MAP_KEYS = { google: \"\", baidu: \"\", googleScriptUrl: "
                  "\"fake-google.js\", "
                  "baiduScriptUrl: \"fake-baidu.js\" };\n";
    }
    m_valid = WriteFile(here.filePath("fake-google.js"), kFakeGoogle) &&
              WriteFile(here.filePath("fake-baidu.js"), baidu) &&
              (keys == kNoKeyFile || WriteFile(here.filePath("map-keys.js"), keyFile));
}

QVariant EvaluateInPage(QWebEnginePage* page, const QString& script, int timeoutMs) {
    auto result = std::make_shared<std::pair<bool, QVariant>>(false, QVariant());
    page->runJavaScript(script, [result](const QVariant& value) { *result = {true, value}; });
    QDeadlineTimer deadline(timeoutMs);
    while (!result->first && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return result->second;
}
