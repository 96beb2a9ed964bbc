#pragma once

#include <QString>

#include <functional>

// Copies source to target through a temporary file beside target. The target name appears, or
// replaces an older file, only once the whole content is on disk and its size is the size the
// source had when the copy began; otherwise the temporary file is removed and an existing
// target stays as it was. keepGoing is asked before every block; false cancels the copy.
// Returns an empty string on success, else the reason.
QString CopyFileSafely(const QString& source, const QString& target,
                       const std::function<bool()>& keepGoing);
