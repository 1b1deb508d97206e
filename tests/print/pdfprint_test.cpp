#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "export/exportgolden.h"
#include "print/pdfprinttarget.h"
#include "print/quantitytable.h"
#include "print/quantitytablepainter.h"
#include "shell/error.h"
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
        const QByteArray number = "2101-" + QByteArray::number(100000 + i).rightJustified(7, '0');
        for (int c = 1; c <= highest; ++c) {
            records.push_back(test::item(number.constData(),
                                         QByteArray::number(c).rightJustified(2, '0').constData(),
                                         "CLEARING", "ACRE", i * 10 + c + 0.25));
        }
    }
    return QuantityTable::build(u"STP-12-B(7)03"_s, u"/p/sr12.vsk"_s, u"12/6/26"_s,
                                u"Cedar Falls"_s, u"J. Doe"_s, u"March"_s, descriptions, records);
}

// What the table was drawn with: the point size of its font, whether the widest line fits
// across the page, and whether every line is as wide as its characters at one pitch each, so
// that the columns line up.
struct Drawn {
    double pointSize = 0;
    bool fits = false;
    bool columnsLineUp = true;
};

Drawn printToPdf(const QuantityTable& t, const QString& path) {
    const QuantityTablePainter painter(t);
    Drawn drawn;
    EXPECT_TRUE(PdfPrintTarget(path).print(
        t.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        [&](QPagedPaintDevice& device) {
            const QFont font = painter.tableFont(device);
            const QFontMetricsF metrics(font, &device);
            drawn.pointSize = font.pointSizeF();
            qreal widest = 0;
            for (const QString& line : t.lines.mid(1)) {
                const qreal width = metrics.horizontalAdvance(line);
                widest = std::max(widest, width);
                drawn.columnsLineUp &=
                    std::abs(width - line.size() * metrics.horizontalAdvance(u'0')) < 0.01;
            }
            drawn.fits = widest <= device.width();
            painter.paint(device);
        }));
    return drawn;
}

TEST(PdfPrint, PortraitUpToTwoCategoriesInEightPointCourierOnLetterPaper) {
    const QFontInfo info(QuantityTablePainter::fixedPitchFont(8));
    EXPECT_TRUE(info.fixedPitch());
    EXPECT_TRUE(info.family() == u"Courier New"_s || info.family() == u"Liberation Mono"_s)
        << info.family().toStdString();

    QTemporaryDir dir;
    const Drawn drawn = printToPdf(table(2, 2), dir.filePath(u"t.pdf"_s));
    EXPECT_EQ(drawn.pointSize, 8.0);  // a two-category table fits across a portrait page
    EXPECT_TRUE(drawn.fits);
    EXPECT_TRUE(drawn.columnsLineUp);
    EXPECT_TRUE(
        test::readFile(dir.filePath(u"t.pdf"_s)).contains("/MediaBox [0 0 612.000000 792.000000]"));
}

TEST(PdfPrint, WideTablesShrinkToTheLandscapePageAndKeepTheHeaderOnce) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"wide.pdf"_s);
    const QuantityTable wide = table(60, 12);
    ASSERT_TRUE(wide.landscape);
    const Drawn drawn = printToPdf(wide, path);
    EXPECT_LT(drawn.pointSize, 8.0);
    EXPECT_GT(drawn.pointSize, 4.0);
    EXPECT_TRUE(drawn.fits);
    EXPECT_TRUE(drawn.columnsLineUp);
    EXPECT_TRUE(test::readFile(path).contains("/MediaBox [0 0 792.000000 612.000000]"));

    const auto text = test::pdfText(path);
    if (!text) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    QStringList pages = text->split(u'\f');
    pages.removeIf([](const QString& page) { return page.trimmed().isEmpty(); });
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(text->count(u"Project: STP-12-B(7)03"_s), 1);
    EXPECT_EQ(text->count(u"County: Cedar Falls"_s), 1);
    EXPECT_EQ(text->count(u"ITEM CODE"_s), 1);
    EXPECT_TRUE(pages[0].contains(u"Filename: /p/sr12.vsk"_s));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(u"\nITEM CODE .* CATEGORY 12 +TOTAL"_s)));

    // Every item in order, on both pages, from the left margin, with its 12 quantities and
    // the total rounded to one decimal.
    static const QRegularExpression itemLine(u"^(2101-\\d{7}) +CLEARING +ACRE((?: +\\S+)+) *$"_s);
    int item = 0;
    for (const QString& page : pages) {
        const int before = item;
        for (const QString& line : page.split(u'\n')) {
            const auto match = itemLine.match(line);
            if (!match.hasMatch()) {
                EXPECT_FALSE(line.contains(u"2101-"_s)) << line.toStdString();
                continue;
            }
            QStringList expected{u"2101-%1"_s.arg(100000 + item, 7, 10, QChar(u'0'))};
            for (int c = 1; c <= 12; ++c) {
                expected << QString::number(item * 10 + c) + u".3"_s;
            }
            expected << QString::number(item * 120 + 81) + u".0"_s;
            EXPECT_EQ(
                QStringList{match.captured(1)} + match.captured(2).split(u' ', Qt::SkipEmptyParts),
                expected);
            ++item;
        }
        EXPECT_GT(item, before);
    }
    EXPECT_EQ(item, 60);
    QStringList lastLines = pages.last().split(u'\n');
    lastLines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    EXPECT_EQ(lastLines.mid(lastLines.size() - 2),
              (QStringList{u"Category 11: Zone 11"_s, u"Category 12: Zone 12"_s}));
}

