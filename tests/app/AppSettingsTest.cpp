#include "app/CAppSettings.h"

#include "AppTestFiles.h"
#include "app/LanguageTable.h"
#include "app/LoadText.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

namespace {

class AppSettingsTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath("Ktr.ini");
};

TEST_F(AppSettingsTest, MissingFileReadsDefaults) {
    CAppSettings settings(m_path);
    EXPECT_EQ(settings.languageIndex(), 0);
    EXPECT_EQ(settings.languageId(), LanguageIds::kEnglish);
    EXPECT_EQ(settings.mapChoice(), MapChoice::kGoogleMaps);
    const std::pair<IntSetting, int> ints[] = {
        {SettingsKeys::kMap, MapChoice::kGoogleMaps},
        {SettingsKeys::kMapEnable, 1},
        {SettingsKeys::kGSensorEnable, 1},
        {SettingsKeys::kWindowLeft, 0},
        {SettingsKeys::kWindowTop, 0},
        {SettingsKeys::kWindowRight, 800},
        {SettingsKeys::kWindowBottom, 560},
    };
    for (const auto& [setting, expected] : ints)
        EXPECT_EQ(settings.ReadInt(setting), expected) << setting.key;
    EXPECT_EQ(settings.ReadText(SettingsKeys::kFolder), QString());
    EXPECT_FALSE(QFile::exists(m_path)) << "reading must not create the file";
}

TEST_F(AppSettingsTest, LanguageCodeSelectsRowOrJapanese) {
    struct Case {
        const char* line; // nullptr: no LANGID key
        int row;
        uint16_t languageId;
    } cases[] = {
        {nullptr, 0, LanguageIds::kEnglish},
        {"LANGID=ENG", 0, LanguageIds::kEnglish},
        {"LANGID=eng", 6, LanguageIds::kJapanese},
        {"LANGID=CHS", 1, LanguageIds::kChineseSimplified},
        {"LANGID=CHT", 2, LanguageIds::kChineseTraditional},
        {"LANGID=KOR", 3, LanguageIds::kKorean},
        {"LANGID=RUS", 4, LanguageIds::kRussian},
        {"LANGID=POR", 5, LanguageIds::kPortuguese},
        {"LANGID=JPN", 6, LanguageIds::kJapanese},
        {"LANGID=GER", 7, LanguageIds::kGerman},
        {"LANGID=XYZ", 6, LanguageIds::kJapanese},
        {"LANGID=", 6, LanguageIds::kJapanese},
        {"langid =  KOR ", 3, LanguageIds::kKorean},
        {"LANGID=ENGLISH", 6, LanguageIds::kJapanese},
    };
    for (const Case& c : cases) {
        WriteBytes(m_path, QByteArray("[UI]\r\n") + (c.line ? c.line : "MAP=1") + "\r\n");
        const CAppSettings settings(m_path);
        EXPECT_EQ(settings.languageIndex(), c.row) << (c.line ? c.line : "none");
        EXPECT_EQ(settings.languageId(), c.languageId) << (c.line ? c.line : "none");
    }
}

TEST_F(AppSettingsTest, MapChoiceIsClamped) {
    struct Case {
        const char* line;
        int expected;
    } cases[] = {
        {"", MapChoice::kGoogleMaps},
        {"MAP=0", MapChoice::kGoogleMaps},
        {"MAP=1", MapChoice::kChinaMap},
        {"MAP=2", MapChoice::kOpenStreetMap},
        {"MAP=5", MapChoice::kOpenStreetMap},
        {"MAP=-3", MapChoice::kGoogleMaps},
        {"MAP=abc", MapChoice::kGoogleMaps},
        {"MAP=1x", MapChoice::kChinaMap},
        {"MAP=2147483647", MapChoice::kOpenStreetMap},
    };
    for (const Case& c : cases) {
        WriteBytes(m_path, QByteArray("[UI]\n") + c.line + "\n");
        CAppSettings settings(m_path);
        EXPECT_EQ(settings.ReadMapChoice(), c.expected) << c.line;
        EXPECT_EQ(settings.mapChoice(), c.expected) << c.line;
    }
    CAppSettings settings(m_path);
    settings.SetMapChoice(7);
    EXPECT_EQ(settings.mapChoice(), MapChoice::kOpenStreetMap);
    settings.SetMapChoice(-1);
    EXPECT_EQ(settings.mapChoice(), MapChoice::kGoogleMaps);
}

TEST_F(AppSettingsTest, SetLanguageStoresTheRowCode) {
    for (int row = 0; row < kLanguageCount; ++row) {
        CAppSettings settings(m_path);
        settings.SetLanguage(row);
        EXPECT_EQ(settings.languageIndex(), row);
        EXPECT_EQ(settings.languageId(), kLanguageTable[row].languageId);
        EXPECT_EQ(settings.ReadText(SettingsKeys::kLanguage),
                  QLatin1String(kLanguageTable[row].code));
        EXPECT_EQ(CAppSettings(m_path).languageIndex(), row) << "a new start keeps the choice";
    }
    EXPECT_EQ(CAppSettings(m_path).ReadText(SettingsKeys::kLanguage), "GER");
    CAppSettings(m_path).SetLanguage(5);
    EXPECT_EQ(CAppSettings(m_path).ReadText(SettingsKeys::kLanguage), "POR")
        << "Vietnamese keeps its stored code";
}

