#include "CliRun.h"
#include "fixtures/EmptyFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The whole output, byte for byte, with the path used as given: relative to the tool's
// working directory.
TEST(PairCli, PrintsBothChannelsFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(MakeEmptyFiles(QDir(dir.path()), {"F/xF.MP4", "R/xR.MP4", "alone/yF.MP4"}));
    const struct {
        const char* path;
        const char* out;
    } cases[] = {
        {"R/xR.MP4", "{\n    \"front\": \"F/xF.MP4\",\n    \"rear\": \"R/xR.MP4\"\n}\n"},
        {"alone/yF.MP4", "{\n    \"front\": \"alone/yF.MP4\",\n    \"rear\": \"\"\n}\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const CliRun run =
            RunCli({QStringLiteral("pair"), QString::fromUtf8(c.path)}, {}, dir.path());
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out.toStdString(), c.out);
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    }
}

TEST(PairCli, UsageErrors) {
    const QStringList cases[] = {{}, {"a.MP4", "b.MP4"}, {"--frobnicate", "a.MP4"}};
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = RunCli(QStringList{QStringLiteral("pair")} + arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_TRUE(run.err.endsWith('\n'));
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
}

} // namespace