TEST(PdfPrint, FiguresLineUpUnderTheirHeadingsOnEveryPage) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"two.pdf"_s);
    const QuantityTable twoCategories = table(40, 2);
    ASSERT_FALSE(twoCategories.landscape);
    ASSERT_EQ(printToPdf(twoCategories, path).pointSize, 8.0);
    // One text column per character: 8-point fixed-pitch characters are 4.8 points wide.
    const auto text = test::pdfText(path, {u"-fixed"_s, u"4.8"_s});
    if (!text) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    QStringList pages = text->split(u'\f');
    pages.removeIf([](const QString& page) { return page.trimmed().isEmpty(); });
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(text->count(u"ITEM CODE"_s), 1);
    EXPECT_EQ(text->count(u"Project: STP-12-B(7)03"_s), 1);
    // Where each heading ends on the page, and so where each column of figures must end: a
    // category's figures stop one column before the end of its heading, the totals exactly
    // under the end of "TOTAL".
    const QString heading = pages[0].split(u'\n').filter(u"ITEM CODE"_s).value(0);
    const QList<qsizetype> ends = {heading.indexOf(u"CATEGORY 1"_s) + 9,
                                   heading.indexOf(u"CATEGORY 2"_s) + 9,
                                   heading.indexOf(u"TOTAL"_s) + 5};
    static const QRegularExpression figure(u"\\d+\\.\\d"_s);
    int items = 0;
    for (const QString& page : pages) {
        int onPage = 0;
        for (const QString& line : page.split(u'\n')) {
            if (!line.contains(u"CLEARING"_s)) {
                continue;
            }
            QList<qsizetype> found;
            for (auto it = figure.globalMatch(line); it.hasNext();) {
                const auto match = it.next();
                found.append(match.capturedEnd());
            }
            EXPECT_EQ(found, ends) << line.toStdString();
            ++onPage;
        }
        EXPECT_GT(onPage, 0);
        items += onPage;
    }
    EXPECT_EQ(items, 40);
}

TEST(PdfPrintTarget, TheFileIsReplacedWholeOrLeftAsItWasAndFailuresNameIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.pdf"_s);
    test::writeFile(path, "old");
    PdfPrintTarget target(path);
    const auto failing = [](QPagedPaintDevice&) { throw Error(u"no paper"_s); };
    EXPECT_THROW(target.print(QPageLayout::Portrait, failing), Error);
    try {
        target.print(QPageLayout::Portrait, [](QPagedPaintDevice&) {});
        ADD_FAILURE() << "an empty document was accepted";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
    }
    EXPECT_EQ(test::readFile(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"t.pdf"_s});

    const QuantityTable small = table(1, 1);
    const QuantityTablePainter painter(small);
    const auto render = [&painter](QPagedPaintDevice& device) { painter.paint(device); };
    EXPECT_TRUE(target.print(QPageLayout::Portrait, render));
    const QByteArray pdf = test::readFile(path);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"t.pdf"_s});

    // A folder that does not exist: nothing is drawn, nothing written, the file named.
    const QString nowhere = dir.filePath(u"missing/t.pdf"_s);
    bool rendered = false;
    try {
        PdfPrintTarget(nowhere).print(QPageLayout::Portrait,
                                      [&rendered](QPagedPaintDevice&) { rendered = true; });
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(QDir::toNativeSeparators(nowhere)))
            << error.message().toStdString();
    }
    EXPECT_FALSE(rendered);
    EXPECT_FALSE(QFile::exists(nowhere));
}

}  // namespace
}  // namespace veskplan
