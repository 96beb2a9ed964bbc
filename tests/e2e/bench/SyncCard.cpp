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

bool IsComplete(const QDir& root) {
    QFile mark(root.filePath(kCompleteMark));
    return mark.open(QIODevice::ReadOnly) && mark.readAll() == FrameCode::DrawFilter(0).toUtf8();
}

QString Name(int fromSecond, char channel) {
    return kDriveStart.addSecs(fromSecond).toString(QStringLiteral("'KTR_'yyMMdd-HHmmss")) +
           QLatin1Char(channel) + QStringLiteral(".MP4");
}

bool MakeRecording(const QString& clipFolder, const QString& outPath, ClipPattern pattern,
                   int fromSecond, QString* error) {
    ClipSpec clip;
    clip.seconds = SyncCard::kRecordingSeconds;
    clip.width = SyncCard::kWidth;
    clip.height = SyncCard::kHeight;
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
    plan.seconds = SyncCard::kRecordingSeconds;
    const bool made =
        QDir().mkpath(QFileInfo(outPath).path()) &&
        MakeMp4Recording(clipPath, outPath, SimulateDrive(plan), BoxPlacement::BeforeMdat, error);
    QFile::remove(clipPath);
    return made;
}

} // namespace

bool PrepareSyncCard(const QString& folder, SyncCard* card, QString* error) {
    const QDir root(folder);
    card->folder = root.absolutePath();
    for (int i = 0; i < SyncCard::kRecordings; ++i) {
        const int from = i * SyncCard::kRecordingSeconds;
        card->front[i] = card->folder + QStringLiteral("/F/") + Name(from, 'F');
        card->rear[i] = card->folder + QStringLiteral("/R/") + Name(from, 'R');
    }
    if (IsComplete(root))
        return true;
    const QString clips = root.filePath(QStringLiteral("clips"));
    if (!QDir().mkpath(clips)) {
        *error = QStringLiteral("cannot make ") + clips;
        return false;
    }
    for (int i = 0; i < SyncCard::kRecordings; ++i) {
        const int from = i * SyncCard::kRecordingSeconds;
        if (!MakeRecording(clips, card->front[i], ClipPattern::TestSrc2, from, error) ||
            !MakeRecording(clips, card->rear[i], ClipPattern::SmpteBars, from, error))
            return false;
    }
    QDir(clips).removeRecursively();
    QFile mark(root.filePath(kCompleteMark));
    const QByteArray code = FrameCode::DrawFilter(0).toUtf8();
    if (!mark.open(QIODevice::WriteOnly) || mark.write(code) != code.size()) {
        *error = QStringLiteral("cannot write ") + mark.fileName();
        return false;
    }
    return true;
}
