#pragma once

#include <QJsonValue>
#include <QString>
#include <QStringView>

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The members of one object, gathered in any order. Keys are ASCII, as all of ours are.
using JsonMembers = std::vector<std::pair<std::string_view, QJsonValue>>;

// Writes one indented JSON document as it goes, laid out byte for byte as
// QJsonDocument::Indented lays out the whole document, so that an answer of any size needs
// only the memory of the value being written. Values are written as a QJsonObject would hold
// them: a number without a fraction that fits 64 bits as an integer, any other finite number
// in its shortest form, text as UTF-8 with Qt's escapes. What is written cannot be reordered:
// members must come in the order a QJsonObject keeps its keys (sorted), or the output differs
// from the tree's.
class JsonStream {
public:
    explicit JsonStream(std::FILE* out) : m_out(out) {}
    JsonStream(const JsonStream&) = delete;
    JsonStream& operator=(const JsonStream&) = delete;

    // The document itself, or an element of the open array.
    void BeginObject();
    void BeginArray();
    // Members of the open object.
    void BeginObject(std::string_view key);
    void BeginArray(std::string_view key);
    void Member(std::string_view key, const QJsonValue& value);
    // Elements of the open array.
    void Element(const QJsonValue& value);
    // An object whose members were gathered in any order, written in key order as a
    // QJsonObject keeps them: the document itself, or an element of the open array.
    void Object(JsonMembers members);
    // Closes the innermost open object or array; closing the document ends its last line and
    // flushes the stream.
    void End();

private:
    struct Container {
        char closing;
        bool empty;
    };

    void Open(char opening, char closing);
    void StartElement();
    void StartMember(std::string_view key);
    void StartItem();
    void WriteValue(const QJsonValue& value, qsizetype depth);
    void WriteNumber(const QJsonValue& number);
    template <typename Text> void WriteString(const Text& text);
    void WriteIndent(qsizetype depth);
    void FlushWhenFull();
    void WritePending();

    std::FILE* m_out;
    std::string m_pending;
    std::vector<Container> m_open;
};
