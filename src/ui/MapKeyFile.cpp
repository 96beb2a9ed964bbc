#include "ui/MapKeyFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

// Far beyond any key file; a larger one is not a key file and counts as giving no key.
constexpr qint64 kMaxFileBytes = 64 * 1024;

} // namespace

MapKeyFile::MapKeyFile(const QString& pageFolder) {
    QFile file(QDir(pageFolder).filePath(QLatin1String(kFileName)));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return;
    m_text = QString::fromUtf8(file.readAll());
}

bool MapKeyFile::HasKey(const QString& name) const {
    // name: "value", also with the name quoted or single quotes, as JavaScript allows.
    const QRegularExpression entry(
        QStringLiteral(R"((?:^|[{,\s])(["']?)%1\1\s*:\s*(["'])([^"'\n]*)\2)")
            .arg(QRegularExpression::escape(name)));
    const QRegularExpressionMatch match = entry.match(m_text);
    return match.hasMatch() && !match.captured(3).trimmed().isEmpty();
}
