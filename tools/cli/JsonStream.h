#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonValue>
#include <QString>

#include <cstdio>
#include <vector>

// Writes one indented JSON document as it goes, laid out byte for byte as
// QJsonDocument::Indented lays out the whole document, so that an answer of any size needs
// only the memory of the piece being written. Every value is formatted by Qt itself; this
// class only places the pieces. What is written cannot be reordered: members must come in the
// order a QJsonObject keeps its keys (sorted), or the output differs from the tree's.
class JsonStream {
public:
    explicit JsonStream(std::FILE* out) : m_out(out) {}
    JsonStream(const JsonStream&) = delete;
    JsonStream& operator=(const JsonStream&) = delete;

    // The document itself, or an element of the open array.
    void BeginObject();
    // Members of the open object.
    void BeginObject(const QString& key);
    void BeginArray(const QString& key);
    void Member(const QString& key, const QJsonValue& value);
    // Elements of the open array; a batch is written as its elements one after another.
    void Element(const QJsonValue& value) { Elements(QJsonArray{value}); }
    void Elements(const QJsonArray& batch);
    // Closes the innermost open object or array; closing the document ends its last line and
    // flushes the stream.
    void End();

private:
    struct Container {
        char closing;
        bool empty;
    };

    void Push(char opening, char closing);
    void StartItem();
    void WriteIndented(const QByteArray& piece);
    void Write(const QByteArray& bytes);
    QByteArray Indent(qsizetype levels) const;

    std::FILE* m_out;
    std::vector<Container> m_open;
};
