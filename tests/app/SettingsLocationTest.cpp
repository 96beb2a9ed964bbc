#include "app/CAppSettings.h"

#include "AppTestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A working directory and a configuration home of the test's own, both given back afterwards.
class SettingsLocationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_work.isValid() && m_configHome.isValid());
        m_previousFolder = QDir::currentPath();
        m_previousHome = qgetenv("XDG_CONFIG_HOME");
        m_previousName = QCoreApplication::applicationName();
        qputenv("XDG_CONFIG_HOME", m_configHome.path().toLocal8Bit());
        QCoreApplication::setApplicationName(QStringLiteral("kestrola"));
        ASSERT_TRUE(QDir::setCurrent(m_work.path()));
    }

    void TearDown() override {
        QDir::setCurrent(m_previousFolder);
        QCoreApplication::setApplicationName(m_previousName);
        if (m_previousHome.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_previousHome);
    }

    static QString Canonical(const QString& path) {
        return QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath() + u'/' +
               QFileInfo(path).fileName();
    }

    QTemporaryDir m_work;
    QTemporaryDir m_configHome;
    QString m_configFile = m_configHome.filePath("kestrola/Ktr.ini");

private:
    QString m_previousFolder;
    QByteArray m_previousHome;
    QString m_previousName;
};

TEST_F(SettingsLocationTest, AnythingNamedKtrIniInTheWorkingDirectoryWins) {
    const QString working = m_work.filePath("Ktr.ini");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(m_configFile).absolutePath()));
    WriteBytes(m_configFile, "[UI]\nLANGID=KOR\n");
    const struct {
        const char* what;
        bool (*make)(const QString&);
    } cases[] = {
        {"file",
         [](const QString& path) {
             WriteBytes(path, "[UI]\n");
             return QFileInfo::exists(path);
         }},
        {"folder", [](const QString& path) { return QDir().mkdir(path); }},
        {"dangling link", [](const QString& path) { return QFile::link(path + ".gone", path); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(c.make(working));
        EXPECT_EQ(Canonical(CAppSettings::ProcessIniPath()), Canonical(working));
        QDir(working).removeRecursively();
        QFile::remove(working);
    }
}

TEST_F(SettingsLocationTest, WithoutOneTheConfigurationFolderHoldsItAndIsMadeOnWrite) {
    const QString path = CAppSettings::ProcessIniPath();
    EXPECT_EQ(Canonical(path), Canonical(m_configFile));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(path).absolutePath())) << "reading makes nothing";

    CAppSettings settings(path, CAppSettings::MissingFolder::CreateOnWrite);
    EXPECT_TRUE(settings.WriteInt(SettingsKeys::kWindowLeft, 12));
    settings.SetLanguage(3);
    EXPECT_EQ(ReadBytes(m_configFile).replace("\r\n", "\n"),
              "[WINPOS]\nLEFT=12\n[UI]\nLANGID=KOR\n");
    EXPECT_EQ(CAppSettings(path).languageIndex(), 3);
    EXPECT_EQ(QDir(m_work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList())
        << "nothing lands in the working directory";
}

} // namespace
