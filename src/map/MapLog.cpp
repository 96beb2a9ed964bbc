#include "map/MapLog.h"

Q_LOGGING_CATEGORY(lcMap, "kestrola.map", QtWarningMsg)
