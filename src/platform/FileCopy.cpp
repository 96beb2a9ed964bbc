#include "platform/FileCopy.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr qint64 kBlockBytes = 1 << 20;

// QSaveFile syncs before its rename but ignores a failure there; a copy that did not reach the
// disk must not take the real name.
QString SyncToDisk(int handle) {
#ifdef _WIN32
    if (_commit(handle) != 0)
#else
    if (fsync(handle) != 0)
#endif
        return QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

} // namespace

QString CopyFileSafely(const QString& source, const QString& target,
                       const std::function<bool()>& keepGoing) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    const qint64 expected = in.size();
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    // Leaving without commit() removes the temporary file.
    QByteArray block(kBlockBytes, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        if (keepGoing && !keepGoing())
            return QStringLiteral("The copy was cancelled");
        const qint64 got = in.read(block.data(), block.size());
        if (got < 0)
            return in.errorString();
        if (got == 0)
            break;
        if (out.write(block.constData(), got) != got)
            return out.errorString();
        copied += got;
    }
    // A full disk or a size limit can show only here, as a failed flush of buffered data.
    if (!out.flush())
        return out.errorString();
    if (copied != expected || out.size() != expected)
        return QStringLiteral("The source changed size during the copy (%1 of %2 bytes)")
            .arg(copied)
            .arg(expected);
    if (QString failure = SyncToDisk(out.handle()); !failure.isEmpty())
        return failure;
    if (!out.commit())
        return out.errorString();
    return {};
}
