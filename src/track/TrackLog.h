#pragma once

#include <QLoggingCategory>

// Debug output of the track layer ("kestrola.track"), off unless QT_LOGGING_RULES enables it.
Q_DECLARE_LOGGING_CATEGORY(lcTrack)
