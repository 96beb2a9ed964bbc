#pragma once

#include <QString>

// Small changes to one file. Each returns an empty string on success, else the system's reason.

// Gives the owner write permission again, so the file no longer counts as read-only.
QString ClearReadOnly(const QString& path);
// Fails, and changes nothing, when to already exists.
QString RenameWithoutReplacing(const QString& from, const QString& to);
QString RemoveFile(const QString& path);
