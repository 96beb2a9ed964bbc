#include "SyncCard.h"

#include "FrameCode.h"
#include "recmaker/ClipMaker.h"
#include "recmaker/DriveSimulator.h"
#include "recmaker/RecordingMaker.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QDateTime kDriveStart(QDate(2024, 5, 15), QTime(8, 15, 0));
constexpr int kSpeedKmh = 36;
// Written last, so that a card cut short by an interrupted run is made again. It holds the
// code's filters, so that a card of an earlier code is made again too.
const QString kCompleteMark = QStringLiteral(".complete");

QByteArray CompleteMark(const SyncCardShape& shape) {
    return FrameCode::DrawFilter(0).toUtf8() + QByteArrayLiteral(" ") +
           QByteArray::number(shape.recordingSeconds) + 's' + QByteArray::number(shape.width) +
           'x' + QByteArray::number(shape.height) + 'x' + QByteArray::number(shape.recordings);
}

bool IsComplete(const QDir& root, const SyncCardShape& shape) {
    QFile mark(root.filePath(kCompleteMark));
    return mark.open(QIODevice::ReadOnly) && mark.readAll() == CompleteMark(shape);
}

QString Name(int fromSecond, char channel) {
    return kDriveStart.addSecs(fromSecond).toString(QStringLiteral("'KTR_'yyMMdd-HHmmss")) +
           QLatin1Char(channel) + QStringLiteral(".MP4");
}

bool MakeRecording(const SyncCardShape& shape, const QString& clipFolder, const QString& outPath,
                   ClipPattern pattern, int fromSecond, QString* error) {
    ClipSpec clip;
    clip.seconds = shape.recordingSeconds;
    clip.width = shape.width;
    clip.height = shape.height;
    clip.frameRate = SyncCard::kFrameRate;
    clip.pattern = pattern;
    clip.filter = FrameCode::DrawFilter(fromSecond * SyncCard::kFrameRate);
    const QString clipPath = QDir(clipFolder).filePath(QFileInfo(outPath).fileName());
    if (!MakeClip(clipPath, clip, error))
        return false;
    DrivePlan plan;
    plan.path = {{48.1500, 11.5800}, {48.1500, 11.6500}};
    plan.speeds = {{0, kSpeedKmh}};
    plan.start = kDriveStart;
    plan.fromSecond = fromSecond;
    plan.seconds = shape.recordingSeconds;
    const bool made =
        QDir().mkpath(QFileInfo(outPath).path()) &&
        MakeMp4Recording(clipPath, outPath, SimulateDrive(plan), BoxPlacement::BeforeMdat, error);
    QFile::remove(clipPath);
    return made;
}

} // namespace

bool PrepareSyncCard(const QString& folder, const SyncCardShape& shape, SyncCard* card,
                     QString* error) {
    const QDir root(folder);
    card->shape = shape;
    card->folder = root.absolutePath();
    card->front.clear();
    card->rear.clear();
    for (int i = 0; i < shape.recordings; ++i) {
        const int from = i * shape.recordingSeconds;
        card->front.push_back(card->folder + QStringLiteral("/F/") + Name(from, 'F'));
        card->rear.push_back(card->folder + QStringLiteral("/R/") + Name(from, 'R'));
    }
    if (IsComplete(root, shape))
        return true;
    const QString clips = root.filePath(QStringLiteral("clips"));
    if (!QDir().mkpath(clips)) {
        *error = QStringLiteral("cannot make ") + clips;
        return false;
    }
    for (int i = 0; i < shape.recordings; ++i) {
        const int from = i * shape.recordingSeconds;
        if (!MakeRecording(shape, clips, card->front[i], ClipPattern::TestSrc2, from, error) ||
            !MakeRecording(shape, clips, card->rear[i], ClipPattern::SmpteBars, from, error))
            return false;
    }
    QDir(clips).removeRecursively();
    QFile mark(root.filePath(kCompleteMark));
    const QByteArray code = CompleteMark(shape);
    if (!mark.open(QIODevice::WriteOnly) || mark.write(code) != code.size()) {
        *error = QStringLiteral("cannot write ") + mark.fileName();
        return false;
    }
    return true;
}
