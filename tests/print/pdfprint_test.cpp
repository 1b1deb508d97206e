#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "export/exportgolden.h"
#include "print/pdfprinttarget.h"
#include "print/quantitytable.h"
#include "print/quantitytablepainter.h"
#include "shell/error.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// `count` items, each in categories 1 to `highest`, with distinct quantities.
std::vector<ProjectRecord> items(int count, int highest) {
    std::vector<ProjectRecord> records;
    for (int i = 0; i < count; ++i) {
        const QByteArray number = "2101-" + QByteArray::number(100000 + i).rightJustified(7, '0');
        for (int c = 1; c <= highest; ++c) {
            records.push_back(test::item(number.constData(),
                                         QByteArray::number(c).rightJustified(2, '0').constData(),
                                         "CLEARING", "ACRE", i * 10 + c + 0.25));
        }
    }
    return records;
}

QuantityTable table(int count, int highest) {
    QStringList descriptions;
    for (int c = 1; c <= highest; ++c) {
        descriptions << u"Part "_s + QString::number(c);
    }
    return QuantityTable::build(u"STP-12-B(7)03"_s, u"/p/sr12.vsk"_s, u"12/6/26"_s,
                                u"Cedar Falls"_s, u"J. Doe"_s, u"March"_s, descriptions,
                                items(count, highest));
}

// Prints through the PDF target; returns the point size and the character width (in points) of
// the font the table was drawn in.
struct Drawn {
    double pointSize = 0;
    double pitch = 0;
    bool fits = false;  // the widest line fits across the page
};

Drawn printToPdf(const QuantityTable& t, const QString& path) {
    const QuantityTablePainter painter(t);
    Drawn drawn;
    PdfPrintTarget target(path);
    EXPECT_TRUE(target.print(t.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                             [&](QPagedPaintDevice& device) {
                                 const QFont font = painter.tableFont(device);
                                 const QFontMetricsF metrics(font, &device);
                                 drawn.pointSize = font.pointSizeF();
                                 drawn.pitch =
                                     metrics.horizontalAdvance(u'0') * 72.0 / device.logicalDpiX();
                                 qreal widest = 0;
                                 for (const QString& line : t.lines) {
                                     widest = std::max(widest, metrics.horizontalAdvance(line));
                                 }
                                 drawn.fits = widest <= device.width();
                                 painter.paint(device);
                             }));
    return drawn;
}

std::optional<QString> run(const QString& name, const QStringList& arguments) {
    const QString tool = QStandardPaths::findExecutable(name);
    if (tool.isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of each page as placed on it, read with the character width of the printed font so
// that every character lands in its own column; nothing when pdftotext is missing.
std::optional<QStringList> pdfPages(const QString& path, double pitch) {
    const auto text =
        run(u"pdftotext"_s, {u"-layout"_s, u"-fixed"_s, QString::number(pitch), path, u"-"_s});
    if (!text) {
        return std::nullopt;
    }
    QStringList pages = text->split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast();
    }
    return pages;
}

// An item line as pdftotext gives it back: indent, item number, and the figures.
const QRegularExpression& itemLine() {
    static const QRegularExpression pattern(
        u"^( *)(2101-\\d{7})  CLEARING +ACRE((?: +\\S+)+) *$"_s);
    return pattern;
}

struct Figure {
    QString text;
    qsizetype end;  // column of its last character, counted from the item number's first
};

std::vector<Figure> figures(const QRegularExpressionMatch& match) {
    std::vector<Figure> result;
    static const QRegularExpression figure(u"\\S+"_s);
    const qsizetype itemStart = match.capturedStart(2);
    auto it = figure.globalMatch(match.captured(3));
    while (it.hasNext()) {
        const auto m = it.next();
        result.push_back({m.captured(), match.capturedStart(3) + m.capturedEnd() - itemStart});
    }
    return result;
}

TEST(PdfPrint, TwoPagesKeepTheFiguresUnderTheirHeadingsAndTheHeaderOnce) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"table.pdf"_s);
    const Drawn drawn = printToPdf(table(60, 2), path);
    EXPECT_EQ(drawn.pointSize, 8.0);  // a two-category table fits across a portrait page
    const auto pages = pdfPages(path, drawn.pitch);
    if (!pages) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    ASSERT_EQ(pages->size(), 2);
    const QString all = pages->join(u'\f');
    EXPECT_EQ(all.count(u"Project: STP-12-B(7)03"_s), 1);
    EXPECT_EQ(all.count(u"County: Cedar Falls"_s), 1);
    EXPECT_EQ(all.count(u"ITEM CODE"_s), 1);
    EXPECT_TRUE(pages->at(0).contains(u"Filename: /p/sr12.vsk"_s));

    // Columns on the page, counted from the first character of "ITEM CODE".
    const QStringList firstPage = pages->at(0).split(u'\n');
    const auto heading = std::find_if(firstPage.begin(), firstPage.end(),
                                      [](const QString& l) { return l.contains(u"ITEM CODE"_s); });
    ASSERT_NE(heading, firstPage.end());
    const qsizetype itemColumn = heading->indexOf(u"ITEM CODE"_s);
    const qsizetype headingEnds[] = {
        heading->indexOf(u"CATEGORY 1"_s) + 10 - itemColumn,
        heading->indexOf(u"CATEGORY 2"_s) + 10 - itemColumn,
        heading->indexOf(u"TOTAL"_s) + 5 - itemColumn,
    };
    // The quantities end one column left of their headings, the total with "TOTAL".
    const qsizetype figureEnds[] = {headingEnds[0] - 1, headingEnds[1] - 1, headingEnds[2]};
    EXPECT_EQ(figureEnds[0], 84);

    int expectedItem = 0;
    for (const QString& page : *pages) {
        int onThisPage = 0;
        for (const QString& line : page.split(u'\n')) {
            const auto match = itemLine().match(line);
            if (!match.hasMatch()) {
                continue;
            }
            ++onThisPage;
            const int i = expectedItem++;
            EXPECT_EQ(match.capturedStart(2), itemColumn) << line.toStdString();
            EXPECT_EQ(match.captured(2), u"2101-%1"_s.arg(100000 + i, 7, 10, QChar(u'0')));
            const std::vector<Figure> found = figures(match);
            ASSERT_EQ(found.size(), 3u) << line.toStdString();
            const QString expectedText[] = {QString::number(i * 10 + 1) + u".3"_s,
                                            QString::number(i * 10 + 2) + u".3"_s,
                                            QString::number(i * 20 + 3) + u".5"_s};
            for (int f = 0; f < 3; ++f) {
                EXPECT_EQ(found[f].text, expectedText[f]) << line.toStdString();
                EXPECT_EQ(found[f].end, figureEnds[f]) << line.toStdString();
            }
        }
        EXPECT_GT(onThisPage, 0);
    }
    EXPECT_EQ(expectedItem, 60);
    QStringList lastLines;
    for (const QString& line : pages->last().split(u'\n')) {
        if (!line.trimmed().isEmpty()) {
            lastLines << line.trimmed();
        }
    }
    EXPECT_EQ(lastLines.mid(lastLines.size() - 2),
              (QStringList{u"Category 1: Part 1"_s, u"Category 2: Part 2"_s}));
}

