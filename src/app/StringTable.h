#pragma once

#include <QString>

#include <cstdint>
#include <span>

struct StringEntry {
    uint16_t id;
    const char16_t* text;
};

// The program's texts in one language.
using StringTable = std::span<const StringEntry>;

// The text of id in table; empty when the table has no entry for it or an empty one.
QString FindString(StringTable table, uint16_t id);

// The table of a language identifier of the language table; empty for any other identifier.
StringTable StringTableForLanguage(uint16_t languageId);

// One table per selectable language, each in its own source file.
extern const StringTable kStringsEnglish;
extern const StringTable kStringsChineseSimplified;
extern const StringTable kStringsChineseTraditional;
extern const StringTable kStringsKorean;
extern const StringTable kStringsRussian;
extern const StringTable kStringsVietnamese;
extern const StringTable kStringsJapanese;
extern const StringTable kStringsThai;
