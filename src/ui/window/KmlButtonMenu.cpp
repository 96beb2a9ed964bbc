#include "ui/window/KmlButtonMenu.h"

#include "app/LoadText.h"
#include "ui/GpxTextIds.h"

KmlButtonMenu::KmlButtonMenu(QWidget* button) : QMenu(button), m_gpx(addAction(QString())) {
    setObjectName(QStringLiteral("kmlButtonMenu"));
    m_gpx->setObjectName(QStringLiteral("gpx"));
}

void KmlButtonMenu::Relabel(const CAppSettings& settings) {
    m_gpx->setText(LoadText(settings, GpxTextIds::kMenuEntry));
}
