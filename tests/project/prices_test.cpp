#include <gtest/gtest.h>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "base/error.h"
#include "base/sqlitedb.h"
#include "project/projectdocument.h"
#include "project/projectfile.h"
#include "project/specialrows.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

ProjectRecord item(const QString& number, const QString& cat, const QString& units = u"LS"_s) {
    return ProjectRecord{number, cat, u"D"_s, units, 2.0};
}

ItemPrice typed(double price, const QString& unit = u"LS"_s) {
    return ItemPrice{price, unit, PriceKind::Typed, u"quoted"_s};
}

TEST(Prices, EachChangeIsOneUndoableStepAndAPriceFollowsItsItem) {
    QTemporaryDir dir;
    ProjectDocument doc{RecordStore::create(dir.filePath(u"work.vsk"_s))};
    QSignalSpy changed(&doc, &ProjectDocument::pricesChanged);
    doc.addItem(item(u"2101"_s, u"01"_s));
    doc.setModified(false);
    const ItemKey key = ItemKey::of(doc.items().record(0));
    QUndoStack& stack = doc.undoStack();
    const int steps = stack.count();

    using Kind = ProjectDocument::EditResult::Kind;
    EXPECT_TRUE(doc.setPrice(key, typed(12.5)).stored() && doc.isModified());
    // Setting the same price again is no step.
    EXPECT_EQ(
        (std::vector{doc.setPrice(key, typed(12.5)).kind, doc.setPrice(key, typed(-1)).kind,
                     doc.setPrice(key, typed(qInf())).kind, doc.setMobilizationPercent(1001).kind,
                     doc.setMobilizationPercent(5).kind, doc.setContingencyPercent(10).kind}),
        (std::vector{Kind::Stored, Kind::Refused, Kind::Refused, Kind::Refused, Kind::Stored,
                     Kind::Stored}));
    EXPECT_EQ(stack.count(), steps + 3);
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(stack.undoText(), u"Contingency"_s);
    // A milestone takes the place of the contingency set, as one step.
    EXPECT_TRUE(doc.setMilestone(Milestone::Sixty).stored() &&
                doc.setMilestone(Milestone::Sixty).stored());
    EXPECT_EQ(std::pair(doc.prices().milestone(), doc.prices().contingencyPercent()),
              std::pair(std::optional(Milestone::Sixty), std::optional<double>()));
    EXPECT_EQ(std::pair(stack.count(), stack.undoText()), std::pair(steps + 4, u"Milestone"_s));
    stack.undo();
    EXPECT_EQ(std::pair(doc.prices().milestone(), doc.prices().contingencyPercent()),
              std::pair(std::optional<Milestone>(), std::optional(10.0)));

    stack.undo();
    stack.undo();
    EXPECT_FALSE(doc.prices().mobilizationPercent() || doc.prices().contingencyPercent());
    EXPECT_EQ(stack.undoText(), u"Unit Price"_s);
    stack.undo();
    EXPECT_EQ(doc.prices().find(key), nullptr);
    EXPECT_FALSE(doc.isModified());
    stack.redo();
    ASSERT_NE(doc.prices().find(key), nullptr);
    EXPECT_EQ(*doc.prices().find(key), typed(12.5));

    // Removed and brought back, the item keeps its price.
    doc.removeItem(0);
    stack.undo();
    EXPECT_EQ(doc.items().recordCount(), 1);
    EXPECT_EQ(*doc.prices().find(ItemKey::of(doc.items().record(0))), typed(12.5));
    EXPECT_TRUE(doc.setPrice(key, std::nullopt).stored() && doc.prices().isEmpty());

    // The estimate's setup: adopted as no step, changed as one; undoing a price keeps it.
    EstimateSetup setup;
    setup.sources = {{u"history"_s, u"bids.sqlite"_s}};
    const auto before = std::pair(stack.count(), doc.isModified());
    doc.adoptEstimateSetup(setup);
    EXPECT_EQ(std::pair(stack.count(), doc.isModified()), before);
    doc.setPrice(key, typed(3));
    EstimateSetup regional = setup;
    regional.region = u"North"_s;
    doc.setEstimateSetup(regional);
    doc.setEstimateSetup(regional);  // the same setup is no step
    EXPECT_EQ(std::pair(stack.count(), stack.undoText()),
              std::pair(before.first + 2, u"Estimate Settings"_s));
    stack.undo();
    EXPECT_EQ(doc.prices().estimateSetup(), setup);
    stack.undo();
    EXPECT_EQ(std::pair(doc.prices().find(key), doc.prices().estimateSetup()),
              std::pair(static_cast<const ItemPrice*>(nullptr), setup));
    stack.redo();
    stack.redo();
    EXPECT_TRUE(doc.prices().estimateSetup() == regional && doc.prices().find(key));
    doc.clearForNewProject();
    EXPECT_TRUE(doc.prices().isEmpty());
}

