#include "platform/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/BoundedFileRead.h"
#include "platform/FileStatus.h"
#include "platform/NoticeOnce.h"

#include <QStringDecoder>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace {

enum class Encoding { Utf8, Utf16Le };

const QByteArray kUtf8Bom("\xEF\xBB\xBF");
const QByteArray kUtf16LeBom("\xFF\xFE");

#ifdef Q_OS_WIN
constexpr QStringView kNativeNewLine = u"\r\n";
#else
constexpr QStringView kNativeNewLine = u"\n";
#endif

struct Line {
    QString text;      // decoded, without the line ending
    QByteArray body;   // the bytes of text exactly as they are in the file
    QByteArray ending; // encoded "\n" or "\r\n"; empty on an unterminated last line
};

struct Document {
    Encoding encoding = Encoding::Utf8;
    QByteArray bom;
    std::vector<Line> lines;
    QByteArray tail; // the odd last byte of a broken UTF-16 file, kept as it was
};

enum class LoadResult { Loaded, Missing, Refused };

// Reads and writes both report through this line, so a file that is neither read nor written
// shows once, however often the program asks for its keys.
void ReportUnusable(const QString& path, const QString& reason) {
    NoticeOnce(QStringLiteral("\"%1\" %2: settings are not read from it or saved into it")
                   .arg(path, reason));
}

void ReportReadOnly(const QString& path) {
    NoticeOnce(QStringLiteral("\"%1\" is read-only: settings are not saved into it").arg(path));
}

