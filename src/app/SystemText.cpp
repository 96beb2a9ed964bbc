#include "app/SystemText.h"

#include "app/StringTable.h"

#include <QLocale>

#include <span>

namespace {

// Languages that have a table for the system loader but are not selectable in the program.
constexpr StringEntry kArabic[] = {
    {101, u"حول Kestrola"},
    {102, u"حدث خطأ في مشغل الوسائط."},
    {103, u"فشلت تهيئة مآخذ توصيل Windows."},
};
constexpr StringEntry kCzech[] = {
    {101, u"O aplikaci Kestrola"},
    {102, u"V přehrávači médií došlo k chybě."},
    {103, u"Inicializace rozhraní Windows Sockets se nezdařila."},
};
constexpr StringEntry kGerman[] = {
    {101, u"Info über Kestrola"},
    {102, u"Im Mediaplayer ist ein Fehler aufgetreten."},
    {103, u"Windows Sockets konnten nicht initialisiert werden."},
};
constexpr StringEntry kSpanish[] = {
    {101, u"Acerca de Kestrola"},
    {102, u"El reproductor multimedia encontró un error."},
    {103, u"Error al inicializar Windows Sockets."},
};
constexpr StringEntry kFrench[] = {
    {101, u"À propos de Kestrola"},
    {102, u"Le lecteur multimédia a rencontré une erreur."},
    {103, u"Échec de l'initialisation des sockets Windows."},
};
constexpr StringEntry kItalian[] = {
    {101, u"Informazioni su Kestrola"},
    {102, u"Si è verificato un errore nel lettore multimediale."},
    {103, u"Inizializzazione di Windows Sockets non riuscita."},
};
constexpr StringEntry kLatvian[] = {
    {101, u"Par Kestrola"},
    {102, u"Multivides atskaņotājā radās kļūda."},
    {103, u"Neizdevās inicializēt Windows ligzdas."},
};
constexpr StringEntry kPolish[] = {
    {101, u"Kestrola — informacje"},
    {102, u"Wystąpił błąd odtwarzacza multimediów."},
    {103, u"Nie udało się zainicjować gniazd systemu Windows."},
};
constexpr StringEntry kPortuguese[] = {
    {101, u"Acerca do Kestrola"},
    {102, u"O leitor multimédia encontrou um erro."},
    {103, u"Falha ao inicializar os sockets do Windows."},
};
constexpr StringEntry kRomanian[] = {
    {101, u"Despre Kestrola"},
    {102, u"Playerul media a întâmpinat o eroare."},
    {103, u"Inițializarea Windows Sockets a eșuat."},
};
constexpr StringEntry kSlovak[] = {
    {101, u"O aplikácii Kestrola"},
    {102, u"V prehrávači médií sa vyskytla chyba."},
    {103, u"Inicializácia rozhrania Windows Sockets zlyhala."},
};
constexpr StringEntry kTurkish[] = {
    {101, u"Kestrola hakkında"},
    {102, u"Medya oynatıcı bir hatayla karşılaştı."},
    {103, u"Windows yuvaları başlatılamadı."},
};
constexpr StringEntry kUkrainian[] = {
    {101, u"Про програму Kestrola"},
    {102, u"Сталася помилка медіапрогравача."},
    {103, u"Не вдалося ініціалізувати сокети Windows."},
};

struct SystemTable {
    QStringView language; // primary subtag, or "zh-Hans" / "zh-Hant"
    StringTable table;
};

std::span<const SystemTable> SystemTables() {
    static const SystemTable tables[] = {
        {u"en", kStringsEnglish},
        {u"zh-Hans", kStringsChineseSimplified},
        {u"zh-Hant", kStringsChineseTraditional},
        {u"ko", kStringsKorean},
        {u"ru", kStringsRussian},
        {u"vi", kStringsVietnamese},
        {u"ja", kStringsJapanese},
        {u"th", kStringsThai},
        {u"ar", kArabic},
        {u"cs", kCzech},
        {u"de", kGerman},
        {u"es", kSpanish},
        {u"fr", kFrench},
        {u"it", kItalian},
        {u"lv", kLatvian},
        {u"pl", kPolish},
        {u"pt", kPortuguese},
        {u"ro", kRomanian},
        {u"sk", kSlovak},
        {u"tr", kTurkish},
        {u"uk", kUkrainian},
    };
    return tables;
}

// Chinese needs the script: Traditional when the tag names it or a region that writes it.
QString TableLanguageOf(const QString& tag) {
    QString normalized = tag.toLower();
    normalized.replace(u'_', u'-').replace(u'.', u'-').replace(u'@', u'-');
    const QStringList subtags = normalized.split(u'-');
    const QString& language = subtags.front();
    if (language != u"zh")
        return language;
    for (const QString& subtag : subtags.mid(1)) {
        if (subtag == u"hant" || subtag == u"tw" || subtag == u"hk" || subtag == u"mo")
            return QStringLiteral("zh-Hant");
    }
    return QStringLiteral("zh-Hans");
}

StringTable SystemTableFor(const QStringList& uiLanguages) {
    for (const QString& tag : uiLanguages) {
        const QString language = TableLanguageOf(tag);
        for (const SystemTable& entry : SystemTables()) {
            if (entry.language == language)
                return entry.table;
        }
    }
    return kStringsEnglish;
}

} // namespace

QString LoadSystemText(uint16_t id) {
    return LoadSystemText(id, QLocale::system().uiLanguages());
}

QString LoadSystemText(uint16_t id, const QStringList& uiLanguages) {
    const QString text = FindString(SystemTableFor(uiLanguages), id);
    return text.isEmpty() ? FindString(kStringsEnglish, id) : text;
}
