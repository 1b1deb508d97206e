#include "project/takeofftable.h"

#include "base/error.h"
#include "base/sqlitedb.h"

#include <sqlite3.h>

namespace veskplan::takeofftable {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr char kCreate[] =
    "CREATE TABLE vesktakeofffiles (\"File\" TEXT NOT NULL, \"SHA-256\" TEXT NOT NULL, "
    "\"Imported\" TEXT NOT NULL);"
    "CREATE TABLE vesktakeoff (\"Cat\" TEXT NOT NULL, \"Item Number\" TEXT NOT NULL, "
    "\"Quantity\" REAL NOT NULL, PRIMARY KEY (\"Cat\", \"Item Number\"));";

// A file name, never a path of any length.
constexpr qsizetype kMaxNameLength = 1000;

bool hasTable(SqliteDb& db, const char* name) {
    auto query = db.prepare("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?");
    query.bind(1, QString::fromLatin1(name));
    query.step();
    return query.integer(0) > 0;
}

QString textOf(const SqliteStatement& row, int column) {
    if (row.type(column) != SQLITE_TEXT) {
        throw Error(u"the last take-off import holds a value that is not text"_s);
    }
    return row.text(column);
}

}  // namespace

void write(SqliteDb& db, const TakeoffImportRecord& record) {
    if (record.isEmpty()) {
        return;
    }
    db.exec(kCreate);
    auto file = db.prepare(
        "INSERT INTO vesktakeofffiles (\"File\", \"SHA-256\", \"Imported\") VALUES (?, ?, ?)");
    for (const TakeoffImportRecord::File& f : record.files()) {
        file.bind(1, f.name).bind(2, f.sha256).bind(3, f.date.toString(Qt::ISODate));
        file.run();
    }
    auto item = db.prepare(
        "INSERT INTO vesktakeoff (\"Cat\", \"Item Number\", \"Quantity\") VALUES (?, ?, ?)");
    for (const auto& [key, quantity] : record.quantities()) {
        item.bind(1, key.first).bind(2, key.second).bind(3, std::optional<double>(quantity));
        item.run();
    }
}

TakeoffImportRecord read(SqliteDb& db) {
    TakeoffImportRecord record;
    if (hasTable(db, "vesktakeofffiles")) {
        auto rows = db.prepare(
            "SELECT \"File\", \"SHA-256\", \"Imported\" FROM vesktakeofffiles ORDER BY rowid");
        while (rows.step()) {
            if (record.files().size() >= size_t(TakeoffImportRecord::kMaxFiles)) {
                throw Error(u"the last take-off import names too many files"_s);
            }
            TakeoffImportRecord::File file{textOf(rows, 0), textOf(rows, 1),
                                           QDate::fromString(textOf(rows, 2), Qt::ISODate)};
            if (file.name.isEmpty() || file.name.size() > kMaxNameLength) {
                throw Error(u"the last take-off import names a file without a name"_s);
            }
            if (!TakeoffImportRecord::isHash(file.sha256) || !file.date.isValid()) {
                throw Error(u"the last take-off import of "_s + file.name +
                            u" has no SHA-256 or date"_s);
            }
            record.addFile(file);
        }
    }
    if (hasTable(db, "vesktakeoff")) {
        auto rows = db.prepare("SELECT \"Cat\", \"Item Number\", \"Quantity\" FROM vesktakeoff");
        size_t count = 0;
        while (rows.step()) {
            if (++count > size_t(TakeoffImportRecord::kMaxItems)) {
                throw Error(u"the last take-off import holds more items than a project has"_s);
            }
            const QString cat = textOf(rows, 0);
            const QString item = textOf(rows, 1);
            const int type = rows.type(2);
            const double quantity =
                type == SQLITE_INTEGER || type == SQLITE_FLOAT ? rows.real(2) : -1;
            if (!TakeoffImportRecord::isQuantity(quantity)) {
                throw Error(u"the last take-off import's quantity of "_s + item +
                            u" is no quantity"_s);
            }
            if (record.quantityOf(cat, item)) {
                throw Error(u"the last take-off import holds "_s + item + u" twice"_s);
            }
            record.setQuantity(cat, item, quantity);
        }
    }
    return record;
}

}  // namespace veskplan::takeofftable
