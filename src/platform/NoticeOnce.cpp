#include "platform/NoticeOnce.h"

#include <QCoreApplication>
#include <QMutex>
#include <QSet>

#include <cstdio>

void NoticeOnce(const QString& line) {
    static QMutex mutex;
    static QSet<QString> written;
    const QMutexLocker lock(&mutex);
    if (written.contains(line))
        return;
    written.insert(line);
    const QString name = QCoreApplication::applicationName();
    const QString text = (name.isEmpty() ? line : name + QStringLiteral(": ") + line) + u'\n';
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}
