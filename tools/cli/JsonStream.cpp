#include "JsonStream.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <QVariant>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr qsizetype kIndentWidth = 4;
// The pending text goes to the stream in pieces of about this size.
constexpr size_t kFlushBytes = 64 * 1024;

char HexDigit(unsigned value) {
    return "0123456789abcdef"[value & 0xf];
}

// A QJsonValue holds a number as a 64-bit integer or as a double, and Qt writes the two
// differently: the integer with all its digits, the double in its shortest form.
bool HoldsInteger(const QJsonValue& number) {
    return number.toVariant().typeId() == QMetaType::LongLong;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x800) {
        out += static_cast<char>(0xc0 | (code >> 6));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xe0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
    }
    out += static_cast<char>(0x80 | (code & 0x3f));
}

char16_t UnitAt(QStringView text, qsizetype i) {
    return text[i].unicode();
}

char16_t UnitAt(std::string_view text, size_t i) {
    return static_cast<unsigned char>(text[i]);
}

void AppendUnicodeEscape(std::string& out, char16_t unit) {
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += HexDigit(static_cast<unsigned>(unit >> shift));
}

} // namespace

void JsonStream::BeginObject() {
    StartElement();
    Open('{', '}');
}

void JsonStream::BeginArray() {
    StartElement();
    Open('[', ']');
}

void JsonStream::BeginObject(std::string_view key) {
    StartMember(key);
    Open('{', '}');
}

void JsonStream::BeginArray(std::string_view key) {
    StartMember(key);
    Open('[', ']');
}

void JsonStream::Member(std::string_view key, const QJsonValue& value) {
    StartMember(key);
    WriteValue(value, static_cast<qsizetype>(m_open.size()));
    FlushWhenFull();
}

void JsonStream::Element(const QJsonValue& value) {
    StartElement();
    WriteValue(value, static_cast<qsizetype>(m_open.size()));
    FlushWhenFull();
}

void JsonStream::Object(JsonMembers members) {
    std::sort(members.begin(), members.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    BeginObject();
    for (const auto& [key, value] : members)
        Member(key, value);
    End();
}

void JsonStream::End() {
    const Container closed = m_open.back();
    m_open.pop_back();
    if (!closed.empty)
        m_pending += '\n';
    WriteIndent(static_cast<qsizetype>(m_open.size()));
    m_pending += closed.closing;
    if (!m_open.empty()) {
        FlushWhenFull();
        return;
    }
    m_pending += '\n';
    WritePending();
    std::fflush(m_out);
}

void JsonStream::Open(char opening, char closing) {
    m_pending += opening;
    m_pending += '\n';
    m_open.push_back({closing, true});
}

// The document itself starts on the first line; an element starts on a line of its own.
void JsonStream::StartElement() {
    if (m_open.empty())
        return;
    StartItem();
    WriteIndent(static_cast<qsizetype>(m_open.size()));
}

void JsonStream::StartMember(std::string_view key) {
    StartItem();
    WriteIndent(static_cast<qsizetype>(m_open.size()));
    WriteString(key);
    m_pending += ": ";
}

void JsonStream::StartItem() {
    if (!m_open.back().empty)
        m_pending += ",\n";
    m_open.back().empty = false;
}

// depth is the indentation of the line the value starts on; its members or elements go one
// level deeper and its closing bracket back at depth, as Qt lays out a nested container.
void JsonStream::WriteValue(const QJsonValue& value, qsizetype depth) {
    switch (value.type()) {
    case QJsonValue::Bool:
        m_pending += value.toBool() ? "true" : "false";
        return;
    case QJsonValue::Double:
        WriteNumber(value);
        return;
    case QJsonValue::String:
        WriteString(QStringView(value.toString()));
        return;
    case QJsonValue::Array: {
        m_pending += "[\n";
        const QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            WriteIndent(depth + 1);
            WriteValue(array.at(i), depth + 1);
            m_pending += i + 1 < array.size() ? ",\n" : "\n";
        }
        WriteIndent(depth);
        m_pending += ']';
        return;
    }
    case QJsonValue::Object: {
        m_pending += "{\n";
        const QJsonObject object = value.toObject();
        for (auto member = object.begin(); member != object.end(); ++member) {
            WriteIndent(depth + 1);
            WriteString(QStringView(member.key()));
            m_pending += ": ";
            WriteValue(member.value(), depth + 1);
            m_pending += std::next(member) != object.end() ? ",\n" : "\n";
        }
        WriteIndent(depth);
        m_pending += '}';
        return;
    }
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        m_pending += "null";
        return;
    }
}

void JsonStream::WriteNumber(const QJsonValue& number) {
    if (HoldsInteger(number)) {
        char digits[24];
        const auto written = std::to_chars(digits, digits + sizeof digits, number.toInteger());
        m_pending.append(digits, written.ptr);
        return;
    }
    const double value = number.toDouble();
    if (std::isfinite(value)) {
        m_pending += QByteArray::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
    } else {
        m_pending += "null";
    }
}

// Qt's escapes: the quote, the backslash and the control characters; everything else as
// UTF-8, and a surrogate without its partner as \u and four small hex digits.
template <typename Text> void JsonStream::WriteString(const Text& text) {
    m_pending += '"';
    for (decltype(text.size()) i = 0; i < text.size(); ++i) {
        const char16_t unit = UnitAt(text, i);
        switch (unit) {
        case u'"':
            m_pending += "\\\"";
            continue;
        case u'\\':
            m_pending += "\\\\";
            continue;
        case u'\b':
            m_pending += "\\b";
            continue;
        case u'\f':
            m_pending += "\\f";
            continue;
        case u'\n':
            m_pending += "\\n";
            continue;
        case u'\r':
            m_pending += "\\r";
            continue;
        case u'\t':
            m_pending += "\\t";
            continue;
        default:
            break;
        }
        if (unit < 0x20) {
            AppendUnicodeEscape(m_pending, unit);
        } else if (unit < 0x80) {
            m_pending += static_cast<char>(unit);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
                   QChar::isLowSurrogate(UnitAt(text, i + 1))) {
            AppendUtf8(m_pending, QChar::surrogateToUcs4(unit, UnitAt(text, i + 1)));
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            AppendUnicodeEscape(m_pending, unit);
        } else {
            AppendUtf8(m_pending, unit);
        }
    }
    m_pending += '"';
}

void JsonStream::WriteIndent(qsizetype depth) {
    m_pending.append(static_cast<size_t>(depth * kIndentWidth), ' ');
}

void JsonStream::FlushWhenFull() {
    if (m_pending.size() >= kFlushBytes)
        WritePending();
}

void JsonStream::WritePending() {
    std::fwrite(m_pending.data(), 1, m_pending.size(), m_out);
    m_pending.clear();
}
