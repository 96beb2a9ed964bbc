#include "JsonStream.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// What a JsonStream wrote through write(), read back whole.
template <typename Write> QByteArray Streamed(const Write& write) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::tmpfile());
    if (!file) {
        ADD_FAILURE() << "no temporary file";
        return {};
    }
    {
        JsonStream out(file.get());
        write(out);
    }
    std::rewind(file.get());
    QByteArray bytes;
    char buffer[4096];
    while (const size_t got = std::fread(buffer, 1, sizeof buffer, file.get()))
        bytes.append(buffer, static_cast<qsizetype>(got));
    return bytes;
}

const QJsonArray kNumbers{0,
                          -0.0,
                          3.0,
                          0.1,
                          -2.5e-7,
                          1e300,
                          1e15,
                          1234567.0,
                          1e19,
                          4807.038,
                          qint64{9007199254740993},
                          std::numeric_limits<qint64>::max(),
                          std::numeric_limits<qint64>::min(),
                          -9223372036854775808.0,
                          std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity()};

const QJsonArray kTexts{
    QString(),
    QStringLiteral("plain"),
    QStringLiteral("quote\" backslash\\ slash/"),
    QString::fromUtf16(u"\b\f\n\r\t\x01\x1f\x7f"),
    QStringLiteral("Ünïcode 日本 €"),
    QString::fromUtf16(u"\U0001F697 car"),
    QString(QChar(0xd83d)) + QLatin1Char('a'),
    QString(QChar(0xde97)),
    QString(QChar(0xd83d)),
};

// The stream must lay out what it writes as Qt lays out the same tree, byte for byte: every
// kind of value, empty and nested containers, numbers on both sides of the integer rule and
// text that needs escapes.
TEST(JsonStream, WritesWhatQtWritesForTheSameTree) {
    const QJsonObject nested{{QStringLiteral("empty array"), QJsonArray()},
                             {QStringLiteral("empty object"), QJsonObject()},
                             {QStringLiteral("rows"), QJsonArray{QJsonArray{1, 2}, QJsonArray()}}};
    const QJsonObject tree{
        {QStringLiteral("flags"), QJsonArray{true, false, QJsonValue()}},
        {QStringLiteral("nested"), nested},
        {QStringLiteral("numbers"), kNumbers},
        {QStringLiteral("object"), QJsonObject{{QStringLiteral("b"), 2}, {QStringLiteral("a"), 1}}},
        {QStringLiteral("texts"), kTexts},
    };

    const QByteArray written = Streamed([&](JsonStream& out) {
        out.BeginObject();
        out.Member("flags", tree[QStringLiteral("flags")]);
        out.BeginObject("nested");
        out.BeginArray("empty array");
        out.End();
        out.BeginObject("empty object");
        out.End();
        out.BeginArray("rows");
        out.Element(QJsonArray{1, 2});
        out.BeginArray();
        out.End();
        out.End();
        out.End();
        out.BeginArray("numbers");
        for (const QJsonValue& number : kNumbers)
            out.Element(number);
        out.End();
        out.Member("object", tree[QStringLiteral("object")]);
        out.Member("texts", kTexts);
        out.End();
    });
    EXPECT_EQ(written.toStdString(),
              QJsonDocument(tree).toJson(QJsonDocument::Indented).toStdString());

    // Gathered out of order, written in key order.
    const QByteArray members = Streamed([](JsonStream& out) {
        out.Object({{"b", 2}, {"texts", kTexts}, {"a", 1}, {"numbers", kNumbers}});
    });
    const QJsonObject sorted{{QStringLiteral("b"), 2},
                             {QStringLiteral("texts"), kTexts},
                             {QStringLiteral("a"), 1},
                             {QStringLiteral("numbers"), kNumbers}};
    EXPECT_EQ(members.toStdString(),
              QJsonDocument(sorted).toJson(QJsonDocument::Indented).toStdString());
}

} // namespace
