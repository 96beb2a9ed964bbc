#include "ClipFixtures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

QTemporaryDir& Scratch() {
    static QTemporaryDir dir;
    return dir;
}

} // namespace

QString ScratchPath(const QString& name) {
    return Scratch().filePath(name);
}

QString Clip(ClipKind kind) {
    static std::map<ClipKind, QString> made;
    if (auto it = made.find(kind); it != made.end())
        return it->second;
    ClipSpec clip;
    clip.seconds = kClipSeconds;
    clip.width = kClipWidth;
    clip.height = kClipHeight;
    QString name;
    switch (kind) {
    case ClipKind::Mp4MoovLast:
        name = QStringLiteral("clip-last.mp4");
        break;
    case ClipKind::Mp4MoovFirst:
        name = QStringLiteral("clip-first.mp4");
        clip.moovFirst = true;
        break;
    case ClipKind::Avi:
        name = QStringLiteral("clip.avi");
        clip.container = ClipContainer::Avi;
        break;
    case ClipKind::Ts:
        name = QStringLiteral("clip.ts");
        clip.container = ClipContainer::Ts;
        break;
    }
    const QString path = ScratchPath(name);
    QString error;
    EXPECT_TRUE(MakeClip(path, clip, &error)) << error.toStdString();
    made[kind] = path;
    return path;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}
