#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "shell/recordstore.h"
#include "shell/sqlitedb.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

ProjectRecord item(const char* number, const char* cat, const char* description = "DESC",
                   std::optional<double> quantity = std::nullopt) {
    return ProjectRecord{QString::fromLatin1(number), QString::fromLatin1(cat),
                         QString::fromLatin1(description), QStringLiteral("EACH"), quantity};
}

class RecordStoreTest : public ::testing::Test {
protected:
    void SetUp() override { store = RecordStore::create(dir.filePath(QStringLiteral("work.vsk"))); }

    // "number/cat" of every row in the current order.
    std::vector<std::string> order() const {
        std::vector<std::string> keys;
        for (int i = 0; i < store->recordCount(); ++i) {
            keys.push_back(
                (store->record(i).itemNumber + u'/' + store->record(i).cat).toStdString());
        }
        return keys;
    }
    std::string current() const {
        return store->hasCurrent()
                   ? (store->current().itemNumber + u'/' + store->current().cat).toStdString()
                   : std::string("none");
    }
    // Rows as SQLite orders them, to check that the memory copy agrees with the file.
    std::vector<std::string> fileOrder(const char* orderBy) const {
        SqliteDb db(store->path(), SqliteDb::Mode::ReadOnly);
        auto select = db.prepare(
            (std::string("SELECT \"Item Number\", \"Cat\" FROM veskdata ORDER BY ") + orderBy)
                .c_str());
        std::vector<std::string> keys;
        while (select.step()) {
            keys.push_back((select.text(0) + u'/' + select.text(1)).toStdString());
        }
        return keys;
    }

    QTemporaryDir dir;
    std::unique_ptr<RecordStore> store;
};

TEST_F(RecordStoreTest, NewFileIsAnEmptyStampedProjectTable) {
    EXPECT_EQ(store->recordCount(), 0);
    EXPECT_TRUE(store->bof());
    EXPECT_TRUE(store->eof());
    SqliteDb db(store->path(), SqliteDb::Mode::ReadOnly);
    auto id = db.prepare("PRAGMA application_id");
    id.step();
    EXPECT_EQ(id.integer(0), 0x56534B50);
    auto version = db.prepare("PRAGMA user_version");
    version.step();
    EXPECT_EQ(version.integer(0), 1);
    auto index = db.prepare("SELECT sql FROM sqlite_master WHERE name = 'BridgeKey'");
    ASSERT_TRUE(index.step());
    EXPECT_EQ(index.text(0),
              QStringLiteral("CREATE INDEX \"BridgeKey\" ON veskdata (\"Item Number\", \"Cat\")"));
}

TEST_F(RecordStoreTest, RowsFollowTheChosenIndexAsSqliteOrdersThem) {
    store->append(item("2501-0150000", "02"));
    store->append(item("2101-0100000", "02"));
    store->append(item("2501-0150000", "01"));
    store->append(item("2105-0500000", "01"));
    const std::vector<std::string> primary = {"2105-0500000/01", "2501-0150000/01",
                                              "2101-0100000/02", "2501-0150000/02"};
    EXPECT_EQ(order(), primary);
    EXPECT_EQ(fileOrder("\"Cat\", \"Item Number\", \"Description\""), primary);
    store->setIndex(IndexOrder::BridgeKey);
    const std::vector<std::string> bridge = {"2101-0100000/02", "2105-0500000/01",
                                             "2501-0150000/01", "2501-0150000/02"};
    EXPECT_EQ(order(), bridge);
    EXPECT_EQ(fileOrder("\"Item Number\", \"Cat\", \"Description\""), bridge);
}

TEST_F(RecordStoreTest, OrderIsByCodePointLikeSqlite) {
    // Blanks before digits, upper case before lower, and characters beyond the basic plane
    // after the private-use area, as UTF-8 byte order has them.
    for (const char16_t* number :
         {u"2599-9999   ", u"2599-9999001", u"a", u"B", u"\U0001F600", u"\uFF01", u"\u00E9"}) {
        store->append(ProjectRecord{QString::fromUtf16(number), QStringLiteral("01"),
                                    QStringLiteral("D"), QString(), std::nullopt});
    }
    EXPECT_EQ(order(), fileOrder("\"Cat\", \"Item Number\", \"Description\""));
}

TEST_F(RecordStoreTest, AppendKeepsThePreviousRowCurrent) {
    store->append(item("2101-0100000", "01"));
    store->append(item("2301-0200000", "01"));
    store->moveFirst();
    ASSERT_EQ(current(), "2101-0100000/01");
    store->append(item("2105-0500000", "01"));  // lands between the two
    EXPECT_EQ(current(), "2101-0100000/01");
    store->moveNext();
    EXPECT_EQ(current(), "2105-0500000/01");
    ASSERT_TRUE(store->setBookmark(store->lastModified()));
    EXPECT_EQ(current(), "2105-0500000/01");
}

TEST_F(RecordStoreTest, AppendOfADuplicateKeyIsRefusedAndChangesNothing) {
    store->append(item("2101-0100000", "01"));
    EXPECT_THROW(store->append(item("2101-0100000", "01")), DuplicateKeyError);
    EXPECT_EQ(store->recordCount(), 1);
    // The key covers the description: two free-text items can share a category.
    store->append(item("2599-9999", "01", "FIRST"));
    store->append(item("2599-9999", "01", "SECOND"));
    EXPECT_EQ(store->recordCount(), 3);
    EXPECT_EQ(fileOrder("rowid").size(), 3u);
}

