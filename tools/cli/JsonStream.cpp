#include "JsonStream.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr qsizetype kIndentWidth = 4;
// What QJsonDocument puts around the content of a top-level container: "{\n" or "[\n"
// before it, "\n}\n" or "\n]\n" after it.
constexpr qsizetype kHeadBytes = 2;
constexpr qsizetype kTailBytes = 3;

QByteArray Content(const QByteArray& document) {
    if (document.size() <= kHeadBytes + kTailBytes)
        return {};
    return document.mid(kHeadBytes, document.size() - kHeadBytes - kTailBytes);
}

QByteArray QuotedKey(const QString& key) {
    const QByteArray compact = QJsonDocument(QJsonArray{key}).toJson(QJsonDocument::Compact);
    return compact.mid(1, compact.size() - 2);
}

} // namespace

void JsonStream::BeginObject() {
    if (!m_open.empty())
        StartItem();
    if (!m_open.empty())
        Write(Indent(static_cast<qsizetype>(m_open.size())));
    Push('{', '}');
}

void JsonStream::BeginObject(const QString& key) {
    StartItem();
    Write(Indent(static_cast<qsizetype>(m_open.size())) + QuotedKey(key) + ": ");
    Push('{', '}');
}

void JsonStream::BeginArray(const QString& key) {
    StartItem();
    Write(Indent(static_cast<qsizetype>(m_open.size())) + QuotedKey(key) + ": ");
    Push('[', ']');
}

void JsonStream::Member(const QString& key, const QJsonValue& value) {
    StartItem();
    WriteIndented(
        Content(QJsonDocument(QJsonObject{{key, value}}).toJson(QJsonDocument::Indented)));
}

void JsonStream::Elements(const QJsonArray& batch) {
    if (batch.isEmpty())
        return;
    StartItem();
    WriteIndented(Content(QJsonDocument(batch).toJson(QJsonDocument::Indented)));
}

void JsonStream::End() {
    const Container closed = m_open.back();
    m_open.pop_back();
    if (!closed.empty)
        Write(QByteArray(1, '\n'));
    Write(Indent(static_cast<qsizetype>(m_open.size())) + closed.closing);
    if (m_open.empty()) {
        Write(QByteArray(1, '\n'));
        std::fflush(m_out);
    }
}

void JsonStream::Push(char opening, char closing) {
    Write(QByteArray(1, opening) + '\n');
    m_open.push_back({closing, true});
}

void JsonStream::StartItem() {
    if (!m_open.back().empty)
        Write(",\n");
    m_open.back().empty = false;
}

// Qt wrote the piece as the content of a top-level container, one level deep; it goes as
// many levels deeper as containers are open around it beyond the first.
void JsonStream::WriteIndented(const QByteArray& piece) {
    const qsizetype extra = static_cast<qsizetype>(m_open.size()) - 1;
    if (extra == 0) {
        Write(piece);
        return;
    }
    const QByteArray indent = Indent(extra);
    QByteArray shifted;
    shifted.reserve(piece.size() + piece.size() / 4);
    shifted += indent;
    for (const char c : piece) {
        shifted += c;
        if (c == '\n')
            shifted += indent;
    }
    Write(shifted);
}

void JsonStream::Write(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), m_out);
}

QByteArray JsonStream::Indent(qsizetype levels) const {
    return QByteArray(levels * kIndentWidth, ' ');
}
