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
