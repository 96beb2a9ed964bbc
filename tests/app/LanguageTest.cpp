#include "app/CAppSettings.h"
#include "app/LanguageTable.h"
#include "app/LoadText.h"
#include "app/StringTable.h"
#include "app/SystemText.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Every id the program asks for.
const std::vector<uint16_t> kProgramIds = {
    101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116,
    117, 118, 119, 120, 122, 124, 125, 126, 127, 128, 129, 130, 131, 132, 133, 134,
    135, 136, 137, 138, 139, 140, 141, 144, 145, 179, 180, 181, 182, 183, 184, 185,
    186, 187, 188, 189, 190, 191, 192, 193, 194, 195, 196, 197, 198, 199, 200,
    // The about box's list of keys.
    240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250,
    460, 461, 462, 463, // GPX export
};

// The texts about the recordings a folder scan could not read.
const std::vector<uint16_t> kUnreadableListIds = {1500, 1501, 1502, 1503, 1504, 1505, 1506,
                                                  1507, 1508, 1509, 1510, 1511, 1512, 1513};

StringTable TableOfRow(int row) {
    return StringTableForLanguage(kLanguageTable[row].languageId);
}

TEST(Languages, CodeLookupIsExact) {
    const std::pair<const char*, int> cases[] = {
        {"ENG", 0},   {"CHS", 1}, {"CHT", 2}, {"KOR", 3},  {"RUS", 4},
        {"POR", 5},   {"JPN", 6}, {"GER", 7}, {"eng", -1}, {"Eng", -1},
        {"ENG ", -1}, {"", -1},   {"EN", -1}, {"VIE", -1}, {"THA", -1},
    };
    for (const auto& [code, row] : cases)
        EXPECT_EQ(FindLanguageCode(code), row) << code;
}

TEST(Languages, RowsKeepTheirLanguageIdentifiers) {
    const uint16_t expected[kLanguageCount] = {1033, 2052, 1028, 1042, 1049, 2070, 1041, 1031};
    for (int row = 0; row < kLanguageCount; ++row)
        EXPECT_EQ(kLanguageTable[row].languageId, expected[row]) << row;
    EXPECT_EQ(kFallbackLanguageId, 0x0411);
}

TEST(Languages, EveryTableHasEveryIdOnce) {
    std::vector<uint16_t> expected = kProgramIds;
    expected.insert(expected.end(), kUnreadableListIds.begin(), kUnreadableListIds.end());
    std::sort(expected.begin(), expected.end());
    for (int row = 0; row < kLanguageCount; ++row) {
        const StringTable table = TableOfRow(row);
        std::vector<uint16_t> ids;
        for (const StringEntry& entry : table) {
            ids.push_back(entry.id);
            EXPECT_FALSE(FindString(table, entry.id).isEmpty())
                << kLanguageTable[row].code << " " << entry.id;
        }
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, expected) << kLanguageTable[row].code;
    }
}

// A translation that loses or adds a conversion would format garbage into a message box.
TEST(Languages, FormatTextsKeepTheirOneArgument) {
    const std::pair<uint16_t, const char16_t*> formats[] = {
        {125, u"%s"}, {126, u"%s"}, {141, u"%s"}, {460, u"%s"}, {461, u"%s"}, {1501, u"%d"}};
    for (int row = 0; row < kLanguageCount; ++row) {
        for (const auto& [id, conversion] : formats) {
            const QString text = FindString(TableOfRow(row), id);
            EXPECT_EQ(text.count(QStringView(conversion)), 1)
                << kLanguageTable[row].code << " " << id;
            EXPECT_EQ(text.count(u'%'), 1) << kLanguageTable[row].code << " " << id;
        }
        // The text for a single recording names the number itself.
        EXPECT_EQ(FindString(TableOfRow(row), 1500).count(u'%'), 0) << kLanguageTable[row].code;
    }
}

TEST(Languages, EnglishTextsAreThePrograms) {
    const std::pair<uint16_t, const char16_t*> cases[] = {
        {101, u"Kestrola"},
        {102, u"Media player encountered a error."},
        {125, u"Save KML file: %s OK."},
        {126, u"Save KML file:%s Failed."},
        {134, u"Play/Pause video"},
        {135, u"No seletected files. Please select some files and try this operation again."},
        {141, u"File \"%s\" is already exist. Are you sure to overwrite it?"},
        {145, u"OK"},
        {199, u"Change Speed Unit KPH/MPH."},
    };
    for (const auto& [id, text] : cases)
        EXPECT_EQ(FindString(kStringsEnglish, id), QStringView(text)) << id;
}

