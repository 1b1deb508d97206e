#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include "base/csv.h"
#include "base/texts.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Everything the reader makes of a text, one entry per call: "<line>:" and the fields joined by
// '|' for a record, "!<line>:" and the reason for a refused one.
QStringList readAll(csv::Reader reader) {
    QStringList outcomes;
    for (;;) {
        try {
            const std::optional<QStringList> fields = reader.next();
            if (!fields) {
                return outcomes;
            }
            outcomes.append(QString::number(reader.line()) + u':' + fields->join(u'|'));
        } catch (const csv::ReadError& error) {
            outcomes.append(u'!' + QString::number(error.line()) + u':' + error.reason());
        }
    }
}

QStringList parsed(const QByteArray& bytes) {
    return readAll(csv::Reader(bytes, u"t.csv"_s, 1 << 20, 1000));
}

TEST(Csv, ReadsRecordsFieldsAndLineEnds) {
    const std::pair<QByteArray, QStringList> cases[] = {
        {"a,b\r\nc,d\r\n", {u"1:a|b"_s, u"2:c|d"_s}},
        {"a\rb\nc", {u"1:a"_s, u"2:b"_s, u"3:c"_s}},
        {",\n\n\r\n", {u"1:|"_s, u"2:"_s, u"3:"_s}},
        {"", {}},
        {"\"x,y\",\"say \"\"hi\"\"\",\"\",\"\"\"\"\n", {u"1:x,y|say \"hi\"||\""_s}},
        {"\"1\r\n2\n3\r4\",z\r\nnext", {u"1:1\r\n2\n3\r4|z"_s, u"5:next"_s}},
        {"\"a\r\"\"\nb\"\nc", {u"1:a\r\"\nb"_s, u"4:c"_s}},
        // Blanks after a closing quote go; a quote inside an unquoted field is kept.
        {"\"a\" \t,12\" pipe, b \n", {u"1:a|12\" pipe| b "_s}},
        {"\xEF\xBB\xBF"
         "B\xC3\x89TON,M\xC2\xB3",
         {u"1:B\u00c9TON|M\u00b3"_s}},
        {"B\xC9TON,M\xB3,\x80", {u"1:B\u00c9TON|M\u00b3|\u20ac"_s}},
        {"\xEF\xBB\xBF"
         "B\xC9TON",
         {u"1:B\u00c9TON"_s}},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(parsed(bytes), expected) << bytes.toStdString();
    }
}

TEST(Csv, RefusesMalformedRecordsWithTheirLineAndGoesOn) {
    const QString notClosed = texts::csvQuoteNotClosed();
    const QString afterQuote = texts::csvTextAfterQuote();
    const std::pair<QByteArray, QStringList> cases[] = {
        {"a\n\"b\nc,\"\"d\n", {u"1:a"_s, u"!2:"_s + notClosed}},
        {"x\n\"ab\"c,\"d\ne\"\nf", {u"1:x"_s, u"!2:"_s + afterQuote, u"4:f"_s}},
        {"\"a\nb\"x\ny", {u"!2:"_s + afterQuote, u"3:y"_s}},
        {QByteArray(1024, ',') + "\nz", {u"!1:"_s + texts::csvTooManyFields(1024), u"2:z"_s}},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(parsed(bytes), expected) << bytes.toStdString();
    }
    EXPECT_EQ(parsed(QByteArray(1023, ',')).value(0).size(), 2 + 1023);

    EXPECT_EQ(test::errorMessage([] { csv::Reader("\"open", u"t.csv"_s, 100, 10).next(); }),
              u"The file t.csv could not be read at line 1: a quote is not closed before the end "
              u"of the file"_s);
}

TEST(Csv, RefusesFilesOverItsLimitsBeforeReadingThem) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"m.csv"_s);
    test::writeFile(path, "a\r\nb\r\nc\r\n");
    EXPECT_EQ(readAll(csv::Reader::fromFile(path, 9, 3)),
              (QStringList{u"1:a"_s, u"2:b"_s, u"3:c"_s}));
    const std::tuple<QString, qint64, qsizetype, QString> cases[] = {
        {path, 8, 3, texts::fileTooLarge(8)},
        {path, 9, 2, texts::tooManyLines(2)},
        {dir.filePath(u"none.csv"_s), 9, 3, texts::noSuchFile()},
    };
    for (const auto& [file, maxBytes, maxLines, reason] : cases) {
        try {
            csv::Reader::fromFile(file, maxBytes, maxLines);
            ADD_FAILURE() << "read over the limits: " << maxBytes << ' ' << maxLines;
        } catch (const csv::ReadError& error) {
            EXPECT_EQ(error.line(), 0);
            EXPECT_EQ(error.message(), u"The file "_s + QDir::toNativeSeparators(file) +
                                           u" could not be read: "_s + reason);
        }
    }
}

TEST(Csv, WritesQuotesOnlyWhereNeeded) {
    const std::tuple<QStringList, csv::LineEnd, QByteArray> cases[] = {
        {{u"a"_s, u" b "_s, QString()}, csv::LineEnd::Lf, "a, b ,\n"},
        {{u"x,y"_s, u"say \"hi\""_s, u"1\r\n2"_s, u"\u00e9\u20ac"_s, u"c\rd"_s},
         csv::LineEnd::CrLf,
         "\"x,y\",\"say \"\"hi\"\"\",\"1\r\n2\",\xC3\xA9\xE2\x82\xAC,\"c\rd\"\r\n"},
    };
    for (const auto& [fields, lineEnd, bytes] : cases) {
        QByteArray out = "before\n";
        csv::appendRecord(out, fields, lineEnd);
        EXPECT_EQ(out, "before\n" + bytes);
        EXPECT_EQ(parsed(bytes), QStringList{u"1:"_s + fields.join(u'|')});
    }
}

}  // namespace
}  // namespace veskplan
