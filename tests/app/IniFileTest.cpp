#include "platform/IniFile.h"

#include "AppTestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include "ScopedFileSizeLimit.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace {

using namespace Qt::StringLiterals;

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath("Ktr.ini");
};

TEST_F(IniFileTest, ReadsStringsWithPlatformSemantics) {
    struct Case {
        const char* what;
        std::optional<QByteArray> file; // nullopt: no file at all
        const char* section;
        const char* key;
        QString expected;
        int maxChars = IniFile::kNoLimit;
    } cases[] = {
        {"missing file", std::nullopt, "UI", "LANGID", "DEF"},
        {"names ignore case", "[ui]\nlangid=KOR\n", "UI", "LANGID", "KOR"},
        {"names and value trimmed", "  [ UI ]  \n  LANGID  =   KOR  \n", "UI", "LANGID", "KOR"},
        {"missing key", "[UI]\nMAP=1\n", "UI", "LANGID", "DEF"},
        {"key of another section", "[WINPOS]\nLANGID=KOR\n", "UI", "LANGID", "DEF"},
        {"key before any section", "LANGID=KOR\n[UI]\n", "UI", "LANGID", "DEF"},
        {"empty value is not missing", "[UI]\nLANGID=\n", "UI", "LANGID", ""},
        {"double quotes dropped", "[UI]\nLANGID=\"  KOR \"\n", "UI", "LANGID", "  KOR "},
        {"single quotes dropped", "[UI]\nLANGID='KOR'\n", "UI", "LANGID", "KOR"},
        {"unmatched quotes kept", "[UI]\nLANGID=\"KOR'\n", "UI", "LANGID", "\"KOR'"},
        {"first section of a name", "[UI]\nA=1\n[UI]\nA=2\nB=3\n", "UI", "B", "DEF"},
        {"first key of a name", "[UI]\nA=1\na=2\n", "UI", "A", "1"},
        {"comment is no key", "[UI]\n;LANGID=KOR\n", "UI", "LANGID", "DEF"},
        {"value may hold =", "[UI]\nFolder=/a=b\n", "UI", "Folder", "/a=b"},
        {"CRLF lines", "[UI]\r\nLANGID=KOR\r\nMAP=1\r\n", "UI", "LANGID", "KOR"},
        {"no final line break", "[UI]\nLANGID=KOR", "UI", "LANGID", "KOR"},
        {"UTF-8 mark", "\xEF\xBB\xBF[UI]\nLANGID=KOR\n", "UI", "LANGID", "KOR"},
        {"UTF-8 text", "[UI]\nFolder=/m\xC3\xA9\x64ia\n", "UI", "Folder", u"/média"_s},
        {"Latin-1 line", "[UI]\nFolder=/m\xE9\x64ia\n", "UI", "Folder", u"/média"_s},
        {"UTF-16 file", Utf16LeFile(u"[UI]\r\nFolder=/路径\r\n"_s), "UI", "Folder", u"/路径"_s},
        {"cut to the buffer", "[UI]\nLANGID=ABCDEFGH\n", "UI", "LANGID", "ABC", 3},
        {"default cut too", std::nullopt, "UI", "LANGID", "DE", 2},
    };
    for (const Case& c : cases) {
        QFile::remove(m_path);
        if (c.file)
            WriteBytes(m_path, *c.file);
        const QString value = IniFile(m_path).ReadString(c.section, c.key, "DEF", c.maxChars);
        EXPECT_EQ(value, c.expected) << c.what;
    }
}

TEST_F(IniFileTest, ReadsIntegersFromLeadingDigits) {
    struct Case {
        const char* line; // nullptr: no such key
        int expected;
    } cases[] = {
        {nullptr, 42},
        {"V=", 42},
        {"V=5", 5},
        {"V=-3", -3},
        {"V=+7", 7},
        {"V= 12px", 12},
        {"V=abc", 0},
        {"V=0x10", 0},
        {"V=- 5", 0},
        {"V=3.9", 3},
        {"V=\"-8\"", -8},
        {"V=99999999999", INT_MAX},
        {"V=-99999999999", INT_MIN},
    };
    for (const Case& c : cases) {
        WriteBytes(m_path, QByteArray("[S]\n") + (c.line ? c.line : "") + "\n");
        EXPECT_EQ(IniFile(m_path).ReadInt("S", "V", 42), c.expected) << (c.line ? c.line : "none");
    }
}