QByteArray Encode(Encoding encoding, QStringView text) {
    if (encoding == Encoding::Utf8)
        return text.toUtf8();
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

// A line that is not valid UTF-8 is matched as Latin-1: every byte stays one character, so
// names still compare and the bytes are never rewritten unless the line itself changes.
QString DecodeUtf8Line(const QByteArray& bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

void SplitUtf8(const QByteArray& data, Document& doc) {
    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype newLine = data.indexOf('\n', start);
        const qsizetype next = newLine < 0 ? data.size() : newLine + 1;
        qsizetype bodyEnd = newLine < 0 ? data.size() : newLine;
        if (newLine >= 0 && bodyEnd > start && data[bodyEnd - 1] == '\r')
            --bodyEnd;
        Line line;
        line.body = data.mid(start, bodyEnd - start);
        line.ending = data.mid(bodyEnd, next - bodyEnd);
        line.text = DecodeUtf8Line(line.body);
        doc.lines.push_back(std::move(line));
        start = next;
    }
}

void SplitUtf16Le(const QByteArray& data, Document& doc) {
    const qsizetype units = data.size() / 2;
    QString all(units, Qt::Uninitialized);
    for (qsizetype i = 0; i < units; ++i) {
        const auto low = static_cast<unsigned char>(data[2 * i]);
        const auto high = static_cast<unsigned char>(data[2 * i + 1]);
        all[i] = QChar(static_cast<char16_t>(low | (high << 8)));
    }
    if (data.size() % 2 != 0)
        doc.tail = data.right(1);
    qsizetype start = 0;
    while (start < units) {
        const qsizetype newLine = all.indexOf(u'\n', start);
        const qsizetype next = newLine < 0 ? units : newLine + 1;
        qsizetype bodyEnd = newLine < 0 ? units : newLine;
        if (newLine >= 0 && bodyEnd > start && all[bodyEnd - 1] == u'\r')
            --bodyEnd;
        Line line;
        line.text = all.mid(start, bodyEnd - start);
        line.body = data.mid(2 * start, 2 * (bodyEnd - start));
        line.ending = data.mid(2 * bodyEnd, 2 * (next - bodyEnd));
        doc.lines.push_back(std::move(line));
        start = next;
    }
}

LoadResult Load(const QString& path, Document& doc) {
    const BoundedRead file = ReadBoundedFile(path, IniFile::kMaxFileBytes);
    if (file.status == BoundedRead::Status::Missing)
        return LoadResult::Missing;
    if (file.status == BoundedRead::Status::Refused) {
        ReportUnusable(path, file.refusal);
        return LoadResult::Refused;
    }
    const QByteArray& data = file.data;
    if (data.startsWith(kUtf16LeBom)) {
        doc.encoding = Encoding::Utf16Le;
        doc.bom = kUtf16LeBom;
        SplitUtf16Le(data.mid(kUtf16LeBom.size()), doc);
    } else {
        if (data.startsWith(kUtf8Bom))
            doc.bom = kUtf8Bom;
        SplitUtf8(data.mid(doc.bom.size()), doc);
    }
    return LoadResult::Loaded;
}

bool Save(const QString& path, const Document& doc) {
    QByteArray data = doc.bom;
    for (const Line& line : doc.lines)
        data += line.body + line.ending;
    data += doc.tail;
    return WriteFileAtomically(path, data);
}

bool SameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct ParsedLine {
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    QStringView name;
    qsizetype valueStart = 0; // index in the line's text where the value begins
};

ParsedLine Parse(const QString& text) {
    ParsedLine parsed;
    const QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.lastIndexOf(u']');
        parsed.kind = ParsedLine::Kind::Section;
        parsed.name = (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
        return parsed;
    }
    if (trimmed.startsWith(u';'))
        return parsed;
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return parsed;
    parsed.kind = ParsedLine::Kind::Key;
    parsed.name = QStringView(text).left(equals).trimmed();
    qsizetype valueStart = equals + 1;
    while (valueStart < text.size() && text[valueStart].isSpace())
        ++valueStart;
    parsed.valueStart = valueStart;
    return parsed;
}

// Only the first section of a name counts, as on the original platform: a later section of
// the same name is neither read nor written.
struct Location {
    qsizetype sectionLine = -1;
    qsizetype keyLine = -1;
    qsizetype lastKeyLine = -1;
};

Location Find(const Document& doc, QStringView section, QStringView key) {
    Location location;
    for (qsizetype i = 0; i < static_cast<qsizetype>(doc.lines.size()); ++i) {
        const ParsedLine parsed = Parse(doc.lines[i].text);
        if (parsed.kind == ParsedLine::Kind::Section) {
            if (location.sectionLine >= 0)
                break;
            if (SameName(parsed.name, section))
                location.sectionLine = i;
        } else if (parsed.kind == ParsedLine::Kind::Key && location.sectionLine >= 0) {
            location.lastKeyLine = i;
            if (location.keyLine < 0 && SameName(parsed.name, key))
                location.keyLine = i;
        }
    }
    return location;
}

bool IsQuote(QChar c) {
    return c == u'"' || c == u'\'';
}

bool HasEnclosingQuotes(QStringView value) {
    return value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
}

QString ValueOf(const QString& text) {
    QStringView value = QStringView(text).mid(Parse(text).valueStart).trimmed();
    if (HasEnclosingQuotes(value))
        value = value.mid(1, value.size() - 2);
    return value.toString();
}

// Reading trims the value and drops one pair of enclosing quotes, so a value that would lose
// something that way is stored inside quotes and reads back unchanged.
QString StoredValue(const QString& value) {
    if (value != value.trimmed() || HasEnclosingQuotes(value))
        return u'"' + value + u'"';
    return value;
}

bool HasLineBreak(QStringView text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

bool CanStore(QStringView section, QStringView key, QStringView value) {
    if (section.isEmpty() || HasLineBreak(section) || section.contains(u']'))
        return false;
    if (key.isEmpty() || HasLineBreak(key) || key.contains(u'=') || key.startsWith(u'[') ||
        key.startsWith(u';'))
        return false;
    return !HasLineBreak(value);
}

QByteArray NewLineOf(const Document& doc) {
    for (const Line& line : doc.lines) {
        if (!line.ending.isEmpty())
            return line.ending;
    }
    return Encode(doc.encoding, kNativeNewLine);
}

Line MakeLine(Encoding encoding, const QString& text, const QByteArray& ending) {
    return Line{text, Encode(encoding, text), ending};
}

QString Truncated(QString text, int maxChars) {
    if (maxChars >= 0 && text.size() > maxChars)
        text.truncate(maxChars);
    return text;
}

int ParseLeadingInt(QStringView text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    const qint64 limit = negative ? -static_cast<qint64>(INT_MIN) : INT_MAX;
    qint64 magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        magnitude = std::min(magnitude * 10 + (text[i].unicode() - u'0'), limit);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue,
                            int maxChars) const {
    Document doc;
    if (Load(m_path, doc) != LoadResult::Loaded)
        return Truncated(defaultValue, maxChars);
    const Location location = Find(doc, section.trimmed(), key.trimmed());
    if (location.keyLine < 0)
        return Truncated(defaultValue, maxChars);
    return Truncated(ValueOf(doc.lines[location.keyLine].text), maxChars);
}

int IniFile::ReadInt(const QString& section, const QString& key, int defaultValue) const {
    const QString text = ReadString(section, key, QString());
    return text.isEmpty() ? defaultValue : ParseLeadingInt(text);
}

bool IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (!CanStore(sectionName, keyName, value))
        return false;
    Document doc;
    const LoadResult loaded = Load(m_path, doc);
    if (loaded == LoadResult::Refused)
        return false;
    // Replacing goes by the folder's permissions, not the file's: the file's own write bit
    // has to be asked for, or a file the user protected would be replaced all the same.
    if (loaded == LoadResult::Loaded && (QueryFileAttributes(m_path) & kAttrReadOnly) != 0) {
        ReportReadOnly(m_path);
        return false;
    }
    const QByteArray newLine = NewLineOf(doc);
    const QString stored = StoredValue(value);
    const Location location = Find(doc, sectionName, keyName);
    if (location.keyLine >= 0) {
        Line& line = doc.lines[location.keyLine];
        line.text = line.text.left(Parse(line.text).valueStart) + stored;
        line.body = Encode(doc.encoding, line.text);
        return Save(m_path, doc);
    }
    const Line entry = MakeLine(doc.encoding, keyName + u'=' + stored, newLine);
    if (location.sectionLine >= 0) {
        const qsizetype after = std::max(location.lastKeyLine, location.sectionLine);
        Line& previous = doc.lines[after];
        if (previous.ending.isEmpty())
            previous.ending = newLine;
        doc.lines.insert(doc.lines.begin() + after + 1, entry);
    } else {
        if (!doc.lines.empty() && doc.lines.back().ending.isEmpty())
            doc.lines.back().ending = newLine;
        doc.lines.push_back(MakeLine(doc.encoding, u'[' + sectionName + u']', newLine));
        doc.lines.push_back(entry);
    }
    return Save(m_path, doc);
}
