#include "ByteWriter.h"
#include "CameraFixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ProbeRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ProbeRun Probe(const QStringList& arguments) {
    ProbeRun run;
    const QString cli =
        QDir(qEnvironmentVariable("KESTROLA_BIN_DIR")).filePath(QStringLiteral("kestrola-cli"));
    if (!QFileInfo(cli).isExecutable()) {
        ADD_FAILURE() << "no kestrola-cli in $KESTROLA_BIN_DIR";
        return run;
    }
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    process.setProcessEnvironment(env);
    process.start(cli, QStringList{QStringLiteral("probe")} + arguments);
    if (!process.waitForFinished(30000)) {
        ADD_FAILURE() << "kestrola-cli probe did not finish";
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

const QStringList kInfoKeys = {"durationMs",  "durationSeconds", "fileSize",      "gpsOffset",
                               "gpsRate",     "gpsSize",         "gsensorOffset", "gsensorRate",
                               "gsensorSize", "height",          "startTime",     "width"};

TEST(ProbeCli, ReadsARecording) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("0101_120000_F.MP4"));
    const std::string file = fixtures::Ftyp() + bytes::Box("gpsa", fixtures::Rate(1, 0, 0, 7)) +
                             bytes::Box("gps0", bytes::Raw(fixtures::Point(21, 5, 4, 10, 20, 30))) +
                             fixtures::Moov(1000, 60000, 1920, 1080);
    bytes::WriteFile(path.toStdString(), file);

    const ProbeRun run = Probe({path});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    QStringList expectedKeys = kInfoKeys + QStringList{"path", "reader", "result"};
    expectedKeys.sort();
    EXPECT_EQ(json.keys(), expectedKeys);
    EXPECT_EQ(json["path"].toString(), path);
    EXPECT_EQ(json["reader"].toString(), "mp4");
    EXPECT_EQ(json["result"].toInt(), 0);
    EXPECT_EQ(json["width"].toInt(), 1920);
    EXPECT_EQ(json["height"].toInt(), 1080);
    EXPECT_EQ(json["durationMs"].toInt(), 60000);
    EXPECT_EQ(json["startTime"].toInteger(), 1620123630) << "TZ is honoured";
    EXPECT_EQ(json["fileSize"].toInteger(), static_cast<qint64>(file.size()));
    EXPECT_EQ(json["gpsSize"].toInt(), 32);
    EXPECT_EQ(json["gpsRate"].toArray(), (QJsonArray{1, 0, 0, 7}));
    EXPECT_EQ(json["gsensorRate"].toArray(), (QJsonArray{0, 0, 0, 0}));
}

TEST(ProbeCli, FailedReadPrintsTheZeroedRecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.AVI"));
    bytes::WriteFile(path.toStdString(), fixtures::Ftyp() + fixtures::Moov(1000, 60000, 640, 480));

    const ProbeRun run = Probe({path});
    EXPECT_EQ(run.exitCode, 1);
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
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
        const ProbeRun run = Probe(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
    }
}

} // namespace
