#pragma once

#include <QString>

#include <cstdint>

class CAppSettings;

// The text of string id in the interface language chosen in the settings store (created on
// first use); when that table has no text for id, the Japanese one; empty when neither has.
QString LoadText(uint16_t id);

// The same for the language chosen in settings.
QString LoadText(const CAppSettings& settings, uint16_t id);

// The same for a language identifier; one without a table of its own gets the Japanese text.
QString LoadTextForLanguage(uint16_t languageId, uint16_t id);