// The rows of a table, one a line, fields separated by '|', in key order.
QByteArray tableText(const QString& path, const char* select, int columns = 1) {
    SqliteDb db(path, SqliteDb::Mode::ReadOnly);
    auto rows = db.prepare(select);
    QByteArray text;
    while (rows.step()) {
        QStringList fields;
        for (int column = 0; column < columns; ++column) {
            fields.append(rows.isNull(column) ? u"NULL"_s : rows.text(column));
        }
        text += fields.join(u'|').toUtf8() + '\n';
    }
    return text;
}

TEST(Prices, AreSavedInATableOfTheirOwnBesideAnUnchangedItemTable) {
    QTemporaryDir dir;
    const std::vector<ProjectRecord> items = {item(u"2101"_s, u"01"_s),
                                              item(u"2301"_s, u"02"_s, u"CY"_s)};
    const auto special = specialrows::compose(HeaderFields{}, 0, u"3/14/2026"_s, CategoryList());
    ProjectPrices prices;
    prices.set(ItemKey::of(items[1]), ItemPrice{41.25, u"CY"_s, PriceKind::Median, QString()});
    prices.set(ItemKey::of(items[0]), ItemPrice{1500, u"LS"_s, PriceKind::Typed, u"quote, 2026"_s});
    prices.set(ItemKey{u"03"_s, u"9999"_s, u"D"_s}, typed(1));  // its item is out of the project
    prices.setContingencyPercent(7.5);
    prices.setMilestone(Milestone::Ninety);
    EstimateSetup setup;
    setup.sources = {{u"history"_s, u"/bids/history.sqlite"_s},
                     {u"prices"_s, u"/bids/north.csv"_s},
                     {u"prices"_s, u"/bids/state.xlsx"_s}};
    setup.estimateDate = QDate(2026, 3, 31);
    setup.from = QDate(2024, 4, 1);
    setup.region = u"North"_s;
    setup.bids = u"three"_s;
    setup.statistic = u"median"_s;
    prices.setEstimateSetup(setup);
    const QString plain = dir.filePath(u"plain.vsk"_s);
    const QString priced = dir.filePath(u"priced.vsk"_s);
    projectfile::write(plain, items, special);
    projectfile::write(priced, items, special, prices);

    const char* allRows = "SELECT * FROM veskdata ORDER BY rowid";
    EXPECT_EQ(tableText(plain, allRows, 5), tableText(priced, allRows, 5));
    EXPECT_EQ(tableText(plain, "SELECT name FROM sqlite_master ORDER BY name"),
              "BridgeKey\nsqlite_autoindex_veskdata_1\nveskdata\n");
    EXPECT_TRUE(
        test::sameBytes(test::dataFile(u"project/price-tables.txt"_s),
                        tableText(priced, "SELECT * FROM veskprices ORDER BY rowid", 7) +
                            tableText(priced, "SELECT * FROM veskestimate ORDER BY rowid", 2) +
                            tableText(priced, "SELECT * FROM veskestimatesettings", 2) +
                            tableText(priced, "SELECT * FROM veskmilestone")));

    EXPECT_TRUE(projectfile::readWithPrices(plain).prices.isEmpty());
    prices.set(ItemKey{u"03"_s, u"9999"_s, u"D"_s}, std::nullopt);
    const projectfile::Contents back = projectfile::readWithPrices(priced);
    EXPECT_EQ(back.prices, prices);
    EXPECT_EQ(back.records, projectfile::read(plain));
}

