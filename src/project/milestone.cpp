#include "project/milestone.h"

#include "base/error.h"
#include "base/sqlitedb.h"

#include <sqlite3.h>

namespace veskplan::milestone {

using namespace Qt::Literals::StringLiterals;

QString code(Milestone milestone) {
    switch (milestone) {
        case Milestone::Thirty:
            return u"30"_s;
        case Milestone::Sixty:
            return u"60"_s;
        case Milestone::Ninety:
            return u"90"_s;
        case Milestone::Final:
            break;
    }
    return u"final"_s;
}

std::optional<Milestone> fromCode(QStringView text) {
    const QStringView word = text.trimmed();
    for (const Milestone milestone : kAll) {
        if (word.compare(code(milestone), Qt::CaseInsensitive) == 0) {
            return milestone;
        }
    }
    return std::nullopt;
}

QString name(Milestone milestone) {
    return milestone == Milestone::Final ? u"Final"_s : code(milestone) + u'%';
}

void writeTable(SqliteDb& db, Milestone milestone) {
    db.exec("CREATE TABLE veskmilestone (\"Milestone\" TEXT NOT NULL)");
    auto insert = db.prepare("INSERT INTO veskmilestone (\"Milestone\") VALUES (?)");
    insert.bind(1, code(milestone));
    insert.run();
}

std::optional<Milestone> readTable(SqliteDb& db) {
    auto table = db.prepare(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'veskmilestone'");
    table.step();
    if (table.integer(0) == 0) {
        return std::nullopt;
    }
    auto rows = db.prepare("SELECT \"Milestone\" FROM veskmilestone LIMIT 2");
    std::optional<Milestone> milestone;
    for (int count = 0; rows.step(); ++count) {
        const auto read = rows.type(0) == SQLITE_TEXT ? fromCode(rows.text(0)) : std::nullopt;
        if (count > 0 || !read) {
            throw Error(count > 0 ? u"it names more than one milestone"_s
                                  : u"its milestone is none of 30, 60, 90 and final"_s);
        }
        milestone = read;
    }
    return milestone;
}

}  // namespace veskplan::milestone
