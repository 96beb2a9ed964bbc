#include "ByteWriter.h"
#include "CameraFixtures.h"
#include "CliRun.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CliRun Probe(const QStringList& arguments) {
    return RunCli(QStringList{QStringLiteral("probe")} + arguments, {{"TZ", "UTC"}});
}

const QStringList kInfoKeys = {"durationMs",  "durationSeconds", "fileSize",      "gpsOffset",
                               "gpsRate",     "gpsSize",         "gsensorOffset", "gsensorRate",
                               "gsensorSize", "height",          "startTime",     "width"};

// Every field of the output, for one recording per reader, so that no field is printed under
// another's name.
TEST(ProbeCli, ReadsARecording) {
    using bytes::Box;
    using bytes::Chunk;
    constexpr qint64 kMay4Utc = 1620123630; // 2021-05-04 10:20:30, the point's date
    const std::string point = bytes::Raw(fixtures::Point(21, 5, 4, 10, 20, 30));
    const std::string samples = bytes::Zeros(24);
    struct Case {
        const char* name;
        std::string file;
        const char* reader;
        int width, height;
        qint64 durationMs, durationSeconds;
        QJsonArray gpsRate, gsensorRate;
        size_t typeToPayload; // an MP4 type is the header's last field, a RIFF ID its first
    } cases[] = {
        {"0101_120000_F.MP4",
         fixtures::Ftyp() + Box("gpsa", fixtures::Rate(1, 0, 0, 7)) +
             Box("gsea", fixtures::Rate(25, 4, 0, 9)) + Box("gps0", point) + Box("gsen", samples) +
             fixtures::Moov(1000, 60000, 1920, 1080),
         "mp4", 1920, 1080, 60000, 0, QJsonArray{1, 0, 0, 7}, QJsonArray{25, 4, 0, 9}, 4},
        {"0101_120000_F.AVI",
         fixtures::Avi(33366, 1800, 1280, 720,
                       Chunk("gpsa", fixtures::Rate(2, 3)) + Chunk("gsea", fixtures::Rate(50, 2)) +
                           Chunk("gps0", point) + Chunk("gsen", samples)),
         "avi", 1280, 720, 60058, 60, QJsonArray{2, 3, 0, 0}, QJsonArray{50, 2, 0, 0}, 8},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        bytes::WriteFile(path.toStdString(), c.file);

        const CliRun run = Probe({path});
        ASSERT_EQ(run.exitCode, 0) << c.name << run.err.constData();
        const QJsonObject json = run.json();
        QStringList expectedKeys = kInfoKeys + QStringList{"path", "reader", "result"};
        expectedKeys.sort();
        EXPECT_EQ(json.keys(), expectedKeys) << c.name;
        EXPECT_EQ(json["path"].toString(), path) << c.name;
        EXPECT_EQ(json["reader"].toString(), c.reader) << c.name;
        EXPECT_EQ(json["result"].toInt(), 0) << c.name;
        EXPECT_EQ(json["width"].toInt(), c.width) << c.name;
        EXPECT_EQ(json["height"].toInt(), c.height) << c.name;
        EXPECT_EQ(json["durationMs"].toInteger(), c.durationMs) << c.name;
        EXPECT_EQ(json["durationSeconds"].toInteger(), c.durationSeconds) << c.name;
        EXPECT_EQ(json["startTime"].toInteger(), kMay4Utc) << c.name << ": TZ is honoured";
        EXPECT_EQ(json["fileSize"].toInteger(), static_cast<qint64>(c.file.size())) << c.name;
        EXPECT_EQ(json["gpsOffset"].toInteger(),
                  static_cast<qint64>(c.file.find("gps0") + c.typeToPayload))
            << c.name;
        EXPECT_EQ(json["gpsSize"].toInteger(), 32) << c.name;
        EXPECT_EQ(json["gsensorOffset"].toInteger(),
                  static_cast<qint64>(c.file.find("gsen") + c.typeToPayload))
            << c.name;
        EXPECT_EQ(json["gsensorSize"].toInteger(), 24) << c.name;
        EXPECT_EQ(json["gpsRate"].toArray(), c.gpsRate) << c.name;
        EXPECT_EQ(json["gsensorRate"].toArray(), c.gsensorRate) << c.name;
    }
}

TEST(ProbeCli, FailedReadPrintsTheZeroedRecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.AVI"));
    bytes::WriteFile(path.toStdString(), fixtures::Ftyp() + fixtures::Moov(1000, 60000, 640, 480));

    const CliRun run = Probe({path});
    EXPECT_EQ(run.exitCode, 1);
    const QJsonObject json = run.json();
    EXPECT_EQ(json["reader"].toString(), "avi");
    EXPECT_EQ(json["result"].toInt(), -1);
    for (const QString& key : kInfoKeys) {
        const QJsonValue value = json[key];
        if (value.isArray())
            EXPECT_EQ(value.toArray(), (QJsonArray{0, 0, 0, 0})) << key.toStdString();
        else
            EXPECT_EQ(value.toInteger(-1), 0) << key.toStdString();
    }
}

TEST(ProbeCli, UsageErrors) {
    const QStringList cases[] = {{}, {"a.MP4", "b.MP4"}, {"--no-such-option", "a.MP4"}};
    for (const QStringList& arguments : cases) {
        const CliRun run = Probe(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
    }
}

} // namespace
