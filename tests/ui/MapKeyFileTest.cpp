#include "ui/MapKeyFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

bool WriteKeyFile(const QTemporaryDir& dir, const QByteArray& text) {
    QFile file(QDir(dir.path()).filePath(QLatin1String(MapKeyFile::kFileName)));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

TEST(MapKeyFile, TellsWhetherAServiceKeyIsSet) {
    const struct {
        const char* text;
        bool google;
        bool baidu;
    } cases[] = {
        {"window.KESTROLA_MAP_KEYS = { google: \"g-key\", baidu: \"\" };", true, false},
        {"window.KESTROLA_MAP_KEYS = {\n  'google': 'g-key',\n  \"baidu\": \"b-key\"\n};", true,
         true},
        {"window.KESTROLA_MAP_KEYS = { google: \"  \", baidu: \"b\" };", false, true},
        // A script address whose name ends in the key's name is not the key.
        {"window.KESTROLA_MAP_KEYS = { googleScriptUrl: \"x.js\", mybaidu: \"y\" };", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QTemporaryDir dir;
        ASSERT_TRUE(WriteKeyFile(dir, c.text));
        const MapKeyFile keys(dir.path());
        EXPECT_EQ(keys.HasKey(QStringLiteral("google")), c.google);
        EXPECT_EQ(keys.HasKey(QStringLiteral("baidu")), c.baidu);
    }
}

TEST(MapKeyFile, NoFileGivesNoKey) {
    QTemporaryDir dir;
    EXPECT_FALSE(MapKeyFile(dir.path()).HasKey(QStringLiteral("google")));
}

} // namespace
