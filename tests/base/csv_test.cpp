#include <gtest/gtest.h>
#include <QDir>
#include <QStringEncoder>
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
        {"\357\273\277B\xC3\x89TON,M\xC2\xB3", {u"1:B\u00c9TON|M\u00b3"_s}},  // after a BOM
        {"B\xC9TON,M\xB3,\x80", {u"1:B\u00c9TON|M\u00b3|\u20ac"_s}},
        {"\357\273\277B\xC9TON", {u"1:B\u00c9TON"_s}},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(parsed(bytes), expected) << bytes.toStdString();
    }
}

TEST(Csv, RefusesMalformedRecordsWithTheirLineAndGoesOn) {
    const QString notClosed = texts::csvQuoteNotClosed();
    const QString afterQuote = texts::csvTextAfterQuote(u',');
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

TEST(Csv, TakesTheSeparatorOfTheHeadingLineForTheWholeFile) {
    const std::tuple<QByteArray, QChar, QStringList> cases[] = {
        {"Qty;Price;Pay Item\r\n5;\"1,5\";\"a;b\"\r\n", u';',
         QStringList{u"1:Qty|Price|Pay Item"_s, u"2:5|1,5|a;b"_s}},
        // Blanks after a closing quote go, but not the tab that separates.
        {"Qty\tPrice\n\"x\" \t, y\n", u'\t', {u"1:Qty|Price"_s, u"2:x|, y"_s}},
        // Separators in quotes do not count; a quote inside a field opens nothing.
        {"\"a,b,c\";\"d\"\",\"\"\";12\" x,y\n1,2;3\n", u';',
         QStringList{u"1:a,b,c|d\",\"|12\" x,y"_s, u"2:1,2|3"_s}},
        {"PAYITEM;X,UOM,AMOUNT\n", u',', {u"1:PAYITEM;X|UOM|AMOUNT"_s}},
        {"a;b,c\tz\n", u',', {u"1:a;b|c\tz"_s}},  // a tie goes to the comma, then the semicolon
        {"a;b\tc\n", u';', {u"1:a|b\tc"_s}},
        // The heading line is the first that holds separators and more than them and blanks.
        {"\r\n;;\n \t \nQty\tUnit\n1;2\t3", u'\t',
         QStringList{u"1:"_s, u"2:;;"_s, u"3: | "_s, u"4:Qty|Unit"_s, u"5:1;2|3"_s}},
        // Title lines without a separator stand above it; a file without one is one column.
        {"Pay Item\n1,2;3\n", u',', {u"1:Pay Item"_s, u"2:1|2;3"_s}},
        {"Report\nItem;Qty\n1;2,5\n", u';', {u"1:Report"_s, u"2:Item|Qty"_s, u"3:1|2,5"_s}},
        {"Item\n1\n", u',', {u"1:Item"_s, u"2:1"_s}},
    };
    for (const auto& [bytes, separator, expected] : cases) {
        EXPECT_EQ(csv::Reader(bytes, u"t.csv"_s, 1 << 20, 1000).separator(), separator)
            << bytes.toStdString();
        EXPECT_EQ(parsed(bytes), expected) << bytes.toStdString();
    }
    EXPECT_EQ(parsed("a;b\n\"x\"y;z\n"),
              (QStringList{u"1:a|b"_s, u"!2:"_s + texts::csvTextAfterQuote(u';')}));
    EXPECT_EQ(texts::csvTextAfterQuote(u';'),
              u"a closing quote is followed by other text than a semicolon or a line end"_s);
}

TEST(Csv, RefusesBytesThatAreNoTextBeforeAnyRecord) {
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b) {
        everyByte += char(b);
    }
    QByteArray fewControls = QByteArray("Item,Unit,Note\n1,CY,").repeated(8) + "\x01\x1A\f\v\n";
    QByteArray falseMark;  // starts as UTF-16 does, and breaks it with lone surrogates
    for (int b = 255; b >= 2; --b) {
        falseMark += char(b);
    }
    const QByteArray utf16 =
        "\xFF\xFE" +
        QByteArray(QStringEncoder(QStringEncoder::Utf16LE)(u"Qty\tUnit\r\n1\t\u00c9"_s));
    const std::pair<QByteArray, bool> cases[] = {
        {QByteArray("PK\x03\x04\x14\x00\x06\x00", 8) + "[Content_Types].xml", false},
        {"%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog >>\n", false},
        {everyByte, false},
        {QByteArray("Item,Unit\n1,CY\n") + QByteArray(1, '\0'), false},
        {"Item\x02,Unit\x03\n\x04", false},  // control characters without a NUL
        {fewControls, true},                 // one stray in far more than a hundred
        {utf16, true},                       // a spreadsheet's "Unicode text"
        {utf16.chopped(1), false},
        {"\xFE\xFF" +
             QByteArray(QStringEncoder(QStringEncoder::Utf16BE)(u"a\U0001F600"_s)).chopped(2),
         false},  // a lone surrogate
        {falseMark, false},
        {"B\xC9TON,M\xB3,\x80\x81\x9D", true},
    };
    for (const auto& [bytes, text] : cases) {
        if (text) {
            EXPECT_NO_THROW(csv::Reader(bytes, u"t.csv"_s, 1 << 20, 1000)) << bytes.toStdString();
            continue;
        }
        // The whole file is refused: no line in the message.
        EXPECT_EQ(test::errorMessage([&b = bytes] { csv::Reader(b, u"t.csv"_s, 1 << 20, 1000); }),
                  u"The file t.csv could not be read: not a text file"_s)
            << bytes.toStdString();
    }
    EXPECT_EQ(parsed(utf16), (QStringList{u"1:Qty|Unit"_s, u"2:1|\u00c9"_s}));
    // Even where it has more lines than such a file may.
    EXPECT_EQ(test::errorMessage([&] { csv::Reader(everyByte, u"t.csv"_s, 1 << 20, 0); }),
              u"The file t.csv could not be read: not a text file"_s);
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
        EXPECT_EQ(
            test::errorMessage([&f = file, bytes = maxBytes, lines = maxLines] {
                csv::Reader::fromFile(f, bytes, lines);
            }),
            u"The file "_s + QDir::toNativeSeparators(file) + u" could not be read: "_s + reason);
    }
}

