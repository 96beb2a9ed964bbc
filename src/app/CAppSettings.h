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

    enum class MissingFolder { FailWrites, CreateOnWrite };

    // The store of the process, created on first use over ProcessIniPath() of that moment;
    // later changes of the working directory do not move it.
    static CAppSettings& Instance();

    // "Ktr.ini" of the working directory when anything stands at that name, so portable use
    // and every existing file keep working; otherwise "Ktr.ini" in the user's configuration
    // folder, so that a program started from the desktop menu does not write into whatever
    // folder it was started in.
    static QString ProcessIniPath();

    // A store over the given settings file. Starts from the "JPN" row and takes the row whose
    // code UI/LANGID holds, if any. With CreateOnWrite a write first makes the file's folder.
    explicit CAppSettings(const QString& iniPath,
                          MissingFolder missingFolder = MissingFolder::FailWrites);

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
    bool Write(const QString& section, const QString& key, const QString& value);

    IniFile m_ini;
    MissingFolder m_missingFolder;
    int m_languageIndex;
    uint16_t m_languageId;
    int m_mapChoice = MapChoice::kGoogleMaps;
};
