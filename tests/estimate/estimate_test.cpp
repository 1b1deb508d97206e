#include <gtest/gtest.h>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>

#include "base/csv.h"
#include "estimate/estimatebuilder.h"
#include "estimate/estimatecsv.h"
#include "estimate/estimatepdf.h"
#include "estimate/estimateworkbook.h"
#include "estimate/predictionband.h"
#include "history/bidhistory.h"
#include "history/bidstatistics.h"
#include "ooxml/ziparchive.h"
#include "project/projectfile.h"
#include "project/specialrows.h"
#include "support/externaltools.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

const QDate kEstimateDate(2026, 3, 31);

ProjectRecord item(const QString& number, const QString& cat, const QString& description,
                   const QString& unit, std::optional<double> quantity) {
    return ProjectRecord{number, cat, description, unit, quantity};
}

// The low bid of a contract of its own for each quantity@price[/unit] pair.
std::vector<BidRecord> bids(const QString& number, const QString& unit, const QString& pairs) {
    std::vector<BidRecord> list;
    for (const QString& pair : pairs.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = pair.split(u'/');
        BidRecord bid;
        bid.id = qint64(list.size()) + 1;
        bid.itemNumber = number;
        bid.unit = parts.size() > 1 ? parts[1] : unit;
        bid.quantity = parts[0].section(u'@', 0, 0).toDouble();
        bid.unitPrice = parts[0].section(u'@', 1, 1).toDouble();
        bid.lettingDate = QDate(2025, 6, 1);
        bid.contract = u"C"_s + QString::number(list.size());
        bid.bidderRank = 1;
        bid.lowBidder = true;
        list.push_back(bid);
    }
    return list;
}

PublishedPrice published(const QString& number, const QString& unit, const QString& region,
                         double price, const QString& description = u"X"_s) {
    return PublishedPrice{number, description, unit, region, price, {}, {}, {}, 2};
}

PriceSources publishedSources() {
    PriceSources sources;
    sources.published = {published(u"2401"_s, u"TON"_s, u"North"_s, 55),
                         published(u"2401"_s, u"CY"_s, u"Statewide"_s, 9),
                         published(u"2401"_s, u"TON"_s, QString(), 50),
                         published(u"2402"_s, u"CY"_s, QString(), 7)};
    return sources;
}

// Items with typed prices, the estimate date's standard settings and no other price source.
struct TypedItem {
    ProjectRecord record;
    std::optional<double> price;
    QString priceUnit;  // the item's own when empty
};

Estimate typedEstimate(const std::vector<TypedItem>& typed, std::optional<double> mobilization,
                       std::optional<double> contingency) {
    std::vector<ProjectRecord> items;
    ProjectPrices prices;
    for (const TypedItem& t : typed) {
        items.push_back(t.record);
        if (t.price) {
            const QString unit = t.priceUnit.isEmpty() ? t.record.units : t.priceUnit;
            prices.set(ItemKey::of(t.record), ItemPrice{*t.price, unit, PriceKind::Typed, {}});
        }
    }
    prices.setMobilizationPercent(mobilization);
    prices.setContingencyPercent(contingency);
    return estimatebuilder::build(items, CategoryList(), prices, PriceSources(),
                                  EstimateSettings::standard(kEstimateDate));
}

