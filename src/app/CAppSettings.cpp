#include "app/CAppSettings.h"

#include "app/LanguageTable.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

QString Latin1(const char* text) {
    return QString::fromLatin1(text);
}

} // namespace

CAppSettings& CAppSettings::Instance() {
    static CAppSettings instance(ProcessIniPath(), MissingFolder::CreateOnWrite);
    return instance;
}

QString CAppSettings::ProcessIniPath() {
    const QString fileName = Latin1(kFileName);
    const QFileInfo working(QDir::current().filePath(fileName));
    // A dangling link or a FIFO is the user's too: it is used, and refused with a notice.
    if (working.exists() || working.isSymLink())
        return QDir::toNativeSeparators(working.filePath());
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QDir::toNativeSeparators(QDir(folder).filePath(fileName));
}

CAppSettings::CAppSettings(const QString& iniPath, MissingFolder missingFolder)
    : m_ini(iniPath), m_missingFolder(missingFolder), m_languageIndex(kFallbackLanguageRow) {
    const int row = FindLanguageCode(ReadText(SettingsKeys::kLanguage));
    if (row >= 0)
        m_languageIndex = row;
    m_languageId = kLanguageTable[m_languageIndex].languageId;
}

int CAppSettings::ReadInt(const IntSetting& setting) const {
    return m_ini.ReadInt(Latin1(setting.section), Latin1(setting.key), setting.defaultValue);
}

QString CAppSettings::ReadText(const TextSetting& setting) const {
    return m_ini.ReadString(Latin1(setting.section), Latin1(setting.key),
                            Latin1(setting.defaultValue), setting.maxChars);
}

int CAppSettings::ReadMapChoice() {
    SetMapChoice(ReadInt(SettingsKeys::kMap));
    return m_mapChoice;
}

void CAppSettings::SetMapChoice(int choice) {
    m_mapChoice = std::clamp(choice, MapChoice::kGoogleMaps, MapChoice::kOpenStreetMap);
}

bool CAppSettings::Write(const QString& section, const QString& key, const QString& value) {
    if (m_missingFolder == MissingFolder::CreateOnWrite &&
        !QDir().mkpath(QFileInfo(m_ini.path()).absolutePath()))
        return false;
    return m_ini.WriteString(section, key, value);
}

bool CAppSettings::WriteInt(const QString& section, const QString& key, int value) {
    return Write(section, key, QString::asprintf("%d", value));
}

bool CAppSettings::WriteInt(const IntSetting& setting, int value) {
    return WriteInt(Latin1(setting.section), Latin1(setting.key), value);
}

bool CAppSettings::WriteText(const TextSetting& setting, const QString& value) {
    return Write(Latin1(setting.section), Latin1(setting.key), value);
}

void CAppSettings::SetLanguage(int index) {
    if (index < 0 || index >= kLanguageCount)
        return;
    const LanguageEntry& row = kLanguageTable[index];
    m_languageIndex = index;
    m_languageId = row.languageId;
    WriteText(SettingsKeys::kLanguage, Latin1(row.code));
}
