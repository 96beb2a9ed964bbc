#include "platform/AtomicFile.h"

#include <QSaveFile>

bool WriteFileAtomically(const QString& path, const QByteArray& data) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A full disk or a size limit shows as a short count, not as an error, and QSaveFile
    // commits after a short flush all the same: that would put a cut-off file in place of
    // the old one, so both counts are checked here.
    if (file.write(data) != data.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
