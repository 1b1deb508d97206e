#include "project/pricetable.h"

#include "base/error.h"
#include "base/sqlitedb.h"

#include <sqlite3.h>

namespace veskplan::pricetable {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr char kCreate[] =
    "CREATE TABLE veskprices (\"Cat\" TEXT NOT NULL, \"Item Number\" TEXT NOT NULL, "
    "\"Description\" TEXT NOT NULL DEFAULT '', \"Unit Price\" REAL NOT NULL, \"Units\" TEXT, "
    "\"Kind\" TEXT NOT NULL, \"Note\" TEXT NOT NULL DEFAULT '', "
    "PRIMARY KEY (\"Cat\", \"Item Number\", \"Description\"));"
    "CREATE TABLE veskestimate (\"Name\" TEXT PRIMARY KEY NOT NULL, \"Percent\" REAL NOT NULL);";

constexpr char kCreateSetup[] =
    "CREATE TABLE veskestimatesettings (\"Name\" TEXT NOT NULL, \"Value\" TEXT NOT NULL);";

bool hasTable(SqliteDb& db, const char* name) {
    auto query = db.prepare("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?");
    query.bind(1, QString::fromLatin1(name));
    query.step();
    return query.integer(0) > 0;
}

QString textOf(const SqliteStatement& row, int column) {
    if (row.type(column) == SQLITE_BLOB) {
        throw Error(u"a price row holds a value that is not text"_s);
    }
    return row.type(column) == SQLITE_NULL ? QString() : row.text(column);
}

double numberOf(const SqliteStatement& row, int column, const QString& what) {
    const int type = row.type(column);
    if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) {
        throw Error(what + u" is not a number"_s);
    }
    return row.real(column);
}

}  // namespace

void write(SqliteDb& db, const ProjectPrices& prices) {
    db.exec(kCreate);
    auto insert = db.prepare(
        "INSERT INTO veskprices (\"Cat\", \"Item Number\", \"Description\", \"Unit Price\", "
        "\"Units\", \"Kind\", \"Note\") VALUES (?, ?, ?, ?, ?, ?, ?)");
    for (const auto& [key, price] : prices.items()) {
        insert.bind(1, key.cat).bind(2, key.itemNumber).bind(3, key.description);
        insert.bind(4, std::optional<double>(price.unitPrice)).bind(5, price.unit);
        insert.bind(6, priceKindCode(price.kind)).bind(7, price.note.isNull() ? u""_s : price.note);
        insert.run();
    }
    auto percent = db.prepare("INSERT INTO veskestimate (\"Name\", \"Percent\") VALUES (?, ?)");
    for (const auto& [name, value] : {std::pair(u"mobilization"_s, prices.mobilizationPercent()),
                                      std::pair(u"contingency"_s, prices.contingencyPercent())}) {
        if (value) {
            percent.bind(1, name).bind(2, value);
            percent.run();
        }
    }
    if (!prices.estimateSetup().isEmpty()) {
        db.exec(kCreateSetup);
        auto setting =
            db.prepare("INSERT INTO veskestimatesettings (\"Name\", \"Value\") VALUES (?, ?)");
        for (const auto& [name, value] : prices.estimateSetup().values()) {
            setting.bind(1, name).bind(2, value);
            setting.run();
        }
    }
}

ProjectPrices read(SqliteDb& db) {
    ProjectPrices prices;
    if (hasTable(db, "veskprices")) {
        auto rows = db.prepare(
            "SELECT \"Cat\", \"Item Number\", \"Description\", \"Unit Price\", \"Units\", "
            "\"Kind\", \"Note\" FROM veskprices");
        int count = 0;
        while (rows.step()) {
            if (++count > kMaxRows) {
                throw Error(u"it holds more prices than a project has items"_s);
            }
            const ItemKey key{textOf(rows, 0), textOf(rows, 1), textOf(rows, 2)};
            ItemPrice price;
            price.unitPrice = numberOf(rows, 3, u"the unit price of "_s + key.itemNumber);
            if (!ProjectPrices::isValidUnitPrice(price.unitPrice)) {
                throw Error(u"the unit price of "_s + key.itemNumber + u" is out of range"_s);
            }
            price.unit = textOf(rows, 4);
            const auto kind = priceKindFromCode(textOf(rows, 5));
            if (!kind) {
                throw Error(u"the price of "_s + key.itemNumber + u" is of an unknown kind"_s);
            }
            price.kind = *kind;
            price.note = textOf(rows, 6);
            if (price.note.size() > kMaxNoteLength) {
                throw Error(u"the note on the price of "_s + key.itemNumber + u" is too long"_s);
            }
            prices.set(key, price);
        }
    }
    if (hasTable(db, "veskestimate")) {
        auto rows = db.prepare("SELECT \"Name\", \"Percent\" FROM veskestimate LIMIT 3");
        while (rows.step()) {
            const QString name = textOf(rows, 0);
            const double value = numberOf(rows, 1, u"the "_s + name + u" percentage"_s);
            if (!ProjectPrices::isValidPercent(value)) {
                throw Error(u"the "_s + name + u" percentage is out of range"_s);
            }
            if (name == u"mobilization"_s) {
                prices.setMobilizationPercent(value);
            } else if (name == u"contingency"_s) {
                prices.setContingencyPercent(value);
            }
        }
    }
    if (hasTable(db, "veskestimatesettings")) {
        auto rows =
            db.prepare("SELECT \"Name\", \"Value\" FROM veskestimatesettings ORDER BY rowid");
        EstimateSetup::Values values;
        while (rows.step()) {
            if (values.size() >= size_t(EstimateSetup::kMaxValues)) {
                throw Error(u"the estimate's settings have too many rows"_s);
            }
            values.emplace_back(textOf(rows, 0), textOf(rows, 1));
        }
        prices.setEstimateSetup(EstimateSetup::fromValues(values));
    }
    return prices;
}

}  // namespace veskplan::pricetable
