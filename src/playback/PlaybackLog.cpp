#include "playback/PlaybackLog.h"

Q_LOGGING_CATEGORY(lcPlayback, "kestrola.playback", QtWarningMsg)
