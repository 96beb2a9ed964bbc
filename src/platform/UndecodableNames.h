#pragma once

#include <QString>
#include <QStringList>

// The regular files in directory whose names are not valid UTF-8, each name decoded with U+FFFD
// in place of its bad bytes. Qt's directory listings leave such names out altogether. Hidden
// names are left out here as well; a directory that cannot be read gives none.
QStringList UndecodableFileNames(const QString& directory);