TEST(Estimate, EachItemIsPricedFromItsEvidenceWithTheFlagsItRaises) {
    const std::map<QString, PriceStatistic> statistics{
        {u"weighted"_s, PriceStatistic::WeightedAverage},
        {u"median"_s, PriceStatistic::Median},
        {u"adjusted"_s, PriceStatistic::QuantityAdjusted}};
    for (const QStringList& c : test::tableRows(u"estimate/lines.txt"_s, 10)) {
        const QString what = c.join(u'|');
        const std::optional<double> quantity =
            c[2].isEmpty() ? std::nullopt : std::optional(c[2].toDouble());
        PriceSources sources = publishedSources();
        if (c[3] != u"-"_s) {
            sources.bids[c[0]] = bids(c[0], c[1], c[3]);
        }
        EstimateSettings settings = EstimateSettings::standard(kEstimateDate);
        settings.window.region = c[4] == u"-"_s ? QString() : c[4];
        settings.statistic = statistics.at(c[5]);
        const Estimate estimate =
            estimatebuilder::build({item(c[0], u"01"_s, u"X"_s, c[1], quantity)}, CategoryList(),
                                   ProjectPrices(), sources, settings);
        ASSERT_EQ(estimate.lines.size(), 1u);
        const EstimateLine& line = estimate.lines[0];
        const auto text = [](std::optional<qint64> cents) {
            return cents ? QString::number(*cents) : u"-"_s;
        };
        EXPECT_EQ(text(line.unitPriceCents), c[6]) << what.toStdString();
        EXPECT_EQ(line.kind ? priceKindName(*line.kind) : u"-"_s, c[7]) << what.toStdString();
        EXPECT_EQ(text(line.amountCents), c[8]) << what.toStdString();
        EXPECT_EQ(flagNames(line.flags), c[9]) << what.toStdString();
        EXPECT_EQ(estimate.totalCents, line.amountCents.value_or(0));
    }
}

TEST(Estimate, TheQuantityAdjustedPriceIsTheRegressionsPrediction) {
    PriceSources sources;
    sources.bids[u"2302"_s] =
        bids(u"2302"_s, u"CY"_s, u"10@90 20@70 40@60 80@45 160@40 320@33 640@25 1000@21"_s);
    EstimateSettings settings = EstimateSettings::standard(kEstimateDate);
    settings.statistic = PriceStatistic::QuantityAdjusted;
    const ProjectRecord pipe = item(u"2302"_s, u"01"_s, u"X"_s, u"CY"_s, 100.0);
    const Estimate estimate =
        estimatebuilder::build({pipe}, CategoryList(), ProjectPrices(), sources, settings);
    const ItemStatistics expected =
        computeStatistics(sources.bids[u"2302"_s], u"CY"_s, settings.window, nullptr, 100.0);
    ASSERT_TRUE(expected.regression.has_value());
    EXPECT_EQ(estimate.lines[0].kind, PriceKind::QuantityAdjusted);
    EXPECT_EQ(estimate.lines[0].unitPrice, expected.regression->predicted);
    EXPECT_GT(expected.regression->predicted, 40);  // between the prices around 100
    EXPECT_LT(expected.regression->predicted, 50);
    // The plot's band passes through the interval at the project's quantity and widens away
    // from the bids' middle.
    const std::vector<BandPoint> band = predictionBand(*estimate.lines[0].statistics, 100, 3);
    ASSERT_EQ(band.size(), 3u);
    EXPECT_NEAR(band[0].quantity, 10, 1e-9);
    EXPECT_NEAR(band[1].quantity, 100, 1e-9);  // the middle of 10 and 1000 on the log scale
    EXPECT_NEAR(band[2].quantity, 1000, 1e-9);
    EXPECT_NEAR(band[1].fitted, expected.regression->predicted, 1e-9);
    EXPECT_NEAR(band[1].lower, expected.regression->lower90, 1e-9);
    EXPECT_NEAR(band[1].upper, expected.regression->upper90, 1e-9);
    EXPECT_LT(band[1].upper - band[1].lower, band[0].upper - band[0].lower);
    EXPECT_NEAR(predictionBand(*estimate.lines[0].statistics, 5000, 2)[1].quantity, 5000, 1e-9);
    ItemStatistics two = *estimate.lines[0].statistics;
    two.bidsUsed.resize(2);
    EXPECT_TRUE(predictionBand(two, 100, 3).empty());
}

