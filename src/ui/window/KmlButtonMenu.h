#pragma once

#include <QMenu>

class CAppSettings;
class QAction;

// The KML button's context menu: the other format the loaded track can be saved in. Its
// entry follows the chosen language through Relabel.
class KmlButtonMenu : public QMenu {
    Q_OBJECT

public:
    explicit KmlButtonMenu(QWidget* button);

    void Relabel(const CAppSettings& settings);

    QAction* gpxAction() const { return m_gpx; }

private:
    QAction* m_gpx;
};
