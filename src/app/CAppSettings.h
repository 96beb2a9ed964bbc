#pragma once

#include "app/SettingsKeys.h"
#include "platform/IniFile.h"

#include <QString>

#include <cstdint>

// The settings store: the path of "Ktr.ini", the chosen interface language and the chosen map
// service. The other keys are read from the file each time they are asked for.
class CAppSettings {
public:
    static constexpr char kFileName[] = "Ktr.ini";

    // The store of the process, created on first use over the settings file of the working
    // directory of that moment; later changes of the working directory do not move it.
    static CAppSettings& Instance();

    // A store over the given settings file (Instance() passes the working directory's).
    // Starts from the "JPN" row and takes the row whose code UI/LANGID holds, if any.
    explicit CAppSettings(const QString& iniPath);

    CAppSettings(const CAppSettings&) = delete;
    CAppSettings& operator=(const CAppSettings&) = delete;

    const QString& iniPath() const { return m_ini.path(); }
    int languageIndex() const { return m_languageIndex; }
    uint16_t languageId() const { return m_languageId; }
    int mapChoice() const { return m_mapChoice; }

    int ReadInt(const IntSetting& setting) const;
    QString ReadText(const TextSetting& setting) const;
    // UI/MAP clamped into the MapChoice values, kept as mapChoice.
    int ReadMapChoice();
    // Clamped like the stored value.
    void SetMapChoice(int choice);

    // The value written with "%d"; false when the file could not be written.
    bool WriteInt(const QString& section, const QString& key, int value);
    bool WriteInt(const IntSetting& setting, int value);
    bool WriteText(const TextSetting& setting, const QString& value);

    // Selects row index of the language table and stores its code in UI/LANGID; an index
    // outside the table changes and writes nothing.
    void SetLanguage(int index);

private:
    IniFile m_ini;
    int m_languageIndex;
    uint16_t m_languageId;
    int m_mapChoice = MapChoice::kGoogleMaps;
};