TEST(Estimate, MajorItemsAreTheFewestCarryingEightyPercentAndThePercentagesGoOnTop) {
    struct Case {
        std::vector<double> prices;  // one item each, quantity 1
        std::optional<double> mobilization, contingency;
        std::vector<int> major;
        qint64 mobilizationCents, contingencyCents, totalCents;
    };
    const Case cases[] = {
        {{5000, 5000}, {}, {}, {0, 1}, 0, 0, 1000000},
        {{2000, 7000, 1000}, 2.5, {}, {1, 0}, 25000, 0, 1025000},
        {{8000, 1500, 500}, {}, 12.345, {0}, 0, 123450, 1123450},
        // A cent more than 800000 of 1000001 makes 80% need the second item.
        {{8000, 1500, 500.005}, 5, 10, {0, 1}, 50000, 105000, 1155001},
        {{0, 0}, 5, 10, {}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::vector<TypedItem> items;
        for (size_t i = 0; i < c.prices.size(); ++i) {
            items.push_back({item(QString::number(2100 + i), u"01"_s, u"X"_s, u"EACH"_s, 1.0),
                             c.prices[i], QString()});
        }
        const Estimate estimate = typedEstimate(items, c.mobilization, c.contingency);
        std::vector<int> major;
        for (const int position : estimate.majorFirst) {
            if (estimate.lines[position].has(EstimateFlag::MajorItem)) {
                major.push_back(position);
            }
        }
        EXPECT_EQ(major, c.major) << c.prices[0];
        EXPECT_EQ(estimate.majorFirst.size(), items.size());
        EXPECT_EQ(estimate.mobilizationCents, c.mobilizationCents) << c.prices[0];
        EXPECT_EQ(estimate.contingencyCents, c.contingencyCents) << c.prices[0];
        EXPECT_EQ(estimate.totalCents, c.totalCents) << c.prices[0];
    }
}

// Two categories: typed prices (one in another unit than its item's, one on a lump sum without
// a quantity), an item priced from two bids and one without any price.
Estimate sampleEstimate() {
    const std::vector<ProjectRecord> items = {
        item(u"2599"_s, u"02"_s, u"SPECIAL"_s, u"EACH"_s, 3.0),
        item(u"2360"_s, u"01"_s, u"MOBILIZATION ALLOWANCE"_s, u"LS"_s, std::nullopt),
        item(u"2105"_s, u"01"_s, u"EXCAVATION, COMMON"_s, u"CY"_s, 1000.0),
        item(u"2501"_s, u"02"_s, u"PIPE"_s, u"LF"_s, 120.0),
        item(u"2101"_s, u"01"_s, u"CLEARING"_s, u"ACRE"_s, 12.5),
        item(u"2301"_s, u"01"_s, u"BASE"_s, u"CY"_s, 50.0)};
    ProjectPrices prices;
    const auto typed = [&](int i, double price, const QString& unit) {
        prices.set(ItemKey::of(items[i]), ItemPrice{price, unit, PriceKind::Typed, u"quote"_s});
    };
    typed(1, 1500, u"LS"_s);
    typed(2, 8.333, u"cy"_s);
    typed(3, 45, u"FT"_s);
    typed(4, 310.5, u"ACRE"_s);
    prices.setMobilizationPercent(5);
    prices.setContingencyPercent(10);
    CategoryList categories;
    categories.append(u"01"_s, u"Roadway"_s);
    categories.append(u"02"_s, u"Drainage"_s);
    PriceSources sources;
    sources.bids[u"2301"_s] = bids(u"2301"_s, u"CY"_s, u"100@10 300@20"_s);
    return estimatebuilder::build(items, categories, prices, sources,
                                  EstimateSettings::standard(kEstimateDate));
}

const EstimateTitle kTitle{u"STP-12"_s, u"Pat Quinn"_s, u"job.vsk"_s, kEstimateDate, u"low bids"_s};

// The figures of an estimate's CSV or of its workbook's first sheet as LibreOffice shows it: one
// "label=amount" a row below the headings, the items by number and the totals by description,
// without the percentage in a label ("Mobilization (6%)") or thousands separators.
QStringList figures(const QString& csvText) {
    csv::Reader reader(csvText.toUtf8(), u"figures"_s, 1 << 24, 100000);
    QStringList figures;
    bool below = false;
    while (const std::optional<QStringList> row = reader.next()) {
        if (!below) {
            below = row->value(0) == u"Item Number"_s;
            continue;
        }
        if (row->value(0) == u"Escalated by"_s) {
            break;  // the basis below the total, no figure of the sheet's
        }
        QString label = row->value(0).isEmpty() ? row->value(2) : row->value(0);
        label.remove(QRegularExpression(u" \\([^)]*%\\)$"_s));
        if (!label.isEmpty()) {
            figures.append(label + u'=' + row->value(7).remove(u','));
        }
    }
    return figures;
}

// The bundled sample project with 6% mobilization and 10% contingency, priced from the bundled
// bid history, published prices and cost index at the end of September 2026.
Estimate sampleProjectEstimate(const QString& folder) {
    const QString data = QStringLiteral(VESKPLAN_SOURCE_DIR "/data/");
    projectfile::Contents read = projectfile::readWithPrices(data + u"sample.vsk"_s);
    const specialrows::ProjectContents contents = specialrows::split(std::move(read.records));
    const QString history = folder + u"/bids.db"_s;
    BidHistory::open(history, false).import(data + u"sample-bids.csv"_s);
    QStringList numbers;
    for (const ProjectRecord& record : contents.items) {
        numbers.append(record.itemNumber);
    }
    const PriceSources sources = PriceSources::load(history, {data + u"sample-prices.csv"_s},
                                                    data + u"sample-index.csv"_s, numbers);
    EstimateSettings settings = EstimateSettings::standard(QDate(2026, 9, 30));
    settings.window.escalate = true;
    read.prices.setMobilizationPercent(6);
    read.prices.setContingencyPercent(10);
    return estimatebuilder::build(contents.items, contents.categories, read.prices, sources,
                                  settings);
}

TEST(Estimate, TheCsvHoldsTheItemsInOrderAndTheTotalsBelow) {
    EXPECT_TRUE(
        test::sameBytes(test::dataFile(u"estimate/estimate.csv"_s), estimateCsv(sampleEstimate())));
}

TEST(Estimate, TheWorkbookComputesWithFormulasAndShowsTheEvidence) {
    // The items sheet of a small estimate as written: an empty quantity that computes nothing, a
    // lump sum without one counted once, a quantity to all its digits, no mobilization, and the
    // words of an escalated price and of an ended cost index.
    Estimate small = typedEstimate(
        {{item(u"2101"_s, u"01"_s, u"NO QUANTITY"_s, u"EACH"_s, std::nullopt), 12.34, {}},
         {item(u"2104"_s, u"01"_s, u"LUMP"_s, u"LS"_s, std::nullopt), 1500.5, {}},
         {item(u"2106"_s, u"02"_s, u"X"_s, u"CY"_s, std::nextafter(1.005, 2.0)), 1, {}}},
        {}, 100);
    small.escalation = EscalationBasis{u"index.csv"_s, u"2026Q1"_s, u"2025Q4"_s};
    small.lines[2].kind = PriceKind::WeightedAverage;
    small.lines[2].escalatedFrom = u"2025Q2"_s;
    small.lines[2].escalatedTo = u"2026Q1"_s;
    small.lines[2].flags |= unsigned(EstimateFlag::IndexEnds);
    QByteArray expected = test::dataFile(u"estimate/items-sheet.xml"_s);
    expected = expected.chopped(1).replace('\n', QByteArray()) + '\n';  // written on one line
    const auto parts = ZipArchive::read(estimateWorkbook(small, kTitle));
    const auto sheet = std::find_if(parts.begin(), parts.end(), [](const ZipArchive::Entry& e) {
        return e.name == u"xl/worksheets/sheet1.xml"_s;
    });
    ASSERT_NE(sheet, parts.end());
    EXPECT_TRUE(test::sameBytes(expected, sheet->data));

    VESKPLAN_SKIP_ON_WINDOWS("python3 with openpyxl to read the workbook back");
    QTemporaryDir dir;
    const QString path = dir.filePath(u"estimate.xlsx"_s);
    writeEstimateWorkbook(sampleEstimate(), kTitle, path);
    const auto read = test::openpyxl(
        u"import sys, openpyxl\n"
        "f = openpyxl.load_workbook(sys.argv[1])\n"
        "v = openpyxl.load_workbook(sys.argv[1], data_only=True)\n"
        "for name in f.sheetnames:\n"
        "    print(name, f[name]['A1'].value, f[name].oddHeader.center.text)\n"
        "s, c = f['Estimate'], v['Estimate']\n"
        "for row in range(7, s.max_row + 1):\n"
        "    print(s.cell(row, 1).value or s.cell(row, 3).value, s.cell(row, 8).value,"
        " c.cell(row, 8).value)\n"
        "e = f['Evidence']\n"
        "print(e['A9'].value, e['G9'].value, e['I9'].value, e['S9'].value)\n"_s,
        path);
    ASSERT_TRUE(read.has_value());
    const QString marks = u" Confidential \u2014 engineer's estimate"_s.repeated(2) + u'\n';
    EXPECT_EQ(*read, u"Estimate"_s + marks + u"Evidence"_s + marks +
                         u"2101 =ROUND(E7*F7,2) 3881.25\n"
                         "2105 =ROUND(E8*F8,2) 8330.0\n"
                         "2301 =ROUND(E9*F9,2) 875.0\n"
                         "2360 =ROUND(1*F10,2) 1500.0\n"
                         "2501 None None\n"
                         "2599 None None\n"
                         "None None None\n"
                         "Subtotal 01 Roadway =SUMIF($B$7:$B$12,B14,$H$7:$H$12) 14586.25\n"
                         "Subtotal 02 Drainage =SUMIF($B$7:$B$12,B15,$H$7:$H$12) 0.0\n"
                         "Items =SUM(H14:H15) 14586.25\n"
                         "Mobilization (%) =ROUND(H16*G17/100,2) 729.31\n"
                         "Contingency (%) =ROUND((H16+H17)*G18/100,2) 1531.56\n"
                         "Total =H16+H17+H18 16847.12\n"
                         "2301 2 17.5 1 2"_s);
}

TEST(Estimate, LibreOfficeRecalculatesTheWorkbookToTheEstimatesFigures) {
    VESKPLAN_SKIP_ON_WINDOWS("LibreOffice to recalculate the workbook");
    QTemporaryDir dir;
    // Products on half a cent in decimal that lie just below it in binary (1.005, 4.35 x 0.50,
    // 38300.7 x 0.95, 1234567.005) or just above it (2.675), half a cent itself, and a quantity
    // whose fifteen digits read back as another number.
    const std::vector<TypedItem> edges{
        {item(u"2101"_s, u"01"_s, u"NO QUANTITY"_s, u"EACH"_s, std::nullopt), 12.34, {}},
        {item(u"2102"_s, u"01"_s, u"NO PRICE"_s, u"EACH"_s, 3.0), std::nullopt, {}},
        {item(u"2103"_s, u"01"_s, u"UNIT DIFFERS"_s, u"LF"_s, 120.0), 45, u"FT"_s},
        {item(u"2104"_s, u"01"_s, u"LUMP"_s, u"LS"_s, std::nullopt), 1500.5, {}},
        {item(u"2105"_s, u"01"_s, u"LUMPS"_s, u"LS"_s, 2.0), 250.25, {}},
        {item(u"2106"_s, u"02"_s, u"X"_s, u"CY"_s, 1.005), 1, {}},
        {item(u"2107"_s, u"02"_s, u"X"_s, u"CY"_s, 2.675), 1, {}},
        {item(u"2108"_s, u"02"_s, u"X"_s, u"TON"_s, 4.35), 0.5, {}},
        {item(u"2109"_s, u"02"_s, u"X"_s, u"CY"_s, 38300.7), 0.95, {}},
        {item(u"2110"_s, u"02"_s, u"X"_s, u"LF"_s, 0.5), 0.01, {}},
        {item(u"2111"_s, u"02"_s, u"X"_s, u"SY"_s, 1234567.005), 1, {}},
        {item(u"2112"_s, u"02"_s, u"X"_s, u"SY"_s, std::nextafter(1.005, 2.0)), 1, {}}};
    // 2.01% of 50.00 and 2.8% of 51.25 are half a cent in decimal, just below it in binary.
    const std::vector<TypedItem> fifty{{item(u"2201"_s, u"01"_s, u"X"_s, u"EACH"_s, 1.0), 50, {}}};
    const std::pair<const char*, std::function<Estimate()>> cases[] = {
        {"the sample project", [&dir] { return sampleProjectEstimate(dir.path()); }},
        {"edges, no percentages", [&] { return typedEstimate(edges, {}, {}); }},
        {"edges, 0% and 100%", [&] { return typedEstimate(edges, 0, 100); }},
        {"edges, 100% and 0%", [&] { return typedEstimate(edges, 100, 0); }},
        {"2.01% mobilization", [&] { return typedEstimate(fifty, 2.01, {}); }},
        {"2.8% contingency", [&] { return typedEstimate(fifty, 2.5, 2.8); }},
    };
    for (const auto& [what, build] : cases) {
        const Estimate estimate = build();
        const QString path = dir.filePath(u"estimate.xlsx"_s);
        writeEstimateWorkbook(estimate, kTitle, path);
        const auto shown = test::libreOfficeCsv(path);
        ASSERT_TRUE(shown.has_value()) << what;
        QStringList expected = figures(QString::fromUtf8(estimateCsv(estimate)));
        // The sheet shows the items' sum above the percentages; the CSV does not.
        const qsizetype mobilization = expected.indexOf(QRegularExpression(u"Mobilization=.*"_s));
        ASSERT_GE(mobilization, 0) << what;
        expected.insert(mobilization, u"Items="_s + centsText(estimate.itemsCents));
        EXPECT_EQ(figures(*shown), expected) << what;
    }
}

TEST(Estimate, EveryPageOfThePdfCarriesTheConfidentialityMark) {
    VESKPLAN_SKIP_ON_WINDOWS("pdftotext to read the PDF back");
    QTemporaryDir dir;
    Estimate estimate = sampleEstimate();
    EstimateLine copy = estimate.lines[0];
    copy.flags = 0x7f;  // every flag: they wrap within their column, none is cut
    copy.statistics.emplace().bids = 123;
    copy.statistics->contracts = 45;
    estimate.lines.insert(estimate.lines.begin(), 150, copy);  // several pages
    const QString path = dir.filePath(u"estimate.pdf"_s);
    writeEstimatePdf(estimate, kTitle, path);
    const auto text = test::pdfText(path);
    ASSERT_TRUE(text.has_value());
    QStringList pages = text->split(u'\f');
    pages.removeAll(QString());
    ASSERT_GE(pages.size(), 3);
    for (qsizetype page = 0; page < pages.size(); ++page) {
        EXPECT_TRUE(pages[page].contains(u"Confidential \u2014 engineer's estimate"_s)) << page;
        EXPECT_TRUE(pages[page].contains(u"Page "_s + QString::number(page + 1) + u" of "_s +
                                         QString::number(pages.size())));
    }
    EXPECT_TRUE(pages.back().contains(u"16847.12"_s));
    const QString first = pages[0].simplified();
    for (const QString& flag : flagNames(0x7f).split(u';')) {
        EXPECT_TRUE(first.contains(flag)) << flag.toStdString();
    }
    EXPECT_TRUE(first.contains(u"123/45"_s));
    EXPECT_FALSE(text->contains(u'\u2026'));
}

// How each price was made shows on its line: escalation with its quarters and the index's end,
// free-text items priced only from their own description, and a window that selects nothing.
TEST(Estimate, EveryLineSaysHowItsPriceWasMade) {
    struct Case {
        const char* what;
        QString description, region, index;  // index: quarter=value pairs; BASE is item 2301
        QString kind;                        // "-" for no price
        qint64 unitCents;
        QString flags;
        bool nothingSelected;
    };
    const QString few = u"fewer than 3 contracts;major item"_s;  // the bids are let 2025Q2
    const Case cases[] = {
        {"plain", u"BASE"_s, QString(), QString(), u"Weighted average"_s, 1750, few, false},
        {"escalated", u"BASE"_s, QString(), u"2025Q2=100 2026Q1=110"_s,
         u"Weighted average, escalated 2025Q2\u21922026Q1"_s, 1925, few, false},
        {"past the index", u"BASE"_s, QString(), u"2025Q2=100 2025Q4=104"_s,
         u"Weighted average, escalated 2025Q2\u21922025Q4"_s, 1820, few + u";index ends 2025Q4"_s,
         false},
        {"no bid in the region", u"BASE"_s, u"Nowhere"_s, QString(), u"-"_s, 0, u"no price"_s,
         true},
        {"free text, its own description", u" temporary  signal at main st"_s, QString(), QString(),
         u"Weighted average"_s, 4500000, u"fewer than 3 contracts;lump sum;major item"_s, false},
        {"free text, published", u"Temporary Signal at Main St"_s, u"Nowhere"_s, QString(),
         u"Published average"_s, 4500000, u"lump sum;major item"_s, true},
        {"free text, another description", u"DETOUR ROUTE MAINTENANCE"_s, QString(), QString(),
         u"-"_s, 0, u"no price;lump sum;free-text item: no history of this description"_s, false},
    };
    for (const Case& c : cases) {
        PriceSources sources;
        sources.bids[u"2301"_s] = bids(u"2301"_s, u"CY"_s, u"100@10 300@20"_s);
        std::vector<BidRecord> special = bids(u"2599-9999"_s, u"LS"_s, u"1@40000 1@50000"_s);
        for (BidRecord& bid : special) {
            bid.description = u"TEMPORARY SIGNAL AT MAIN ST"_s;
        }
        sources.bids[u"2599-9999"_s] = special;
        sources.published = {published(u"2599-9999"_s, u"LS"_s, u"Statewide"_s, 45000,
                                       u"TEMPORARY SIGNAL AT MAIN ST"_s)};
        if (!c.index.isEmpty()) {
            const QByteArray rows = c.index.toLatin1().replace(' ', '\n').replace('=', ',');
            sources.index = CostIndex::parse("Quarter,Index\n" + rows + '\n', u"index.csv"_s);
            sources.indexName = u"index.csv"_s;
        }
        EstimateSettings settings = EstimateSettings::standard(kEstimateDate);  // 2026Q1
        settings.window.region = c.region;
        settings.window.escalate = !c.index.isEmpty();
        const bool isSpecial = c.description != u"BASE"_s;
        const Estimate estimate = estimatebuilder::build(
            {item(isSpecial ? u"2599-9999"_s : u"2301"_s, u"01"_s, c.description,
                  isSpecial ? u"LS"_s : u"CY"_s, isSpecial ? std::nullopt : std::optional(100.0))},
            CategoryList(), ProjectPrices(), sources, settings);
        const EstimateLine& line = estimate.lines.at(0);
        const QString indexEnd = estimate.escalation ? estimate.escalation->lastQuarter : QString();
        // The quarter escalated to is the one the kind names.
        const QString escalatedTo = c.index.isEmpty() ? u"-"_s : c.kind.right(6);
        EXPECT_EQ(line.kind ? kindText(line) : u"-"_s, c.kind) << c.what;
        EXPECT_EQ(line.unitPriceCents.value_or(0), c.unitCents) << c.what;
        EXPECT_EQ(flagNames(line.flags, indexEnd), c.flags) << c.what;
        EXPECT_EQ(estimate.escalation ? estimate.escalation->toQuarter : u"-"_s, escalatedTo)
            << c.what;
        EXPECT_EQ(estimate.windowSelectsNothing, c.nothingSelected) << c.what;
        if (estimate.escalation) {
            EXPECT_TRUE(
                line.note.endsWith(u", escalated by index.csv 2025Q2\u2192"_s + escalatedTo))
                << c.what << ": " << line.note.toStdString();
            EXPECT_TRUE(estimateCsv(estimate).endsWith("Escalated by,index.csv," +
                                                       escalatedTo.toLatin1() + "\r\n"))
                << c.what;
        }
    }
}

// Amounts are rounded as the decimal numbers the designer sees, half away from zero, whatever
// binary makes of them: 1.005 is held a little below itself.
TEST(Estimate, ProductsRoundTheDecimalFiguresHalfAwayFromZero) {
    struct Case {
        double factor;
        qint64 cents;
        int shift;
        qint64 expected;
    };
    const Case cases[] = {
        {1.005, 100, 0, 101},
        {2.675, 100, 0, 268},
        {4.35, 50, 0, 218},
        {38300.7, 95, 0, 3638567},
        {2.01, 5000, 2, 101},
        {2.8, 5125, 2, 144},
        {-1.005, 100, 0, -101},
        {1.004999, 100, 0, 100},
        {0.5, 1, 0, 1},
        {1000, 250, 0, 250000},
        {1234567.005, 100, 0, 123456701},
        {12.5, 31050, 0, 388125},
        {1e6, 100, 0, 100000000},
        {1.5e8, 100, 0, 15000000000},
        {qQNaN(), 100, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decimalProduct(c.factor, c.cents, c.shift), c.expected) << c.factor;
    }
}

}  // namespace
}  // namespace veskplan
