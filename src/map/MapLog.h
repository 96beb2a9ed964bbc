#pragma once

#include <QLoggingCategory>

// "kestrola.map": KML writes and the scripts the map page never ran. Warnings show by
// default; the debug messages (every dropped or failed script) only with
// QT_LOGGING_RULES="kestrola.map.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcMap)
