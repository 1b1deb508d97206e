#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>

#include "base/error.h"
#include "estimate/comparisonreport.h"
#include "estimate/comparisontablemodel.h"
#include "ooxml/xlsxsheetvalues.h"
#include "project/projecttexts.h"
#include "support/externaltools.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The 60% set and the 90% set of one project: an item added, a quantity and a category changed,
// each priced by the project itself, with 5% mobilization and the contingency of the milestone.
ComparisonReport milestones() {
    const auto priced = [](ComparisonReport::Project& p, const QString& number, const QString& cat,
                           const QString& unit, double quantity, double price) {
        p.items.push_back(ProjectRecord{number, cat, number.right(3), unit, quantity});
        p.prices.set(ItemKey::of(p.items.back()), ItemPrice{price, unit, PriceKind::Typed, {}});
    };
    ComparisonReport::Project before{u"sixty.vsk"_s, {}, {}};
    priced(before, u"2101-0300010"_s, u"01"_s, u"LS"_s, 1, 5000);
    priced(before, u"2105-0100030"_s, u"01"_s, u"CY"_s, 100, 12.345);
    priced(before, u"2301-0100070"_s, u"02"_s, u"SY"_s, 50, 60);
    ComparisonReport::Project after = before;
    after.name = u"ninety.vsk"_s;
    after.items[1].quantity = 120;
    after.items[2].cat = u"03"_s;
    after.prices.set(ItemKey::of(after.items[2]),
                     *before.prices.find(ItemKey::of(before.items[2])));
    priced(after, u"2402-0100100"_s, u"02"_s, u"CY"_s, 10, 800);
    before.prices.setMobilizationPercent(5);
    after.prices.setMobilizationPercent(5);
    before.prices.setMilestone(Milestone::Sixty);
    after.prices.setMilestone(Milestone::Ninety);
    return ComparisonReport::compare(before, after,
                                     ContingencyScale::read(ContingencyScale::fileIn(
                                         QStringLiteral(VESKPLAN_SOURCE_DIR "/data"))));
}

TEST(ComparisonReport, TheWorkbookHoldsTheRowsLargestMoveFirstAndTheTotalsOfBoth) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"changes.xlsx"_s);
    milestones().write(path, ComparisonReport::Format::Workbook, false);
    QStringList cells;
    for (const XlsxSheetValues::Row& row : XlsxSheetValues::read(path, 100, 20)) {
        cells.append(QString::number(row.row) + u':' + row.cells.join(u'|'));
    }
    // Items 9235.00 and 17482.00; mobilization 5% of them; contingency 15% (60%) of 9696.75 and
    // 10% (90%) of 18356.10, to the cent.
    const QStringList expected{
        u"1:Project comparison"_s,
        u"2:Old: sixty.vsk, 60% milestone"_s,
        u"3:New: ninety.vsk, 90% milestone"_s,
        u"4:"_s + comparisonBasis(true),
        u"6:"_s + texts::comparisonCsvHeading().replace(u',', u'|'),
        u"7:2402-0100100|100|CY||02||10||8000.00|8000.00|added"_s,
        u"8:2105-0100030|030|CY|01|01|100|120|1235.00|1482.00|247.00|changed"_s,
        u"9:2301-0100070|070|SY|02|03|50|50|3000.00|3000.00|0.00|changed"_s,
        u"11:|Items||||||9235.00|17482.00|8247.00"_s,
        u"12:|Mobilization (5%)||||||461.75|874.10|412.35"_s,
        u"13:|Contingency (15% \u2192 10%)||||||1454.51|1835.61|381.10"_s,
        u"14:|Total||||||11151.26|20191.71|9040.45"_s,
    };
    EXPECT_EQ(cells, expected);
}