TEST(Languages, EachRowReadsItsOwnTable) {
    const char16_t* const selectFile[kLanguageCount] = {
        u"Select a file", u"选取档案", u"選取檔案",       u"파일을 선택하십시오",
        u"выберите файл", u"Chọn tệp", u"ファイルを開く", u"เลือกไฟล์",
    };
    QTemporaryDir dir;
    for (int row = 0; row < kLanguageCount; ++row) {
        CAppSettings settings(dir.filePath("Ktr.ini"));
        settings.SetLanguage(row);
        EXPECT_EQ(LoadText(settings, 104), QStringView(selectFile[row])) << row;
    }
    EXPECT_EQ(LoadTextForLanguage(LanguageIds::kJapanese, 101), QStringView(u"バージョン情報"));
}

bool HasThaiLetter(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.script() == QChar::Script_Thai; });
}

bool HasNonAsciiLetter(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() > 0x7F && c.isLetter(); });
}

// The rows shown as "Thai" and "Vietnamese" once gave mostly German and Portuguese texts.
TEST(Languages, ThaiAndVietnameseRowsAreTranslatedThroughout) {
    const int thai = FindLanguageCode("GER");
    const int vietnamese = FindLanguageCode("POR");
    for (const StringEntry& entry : TableOfRow(thai))
        EXPECT_TRUE(HasThaiLetter(FindString(TableOfRow(thai), entry.id))) << entry.id;
    for (const StringEntry& entry : TableOfRow(vietnamese))
        EXPECT_TRUE(HasNonAsciiLetter(FindString(TableOfRow(vietnamese), entry.id))) << entry.id;
    EXPECT_EQ(LoadTextForLanguage(kLanguageTable[thai].languageId, 109), QStringView(u"นำไปใช้"));
}

TEST(Languages, MissingTextsFallBackToJapaneseThenEmpty) {
    EXPECT_EQ(LoadTextForLanguage(0x040C, 104), QStringView(u"ファイルを開く"))
        << "a language without a table reads Japanese";
    EXPECT_EQ(LoadTextForLanguage(0, 134), QStringView(u"ビデオの再生/一時停止"));
    for (int row = 0; row < kLanguageCount; ++row) {
        for (uint16_t id : {0, 100, 121, 123, 142, 201, 61440, 65535})
            EXPECT_EQ(LoadTextForLanguage(kLanguageTable[row].languageId, id), QString())
                << row << " " << id;
    }
}

TEST(Languages, SystemTextsFollowTheSystemLanguage) {
    struct Case {
        QStringList uiLanguages;
        const char16_t* expected102;
    } cases[] = {
        {{}, u"Media player encountered a error."},
        {{"C"}, u"Media player encountered a error."},
        {{"en-US"}, u"Media player encountered a error."},
        {{"nb-NO"}, u"Media player encountered a error."},
        {{"de-DE"}, u"Im Mediaplayer ist ein Fehler aufgetreten."},
        {{"de_AT.UTF-8"}, u"Im Mediaplayer ist ein Fehler aufgetreten."},
        {{"nb-NO", "fr-FR"}, u"Le lecteur multimédia a rencontré une erreur."},
        {{"pt-BR"}, u"O leitor multimédia encontrou um erro."},
        {{"zh-CN"}, u"媒体播放器发生错误。"},
        {{"zh-Hans-SG"}, u"媒体播放器发生错误。"},
        {{"zh-TW"}, u"媒體播放器發生錯誤。"},
        {{"zh-Hant-HK"}, u"媒體播放器發生錯誤。"},
        {{"zh_HK"}, u"媒體播放器發生錯誤。"},
        {{"ko-KR"}, u"미디어 플레이어에 오류가 발생했습니다."},
        {{"ja-JP", "en-US"}, u"メディア プレーヤーでエラーが発生しました。"},
        {{"th-TH"}, u"เครื่องเล่นสื่อเกิดข้อผิดพลาด"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadSystemText(102, c.uiLanguages), QStringView(c.expected102))
            << c.uiLanguages.join(u',').toStdString();
}

TEST(Languages, EverySystemLanguageHasItsThreeTexts) {
    const char* const languages[] = {"ar",    "cs", "de", "es", "fr", "it", "lv",
                                     "pl",    "pt", "ro", "sk", "tr", "uk", "zh-CN",
                                     "zh-TW", "ko", "ru", "vi", "ja", "th"};
    for (const char* language : languages) {
        for (uint16_t id : {101, 102, 103}) {
            const QString text = LoadSystemText(id, {language});
            EXPECT_FALSE(text.isEmpty()) << language << " " << id;
            EXPECT_NE(text, FindString(kStringsEnglish, id)) << language << " " << id;
        }
    }
}

} // namespace
