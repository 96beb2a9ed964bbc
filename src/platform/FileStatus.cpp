#include "platform/FileStatus.h"

#include <QFile>

#include <sys/stat.h>

namespace {

uint8_t AttributesFrom(const QString& path, const struct stat& st)
{
    uint8_t attributes = 0;
    if ((st.st_mode & S_IWUSR) == 0)
        attributes |= kAttrReadOnly;
    const QStringView name = QStringView(path).sliced(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.startsWith(QLatin1Char('.')) && name != QLatin1String(".") &&
        name != QLatin1String(".."))
        attributes |= kAttrHidden;
    if (S_ISDIR(st.st_mode))
        attributes |= kAttrDirectory;
    else
        attributes |= kAttrArchive;
    return attributes;
}

} // namespace

void FillFileStatus(const QString& path, const struct stat& st, FileStatus& status)
{
    status.creationTime = st.st_ctime;
    status.modificationTime = st.st_mtime;
    status.accessTime = st.st_atime;
    status.size = static_cast<uint64_t>(st.st_size);
    status.attributes = AttributesFrom(path, st);
    status.fullPath = path.left(260);
}

bool QueryFileStatus(const QString& path, FileStatus& status)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    FillFileStatus(path, st, status);
    return true;
}

uint8_t QueryFileAttributes(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return AttributesFrom(path, st);
}
