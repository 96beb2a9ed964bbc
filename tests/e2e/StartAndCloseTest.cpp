#include "AnsweringPrompts.h"
#include "app/CAppSettings.h"
#include "ui/window/CKTRDlg.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kWaitMs = 20000;
const QSize kSmallestWindow(800, 560);

QString ProgramPath() {
    const QByteArray folder = qgetenv("KESTROLA_BIN_DIR");
    return QDir(folder.isEmpty() ? QCoreApplication::applicationDirPath()
                                 : QString::fromLocal8Bit(folder))
        .filePath(QStringLiteral("kestrola"));
}

bool IsViewable(const QString& windowId) {
    QProcess info;
    info.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), windowId});
    return info.waitForFinished(kWaitMs) &&
           info.readAllStandardOutput().contains("Map State: IsViewable");
}

// Where the X server shows the program's window, or an invalid rect while there is none. Qt
// names every native window of the process after the program, the video hosts too, so the
// one the user sees is the top-level one that is mapped.
QRect ServerGeometryOfProgramWindow() {
    QProcess tree;
    tree.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    if (!tree.waitForFinished(kWaitMs))
        return {};
    // Children of the root are indented by five blanks:
    //      0x20001a "Kestrola": ("kestrola" "kestrola")  800x560+0+0  +0+0
    static const QRegularExpression line(
        QStringLiteral(R"(^     (0x[0-9a-f]+) "Kestrola":.*\s(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s)"));
    const QString listing = QString::fromLocal8Bit(tree.readAllStandardOutput());
    for (const QString& row : listing.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(row + QLatin1Char(' '));
        if (match.hasMatch() && IsViewable(match.captured(1)))
            return QRect(match.captured(4).toInt(), match.captured(5).toInt(),
                         match.captured(2).toInt(), match.captured(3).toInt());
    }
    return {};
}

// The program itself, as a user starts it in a folder without a settings file. Closing it is
// tested in-process below: a signal would end it without running its close handling, and
// the test machine has no tool that asks an X window to close.
TEST(ProgramStart, WithoutSettingsFileOpensAtTheSmallestSizeInTheCorner) {
    if (QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty())
        GTEST_SKIP() << "xwininfo (x11-utils) is not installed";
    QTemporaryDir workingFolder;
    QTemporaryDir configHome;
    ASSERT_TRUE(workingFolder.isValid() && configHome.isValid());
    QProcess program;
    program.setWorkingDirectory(workingFolder.path());
    // Without a settings file in the working folder the program looks in the user's.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.path());
    program.setProcessEnvironment(environment);
    // Without a sound card the players complain for every block of sound.
    program.setStandardOutputFile(QProcess::nullDevice());
    program.setStandardErrorFile(QProcess::nullDevice());
    program.start(ProgramPath(), QStringList());
    ASSERT_TRUE(program.waitForStarted(kWaitMs)) << qPrintable(program.errorString());
    QRect placed;
    const bool shown = QTest::qWaitFor(
        [&] {
            placed = ServerGeometryOfProgramWindow();
            return placed.isValid() || program.state() != QProcess::Running;
        },
        kWaitMs);
    program.kill();
    program.waitForFinished(kWaitMs);
    ASSERT_TRUE(shown && placed.isValid()) << "no window titled Kestrola appeared";
    EXPECT_EQ(placed, QRect(QPoint(0, 0), kSmallestWindow));
    EXPECT_FALSE(QFileInfo::exists(workingFolder.filePath(CAppSettings::kFileName)))
        << "opening writes no settings";
    EXPECT_TRUE(QDir(configHome.path()).isEmpty()) << "nor a settings folder";
}

class WindowPlacementTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    std::unique_ptr<CKTRDlg> OpenWindow() {
        m_settings = std::make_unique<CAppSettings>(
            m_folder.filePath(QString::fromLatin1(CAppSettings::kFileName)));
        auto window = std::make_unique<CKTRDlg>(*m_settings);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    AnsweringPrompts m_prompts;
    QTemporaryDir m_folder;
    std::unique_ptr<CAppSettings> m_settings;
};

TEST_F(WindowPlacementTest, FirstStartIsEnglishAtTheSmallestSizeAndClosingRoundTripsThePlace) {
    std::unique_ptr<CKTRDlg> window = OpenWindow();
    EXPECT_EQ(window->geometry(), QRect(QPoint(0, 0), kSmallestWindow));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window->Control(ControlId::PlayButton))
                  ->text(QAccessible::Name),
              QStringLiteral("Play/Pause video"));

    // Escape is swallowed wherever the focus is: the window stays open.
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused ? focused : window.get(), Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());

    const QRect moved(40, 30, 900, 620);
    window->setGeometry(moved);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->geometry() == moved; }, kWaitMs));
    EXPECT_TRUE(window->close());
    window.reset();

    window = OpenWindow();
    EXPECT_EQ(window->geometry(), moved) << "a restart opens where the window was closed";
}

} // namespace
