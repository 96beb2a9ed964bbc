#include "ui/KmlCommand.h"

#include "AnsweringPrompts.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

#include <vector>

namespace {

QString EnglishText(uint16_t id) {
    static const QMap<uint16_t, QString> texts = {
        {125, QStringLiteral("Save KML file: %s OK.")},
        {126, QStringLiteral("Save KML file:%s Failed.")},
        {127, QStringLiteral("Save KML")},
        {136, QStringLiteral("No Files in list")},
        {145, QStringLiteral("OK")},
    };
    return texts.value(id);
}

TrackBuffer OnePointTrack(int32_t entryIndex) {
    TrackPoint point{};
    point.latitudeNmea = 4807.038;
    point.longitudeNmea = 1131.0;
    point.flags = TrackPoint::kFixValid;
    TrackBuffer track;
    track.resize(kTrackPointBytes, 0);
    track.points[0] = point;
    track.entryIndex = entryIndex;
    return track;
}

class KmlCommand : public ::testing::Test {
protected:
    KmlExportResult Run(TrackBuffer& track, int32_t entryCount, const QString& folder) {
        return RunKmlCommand(
            track, entryCount, [this](int32_t i) { return recordings.at(static_cast<size_t>(i)); },
            EnglishText, folder);
    }

    QTemporaryDir dir;
    AnsweringPrompts prompts;
    std::vector<KmlRecording> recordings = {
        {QString(), QStringLiteral("0101_120000_F.MP4"),
         QDateTime(QDate(2021, 1, 1), QTime(12, 0, 0), Qt::LocalTime).toSecsSinceEpoch()},
    };
};

TEST_F(KmlCommand, NothingLoadedSaysNoFilesAndWritesNothing) {
    struct Case {
        int32_t entryCount;
        int32_t entryIndex;
    };
    for (const Case c : {Case{0, -1}, Case{0, 0}, Case{1, -1}}) {
        prompts.messages.clear();
        TrackBuffer track = OnePointTrack(c.entryIndex);
        EXPECT_FALSE(Run(track, c.entryCount, dir.path()).ok);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, QStringLiteral("No Files in list"));
        EXPECT_EQ(prompts.messages[0].caption, QStringLiteral("OK"));
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(KmlCommand, ReportsTheSavedFileOrTheOneThatFailed) {
    TrackBuffer track = OnePointTrack(0);
    const KmlExportResult saved = Run(track, 1, dir.path());
    const KmlExportResult failed = Run(track, 1, dir.filePath(QStringLiteral("missing")));

    ASSERT_TRUE(saved.ok);
    EXPECT_TRUE(QFileInfo::exists(saved.path));
    EXPECT_FALSE(failed.ok);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Save KML file: %1 OK.").arg(saved.path));
    EXPECT_EQ(prompts.messages[1].text,
              QStringLiteral("Save KML file:%1 Failed.").arg(failed.path));
    for (const AnsweringPrompts::Message& message : prompts.messages) {
        EXPECT_EQ(message.caption, QStringLiteral("Save KML"));
        EXPECT_EQ(message.buttons, PromptButtons::Ok);
    }
}

} // namespace
