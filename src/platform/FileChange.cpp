#include "platform/FileChange.h"

#include <QFile>

QString ClearReadOnly(const QString& path) {
    QFile file(path);
    if (!file.setPermissions(file.permissions() | QFileDevice::WriteOwner))
        return file.errorString();
    return {};
}

QString RenameWithoutReplacing(const QString& from, const QString& to) {
    QFile file(from);
    // QFile::rename refuses an existing target by itself, but says so only in its message.
    if (QFile::exists(to))
        return QStringLiteral("A file named %1 already exists").arg(to);
    if (!file.rename(to))
        return file.errorString();
    return {};
}

QString RemoveFile(const QString& path) {
    QFile file(path);
    if (!file.remove())
        return file.errorString();
    return {};
}
