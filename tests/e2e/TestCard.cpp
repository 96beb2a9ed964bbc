#include "TestCard.h"

#include "recmaker/ClipMaker.h"
#include "recmaker/DriveSimulator.h"
#include "recmaker/RecordingMaker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QDateTime kDriveStart(QDate(2024, 5, 15), QTime(8, 15, 0));
constexpr int kGarbageRepeats = 4096;

// Makes the recording of the drive's seconds [fromSecond, fromSecond + kRecordingSeconds).
bool MakeRecording(const QString& clipFolder, const QString& outPath, ClipPattern pattern,
                   int fromSecond, QString* error) {
    ClipSpec clip;
    clip.seconds = TestCard::kRecordingSeconds;
    clip.pattern = pattern;
    const QString clipPath = QDir(clipFolder).filePath(QFileInfo(outPath).fileName());
    if (!MakeClip(clipPath, clip, error))
        return false;
    DrivePlan plan;
    plan.path = {{48.1500, 11.5800}, {48.1500, 11.6000}};
    plan.speeds = {{0, TestCard::kSpeedKmh}};
    plan.start = kDriveStart;
    plan.fromSecond = fromSecond;
    plan.seconds = TestCard::kRecordingSeconds;
    return QDir().mkpath(QFileInfo(outPath).path()) &&
           MakeMp4Recording(clipPath, outPath, SimulateDrive(plan), BoxPlacement::BeforeMdat,
                            error);
}

QString Name(int fromSecond, char channel) {
    return kDriveStart.addSecs(fromSecond).toString(QStringLiteral("'KTR_'yyMMdd-HHmmss")) +
           QLatin1Char(channel) + QStringLiteral(".MP4");
}

bool WriteGarbage(const QString& path) {
    const QByteArray bytes = QByteArray("this is no video\n").repeated(kGarbageRepeats);
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

TestCard MakeCard(const QTemporaryDir& dir) {
    TestCard card;
    if (!dir.isValid()) {
        card.error = QStringLiteral("no temporary folder");
        return card;
    }
    const QDir root(dir.path());
    const QString clips = root.filePath(QStringLiteral("clips"));
    QDir().mkpath(clips);
    card.paired = root.filePath(QStringLiteral("paired"));
    for (int i = 0; i < 2; ++i) {
        const int from = i * TestCard::kRecordingSeconds;
        card.front[i] = card.paired + QStringLiteral("/F/") + Name(from, 'F');
        card.rear[i] = card.paired + QStringLiteral("/R/") + Name(from, 'R');
        if (!MakeRecording(clips, card.front[i], ClipPattern::TestSrc2, from, &card.error) ||
            !MakeRecording(clips, card.rear[i], ClipPattern::SmpteBars, from, &card.error))
            return card;
    }
    card.rearOnly = root.filePath(QStringLiteral("rear-only"));
    card.rearOnlyFile = card.rearOnly + QStringLiteral("/R/") + Name(60, 'R');
    if (!MakeRecording(clips, card.rearOnlyFile, ClipPattern::SmpteBars, 60, &card.error))
        return card;
    card.garbageFile = root.filePath(QStringLiteral("garbage/")) + Name(120, 'F');
    if (!WriteGarbage(card.garbageFile))
        card.error = QStringLiteral("cannot write ") + card.garbageFile;
    return card;
}

} // namespace

const TestCard& Card() {
    static const QTemporaryDir dir;
    static const TestCard card = MakeCard(dir);
    return card;
}
