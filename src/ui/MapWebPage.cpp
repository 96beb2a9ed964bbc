#include "ui/MapWebPage.h"

#include <QDesktopServices>

bool MapWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    if (type != NavigationTypeLinkClicked)
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    QDesktopServices::openUrl(url);
    return false;
}