TEST_F(RecordStoreTest, DeleteThenMoveLandsOnTheNeighbours) {
    for (const char* n : {"A", "B", "C", "D"}) {
        store->append(item(n, "01"));
    }
    store->moveFirst();
    store->moveNext();  // B
    store->deleteCurrent();
    EXPECT_EQ(current(), "none");
    store->moveNext();
    EXPECT_EQ(current(), "C/01");
    store->deleteCurrent();
    store->movePrevious();
    EXPECT_EQ(current(), "A/01");
    store->moveFirst();
    store->deleteCurrent();
    store->movePrevious();
    EXPECT_TRUE(store->bof());
    store->moveLast();
    store->deleteCurrent();
    store->moveNext();
    EXPECT_TRUE(store->eof());
    EXPECT_EQ(store->recordCount(), 0);
    EXPECT_TRUE(fileOrder("rowid").empty());
}

TEST_F(RecordStoreTest, WalkVisitsEveryRowOnceAndEndsPastTheLast) {
    for (const char* n : {"A", "B", "C"}) {
        store->append(item(n, "01"));
    }
    std::vector<std::string> seen;
    store->moveFirst();
    for (int i = 0; i < store->recordCount(); ++i) {
        seen.push_back(current());
        store->moveNext();
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"A/01", "B/01", "C/01"}));
    EXPECT_TRUE(store->eof());
    store->movePrevious();
    EXPECT_EQ(current(), "C/01");
}

TEST_F(RecordStoreTest, UpdateWritesThroughAndKeepsTheRecordCurrentWhenItMoves) {
    store->append(item("2599-9999", "01", "ALPHA"));
    store->append(item("2599-9999", "01", "MIDDLE"));
    store->moveFirst();
    ProjectRecord changed = store->current();
    changed.description = QStringLiteral("ZULU");
    changed.quantity = 4.5;
    store->updateCurrent(changed);
    EXPECT_EQ(store->current().description, QStringLiteral("ZULU"));
    EXPECT_EQ(store->currentRow(), 1);
    SqliteDb db(store->path(), SqliteDb::Mode::ReadOnly);
    auto select = db.prepare("SELECT \"Quantity\" FROM veskdata WHERE \"Description\" = 'ZULU'");
    ASSERT_TRUE(select.step());
    EXPECT_EQ(select.real(0), 4.5);
}

TEST_F(RecordStoreTest, SetIndexKeepsTheCurrentRecord) {
    store->append(item("B", "01"));
    store->append(item("A", "02"));
    store->moveFirst();
    ASSERT_EQ(current(), "B/01");
    store->setIndex(IndexOrder::BridgeKey);
    EXPECT_EQ(current(), "B/01");
    EXPECT_EQ(store->currentRow(), 1);
}

TEST_F(RecordStoreTest, ReplaceAllIsAllOrNothing) {
    store->append(item("KEEP", "01"));
    EXPECT_THROW(store->replaceAll({item("X", "01"), item("X", "01")}), DuplicateKeyError);
    EXPECT_EQ(order(), (std::vector<std::string>{"KEEP/01"}));
    EXPECT_EQ(fileOrder("rowid"), (std::vector<std::string>{"KEEP/01"}));
    store->replaceAll({item("Y", "02"), item("X", "01")});
    EXPECT_EQ(order(), (std::vector<std::string>{"X/01", "Y/02"}));
}

TEST_F(RecordStoreTest, ValuesRoundTripExactly) {
    const ProjectRecord original{QStringLiteral("2599-9999   "), QStringLiteral("01"),
                                 QString::fromUtf16(u"TRAILING  \u00BD "), QString(), 0.1};
    store->append(original);
    store->copyTo(dir.filePath(QStringLiteral("copy.vsk")));
    SqliteDb copy(dir.filePath(QStringLiteral("copy.vsk")), SqliteDb::Mode::ReadOnly);
    auto select = copy.prepare(
        "SELECT \"Item Number\", \"Description\", \"Units\", \"Quantity\" FROM veskdata");
    ASSERT_TRUE(select.step());
    EXPECT_EQ(select.text(0), original.itemNumber);
    EXPECT_EQ(select.text(1), original.description);
    EXPECT_TRUE(select.isNull(2));
    EXPECT_EQ(select.real(3), 0.1);
}

TEST_F(RecordStoreTest, MissingTextIsStoredEmpty) {
    // A header row written while no master list is loaded has no date at all.
    store->append(ProjectRecord{QStringLiteral("0000-2000000"), QStringLiteral("00"), QString(),
                                QStringLiteral("-1"), std::nullopt});
    EXPECT_EQ(store->recordCount(), 1);
    EXPECT_TRUE(store->record(0).description.isEmpty());
}

TEST_F(RecordStoreTest, RewriteItemNumbersChangesOnlyWhatDiffers) {
    store->append(item("A", "01"));
    store->append(item("B", "01"));
    store->moveLast();
    store->rewriteItemNumbers([](const ProjectRecord& r) {
        return r.itemNumber == QStringLiteral("A") ? QStringLiteral("C") : r.itemNumber;
    });
    EXPECT_EQ(order(), (std::vector<std::string>{"B/01", "C/01"}));
    EXPECT_EQ(current(), "B/01");
    EXPECT_EQ(fileOrder("\"Item Number\""), (std::vector<std::string>{"B/01", "C/01"}));
}

TEST_F(RecordStoreTest, FailedBatchRollsBackTheFileAndTheRows) {
    store->append(item("A", "01"));
    try {
        RecordStore::Batch batch(*store);
        store->append(item("B", "01"));
        store->append(item("A", "01"));  // throws
        batch.commit();
    } catch (const DuplicateKeyError&) {
    }
    EXPECT_EQ(order(), (std::vector<std::string>{"A/01"}));
    EXPECT_EQ(fileOrder("rowid"), (std::vector<std::string>{"A/01"}));
}

}  // namespace
}  // namespace veskplan
