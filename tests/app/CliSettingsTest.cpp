#include "AppTestFiles.h"
#include "CameraFixtures.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

// Far longer than a run takes; a run that waits on the settings file is stopped after it.
constexpr int kCliTimeoutMs = 20000;

struct CliRun {
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QString err;
};

CliRun RunCliIn(const QString& workingDirectory, const QStringList& arguments) {
    CliRun run;
    const QString cli = QDir(qEnvironmentVariable("KESTROLA_BIN_DIR")).filePath("kestrola-cli");
    if (!QFileInfo(cli).isExecutable()) {
        ADD_FAILURE() << "kestrola-cli not found; set KESTROLA_BIN_DIR to build/bin";
        return run;
    }
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(cli, arguments);
    run.finished = process.waitForFinished(kCliTimeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// A card like the demo card: one front recording with a few points, in F/.
class CliSettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("card/F") && QDir(m_dir.path()).mkpath("kml"));
        std::string points;
        for (uint8_t second = 0; second < 3; ++second)
            points += bytes::Raw(fixtures::Point(24, 5, 15, 8, 15, second));
        bytes::WriteFile(m_dir.filePath("card/F/KTR_240515-081500F.MP4").toStdString(),
                         fixtures::Ftyp() + bytes::Box("IDIT", "2024-05-15 08:15:00") +
                             fixtures::Moov(1000, 20000, 1280, 720) +
                             bytes::Box("gpsa", fixtures::Rate(1)) + bytes::Box("gps0", points));
    }

    QTemporaryDir m_dir;
};

TEST_F(CliSettingsFile, UnusableFileIsNamedOnceAndStdoutStaysJson) {
    for (const UnusableSettingsFile& file : kUnusableSettingsFiles) {
        SCOPED_TRACE(file.what);
        QTemporaryDir work;
        ASSERT_TRUE(file.make(work.filePath("Ktr.ini")));
        const CliRun run =
            RunCliIn(work.path(), {"kml", m_dir.filePath("card"), "--out", m_dir.filePath("kml")});
        if (!run.finished) {
            ADD_FAILURE() << "kestrola-cli waited on the settings file";
            continue;
        }
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(QJsonDocument::fromJson(run.out).object()["result"].toBool()) << run.out.data();
        EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("Ktr.ini\" " + QString(file.reason))) << run.err.toStdString();
    }
}

} // namespace