TEST_F(IniFileTest, WriteChangesOnlyItsLine) {
    const QByteArray nl = QDir::separator() == u'\\' ? "\r\n" : "\n";
    struct Case {
        const char* what;
        std::optional<QByteArray> before;
        const char* section;
        const char* key;
        QString value;
        QByteArray after;
    } cases[] = {
        {"first write creates the file", std::nullopt, "UI", "MAP", "1",
         "[UI]" + nl + "MAP=1" + nl},
        {"value replaced, spelling and CRLF kept",
         "; mine\r\n[ui]\r\nmap = 0\r\nOther=x\r\n\r\n[WINPOS]\r\nLEFT=3\r\n", "UI", "MAP", "1",
         "; mine\r\n[ui]\r\nmap = 1\r\nOther=x\r\n\r\n[WINPOS]\r\nLEFT=3\r\n"},
        {"new key after the section's last key", "[UI]\nA=1\n; x\n\n[WINPOS]\nLEFT=0\n", "ui", "B",
         "2", "[UI]\nA=1\nB=2\n; x\n\n[WINPOS]\nLEFT=0\n"},
        {"new key in an empty section", "[UI]\n[WINPOS]\n", "UI", "B", "2",
         "[UI]\nB=2\n[WINPOS]\n"},
        {"new section after an unterminated line", "[UI]\r\nA=1", "WINPOS", "LEFT", "5",
         "[UI]\r\nA=1\r\n[WINPOS]\r\nLEFT=5\r\n"},
        {"only the first section of a name", "[UI]\nA=1\n[UI]\nB=1\n", "UI", "B", "2",
         "[UI]\nA=1\nB=2\n[UI]\nB=1\n"},
        {"value that reading would trim is quoted", "[UI]\n", "UI", "Folder", " /a ",
         "[UI]\nFolder=\" /a \"\n"},
        {"value in quotes is quoted again", "[UI]\n", "UI", "Folder", "'x'",
         "[UI]\nFolder=\"'x'\"\n"},
        {"UTF-8 mark and foreign bytes kept", "\xEF\xBB\xBF[UI]\n; caf\xE9\nA=1\n", "UI", "A",
         u"ü"_s, "\xEF\xBB\xBF[UI]\n; caf\xE9\nA=\xC3\xBC\n"},
        {"UTF-16 file stays UTF-16", Utf16LeFile(u"[UI]\r\nA=1\r\n"_s), "UI", "B", u"路"_s,
         Utf16LeFile(u"[UI]\r\nA=1\r\nB=路\r\n"_s)},
    };
    for (const Case& c : cases) {
        QFile::remove(m_path);
        if (c.before)
            WriteBytes(m_path, *c.before);
        EXPECT_TRUE(IniFile(m_path).WriteString(c.section, c.key, c.value)) << c.what;
        EXPECT_EQ(ReadBytes(m_path), c.after) << c.what;
        EXPECT_EQ(IniFile(m_path).ReadString(c.section, c.key, "DEF"), c.value) << c.what;
    }
}

TEST_F(IniFileTest, RefusesWhatOneLineCannotHold) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"UI", "Folder", "/a\nLANGID=KOR"},
        {"UI", "Folder", "/a\rb"},
        {"UI", "A=B", "1"},
        {"UI", "", "1"},
        {"", "A", "1"},
        {"U]I", "A", "1"},
        {"U\nI", "A", "1"},
        {"UI", ";A", "1"},
        {"UI", "[A", "1"},
    };
    const QByteArray before = "[UI]\nA=1\n";
    for (const Case& c : cases) {
        WriteBytes(m_path, before);
        EXPECT_FALSE(IniFile(m_path).WriteString(c.section, c.key, c.value)) << c.key;
        EXPECT_EQ(ReadBytes(m_path), before) << c.key;
    }
    QFile::remove(m_path);
    EXPECT_FALSE(IniFile(m_path).WriteString("UI", "Folder", "/a\nb"));
    EXPECT_FALSE(QFile::exists(m_path));
}

TEST_F(IniFileTest, PathThatIsNoFileIsLeftAlone) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Ktr.ini"));
    EXPECT_FALSE(IniFile(m_path).WriteString("UI", "MAP", "1"));
    EXPECT_EQ(IniFile(m_path).ReadInt("UI", "MAP", 7), 7);
    EXPECT_TRUE(QFileInfo(m_path).isDir());
}

TEST_F(IniFileTest, FileUpToTheSizeLimitIsRead) {
    QByteArray bytes = "[UI]\nLANGID=KOR\n;";
    bytes.append(IniFile::kMaxFileBytes - bytes.size(), 'x');
    WriteBytes(m_path, bytes);
    EXPECT_EQ(IniFile(m_path).ReadString("UI", "LANGID", "DEF"), "KOR");
    EXPECT_TRUE(IniFile(m_path).WriteString("UI", "LANGID", "JPN"));
    EXPECT_EQ(IniFile(m_path).ReadString("UI", "LANGID", "DEF"), "JPN");
}

TEST_F(IniFileTest, FailedWriteLeavesTheOldFile) {
    const QByteArray before = "[UI]\r\nLANGID=KOR\r\n[WINPOS]\r\nLEFT=10\r\n";
    // A small write is buffered and fails when flushed; a large one fails in the write itself.
    for (int valueSize : {4096, 100000}) {
        WriteBytes(m_path, before);
        bool written = true;
        {
            ScopedFileSizeLimit limit(before.size() + 8);
            written = IniFile(m_path).WriteString("UI", "Folder", QString(valueSize, u'x'));
        }
        EXPECT_FALSE(written) << valueSize;
        EXPECT_EQ(ReadBytes(m_path), before) << valueSize;
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Ktr.ini"});
    }
}

} // namespace
