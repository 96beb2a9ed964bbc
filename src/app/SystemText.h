#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The few texts the platform's own string loader supplies (101-103: the about menu item, the
// player error, the start-up failure). They follow the interface language of the system, not
// the language chosen in the settings, and are English where the system's has no table.
QString LoadSystemText(uint16_t id);

// The same for a list of BCP 47 language tags in order of preference (the form of
// QLocale::uiLanguages(); "de_DE.UTF-8" is understood too).
QString LoadSystemText(uint16_t id, const QStringList& uiLanguages);
