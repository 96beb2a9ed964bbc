#include "platform/PathText.h"

#include <QFileInfo>

QString WithTrailingSeparator(const QString& path) {
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')) || path.endsWith(kPathSeparator))
        return path;
    return path + kPathSeparator;
}

bool ListedNameReachesFile(const QString& folderPath, const QString& name) {
    if (!name.contains(QChar::ReplacementCharacter))
        return true;
    // A dangling link is still reached by its name.
    const QFileInfo file(WithTrailingSeparator(folderPath) + name);
    return file.exists() || file.isSymLink();
}
