#include "app/StringTable.h"

#include <algorithm>

namespace {

struct LanguageTableBinding {
    uint16_t languageId;
    const StringTable* table;
};

// The identifiers of the rows "POR" (2070) and "GER" (1031) select the Vietnamese and the
// Thai table.
constexpr LanguageTableBinding kBindings[] = {
    {0x0409, &kStringsEnglish},
    {0x0804, &kStringsChineseSimplified},
    {0x0404, &kStringsChineseTraditional},
    {0x0412, &kStringsKorean},
    {0x0419, &kStringsRussian},
    {0x0816, &kStringsVietnamese},
    {0x0411, &kStringsJapanese},
    {0x0407, &kStringsThai},
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
