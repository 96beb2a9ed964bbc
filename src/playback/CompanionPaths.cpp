#include "playback/CompanionPaths.h"

#include "platform/PathText.h"

#include <QFileInfo>

namespace {

constexpr int kMostSeparatorsSkipped = 3;

bool IsSeparator(QChar c) {
    return c == QLatin1Char('/') || c == kPathSeparator;
}

qsizetype LastSeparator(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (IsSeparator(path.at(i)))
            return i;
    return -1;
}

// First the letter before the extension; then, when no file has that name, also the last
// letter of the folder the file lies in.
QString Companion(const QString& path, QChar letter) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return {};
    QString candidate = path;
    candidate[dot - 1] = letter;
    if (QFileInfo::exists(candidate))
        return candidate;

    qsizetype i = LastSeparator(candidate);
    if (i < 0)
        return {};
    for (int skipped = 0;
         i >= 0 && IsSeparator(candidate.at(i)) && skipped < kMostSeparatorsSkipped; ++skipped)
        --i;
    if (i < 0)
        return {};
    candidate[i] = letter;
    return QFileInfo::exists(candidate) ? candidate : QString();
}

} // namespace

QString FrontCompanion(const QString& path) {
    return Companion(path, QLatin1Char('F'));
}

QString RearCompanion(const QString& path) {
    return Companion(path, QLatin1Char('R'));
}
