#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

// One selectable interface language. The language identifier is the original platform's
// (sub language << 10 | primary language); it selects the string table.
struct LanguageEntry {
    const char* code; // stored in UI/LANGID
    const char16_t* displayName;
    uint16_t primaryLanguage;
    uint16_t subLanguage;
};

inline constexpr int kLanguageCount = 8;

// Rows 5 and 7 keep the codes "POR" and "GER" (and their identifiers) so that existing
// settings files keep their choice, but their tables are Vietnamese and Thai, the languages
// their names promise.
inline constexpr std::array<LanguageEntry, kLanguageCount> kLanguageTable{{
    {"ENG", u"English", 0x09, 1},
    {"CHS", u"简体中文", 0x04, 2},
    {"CHT", u"繁體中文", 0x04, 1},
    {"KOR", u"한국의", 0x12, 1},
    {"RUS", u"русский", 0x19, 1},
    {"POR", u"Vietnamese", 0x16, 2},
    {"JPN", u"日本語", 0x11, 1},
    {"GER", u"Thai", 0x07, 1},
}};

constexpr uint16_t LanguageIdOf(const LanguageEntry& row) {
    constexpr int kSubLanguageShift = 10;
    return static_cast<uint16_t>(row.subLanguage << kSubLanguageShift | row.primaryLanguage);
}

// The row the interface starts from before UI/LANGID is read, and whose table answers every
// id the chosen table lacks.
inline constexpr int kFallbackLanguageRow = 6;
static_assert(std::string_view(kLanguageTable[kFallbackLanguageRow].code) == "JPN");
inline constexpr uint16_t kFallbackLanguageId = LanguageIdOf(kLanguageTable[kFallbackLanguageRow]);

// Row of code by exact, case-sensitive comparison in table order; -1 when no row has it.
int FindLanguageCode(const QString& code);
