#include "ui/window/DroppedPath.h"

#include <QDir>
#include <QFileInfo>

QString DroppedPath(const QList<QUrl>& urls) {
    QString shared;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            return {};
        const QFileInfo info(url.toLocalFile());
        if (!info.exists())
            return {};
        if (urls.size() == 1)
            return info.absoluteFilePath();
        const QString folder = info.absolutePath();
        if (!shared.isEmpty() && folder != shared)
            return {};
        shared = folder;
    }
    return shared;
}
