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
#include "history/pricesourcekind.h"
#include "ooxml/ziparchive.h"
#include "project/projectfile.h"
#include "project/specialrows.h"
#include "support/externaltools.h"
#include "support/installedunits.h"
#include "support/recordtext.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

const QDate kEstimateDate(2026, 3, 31);

ProjectRecord item(const QString& number, const QString& cat, const QString& description,
                   const QString& unit, std::optional<double> quantity) {
    return ProjectRecord{number, cat, description, unit, quantity};
}

std::optional<double> number(const QString& text) {
    return text.isEmpty() ? std::nullopt : std::optional(text.toDouble());
}

// The low bid of a contract of its own for each quantity@price[/unit] pair, let on `letting`.
std::vector<BidRecord> bids(const QString& number, const QString& unit, const QString& pairs,
                            const QString& description = QString(),
                            QDate letting = QDate(2025, 6, 1)) {
    std::vector<BidRecord> list;
    for (const QString& pair : pairs.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = pair.split(u'/');
        BidRecord bid;
        bid.id = qint64(list.size()) + 1;
        bid.itemNumber = number;
        bid.description = description;
        bid.unit = parts.size() > 1 ? parts[1] : unit;
        bid.quantity = parts[0].section(u'@', 0, 0).toDouble();
        bid.unitPrice = parts[0].section(u'@', 1, 1).toDouble();
        bid.lettingDate = letting;
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

// The sources of a case: one source giving what the case gives.
PriceSources oneSource(SourcePrices prices = {}) {
    return PriceSources{{{u"bids.db"_s, std::move(prices)}}, {}, {}};
}

// The published rows of estimate/published.txt, each file a source, asked in file order.
PriceSources publishedSources() {
    PriceSources sources;
    for (const QStringList& c : test::tableRows(u"estimate/published.txt"_s, 5)) {
        if (sources.answers.empty() || sources.answers.back().source != c[0]) {
            sources.answers.push_back({c[0], {}});
        }
        sources.answers.back().prices.published.push_back(
            published(c[1], c[2], c[3], c[4].toDouble()));
    }
    return sources;
}

// Items with typed prices, one "number|cat|description|unit|quantity|price|price unit|note" each
// (quantity and price empty for none, the item's unit when none is given), priced with the
// estimate date's standard settings and by default no other price source.
Estimate typedEstimate(const QStringList& rows, std::optional<double> mobilization,
                       std::optional<double> contingency,
                       const CategoryList& categories = CategoryList(),
                       const PriceSources& sources = PriceSources()) {
    std::vector<ProjectRecord> items;
    ProjectPrices prices;
    for (const QString& row : rows) {
        const QStringList f = row.split(u'|');
        items.push_back(item(f[0], f[1], f[2], f[3], number(f[4])));
        if (!f[5].isEmpty()) {
            const QString unit = f.value(6).isEmpty() ? f[3] : f[6];
            prices.set(ItemKey::of(items.back()),
                       ItemPrice{f[5].toDouble(), unit, PriceKind::Typed, f.value(7)});
        }
    }
    prices.setMobilizationPercent(mobilization);
    prices.setContingencyPercent(contingency);
    return estimatebuilder::build(items, categories, prices, sources,
                                  EstimateSettings::standard(kEstimateDate));
}

TEST(Estimate, EachItemIsPricedFromItsEvidenceWithTheFlagsItRaises) {
    const std::map<QString, PriceStatistic> statistics{
        {u"weighted"_s, PriceStatistic::WeightedAverage},
        {u"median"_s, PriceStatistic::Median},
        {u"adjusted"_s, PriceStatistic::QuantityAdjusted}};
    for (const QStringList& c : test::tableRows(u"estimate/lines.txt"_s, 11)) {
        PriceSources sources = publishedSources();
        if (c[3] != u"-"_s) {
            const auto old = bids(c[0], c[1], u"100@999"_s, {}, QDate(2020, 1, 1));
            sources.answers.insert(sources.answers.begin(),
                                   {{u"old.db"_s, {{{c[0], old}}, {}}},
                                    {u"bids.db"_s, {{{c[0], bids(c[0], c[1], c[3])}}, {}}}});
        }
        EstimateSettings settings = EstimateSettings::standard(kEstimateDate);
        settings.window.region = c[4] == u"-"_s ? QString() : c[4];
        settings.statistic = statistics.at(c[5]);
        const Estimate estimate =
            estimatebuilder::build({item(c[0], u"01"_s, u"X"_s, c[1], number(c[2]))},
                                   CategoryList(), ProjectPrices(), sources, settings);
        ASSERT_EQ(estimate.lines.size(), 1u);
        const EstimateLine& line = estimate.lines[0];
        const auto text = [](std::optional<qint64> cents) {
            return cents ? QString::number(*cents) : u"-"_s;
        };
        EXPECT_EQ(
            (QStringList{text(line.unitPriceCents), line.kind ? priceKindName(*line.kind) : u"-"_s,
                         text(line.amountCents), flagNames(line.flags),
                         line.source.isEmpty() ? u"-"_s : line.source}),
            c.mid(6))
            << c.join(u'|').toStdString();
        EXPECT_EQ(estimate.totalCents, line.amountCents.value_or(0));
    }
}

TEST(Estimate, TheQuantityAdjustedPriceIsTheRegressionsPrediction) {
    const std::vector<BidRecord> eight =
        bids(u"2302"_s, u"CY"_s, u"10@90 20@70 40@60 80@45 160@40 320@33 640@25 1000@21"_s);
    EstimateSettings settings = EstimateSettings::standard(kEstimateDate);
    settings.statistic = PriceStatistic::QuantityAdjusted;
    const Estimate estimate =
        estimatebuilder::build({item(u"2302"_s, u"01"_s, u"X"_s, u"CY"_s, 100.0)}, CategoryList(),
                               ProjectPrices(), oneSource({{{u"2302"_s, eight}}, {}}), settings);
    const ItemStatistics expected =
        computeStatistics(eight, u"CY"_s, settings.window, nullptr, 100.0);
    ASSERT_TRUE(expected.regression.has_value());
    const PriceRegression& r = *expected.regression;
    EXPECT_TRUE(r.predicted > 40 && r.predicted < 50);
    // The plot's band passes through the interval at the project's quantity and widens away
    // from the bids' middle.
    const std::vector<BandPoint> band = predictionBand(*estimate.lines[0].statistics, 100, 3);
    ASSERT_EQ(band.size(), 3u);
    const auto near = [](double v) { return QString::number(v, 'g', 9); };
    EXPECT_EQ(
        (QStringList{priceKindName(*estimate.lines[0].kind), near(*estimate.lines[0].unitPrice),
                     near(band[0].quantity), near(band[1].quantity), near(band[2].quantity),
                     near(band[1].fitted), near(band[1].lower), near(band[1].upper)}),
        (QStringList{priceKindName(PriceKind::QuantityAdjusted), near(r.predicted), u"10"_s,
                     u"100"_s, u"1000"_s, near(r.predicted), near(r.lower90), near(r.upper90)}));
    EXPECT_LT(band[1].upper - band[1].lower, band[0].upper - band[0].lower);
    EXPECT_NEAR(predictionBand(*estimate.lines[0].statistics, 5000, 2)[1].quantity, 5000, 1e-9);
    ItemStatistics two = *estimate.lines[0].statistics;
    two.bidsUsed.resize(2);
    EXPECT_TRUE(predictionBand(two, 100, 3).empty());
}

TEST(Estimate, MajorItemsAreTheFewestCarryingEightyPercentAndThePercentagesGoOnTop) {
    for (const QStringList& c : test::tableRows(u"estimate/major.txt"_s, 7)) {
        QStringList items;
        for (const QString& price : c[0].split(u' ')) {
            items.append(u"%1|01|X|EACH|1|%2"_s.arg(2100 + items.size()).arg(price));
        }
        const Estimate estimate = typedEstimate(items, number(c[1]), number(c[2]));
        QStringList major;
        for (const int position : estimate.majorFirst) {
            if (estimate.lines[position].has(EstimateFlag::MajorItem)) {
                major.append(QString::number(position));
            }
        }
        EXPECT_EQ(estimate.majorFirst.size(), size_t(items.size()));
        EXPECT_EQ((QStringList{major.join(u' '), QString::number(estimate.mobilizationCents),
                               QString::number(estimate.contingencyCents),
                               QString::number(estimate.totalCents)}),
                  c.mid(3));
    }
}

Estimate sampleEstimate() {
    CategoryList categories;
    categories.append(u"01"_s, u"Roadway"_s);
    categories.append(u"02"_s, u"Drainage"_s);
    // A history as of its bids' letting, and a price file without a date of its own.
    PriceSources sources = oneSource(
        {{{u"2301"_s, bids(u"2301"_s, u"CY"_s, u"100@10 300@20"_s)}}, {}, QDate(2025, 6, 1)});
    sources.answers.push_back({u"prices.csv"_s, {}});
    return typedEstimate(
        test::dataLines(u"estimate/sample.txt"_s).filter(QRegularExpression(u"^[^#]"_s)), 5, 10,
        categories, sources);
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
        if (row->value(0) == u"Escalated by"_s || row->value(0) == u"Priced from"_s) {
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
    BidHistory::open(history, false).import(data + u"sample-bids.csv"_s, test::installedUnits());
    QStringList numbers;
    for (const ProjectRecord& record : contents.items) {
        numbers.append(record.itemNumber);
    }
    const PriceSources sources =
        PriceSources::load({{u"history"_s, history}, {u"prices"_s, data + u"sample-prices.csv"_s}},
                           data + u"sample-index.csv"_s, numbers);
    EstimateSettings settings = EstimateSettings::standard(QDate(2026, 9, 30));
    settings.window.escalate = true;
    read.prices.setMobilizationPercent(6);
    read.prices.setContingencyPercent(10);
    return estimatebuilder::build(contents.items, contents.categories, read.prices, sources,
                                  settings);
}

TEST(Estimate, TheCsvHoldsTheItemsInOrderAndTheTotalsBelow) {
    // Every kind of price source keeps its sources in a row the project file knows.
    for (const PriceSourceKind* kind : priceSourceKinds()) {
        EXPECT_TRUE(EstimateSetup::sourceRows().contains(kind->word)) << kind->word.toStdString();
    }
    EXPECT_TRUE(
        test::sameBytes(test::dataFile(u"estimate/estimate.csv"_s), estimateCsv(sampleEstimate())));
}

TEST(Estimate, TheWorkbookComputesWithFormulasAndShowsTheEvidence) {
    // The items sheet of a small estimate as written: an empty quantity that computes nothing, a
    // lump sum without one counted once, a quantity to all its digits, no mobilization, and the
    // words of an escalated price and of an ended cost index.
    Estimate small =
        typedEstimate({u"2101|01|NO QUANTITY|EACH||12.34"_s, u"2104|01|LUMP|LS||1500.5"_s,
                       u"2106|02|X|CY|1.0050000000000001|1"_s},
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
    const auto read =
        test::openpyxl(QString::fromUtf8(test::dataFile(u"estimate/workbook.py"_s)), path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read + u'\n',
              QString::fromUtf8(test::dataFile(u"estimate/workbook-openpyxl.txt"_s)));
}

TEST(Estimate, LibreOfficeRecalculatesTheWorkbookToTheEstimatesFigures) {
    VESKPLAN_SKIP_ON_WINDOWS("LibreOffice to recalculate the workbook");
    QTemporaryDir dir;
    const QStringList edges =
        test::dataLines(u"estimate/edges.txt"_s).filter(QRegularExpression(u"^[^#]"_s));
    // 2.01% of 50.00 and 2.8% of 51.25 are half a cent in decimal, just below it in binary.
    const QStringList fifty{u"2201|01|X|EACH|1|50"_s};
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
    EstimateLine escalated = copy;  // a kind that names its escalation wraps too
    escalated.kind = PriceKind::WeightedAverage;
    escalated.escalatedFrom = u"2025Q2"_s;
    escalated.escalatedTo = u"2026Q1"_s;
    estimate.escalation = EscalationBasis{u"index.csv"_s, u"2026Q1"_s, u"2025Q4"_s};
    copy.flags = 0x7f;  // every flag: they wrap within their column, none is cut
    copy.statistics = ItemStatistics{{}, {}, 123, 45};
    estimate.lines.insert(estimate.lines.begin(), 150, copy);  // several pages
    estimate.lines.insert(estimate.lines.begin(), escalated);
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
        EXPECT_TRUE(pages[page].contains(u"Priced from bids.db as of 2025-06-01; prices.csv"_s));
    }
    EXPECT_TRUE(pages.back().contains(u"16847.12"_s));
    const QString first = pages[0].simplified();
    for (const QString& flag : flagNames(0x7f).split(u';')) {
        EXPECT_TRUE(first.contains(flag)) << flag.toStdString();
    }
    EXPECT_TRUE(first.contains(u"escalated"_s) && first.contains(u"2025Q2\u21922026Q1"_s) &&
                first.contains(u"123/45"_s));
    EXPECT_TRUE(pages.back().contains(u"Escalated by index.csv to 2026Q1"_s));
    EXPECT_FALSE(text->contains(u'\u2026'));
}

TEST(Estimate, EveryLineSaysHowItsPriceWasMade) {
    for (const QStringList& c : test::tableRows(u"estimate/notes.txt"_s, 8)) {
        SCOPED_TRACE(c[0].toStdString());
        const QString signal = u"TEMPORARY SIGNAL AT MAIN ST"_s;
        PriceSources sources = oneSource(
            {{{u"2301"_s, bids(u"2301"_s, u"CY"_s, u"100@10 300@20"_s)},
              {u"2599-9999"_s, bids(u"2599-9999"_s, u"LS"_s, u"1@40000 1@50000"_s, signal)}},
             {published(u"2599-9999"_s, u"LS"_s, u"Statewide"_s, 45000, signal)}});
        if (!c[3].isEmpty()) {
            const QByteArray rows = c[3].toLatin1().replace(' ', '\n').replace('=', ',');
            sources.index = CostIndex::parse("Quarter,Index\n" + rows + '\n', u"index.csv"_s);
            sources.indexName = u"index.csv"_s;
        }
        EstimateSettings settings = EstimateSettings::standard(kEstimateDate);  // 2026Q1
        settings.window.region = c[2];
        settings.window.escalate = !c[3].isEmpty();
        const bool isSpecial = c[1] != u"BASE"_s;
        const Estimate estimate = estimatebuilder::build(
            {item(isSpecial ? u"2599-9999"_s : u"2301"_s, u"01"_s, c[1],
                  isSpecial ? u"LS"_s : u"CY"_s, isSpecial ? std::nullopt : std::optional(100.0))},
            CategoryList(), ProjectPrices(), sources, settings);
        const EstimateLine& line = estimate.lines.at(0);
        const QString indexEnd = estimate.escalation ? estimate.escalation->lastQuarter : QString();
        // The quarter escalated to is the one the kind names.
        const QString escalatedTo = c[3].isEmpty() ? u"-"_s : c[4].right(6);
        EXPECT_EQ((QStringList{line.kind ? kindText(line) : u"-"_s,
                               QString::number(line.unitPriceCents.value_or(0)),
                               flagNames(line.flags, indexEnd),
                               estimate.windowSelectsNothing ? u"Y"_s : u"N"_s}),
                  c.mid(4));
        EXPECT_EQ(estimate.escalation ? estimate.escalation->toQuarter : u"-"_s, escalatedTo);
        if (estimate.escalation) {
            EXPECT_TRUE(
                line.note.endsWith(u", escalated by index.csv 2025Q2\u2192"_s + escalatedTo))
                << line.note.toStdString();
            EXPECT_TRUE(estimateCsv(estimate).endsWith("Escalated by,index.csv," +
                                                       escalatedTo.toLatin1() +
                                                       "\r\nPriced from,bids.db,\r\n"));
        }
    }
}

}  // namespace
}  // namespace veskplan
