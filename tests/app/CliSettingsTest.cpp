#include "AppTestFiles.h"
#include "CameraFixtures.h"
#include "CliRun.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

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

// The tool needs no settings: whatever stands at "Ktr.ini" in its working folder, it neither
// waits on it nor mentions it, and prints what it prints anywhere else.
TEST_F(CliSettingsFile, AnythingNamedLikeTheSettingsFileIsLeftAlone) {
    const QString card = m_dir.filePath("card");
    const QList<QStringList> commands = {
        {"scan", card}, {"track", card}, {"kml", card, "--out", m_dir.filePath("kml")}};
    for (const QStringList& command : commands) {
        const CliRun expected = RunCli(command);
        ASSERT_EQ(expected.exitCode, 0) << expected.err.data();
        for (const UnusableSettingsFile& file : kUnusableSettingsFiles) {
            SCOPED_TRACE(command.join(' ').toStdString() + ", " + file.what);
            QTemporaryDir work;
            ASSERT_TRUE(file.make(work.filePath("Ktr.ini")));
            const CliRun run = RunCli(command, {}, work.path());
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.out, expected.out);
            EXPECT_EQ(run.err, QByteArray());
        }
    }
}

} // namespace
