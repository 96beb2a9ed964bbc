#include "app/LanguageTable.h"

int FindLanguageCode(const QString& code) {
    for (int row = 0; row < kLanguageCount; ++row) {
        if (code == QLatin1String(kLanguageTable[row].code))
            return row;
    }
    return -1;
}
