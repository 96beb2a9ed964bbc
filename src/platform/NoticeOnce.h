#pragma once

#include <QString>

// Writes line to standard error, after the application's name when it has one, unless the
// process wrote the same line before: a problem met on every read of a file shows once.
// Standard output stays untouched for the program's own output.
void NoticeOnce(const QString& line);
