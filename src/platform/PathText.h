#pragma once

#include <QString>

// The platform's own separator: every path the program builds joins its parts with it.
#ifdef Q_OS_WIN
inline constexpr QChar kPathSeparator = QLatin1Char('\\');
#else
inline constexpr QChar kPathSeparator = QLatin1Char('/');
#endif

// Appends kPathSeparator unless the path is empty or already ends with a separator ("/",
// which Qt accepts everywhere, or kPathSeparator).
QString WithTrailingSeparator(const QString& path);

// Whether a name found in folderPath still reaches its file. A name that is not valid UTF-8 is
// only known decoded, with U+FFFD in place of its bad bytes (see UndecodableFileNames), and a
// path built from it names no file.
bool ListedNameReachesFile(const QString& folderPath, const QString& name);
