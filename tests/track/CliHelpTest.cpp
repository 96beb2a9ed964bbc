#include "CliRun.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct HelpCase {
    QStringList arguments;
    const char* startsWith;
};

TEST(CliHelp, HelpAndVersionPrintToStdoutAndExitZero) {
    const HelpCase cases[] = {
        {{QStringLiteral("--help")}, "usage: kestrola-cli COMMAND ...\n"},
        {{QStringLiteral("-h")}, "usage: kestrola-cli COMMAND ...\n"},
        {{QStringLiteral("--version")}, "kestrola-cli "},
        {{QStringLiteral("scan"), QStringLiteral("--help")}, "usage: kestrola-cli scan PATH\n"},
        // Asked for help, a command neither runs nor complains about the rest of the line.
        {{QStringLiteral("kml"), QStringLiteral("--entry"), QStringLiteral("x"),
          QStringLiteral("--help")},
         "usage: kestrola-cli kml PATH [--entry N] [--out DIR]\n"},
    };
    for (const HelpCase& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.out.startsWith(c.startsWith)) << run.out.constData();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
    }

    const QByteArray help = RunCli({QStringLiteral("--help")}).out;
    for (const char* usage : {"probe FILE", "scan PATH", "track PATH [--entry N]",
                              "kml PATH [--entry N] [--out DIR]", "pair FILE"}) {
        EXPECT_TRUE(help.contains(QByteArray("\n  ") + usage + ' ')) << usage;
    }
}

TEST(CliHelp, OtherUsageErrorsStillExitTwo) {
    const QStringList cases[] = {
        {},
        {QStringLiteral("--helps")},
        {QStringLiteral("help")},
        {QStringLiteral("--version"), QStringLiteral("scan")},
        {QStringLiteral("scan"), QStringLiteral("--bogus")},
    };
    for (const QStringList& arguments : cases)
        ExpectUsageError(arguments);
}

// A full disk must not pass a cut document off as the whole answer: the run fails, whichever
// way the command wrote.
TEST(CliOutput, AnOutputThatCannotBeWrittenFailsTheRun) {
    const QString full = QStringLiteral("/dev/full");
    if (!QFileInfo(full).isWritable())
        GTEST_SKIP() << "no /dev/full";
    QTemporaryDir emptyCard;
    const QStringList cases[] = {
        {QStringLiteral("--help")},
        {QStringLiteral("scan"), emptyCard.path()},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(RunCli(arguments).exitCode, 0);
        const CliRun run = RunCli(arguments, {}, {}, full);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.startsWith("kestrola-cli: the output could not be written"))
            << run.err.constData();
    }
}

} // namespace
