#include "platform/ProgramDataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString ProgramDataFolder() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QFileInfo installed(programFolder.filePath(QStringLiteral(KESTROLA_DATA_FROM_BIN)));
    if (installed.isDir())
        return QDir::cleanPath(installed.absoluteFilePath());
    return programFolder.path();
}