TEST(Csv, WritesQuotesOnlyWhereNeeded) {
    using enum csv::Quote;
    const std::tuple<QStringList, csv::LineEnd, csv::Quote, QByteArray> cases[] = {
        {{u"a"_s, u" b "_s, QString()}, csv::LineEnd::Lf, WhereNeeded, "a, b ,\n"},
        {QStringList{u"x,y"_s, u"say \"hi\""_s, u"1\r\n2"_s, u"\u00e9\u20ac"_s, u"c\rd"_s},
         csv::LineEnd::CrLf, WhereNeeded,
         "\"x,y\",\"say \"\"hi\"\"\",\"1\r\n2\",\xC3\xA9\xE2\x82\xAC,\"c\rd\"\r\n"},
        {QStringList{u"a;b;c"_s, u"d\te"_s, u"f"_s}, csv::LineEnd::Lf, AlsoOtherSeparators,
         "\"a;b;c\",\"d\te\",f\n"},
    };
    for (const auto& [fields, lineEnd, quote, bytes] : cases) {
        QByteArray out = "before\n";
        csv::appendRecord(out, fields, lineEnd, quote);
        EXPECT_EQ(out, "before\n" + bytes);
        EXPECT_EQ(parsed(bytes), QStringList{u"1:"_s + fields.join(u'|')});
    }
    // Where a first record's semicolons are not quoted, they become the separator.
    QByteArray plain;
    csv::appendRecord(plain, {u"a;b;c"_s, u"d"_s}, csv::LineEnd::Lf);
    EXPECT_EQ(parsed(plain), QStringList{u"1:a|b|c,d"_s});
}

}  // namespace
}  // namespace veskplan
