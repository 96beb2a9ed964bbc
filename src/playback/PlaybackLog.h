#pragma once

#include <QLoggingCategory>

// Diagnostics of the media channels; silent unless QT_LOGGING_RULES asks for
// "kestrola.playback.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcPlayback)
