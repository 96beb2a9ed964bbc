#pragma once

#include <cstdint>

// The original platform's language identifier: sub language shifted left by 10, OR primary
// language. It selects a string table.
constexpr uint16_t MakeLanguageId(uint16_t primaryLanguage, uint16_t subLanguage) {
    constexpr int kSubLanguageShift = 10;
    return static_cast<uint16_t>(subLanguage << kSubLanguageShift | primaryLanguage);
}

// The identifiers of the selectable languages.
namespace LanguageIds {

inline constexpr uint16_t kEnglish = MakeLanguageId(0x09, 1);            // 1033
inline constexpr uint16_t kChineseSimplified = MakeLanguageId(0x04, 2);  // 2052
inline constexpr uint16_t kChineseTraditional = MakeLanguageId(0x04, 1); // 1028
inline constexpr uint16_t kKorean = MakeLanguageId(0x12, 1);             // 1042
inline constexpr uint16_t kRussian = MakeLanguageId(0x19, 1);            // 1049
// Portuguese (Portugal), kept by the row "POR" whose table is Vietnamese.
inline constexpr uint16_t kPortuguese = MakeLanguageId(0x16, 2); // 2070
inline constexpr uint16_t kJapanese = MakeLanguageId(0x11, 1);   // 1041
// German, kept by the row "GER" whose table is Thai.
inline constexpr uint16_t kGerman = MakeLanguageId(0x07, 1); // 1031

} // namespace LanguageIds
