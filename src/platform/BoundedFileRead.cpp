#include "platform/BoundedFileRead.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kChunkBytes = 16 * 1024;

BoundedRead Refused(const QString& reason) {
    return {BoundedRead::Status::Refused, {}, reason};
}

BoundedRead Failed(int error) {
    if (error == ENOENT || error == ENOTDIR)
        return {};
    return Refused(
        QStringLiteral("cannot be read (%1)").arg(QString::fromLocal8Bit(std::strerror(error))));
}

QString KindOf(mode_t mode) {
    if (S_ISFIFO(mode))
        return QStringLiteral("is a FIFO");
    if (S_ISDIR(mode))
        return QStringLiteral("is a directory");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("is a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("is a socket");
    return QStringLiteral("is not a regular file");
}

QString TooLarge(qint64 maxBytes) {
    return QStringLiteral("is larger than %1 bytes").arg(maxBytes);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

BoundedRead ReadBoundedFile(const QString& path, qint64 maxBytes) {
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (::stat(native.constData(), &status) != 0)
        return Failed(errno);
    if (!S_ISREG(status.st_mode))
        return Refused(KindOf(status.st_mode));
    if (status.st_size > maxBytes)
        return Refused(TooLarge(maxBytes));

    // Something else may stand at the path by now: O_NONBLOCK keeps a FIFO from holding the
    // open, and what was opened is checked once more.
    const Descriptor file(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        return Failed(errno);
    if (::fstat(file.get(), &status) != 0)
        return Failed(errno);
    if (!S_ISREG(status.st_mode))
        return Refused(KindOf(status.st_mode));

    // Reading goes on past the size seen, so a file that grew since is still cut off in time.
    BoundedRead result{BoundedRead::Status::Read, {}, {}};
    result.data.reserve(status.st_size);
    char chunk[kChunkBytes];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Failed(errno);
        if (got == 0)
            return result;
        if (got > maxBytes - result.data.size())
            return Refused(TooLarge(maxBytes));
        result.data.append(chunk, got);
    }
}
