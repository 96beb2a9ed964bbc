#pragma once

#include "app/SettingsKeys.h"
#include "track/TrackSinks.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

class QUrl;
class QWebEngineProfile;
class QWebEngineView;
class QWidget;

// Hosts the map page in a web view and runs the program's one-way script calls on it. Until
// a page has loaded (or when the web engine could not show one) every call is dropped, so the
// rest of the program never has to ask whether there is a map.
class MapBridge : public QObject, public MapScriptSink {
    Q_OBJECT

public:
    // Pages are looked up in pageFolder; by default ProgramDataFolder(). tileUrl is the
    // OpenStreetMap page's tile address template ({z}/{x}/{y}); by default the page's own.
    explicit MapBridge(const QString& pageFolder = QString(), const QString& tileUrl = QString(),
                       QObject* parent = nullptr);
    ~MapBridge() override;

    // Creates the web view as a child of parent; false, leaving the bridge empty, without a
    // parent. A web engine that cannot show the page is found out when it loads: the bridge
    // then never becomes ready.
    bool CreateMapView(QWidget* parent);
    // Loads the page of a map choice (1 = China Map, 2 = OpenStreetMap, anything else = Google
    // Maps). A service whose key map-keys.js does not give is replaced by OpenStreetMap, with
    // a notice naming the key; the choice is kept, so the key brings the service back.
    void ShowMapPage(int choice);
    // Takes a point's NMEA latitude and longitude already divided by 100.
    void MoveMarker(double latitudeDivided100, double longitudeDivided100);
    void RunScript(const QString& script) override;

    // Ready: the view exists and the page it shows has finished loading.
    bool isReady() const;
    // The chosen service, which is not always the one shown: see ShowMapPage.
    int mapKind() const { return m_mapKind; }
    QWebEngineView* view() const;
    QString pageFolder() const { return m_pageFolder; }

    static QString PageFileName(int choice);
    // "Kestrola/<version>": the tile servers ask programs to name themselves.
    static QString UserAgent();
    // The folder of the web profile's HTTP cache, which keeps tiles seen once for offline use.
    static QString CacheFolder();
    static QString MarkerScript(double latitudeDivided100, double longitudeDivided100);

signals:
    // A page finished loading; ok is false when it could not be shown.
    void pageLoaded(bool ok);

private:
    QUrl PageUrl() const;
    void OnLoadStarted();
    void OnLoadFinished(bool ok);
    void OnRenderProcessTerminated();
    void Flush();
    void DropPending(const char* reason);

    QString m_pageFolder;
    QString m_tileUrl;
    QWebEngineProfile* m_profile = nullptr;
    QPointer<QWebEngineView> m_view;
    int m_mapKind = MapChoice::kGoogleMaps;
    bool m_pageLoaded = false;
    QStringList m_pending;
    QTimer m_flushTimer;
};
