#pragma once

#include <QWebEnginePage>

// The map page's web page: a link the user clicks on the map (the tile servers' copyright
// notice, say) opens in the desktop's browser instead of replacing the map in the pane.
class MapWebPage : public QWebEnginePage {
    Q_OBJECT

public:
    using QWebEnginePage::QWebEnginePage;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};
