#include "platform/PathText.h"

QString WithTrailingSeparator(const QString& path) {
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')) || path.endsWith(kPathSeparator))
        return path;
    return path + kPathSeparator;
}
