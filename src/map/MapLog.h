#pragma once

#include <QLoggingCategory>

// "kestrola.map": KML writes that failed and the scripts the map page never ran. Silent
// unless QT_LOGGING_RULES asks for "kestrola.map.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcMap)