TEST(ComparisonReport, ThePdfShowsTheSameRowsAndTotals) {
    VESKPLAN_SKIP_ON_WINDOWS("pdftotext to read the PDF back");
    QTemporaryDir dir;
    const QString path = dir.filePath(u"changes.pdf"_s);
    milestones().write(path, ComparisonReport::Format::Pdf, true);
    const auto text = test::pdfText(path);
    ASSERT_TRUE(text.has_value());
    const QString flat = text->simplified();
    const QStringList expected{
        u"Project comparison Page 1 of 1"_s,
        u"Old: sixty.vsk, 60% milestone"_s,
        u"2402-0100100 100 CY 02 10 8000.00 8000.00 added"_s,
        u"2105-0100030 030 CY 01 01 100 120 1235.00 1482.00 247.00 changed"_s,
        u"2101-0300010 010 LS 01 01 1 1 5000.00 5000.00 0.00 same"_s,
        u"Contingency (15% \u2192 10%) 1454.51 1835.61 381.10"_s,
        u"Total 11151.26 20191.71 9040.45"_s};
    qsizetype at = 0;
    for (const QString& line : expected) {
        const qsizetype found = flat.indexOf(line, at);
        EXPECT_GE(found, at) << line.toStdString() << "\n" << text->toStdString();
        at = std::max(at, found);
    }
}

TEST(ComparisonReport, TheTableSortsByNumbersAndWithoutPricesComparesQuantities) {
    const ComparisonReport report = milestones();
    ComparisonTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setReport(&report, true);
    QSortFilterProxyModel sorted;
    sorted.setSourceModel(&model);
    sorted.setSortRole(ComparisonTableModel::SortRole);
    sorted.sort(9, Qt::AscendingOrder);  // the change: 0.00 twice, 247.00, 8000.00
    QStringList changes;
    for (int row = 0; row < sorted.rowCount(); ++row) {
        changes.append(sorted.index(row, 0).data().toString() + u' ' +
                       sorted.index(row, 9).data().toString());
    }
    EXPECT_EQ(changes, QStringList({u"2101-0300010 0.00"_s, u"2301-0100070 0.00"_s,
                                    u"2105-0100030 247.00"_s, u"2402-0100100 8000.00"_s}));

    ComparisonReport::Project before{u"a.vsk"_s, {{u"2101"_s, u"01"_s, u"D"_s, u"LS"_s, 2.5}}, {}};
    ComparisonReport::Project after = before;
    after.items[0].quantity = 2;
    const ComparisonReport plain = ComparisonReport::compare(before, after, {});
    model.setReport(&plain);
    EXPECT_EQ(model.index(0, 9).data().toString(), u"-.5"_s);
    EXPECT_EQ(plain.newTotals().totalCents, 0);
}

TEST(ContingencyScale, AFileThatCannotBeAScaleIsRefusedNamingTheLineAndReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"scale.csv"_s);
    EXPECT_TRUE(ContingencyScale::read(path).isEmpty());  // no file: no scale
    const std::pair<QByteArray, QString> cases[] = {
        {"Milestone,Percent\n", u"line 1: the heading is not"_s},
        {"Milestone,Contingency\n30,20\n45,10\n", u"line 3: \"45\" is none of 30, 60"_s},
        {"Milestone,Contingency\nfinal,5\nFinal,4\n", u"line 3: the milestone final is named"_s},
        {"Milestone,Contingency\n30,lots\n", u"line 2: \"lots\" is no percentage"_s},
        {"Milestone,Contingency\n30,101\n", u"line 2: \"101\" is no percentage"_s},
        {"Milestone,Contingency\n30\n", u"line 2: a line holds a milestone"_s},
        {QByteArray(5000, 'x'), u"scale.csv"_s}};
    for (const auto& [content, reason] : cases) {
        test::writeFile(path, content);
        const QString message = test::errorMessage([&] { ContingencyScale::read(path); });
        EXPECT_TRUE(message.contains(reason) && message.contains(u"scale.csv"_s))
            << message.toStdString();
    }
    test::writeFile(path, "Milestone;Contingency\n\n 90 ; 12.5\n");
    ProjectPrices prices;
    prices.setMilestone(Milestone::Ninety);
    const ContingencyScale scale = ContingencyScale::read(path);
    EXPECT_EQ(scale.applyTo(prices).contingencyPercent(), 12.5);
    prices.setContingencyPercent(0.5);  // the designer's own stays
    EXPECT_EQ(scale.applyTo(prices).contingencyPercent(), 0.5);
}

}  // namespace
}  // namespace veskplan
