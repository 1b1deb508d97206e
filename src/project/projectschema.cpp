#include "project/projectschema.h"

#include "base/sqlitedb.h"
#include "project/projectrecord.h"

namespace veskplan::projectschema {

void create(SqliteDb& db) {
    db.exec("PRAGMA application_id = 1448299344");  // 0x56534B50
    db.exec("PRAGMA user_version = 1");
    db.exec(
        "CREATE TABLE veskdata (\n"
        "  \"Item Number\" TEXT NOT NULL,\n"
        "  \"Cat\"         TEXT NOT NULL,\n"
        "  \"Description\" TEXT NOT NULL DEFAULT '',\n"
        "  \"Units\"       TEXT,\n"
        "  \"Quantity\"    REAL,\n"
        "  PRIMARY KEY (\"Cat\", \"Item Number\", \"Description\")\n"
        ")");
    db.exec("CREATE INDEX \"BridgeKey\" ON veskdata (\"Item Number\", \"Cat\")");
}

void bindRow(SqliteStatement& statement, const ProjectRecord& record) {
    auto notNull = [](const QString& text) { return text.isNull() ? QStringLiteral("") : text; };
    statement.bind(1, notNull(record.itemNumber))
        .bind(2, notNull(record.cat))
        .bind(3, notNull(record.description))
        .bind(4, record.units)
        .bind(5, record.quantity);
}

ProjectRecord readRow(const SqliteStatement& statement, int first) {
    ProjectRecord record{statement.text(first), statement.text(first + 1),
                         statement.text(first + 2), statement.text(first + 3), std::nullopt};
    if (!statement.isNull(first + 4)) {
        record.quantity = statement.real(first + 4);
    }
    return record;
}

}  // namespace veskplan::projectschema
