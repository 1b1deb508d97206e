#include <gtest/gtest.h>
#include <sqlite3.h>
#include <QTemporaryDir>

#include "base/sqlitedb.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

class SqliteDbTest : public ::testing::Test {
protected:
    void SetUp() override { db.exec("CREATE TABLE t (k INTEGER PRIMARY KEY, s TEXT, r REAL)"); }
    qint64 count(const char* table = "t") {
        SqliteStatement select = db.prepare(("SELECT count(*) FROM " + std::string(table)).c_str());
        select.step();
        return select.integer(0);
    }
    QTemporaryDir dir;
    SqliteDb db{dir.filePath(u"work.db"_s), SqliteDb::Mode::ReadWriteCreate};
};

TEST_F(SqliteDbTest, BindsAndReadsEveryKindOfValue) {
    SqliteStatement insert = db.prepare("INSERT INTO t VALUES (?, ?, ?)");
    insert.bind(1, qint64(7)).bind(2, u"Añasco"_s).bind(3, std::optional<double>(2.5)).run();
    insert.bind(1, qint64(8)).bind(2, QString()).bind(3, std::optional<double>()).run();
    EXPECT_EQ(db.lastInsertRowId(), 8);

    // Each row as "key|text ("-" for a null)|real|the real's type".
    QStringList rows;
    for (SqliteStatement select = db.prepare("SELECT k, s, r FROM t ORDER BY k"); select.step();) {
        const bool null = select.isNull(1) && select.text(1).isNull();
        rows.append(u"%1|%2|%3|%4"_s.arg(select.integer(0))
                        .arg(null ? u"-"_s : select.text(1))
                        .arg(select.real(2))
                        .arg(select.type(2)));
    }
    EXPECT_EQ(rows, (QStringList{u"7|Añasco|2.5|%1"_s.arg(SQLITE_FLOAT),
                                 u"8|-|0|%1"_s.arg(SQLITE_NULL)}));
}

TEST_F(SqliteDbTest, FailuresCarryTheirCode) {
    const auto codeOf = [](const std::function<void()>& action) {
        try {
            action();
        } catch (const SqliteError& error) {
            EXPECT_FALSE(error.message().isEmpty());
            EXPECT_EQ(QString::fromUtf8(error.what()), error.message());
            EXPECT_FALSE(error.sqliteMessage().isEmpty());
            return error.code();
        }
        return SQLITE_OK;
    };
    db.exec("INSERT INTO t VALUES (1, 'a', 1)");
    SqliteStatement insert = db.prepare("INSERT INTO t (k) VALUES (?)");
    SqliteStatement moved = std::move(insert);
    EXPECT_EQ(codeOf([&] { moved.bind(1, qint64(1)).run(); }), SQLITE_CONSTRAINT_PRIMARYKEY);
    EXPECT_TRUE(SqliteError(SQLITE_CONSTRAINT_PRIMARYKEY, {}).isPrimaryKeyViolation());
    EXPECT_FALSE(SqliteError(SQLITE_CONSTRAINT_NOTNULL, {}).isPrimaryKeyViolation());
    EXPECT_EQ(codeOf([&] { db.exec("INSERT INTO t VALUES (1, 'b', 2)"); }),
              SQLITE_CONSTRAINT_PRIMARYKEY);
    EXPECT_EQ(codeOf([&] { db.prepare("SELEC 1"); }), SQLITE_ERROR);
    EXPECT_EQ(codeOf([&] { moved.bind(2, u"x"_s); }), SQLITE_RANGE);
    EXPECT_EQ(codeOf([&] { moved.bind(2, std::optional<double>(1)); }), SQLITE_RANGE);
    EXPECT_EQ(codeOf([&] { moved.bind(2, qint64(1)); }), SQLITE_RANGE);
    EXPECT_EQ(codeOf([&] { SqliteDb(dir.filePath(u"none.db"_s), SqliteDb::Mode::ReadOnly); }),
              SQLITE_CANTOPEN);
    EXPECT_EQ(count(), 1);
}

TEST_F(SqliteDbTest, TransactionsNestAndRollBackUnlessCommitted) {
    {
        SqliteTransaction outer(db);
        db.exec("INSERT INTO t (k) VALUES (1)");
        {
            SqliteTransaction inner(db);
            db.exec("INSERT INTO t (k) VALUES (2)");
        }
        EXPECT_EQ(count(), 1);
        outer.commit();
    }
    {
        SqliteTransaction dropped(db);
        db.exec("INSERT INTO t (k) VALUES (3)");
    }
    EXPECT_EQ(count(), 1);
}

TEST_F(SqliteDbTest, TriggersFromAFileDoNotRun) {
    db.exec(
        "CREATE TABLE log (x); CREATE TRIGGER t_ins AFTER INSERT ON t "
        "BEGIN INSERT INTO log VALUES (1); END; INSERT INTO t (k) VALUES (1)");
    EXPECT_EQ(count("log"), 0);
}

}  // namespace
}  // namespace veskplan
