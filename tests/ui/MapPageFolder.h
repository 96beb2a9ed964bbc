#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

class QWebEnginePage;

// A temporary folder holding copies of the real map pages (with Leaflet beside osm.html), a map-keys.js written by the
// test and small stand-ins of the two map services' scripts. The stand-ins record what the
// page did; window.fakeService.state() returns it as plain data.
class MapPageFolder {
public:
    enum Keys { kWithKeys, kEmptyKeys, kNoKeyFile };

    explicit MapPageFolder(Keys keys = kWithKeys);

    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }

    static constexpr const char* kGoogleKey = "test-google-key";
    static constexpr const char* kBaiduKey = "test-baidu-key";
    // The stand-in of the China map service translates a GPS position by this offset.
    static constexpr double kTranslateLatOffset = 0.001;
    static constexpr double kTranslateLngOffset = 0.002;

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

// Folder holding the built pages (build/bin).
QString BuiltPagesFolder();

// Runs a script in the page and waits for its result; an invalid QVariant on time-out.
QVariant EvaluateInPage(QWebEnginePage* page, const QString& script, int timeoutMs = 5000);
