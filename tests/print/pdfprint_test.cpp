#include <gtest/gtest.h>
#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "base/error.h"
#include "base/texts.h"
#include "print/papersize.h"
#include "print/pdfprinttarget.h"
#include "print/printtexts.h"
#include "print/quantitytable.h"
#include "print/quantitytablepainter.h"
#include "support/externaltools.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// `count` items, each in categories 1 to `highest`; item i holds i * 10 + c + 0.25 in category c.
QuantityTable table(int count, int highest) {
    std::vector<ProjectRecord> records;
    QStringList descriptions;
    for (int c = 1; c <= highest; ++c) {
        descriptions << u"Zone "_s + QString::number(c);
    }
    for (int i = 0; i < count; ++i) {
        for (int c = 1; c <= highest; ++c) {
            records.push_back({u"2101-%1"_s.arg(100000 + i, 7, 10, QChar(u'0')),
                               QString::number(c).rightJustified(2, u'0'), u"CLEARING"_s, u"ACRE"_s,
                               i * 10 + c + 0.25});
        }
    }
    return QuantityTable::build(u"STP-12-B(7)03"_s, u"/p/sr12.vsk"_s, u"12/6/26"_s,
                                u"Cedar Falls"_s, u"J. Doe"_s, u"March"_s, descriptions, records);
}

// How a table was drawn: the point size and the width of one character, in points.
struct Drawn {
    double pointSize = 0;
    double pitch = 0;
};

// Prints the table to a PDF in its orientation, checking the quarter-inch margins and that its
// widest line fits between them.
Drawn printToPdf(const QuantityTable& t, const QString& path) {
    const QuantityTablePainter painter(t);
    Drawn drawn;
    const auto render = [&](QPagedPaintDevice& device) {
        const QFont font = painter.tableFont(device);
        const QFontMetricsF metrics(font, &device);
        qreal widest = 0;
        for (const QString& line : t.lines) {
            widest = std::max(widest, metrics.horizontalAdvance(line));
        }
        EXPECT_LE(widest, device.width());
        EXPECT_EQ(device.pageLayout().margins(QPageLayout::Inch), QMarginsF(.25, .25, .25, .25));
        drawn = {font.pointSizeF(), metrics.horizontalAdvance(u'0') * 72 / device.logicalDpiX()};
        painter.paint(device);
    };
    PdfPrintTarget(path).print(t.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                               render);
    return drawn;
}

// The lines that are not empty, without trailing blanks.
QStringList shown(QStringList lines) {
    lines.replaceInStrings(QRegularExpression(u"\\s+$"_s), QString());
    lines.removeAll(QString());
    return lines;
}

// The text pdftotext reads at one text column per character, as pages of shown lines without
// the margin they all share.
std::optional<std::vector<QStringList>> pages(const QString& pdf, const Drawn& drawn) {
    const auto text = test::pdfText(pdf, {u"-fixed"_s, QString::number(drawn.pitch, 'g', 10)});
    if (!text) {
        return std::nullopt;
    }
    const qsizetype margin =
        QRegularExpression(u"^ *(?=Project:)"_s, QRegularExpression::MultilineOption)
            .match(*text)
            .capturedLength();
    const QRegularExpression marginBlanks(u"^ {%1}"_s.arg(margin));
    std::vector<QStringList> result;
    for (const QString& page : text->split(u'\f', Qt::SkipEmptyParts)) {
        result.push_back(shown(page.split(u'\n')).replaceInStrings(marginBlanks, QString()));
    }
    return result;
}

TEST(PdfPrint, PagesShowEveryColumnUnderItsHeading) {
    VESKPLAN_SKIP_ON_WINDOWS("pdftotext to read the PDF back");
    // Items, categories, the US Letter page in points, and whether the widest line needs a font
    // below 8 points to fit.
    const std::tuple<int, int, const char*, bool> cases[] = {
        {40, 2, "/MediaBox [0 0 612.000000 792.000000]", false},
        {60, 12, "/MediaBox [0 0 792.000000 612.000000]", true}};
    const QFontInfo font(QuantityTablePainter::fixedPitchFont(8));
    EXPECT_TRUE(font.fixedPitch());
    EXPECT_TRUE(font.family() == u"Courier New"_s || font.family() == u"Liberation Mono"_s);
    QTemporaryDir dir;
    for (const auto& [items, highest, mediaBox, shrunk] : cases) {
        const QString path = dir.filePath(QString::number(highest) + u".pdf"_s);
        const QuantityTable t = table(items, highest);
        const Drawn drawn = printToPdf(t, path);
        EXPECT_TRUE(test::readFile(path).contains(mediaBox)) << highest;
        EXPECT_EQ(drawn.pointSize < 8.0, shrunk) << drawn.pointSize;
        EXPECT_TRUE(drawn.pointSize > 4.0 && drawn.pointSize <= 8.0) << drawn.pointSize;
        const auto read = pages(path, drawn);
        ASSERT_TRUE(read.has_value()) << highest;
        ASSERT_EQ(read->size(), 2u) << highest;
        EXPECT_EQ(read->at(0) + read->at(1), shown(t.lines)) << highest;
    }
}

TEST(PdfPrintTarget, FailuresLeaveTheOldFileOrNoneAndNameTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.pdf"_s);
    test::writeFile(path, "old");
    PdfPrintTarget target(path);
    EXPECT_EQ(test::errorMessage([&] {
                  target.print(QPageLayout::Portrait,
                               [](QPagedPaintDevice&) { throw Error(u"no paper"_s); });
              }),
              u"no paper"_s);
    EXPECT_EQ(
        test::errorMessage([&] { target.print(QPageLayout::Portrait, [](QPagedPaintDevice&) {}); }),
        texts::fileNotWritten(QDir::toNativeSeparators(path), texts::nothingPrinted()));
    EXPECT_EQ(test::readFile(path), QByteArray("old"));

    const QString nowhere = dir.filePath(u"missing/t.pdf"_s);
    bool drawn = false;
    EXPECT_TRUE(test::errorMessage([&] {
                    PdfPrintTarget(nowhere).print(QPageLayout::Portrait,
                                                  [&](QPagedPaintDevice&) { drawn = true; });
                }).contains(QDir::toNativeSeparators(nowhere)));
    EXPECT_FALSE(drawn);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{u"t.pdf"_s});
}

// A printer that runs out of paper after the first page.
class OnePageOnly : public QPdfWriter {
public:
    using QPdfWriter::QPdfWriter;
    bool newPage() override { return false; }
};

TEST(QuantityTablePainter, ReportsADeviceItCannotStartOrPage) {
    QTemporaryDir dir;
    const QuantityTable t = table(300, 1);  // more than one page in any font
    const QuantityTablePainter painter(t);
    QPdfWriter nowhere(dir.filePath(u"missing/t.pdf"_s));
    EXPECT_EQ(test::errorMessage([&] { painter.paint(nowhere); }), texts::printerNotStarted());
    OnePageOnly full(dir.filePath(u"t.pdf"_s));
    EXPECT_EQ(test::errorMessage([&] { painter.paint(full); }), texts::noNewPage());
}

TEST(PaperSize, IsLetterWhereTheUsMeasuresAndA4Elsewhere) {
    for (const QStringList& c : test::tableRows(u"print/papers.txt"_s, 2)) {
        EXPECT_EQ(defaultPaperSize(QLocale(c[0])).id(),
                  c[1] == u"A4"_s ? QPageSize::A4 : QPageSize::Letter)
            << c[0].toStdString();
    }
}

}  // namespace
}  // namespace veskplan
