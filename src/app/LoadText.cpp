#include "app/LoadText.h"

#include "app/CAppSettings.h"
#include "app/LanguageTable.h"
#include "app/StringTable.h"

QString LoadText(uint16_t id) {
    return LoadText(CAppSettings::Instance(), id);
}

QString LoadText(const CAppSettings& settings, uint16_t id) {
    return LoadTextForLanguage(kLanguageTable[settings.languageIndex()].languageId, id);
}

// Japanese answers for every language, English included: that is how the texts have always
// been looked up, so a table's gaps show the same text as before.
QString LoadTextForLanguage(uint16_t languageId, uint16_t id) {
    const QString text = FindString(StringTableForLanguage(languageId), id);
    if (!text.isEmpty())
        return text;
    return FindString(StringTableForLanguage(kFallbackLanguageId), id);
}