TEST(PdfPrint, WideTablesAreShrunkToFitTheLandscapePage) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"wide.pdf"_s);
    const QuantityTable wide = table(3, 12);
    ASSERT_TRUE(wide.landscape);
    const Drawn drawn = printToPdf(wide, path);
    EXPECT_LT(drawn.pointSize, 8.0);
    EXPECT_GT(drawn.pointSize, 4.0);
    EXPECT_TRUE(drawn.fits);
    const auto pages = pdfPages(path, drawn.pitch);
    if (!pages) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    ASSERT_EQ(pages->size(), 1);
    int items = 0;
    for (const QString& line : pages->at(0).split(u'\n')) {
        const auto match = itemLine().match(line);
        if (!match.hasMatch()) {
            continue;
        }
        ++items;
        const std::vector<Figure> found = figures(match);
        ASSERT_EQ(found.size(), 13u) << line.toStdString();
        // Category c ends in column 84 + 12 (c - 1); the total, in category 13's place, too.
        for (int c = 1; c <= 13; ++c) {
            EXPECT_EQ(found[c - 1].end, 84 + 12 * (c - 1)) << c << ": " << line.toStdString();
        }
    }
    EXPECT_EQ(items, 3);
    EXPECT_TRUE(pages->at(0).contains(u"CATEGORY 12      TOTAL"_s));
}

TEST(PdfPrint, TheTableFontIsFixedPitchCourierNewOrItsStandIn) {
    const QFontInfo info(QuantityTablePainter::fixedPitchFont(8));
    EXPECT_TRUE(info.fixedPitch());
    EXPECT_TRUE(info.family() == u"Courier New"_s || info.family() == u"Liberation Mono"_s)
        << info.family().toStdString();
}

TEST(PdfPrintTarget, LetterPagesInTheOrientationAsked) {
    QTemporaryDir dir;
    const QuantityTable small = table(1, 1);
    const QuantityTablePainter painter(small);
    const auto render = [&painter](QPagedPaintDevice& device) { painter.paint(device); };
    const QString portrait = dir.filePath(u"p.pdf"_s);
    const QString landscape = dir.filePath(u"l.pdf"_s);
    PdfPrintTarget(portrait).print(QPageLayout::Portrait, render);
    PdfPrintTarget(landscape).print(QPageLayout::Landscape, render);
    const auto portraitInfo = run(u"pdfinfo"_s, {portrait});
    if (!portraitInfo) {
        GTEST_SKIP() << "pdfinfo is not installed";
    }
    EXPECT_TRUE(portraitInfo->contains(u"612 x 792 pts"_s)) << portraitInfo->toStdString();
    EXPECT_TRUE(run(u"pdfinfo"_s, {landscape})->contains(u"792 x 612 pts"_s));
}

TEST(PdfPrintTarget, TheFileIsReplacedWholeOrLeftAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.pdf"_s);
    test::writeFile(path, "old");
    PdfPrintTarget target(path);
    const auto failing = [](QPagedPaintDevice&) { throw Error(u"no paper"_s); };
    EXPECT_THROW(target.print(QPageLayout::Portrait, failing), Error);
    const auto drawingNothing = [](QPagedPaintDevice&) {};
    try {
        target.print(QPageLayout::Portrait, drawingNothing);
        ADD_FAILURE() << "an empty document was accepted";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
    }
    EXPECT_EQ(test::readFile(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"t.pdf"_s});

    const QuantityTable small = table(1, 1);
    const QuantityTablePainter painter(small);
    EXPECT_TRUE(target.print(QPageLayout::Portrait,
                             [&painter](QPagedPaintDevice& device) { painter.paint(device); }));
    const QByteArray pdf = test::readFile(path);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"t.pdf"_s});
}

TEST(PdfPrintTarget, AFolderThatDoesNotExistIsAnErrorNamingTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"missing/t.pdf"_s);
    bool rendered = false;
    try {
        PdfPrintTarget(path).print(QPageLayout::Portrait,
                                   [&rendered](QPagedPaintDevice&) { rendered = true; });
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(QDir::toNativeSeparators(path)))
            << error.message().toStdString();
    }
    EXPECT_FALSE(rendered);
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
}  // namespace veskplan
