#include <gtest/gtest.h>
#include <sqlite3.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "base/sqlitedb.h"
#include "project/projectfile.h"
#include "project/specialrows.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

ProjectRecord row(const QString& number, const QString& cat, const QString& description,
                  const QString& units, std::optional<double> quantity = std::nullopt) {
    return ProjectRecord{number, cat, description, units, quantity};
}

TEST(ProjectFile, BadFilesAreRefusedNamingTheFileAndTheReason) {
    QTemporaryDir dir;
    int n = 0;
    for (const QStringList& c : test::tableRows(u"project/bad-files.txt"_s, 2)) {
        const QString path = dir.filePath(QString::number(++n) + u".vsk"_s);
        if (c[0].startsWith(u"text:"_s)) {
            test::writeFile(path, c[0].mid(5).toUtf8());
        } else if (c[0] != u"-"_s) {
            SqliteDb db(path, SqliteDb::Mode::ReadWriteCreate);
            sqlite3_db_config(db.handle(), SQLITE_DBCONFIG_ENABLE_VIEW, 1, nullptr);
            if (c[0].contains(u"INSERT INTO veskdata"_s)) {
                db.exec(
                    "CREATE TABLE veskdata (\"Item Number\" TEXT, \"Cat\" TEXT, "
                    "\"Description\" TEXT, \"Units\" TEXT, \"Quantity\")");
            }
            db.exec(c[0].toUtf8().constData());
        }
        const QString message = test::errorMessage([&] { projectfile::read(path); });
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path)) && message.contains(c[1]))
            << c[1].toStdString() << ": " << message.toStdString();
    }
}

TEST(ProjectFile, OpeningCreatesNothingBesideTheFileAndSettlesAnotherProgramsChange) {
    QTemporaryDir dir;
    const QString wal = dir.filePath(u"wal.vsk"_s);
    projectfile::write(wal, {row(u"2101"_s, u"01"_s, u"A"_s, u"LS"_s, 1)}, {});
    SqliteDb(wal, SqliteDb::Mode::ReadWriteCreate).exec("PRAGMA journal_mode = WAL");
    EXPECT_EQ(projectfile::read(wal).size(), 1u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"wal.vsk"_s});

    // A change another program had not finished when it stopped: its journal is hot.
    const QString before = dir.filePath(u"before.vsk"_s);
    projectfile::write(before, {row(u"2101"_s, u"01"_s, u"A"_s, u"LS"_s, 1)}, {});
    SqliteDb busy(before, SqliteDb::Mode::ReadWriteCreate);
    busy.exec("PRAGMA journal_mode = DELETE");
    busy.exec("BEGIN; UPDATE veskdata SET \"Quantity\" = 2; DELETE FROM veskdata;");
    busy.exec("PRAGMA cache_spill = 1");
    sqlite3_db_cacheflush(busy.handle());
    const QString hot = dir.filePath(u"hot.vsk"_s);
    ASSERT_TRUE(QFile::copy(before, hot));
    ASSERT_TRUE(QFile::copy(before + u"-journal"_s, hot + u"-journal"_s));
    {
        SqliteDb raw(hot, SqliteDb::Mode::Snapshot);  // sees the file as it lies: half changed
        auto count = raw.prepare("SELECT count(*) FROM veskdata");
        ASSERT_TRUE(count.step());
        ASSERT_EQ(count.integer(0), 0);
    }
    const auto rows = projectfile::read(hot);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].quantity, 1);  // as it stood before the unfinished change
    EXPECT_TRUE(QFileInfo::exists(hot + u"-journal"_s));  // the other program's own business
}

TEST(ProjectFile, SplitTakesTheSpecialRowsOffTheFrontOfTheWorkingOrder) {
    const auto contents = specialrows::split({
        row(u"2101-0100000"_s, u"02"_s, u"CLEARING"_s, u"ACRE"_s, 2.5),
        row(u"0000-2000000"_s, u"00"_s, u" 3/14/2026 "_s, u"4"_s),
        row(u"0000-0000002"_s, u"00"_s, u"Bridge"_s, u"02"_s),
        row(u"0000-1000000"_s, u"00"_s, u"STP-12-B(7)03"_s + QString(12, u' ') + u" Pat "_s,
            u"1"_s),
        row(u"0000-0000001"_s, u"00"_s, u"Roadway"_s, u"01"_s),
        // After the first item a "0000" number is an item.
        row(u"0000-9"_s, u"03"_s, u"X"_s, u"LS"_s),
    });
    ASSERT_TRUE(contents.hadRows && contents.items.size() == 2 && contents.unitIndex &&
                contents.letMonth);
    EXPECT_EQ(
        (QStringList{contents.projNum, contents.designer, QString::number(*contents.unitIndex),
                     contents.masterDate.value_or(u"-"_s), QString::number(*contents.letMonth),
                     contents.categories.numbers().join(u' '),
                     contents.categories.descriptions().join(u' '), contents.items[1].itemNumber}),
        u"STP-12-B(7)03|Pat|1|3/14/2026|4|01 02|Roadway Bridge|0000-9"_s.split(u'|'));

    // Out-of-range numbers name no unit and no month instead of overflowing.
    const auto odd = specialrows::split({row(u"0000-1000000"_s, u"00"_s, u"X"_s, u"1e10"_s),
                                         row(u"0000-2000000"_s, u"00"_s, u""_s, u"-1e12"_s)});
    EXPECT_FALSE(odd.unitIndex.has_value());
    EXPECT_EQ(odd.letMonth, -1);
    EXPECT_TRUE(odd.projNum == u"X"_s && odd.designer.isEmpty());
}

TEST(ProjectFile, SavedRowsAreWrittenWholeAndReadBack) {
    HeaderFields header{u"STP-9"_s, u"Pat Quinn"_s, 11};
    CategoryList categories;
    categories.append(u"01"_s, u"Roadway"_s);
    categories.append(u"02"_s, QString());
    const auto special = specialrows::compose(header, 0, u"3/14/2026"_s, categories);
    const std::vector<ProjectRecord> expected = {
        row(u"0000-1000000"_s, u"00"_s, u"STP-9"_s + QString(20, u' ') + u"Pat Quinn"_s, u"0"_s),
        row(u"0000-2000000"_s, u"00"_s, u"3/14/2026"_s, u"11"_s),
        row(u"0000-0000001"_s, u"00"_s, u"Roadway"_s, u"01"_s),
        row(u"0000-0000002"_s, u"00"_s, u"No Description"_s, u"02"_s),
    };
    EXPECT_EQ(special, expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"p.vsk"_s);
    const std::vector<ProjectRecord> items = {
        row(u"2599-9999   "_s, u"01"_s, QString::fromUtf16(u"BRIDGE \u2013 NORTH  "), u"LS"_s, .1),
        row(u"2101-0100000"_s, u"02"_s, u"CLEARING"_s, QString())};
    test::writeFile(path, "old contents");
    projectfile::write(path, items, special);
    std::vector<ProjectRecord> back = projectfile::read(path);
    ASSERT_EQ(back.size(), 6u);
    EXPECT_EQ(std::vector<ProjectRecord>(back.begin(), back.begin() + 2), items);
    EXPECT_EQ(specialrows::split(back).categories.descriptions(),
              (QStringList{u"Roadway"_s, u"No Description"_s}));
    SqliteDb db(path, SqliteDb::Mode::ReadOnly);
    auto id = db.prepare("PRAGMA application_id");
    id.step();
    EXPECT_EQ(id.integer(0), 0x56534B50);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"p.vsk"_s});
}

}  // namespace
}  // namespace veskplan
