#pragma once

#include <QString>

class CAppSettings;

// The folder the open dialog's folder picker starts in (UI/Folder). A value that names
// nothing that exists reads as empty, so the picker opens at its own default place.
QString ReadRememberedFolder(const CAppSettings& settings);

// Remembers the folder just picked; one that does not exist is stored as empty rather than
// offered again. False when the settings file could not be written.
bool WriteRememberedFolder(CAppSettings& settings, const QString& folder);
