#include "app/StringTable.h"

#include "app/LanguageIds.h"

#include <algorithm>

namespace {

struct LanguageTableBinding {
    uint16_t languageId;
    const StringTable* table;
};

// The identifiers of the rows "POR" and "GER" select the Vietnamese and the Thai table.
constexpr LanguageTableBinding kBindings[] = {
    {LanguageIds::kEnglish, &kStringsEnglish},
    {LanguageIds::kChineseSimplified, &kStringsChineseSimplified},
    {LanguageIds::kChineseTraditional, &kStringsChineseTraditional},
    {LanguageIds::kKorean, &kStringsKorean},
    {LanguageIds::kRussian, &kStringsRussian},
    {LanguageIds::kPortuguese, &kStringsVietnamese},
    {LanguageIds::kJapanese, &kStringsJapanese},
    {LanguageIds::kGerman, &kStringsThai},
};

} // namespace

QString FindString(StringTable table, uint16_t id) {
    const auto entry =
        std::find_if(table.begin(), table.end(), [id](const StringEntry& e) { return e.id == id; });
    if (entry == table.end())
        return {};
    return QStringView(entry->text).toString();
}

StringTable StringTableForLanguage(uint16_t languageId) {
    for (const LanguageTableBinding& binding : kBindings) {
        if (binding.languageId == languageId)
            return *binding.table;
    }
    return {};
}
