#include "platform/UndecodableNames.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <memory>

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

// A bad byte decodes to U+FFFD, which encodes to other bytes.
bool IsUtf8(const char* name) {
    return QString::fromUtf8(name).toUtf8() == QByteArrayView(name);
}

} // namespace

QStringList UndecodableFileNames(const QString& directory) {
    const std::unique_ptr<DIR, DirectoryCloser> listing(
        ::opendir(QFile::encodeName(directory).constData()));
    if (!listing)
        return {};
    QStringList names;
    while (const dirent* item = ::readdir(listing.get())) {
        if (item->d_name[0] == '.' || IsUtf8(item->d_name))
            continue;
        // Followed like Qt's listing follows a link, so that a link to a file counts as one.
        struct stat st {};
        if (::fstatat(::dirfd(listing.get()), item->d_name, &st, 0) == 0 && S_ISREG(st.st_mode))
            names << QString::fromUtf8(item->d_name);
    }
    return names;
}
