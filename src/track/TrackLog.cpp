#include "track/TrackLog.h"

Q_LOGGING_CATEGORY(lcTrack, "kestrola.track", QtInfoMsg)