TEST_F(AppSettingsTest, SetLanguageOutsideTheTableDoesNothing) {
    for (int index : {-1, kLanguageCount, INT_MAX, INT_MIN}) {
        QFile::remove(m_path);
        CAppSettings settings(m_path);
        settings.SetLanguage(index);
        EXPECT_EQ(settings.languageIndex(), 0) << index;
        EXPECT_EQ(settings.languageId(), LanguageIds::kEnglish) << index;
        EXPECT_FALSE(QFile::exists(m_path)) << index;

        const QByteArray before = "[UI]\nLANGID=KOR\n";
        WriteBytes(m_path, before);
        CAppSettings korean(m_path);
        korean.SetLanguage(index);
        EXPECT_EQ(korean.languageIndex(), 3) << index;
        EXPECT_EQ(ReadBytes(m_path), before) << index;
    }
}

TEST_F(AppSettingsTest, WriteIntUsesDecimalText) {
    CAppSettings settings(m_path);
    EXPECT_TRUE(settings.WriteInt("WINPOS", "LEFT", -8));
    EXPECT_TRUE(settings.WriteInt(SettingsKeys::kWindowRight, 1920));
    EXPECT_TRUE(settings.WriteInt("winpos", "left", INT_MIN));
    EXPECT_EQ(ReadBytes(m_path).replace("\r\n", "\n"), "[WINPOS]\nLEFT=-2147483648\nRIGHT=1920\n");
    EXPECT_EQ(settings.ReadInt(SettingsKeys::kWindowLeft), INT_MIN);
    EXPECT_EQ(settings.ReadInt(SettingsKeys::kWindowRight), 1920);

    CAppSettings nowhere(m_dir.filePath("missing/Ktr.ini"));
    EXPECT_FALSE(nowhere.WriteInt("UI", "MAP", 1));
}

TEST_F(AppSettingsTest, UnusableFileReadsDefaultsAndIsNamedOnce) {
    for (const UnusableSettingsFile& file : kUnusableSettingsFiles) {
        SCOPED_TRACE(file.what);
        QTemporaryDir dir;
        const QString path = dir.filePath("Ktr.ini");
        ASSERT_TRUE(file.make(path));
        const auto before = KindAndSize(path);
        testing::internal::CaptureStderr();
        {
            CAppSettings settings(path);
            EXPECT_EQ(settings.languageIndex(), 0);
            EXPECT_EQ(settings.ReadMapChoice(), MapChoice::kGoogleMaps);
            EXPECT_EQ(settings.ReadInt(SettingsKeys::kWindowRight), 800);
            EXPECT_EQ(settings.ReadText(SettingsKeys::kFolder), QString());
            EXPECT_FALSE(settings.WriteInt(SettingsKeys::kMapEnable, 0));
            settings.SetLanguage(3);
        }
        const QString stderrText = QString::fromStdString(testing::internal::GetCapturedStderr());
        EXPECT_EQ(stderrText.count(u'\n'), 1) << stderrText.toStdString();
        EXPECT_TRUE(stderrText.contains(path)) << stderrText.toStdString();
        EXPECT_TRUE(stderrText.contains(file.reason)) << stderrText.toStdString();
        EXPECT_EQ(KindAndSize(path), before);
    }
}

TEST_F(AppSettingsTest, ReadOnlyFileIsReadButNeverReplaced) {
    const QByteArray before = "[UI]\r\nLANGID=KOR\r\n";
    WriteBytes(m_path, before);
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(m_path, readOnly));
    testing::internal::CaptureStderr();
    {
        CAppSettings settings(m_path);
        EXPECT_EQ(settings.languageIndex(), 3);
        EXPECT_FALSE(settings.WriteInt(SettingsKeys::kWindowLeft, 5));
        EXPECT_FALSE(settings.WriteText(SettingsKeys::kFolder, m_dir.path()));
        settings.SetLanguage(0);
    }
    const QString stderrText = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(stderrText.count(u'\n'), 1) << stderrText.toStdString();
    EXPECT_TRUE(stderrText.contains(m_path + "\" is read-only")) << stderrText.toStdString();
    EXPECT_EQ(ReadBytes(m_path), before);
    EXPECT_FALSE(QFile::permissions(m_path) & QFile::WriteOwner);
}

// The only test that touches the process's store: it is created once, from the working
// directory of its first use.
TEST_F(AppSettingsTest, InstanceUsesTheWorkingDirectoryOfItsCreation) {
    const QString previous = QDir::currentPath();
    QTemporaryDir other;
    WriteBytes(m_path, "[UI]\nLANGID=KOR\n");
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    CAppSettings& first = CAppSettings::Instance();
    ASSERT_TRUE(QDir::setCurrent(other.path()));
    CAppSettings& second = CAppSettings::Instance();
    QDir::setCurrent(previous);

    EXPECT_EQ(&first, &second);
    EXPECT_EQ(QFileInfo(first.iniPath()).canonicalFilePath(),
              QFileInfo(m_path).canonicalFilePath());
    EXPECT_EQ(first.languageIndex(), 3);
    EXPECT_EQ(LoadText(104), LoadText(first, 104));
    EXPECT_EQ(LoadText(104), QStringView(u"파일을 선택하십시오"));
}

} // namespace
