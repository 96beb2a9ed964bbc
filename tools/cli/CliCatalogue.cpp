#include "CliCatalogue.h"

#include "library/RecordingCatalogue.h"

#include <QFileInfo>

bool CataloguePath(RecordingCatalogue& catalogue, const QString& path)
{
    const QFileInfo target(path);
    if (target.isFile())
        return catalogue.Scan(target.path(), target.fileName());
    return catalogue.Scan(path, QString());
}
