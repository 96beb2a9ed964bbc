#pragma once

#include "app/SettingsKeys.h"
#include "track/TrackSinks.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

class QWebEngineView;
class QWidget;

// Hosts the map page in a web view and runs the program's one-way script calls on it. Until
// a page has loaded (or when the web engine could not show one) every call is dropped, so the
// rest of the program never has to ask whether there is a map.
class MapBridge : public QObject, public MapScriptSink {
    Q_OBJECT

public:
    // Pages are looked up in pageFolder; by default ProgramDataFolder().
    explicit MapBridge(const QString& pageFolder = QString(), QObject* parent = nullptr);
    ~MapBridge() override;

    // Creates the web view as a child of parent; false, leaving the bridge empty, without a
    // parent. A web engine that cannot show the page is found out when it loads: the bridge
    // then never becomes ready.
    bool CreateMapView(QWidget* parent);
    // Loads the page of a map choice (1 = China Map, anything else = Google Maps).
    void ShowMapPage(int choice);
    // Takes a point's NMEA latitude and longitude already divided by 100.
    void MoveMarker(double latitudeDivided100, double longitudeDivided100);
    void RunScript(const QString& script) override;

    // Ready: the view exists and the page it shows has finished loading.
    bool isReady() const;
    int mapKind() const { return m_mapKind; }
    QWebEngineView* view() const;
    QString pageFolder() const { return m_pageFolder; }

    static QString PageFileName(int choice);
    static QString MarkerScript(double latitudeDivided100, double longitudeDivided100);

signals:
    // A page finished loading; ok is false when it could not be shown.
    void pageLoaded(bool ok);

private:
    void OnLoadStarted();
    void OnLoadFinished(bool ok);
    void OnRenderProcessTerminated();
    void Flush();
    void DropPending(const char* reason);

    QString m_pageFolder;
    QPointer<QWebEngineView> m_view;
    int m_mapKind = MapChoice::kGoogleMaps;
    bool m_pageLoaded = false;
    QStringList m_pending;
    QTimer m_flushTimer;
};
