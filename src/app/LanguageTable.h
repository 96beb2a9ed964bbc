#pragma once

#include "app/LanguageIds.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

// One selectable interface language.
struct LanguageEntry {
    const char* code; // stored in UI/LANGID
    const char16_t* displayName;
    uint16_t languageId; // selects the string table
};

inline constexpr int kLanguageCount = 8;

// Rows 5 and 7 keep the codes "POR" and "GER" (and their identifiers) so that existing
// settings files keep their choice, but their tables are Vietnamese and Thai, the languages
// their names promise.
inline constexpr std::array<LanguageEntry, kLanguageCount> kLanguageTable{{
    {"ENG", u"English", LanguageIds::kEnglish},
    {"CHS", u"简体中文", LanguageIds::kChineseSimplified},
    {"CHT", u"繁體中文", LanguageIds::kChineseTraditional},
    {"KOR", u"한국의", LanguageIds::kKorean},
    {"RUS", u"русский", LanguageIds::kRussian},
    {"POR", u"Vietnamese", LanguageIds::kPortuguese},
    {"JPN", u"日本語", LanguageIds::kJapanese},
    {"GER", u"Thai", LanguageIds::kGerman},
}};

// The row the interface starts from before UI/LANGID is read, and whose table answers every
// id the chosen table lacks.
inline constexpr int kFallbackLanguageRow = 6;
inline constexpr uint16_t kFallbackLanguageId = LanguageIds::kJapanese;
static_assert(std::string_view(kLanguageTable[kFallbackLanguageRow].code) == "JPN");
static_assert(kLanguageTable[kFallbackLanguageRow].languageId == kFallbackLanguageId);

// Row of code by exact, case-sensitive comparison in table order; -1 when no row has it.
int FindLanguageCode(const QString& code);
