#include "FuzzInputFile.h"
#include "platform/IniFile.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstdlib>

// Input: a 16-bit length, that many bytes of settings file, then section, key and value as
// UTF-8 separated by NUL bytes. The file is read with those names, the value written into it
// and the file read again.
namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");
const QByteArray kUtf16LeBom("\xFF\xFE");
const QString kDefault = QStringLiteral("\x01 default");

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// The file's lines without their endings and without trailing carriage returns (a write may
// end an unterminated last line, so its "\r" can become part of a "\r\n"), bytes kept one
// character each (or UTF-16 units), after the byte-order mark.
QStringList LinesOf(const QByteArray& file) {
    QString text;
    if (file.startsWith(kUtf16LeBom)) {
        const QByteArray units = file.mid(kUtf16LeBom.size());
        text = QString::fromUtf16(reinterpret_cast<const char16_t*>(units.constData()),
                                  units.size() / 2);
    } else {
        text = QString::fromLatin1(file.startsWith(kUtf8Bom) ? file.mid(kUtf8Bom.size()) : file);
    }
    QStringList lines = text.split(u'\n');
    if (lines.back().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        while (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

// A write changes one line in place, or adds the key line (after a new section line when the
// section did not exist); every other line stays as it was.
void CheckOtherLinesKept(const QByteArray& before, const QByteArray& after) {
    const QStringList old = LinesOf(before);
    const QStringList now = LinesOf(after);
    const qsizetype shorter = std::min(old.size(), now.size());
    qsizetype prefix = 0;
    while (prefix < shorter && old[prefix] == now[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    const qsizetype removed = old.size() - prefix - suffix;
    const qsizetype added = now.size() - prefix - suffix;
    Check((removed == 0 && added >= 0 && added <= 2) || (removed == 1 && added == 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzInputFile file(QStringLiteral("Ktr.ini"));
    if (size < 2)
        return 0;
    const size_t fileBytes = std::min<size_t>(data[0] | data[1] << 8, size - 2);
    const QByteArray before(reinterpret_cast<const char*>(data + 2),
                            static_cast<qsizetype>(fileBytes));
    const QList<QByteArray> names = QByteArray(reinterpret_cast<const char*>(data + 2 + fileBytes),
                                               static_cast<qsizetype>(size - 2 - fileBytes))
                                        .split('\0');
    const QString section = QString::fromUtf8(names.value(0));
    const QString key = QString::fromUtf8(names.value(1));
    const QString value = QString::fromUtf8(names.value(2));

    IniFile ini(file.Write(reinterpret_cast<const uint8_t*>(before.constData()), fileBytes));
    ini.ReadString(section, key, kDefault, static_cast<int>(fileBytes % 80) - 1);
    ini.ReadInt(section, key, 0);
    if (!ini.WriteString(section, key, value)) {
        QFile unchanged(ini.path());
        Check(unchanged.open(QIODevice::ReadOnly) && unchanged.readAll() == before);
        return 0;
    }
    Check(ini.ReadString(section, key, kDefault) == value);
    QFile written(ini.path());
    Check(written.open(QIODevice::ReadOnly));
    CheckOtherLinesKept(before, written.readAll());
    return 0;
}
