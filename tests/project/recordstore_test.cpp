#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "base/sqlitedb.h"
#include "project/projectgridmodel.h"
#include "project/projectgridorder.h"
#include "project/recordstore.h"
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

    // "number/cat" of every row in the working order, or as `shown` shows them.
    std::vector<std::string> order(const ProjectGridOrder* shown = nullptr) const {
        std::vector<std::string> keys;
        for (int i = 0; i < store->recordCount(); ++i) {
            keys.push_back(key(store->record(shown ? shown->storeRow(i) : i)));
        }
        return keys;
    }
    static std::string key(const ProjectRecord& r) {
        return (r.itemNumber + u'/' + r.cat).toStdString();
    }
    // Rows as SQLite orders them: the memory copy must agree with the file.
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

TEST_F(RecordStoreTest, RowsFollowTheChosenIndexAsSqliteOrdersThem) {
    ProjectGridModel model(*store, QLocale::c());
    ProjectGridOrder shown(*store, model, IndexOrder::BridgeKey);
    for (const auto& r : {item("2501-0150000", "02"), item("2101-0100000", "02"),
                          item("2501-0150000", "01"), item("2105-0500000", "01")}) {
        store->append(r);
    }
    // UTF-8 byte order, as SQLite compares: beyond the basic plane after the private-use area.
    for (const char16_t* number :
         {u"2599-9999   ", u"2599-9999001", u"a", u"B", u"\U0001F600", u"\uFF01", u"\u00E9"}) {
        store->append(ProjectRecord{QString::fromUtf16(number), QStringLiteral("03"),
                                    QStringLiteral("D"), QString(), std::nullopt});
    }
    EXPECT_EQ(order(), fileOrder("\"Cat\", \"Item Number\", \"Description\""));
    EXPECT_EQ(order()[0], "2105-0500000/01");
    EXPECT_EQ(order(&shown), fileOrder("\"Item Number\", \"Cat\", \"Description\""));
    EXPECT_EQ(order(&shown)[0], "2101-0100000/02");
}

TEST_F(RecordStoreTest, AppendTellsItsRowAndRefusesARepeatedKey) {
    EXPECT_EQ(store->append(item("2101-0100000", "01")), 0);
    EXPECT_EQ(store->append(item("2301-0200000", "01")), 1);
    EXPECT_EQ(store->append(item("2105-0500000", "01")), 1);  // lands between the two
    EXPECT_THROW(store->append(item("2101-0100000", "01")), DuplicateKeyError);
    // The key covers the description: two free-text items can share a category.
    store->append(item("2599-9999", "01", "FIRST"));
    store->append(item("2599-9999", "01", "SECOND"));
    EXPECT_TRUE(fileOrder("rowid").size() == 5u && store->recordCount() == 5);
}

TEST_F(RecordStoreTest, RemoveTakesTheRowFromTheFileAndRowsOutsideAreRefused) {
    for (const char* n : {"A", "B", "C"}) {
        store->append(item(n, "01"));
    }
    store->remove(1);
    EXPECT_EQ(order(), (std::vector<std::string>{"A/01", "C/01"}));
    EXPECT_EQ(fileOrder("rowid"), order());
    EXPECT_THROW(store->remove(2), std::out_of_range);
    EXPECT_THROW(store->update(-1, item("X", "01")), std::out_of_range);
    store->remove(0);
    store->remove(0);
    EXPECT_TRUE(fileOrder("rowid").empty());
}

TEST_F(RecordStoreTest, UpdateWritesThroughAndTellsWhereAMovedRecordWent) {
    store->append(item("2599-9999", "01", "ALPHA"));
    store->append(item("2599-9999", "01", "MIDDLE"));
    ProjectRecord changed = store->record(0);
    changed.description = QStringLiteral("ZULU");
    changed.quantity = 4.5;
    EXPECT_EQ(store->update(0, changed), 1);
    EXPECT_EQ(store->record(1).description, QStringLiteral("ZULU"));
    changed.quantity = 5.5;
    EXPECT_EQ(store->update(1, changed), 1);  // the key stays: so does the row
    EXPECT_THROW(store->update(0, changed), DuplicateKeyError);
    SqliteDb db(store->path(), SqliteDb::Mode::ReadOnly);
    auto select = db.prepare("SELECT \"Quantity\" FROM veskdata WHERE \"Description\" = 'ZULU'");
    ASSERT_TRUE(select.step());
    EXPECT_EQ(select.real(0), 5.5);
}

TEST_F(RecordStoreTest, ReplaceAllAndBatchesAreAllOrNothing) {
    store->append(item("KEEP", "01"));
    EXPECT_THROW(store->replaceAll({item("X", "01"), item("X", "01")}), DuplicateKeyError);
    EXPECT_EQ(fileOrder("rowid"), (std::vector<std::string>{"KEEP/01"}));
    try {
        RecordStore::Batch batch(*store);
        store->append(item("B", "01"));
        store->append(item("KEEP", "01"));  // throws
        batch.commit();
    } catch (const DuplicateKeyError&) {
    }
    EXPECT_EQ(order(), (std::vector<std::string>{"KEEP/01"}));
    EXPECT_EQ(fileOrder("rowid"), (std::vector<std::string>{"KEEP/01"}));
    store->replaceAll({item("Y", "02"), item("X", "01")});
    EXPECT_EQ(order(), (std::vector<std::string>{"X/01", "Y/02"}));
    store->rewriteItemNumbers([](const ProjectRecord& r) {
        return r.itemNumber == QStringLiteral("X") ? QStringLiteral("Z") : r.itemNumber;
    });
    EXPECT_EQ(fileOrder("\"Item Number\""), (std::vector<std::string>{"Y/02", "Z/01"}));
}

TEST_F(RecordStoreTest, ValuesRoundTripExactlyAndMissingTextIsStoredEmpty) {
    const ProjectRecord original{QStringLiteral("2599-9999   "), QStringLiteral("01"),
                                 QString::fromUtf16(u"TRAILING  \u00BD "), QString(), 0.1};
    store->append(original);
    store->append(ProjectRecord{QStringLiteral("B"), QStringLiteral("00"), QString(),
                                QStringLiteral("-1"), std::nullopt});
    SqliteDb db(store->path(), SqliteDb::Mode::ReadOnly);
    auto select = db.prepare(
        "SELECT \"Item Number\", \"Description\", \"Units\", \"Quantity\" FROM veskdata "
        "ORDER BY rowid");
    ASSERT_TRUE(select.step());
    EXPECT_EQ(select.text(0), original.itemNumber);
    EXPECT_EQ(select.text(1), original.description);
    EXPECT_TRUE(select.isNull(2));
    EXPECT_EQ(select.real(3), 0.1);
    ASSERT_TRUE(select.step());
    EXPECT_FALSE(select.isNull(1));
}

}  // namespace
}  // namespace veskplan