TEST(Prices, AnEstimateSetupThatCannotBeSoIsRefusedWithTheReason) {
    std::vector<std::pair<EstimateSetup::Values, QString>> cases{
        {EstimateSetup::Values(65, {u"prices"_s, u"a.csv"_s}),
         u"the estimate's settings have too many rows"_s}};
    for (const QStringList& c : test::tableRows(u"project/badsetups.txt"_s, 3)) {
        cases.push_back({{{c[0], c[1] == u"x5000"_s ? QString(5000, u'x') : c[1]}}, c[2]});
    }
    for (const auto& [values, reason] : cases) {
        try {
            EstimateSetup::fromValues(values);
            ADD_FAILURE() << reason.toStdString();
        } catch (const Error& error) {
            EXPECT_EQ(error.message(), reason);
        }
    }
    // A name a later version keeps is passed over.
    EXPECT_TRUE(EstimateSetup::fromValues({{u"colour"_s, u"red"_s}}).isEmpty());
}

TEST(TakeoffRecord, IsSavedInTablesOfItsOwnAndWhatCannotBeOneIsRefused) {
    QTemporaryDir dir;
    TakeoffImportRecord record;
    record.addFile({u"sheet 1.csv"_s, QString(64, u'a'), QDate(2026, 12, 6)});
    record.addFile({u"detail.xlsx"_s, QString(64, u'0'), QDate(2026, 12, 6)});
    record.setQuantity(u"01"_s, u"2101"_s, 2.5);
    record.setQuantity(u"02"_s, u"2301-0200000"_s, 100);
    const QString path = dir.filePath(u"kept.vsk"_s);
    projectfile::write(path, {item(u"2101"_s, u"01"_s)}, {}, {}, record);
    EXPECT_TRUE(
        test::sameBytes(test::dataFile(u"project/takeoff-tables.txt"_s),
                        tableText(path, "SELECT * FROM vesktakeofffiles ORDER BY rowid", 3) +
                            tableText(path, "SELECT * FROM vesktakeoff ORDER BY rowid", 3)));
    EXPECT_EQ(projectfile::readWithPrices(path).takeoff, record);
    const QString file = u"the last take-off import of sheet 1.csv has no SHA-256 or date"_s;
    const QString quantity = u"the last take-off import's quantity of 2101 is no quantity"_s;
    const std::vector<std::pair<const char*, QString>> refused = {
        {"UPDATE vesktakeoff SET Quantity = -1 WHERE Cat = '01'", quantity},
        {"UPDATE vesktakeoff SET Quantity = 'many' WHERE Cat = '01'", quantity},
        {"UPDATE vesktakeofffiles SET \"SHA-256\" = upper(\"SHA-256\")", file},
        {"UPDATE vesktakeofffiles SET Imported = '6/12/2026'", file},
        {"UPDATE vesktakeofffiles SET File = X'41'",
         u"the last take-off import holds a value that is not text"_s}};
    for (const auto& [change, reason] : refused) {
        const QString copy = dir.filePath(u"bad.vsk"_s);
        QFile::remove(copy);
        QFile::copy(path, copy);
        SqliteDb(copy, SqliteDb::Mode::ReadWriteCreate).exec(change);
        try {
            projectfile::readWithPrices(copy);
            ADD_FAILURE() << change;
        } catch (const Error& error) {
            EXPECT_TRUE(error.message().endsWith(u'\n' + reason)) << error.message().toStdString();
        }
    }
}

}  // namespace
}  // namespace veskplan
