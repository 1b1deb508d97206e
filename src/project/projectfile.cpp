#include "project/projectfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/error.h"
#include "base/numbertext.h"
#include "base/sqlitedb.h"
#include "base/texts.h"
#include "project/projectschema.h"

#include <sqlite3.h>

namespace veskplan::projectfile {
namespace {

using namespace Qt::Literals::StringLiterals;

const QStringList& requiredColumns() {
    static const QStringList columns = {u"Item Number"_s, u"Cat"_s, u"Description"_s, u"Units"_s,
                                        u"Quantity"_s};
    return columns;
}

class Refusal {
public:
    explicit Refusal(QString reason) : reason(std::move(reason)) {}
    QString reason;
};

void checkStructure(SqliteDb& db) {
    auto objects =
        db.prepare("SELECT count(*) FROM sqlite_master WHERE type IN ('trigger', 'view')");
    objects.step();
    if (objects.integer(0) > 0) {
        throw Refusal(u"it holds triggers or views, which a project file never has"_s);
    }
    auto check = db.prepare("PRAGMA quick_check");
    if (!check.step() || check.text(0) != u"ok"_s) {
        throw Refusal(u"the file is damaged ("_s + check.text(0) + u")"_s);
    }
    QSet<QString> columns;
    auto info = db.prepare("SELECT name FROM pragma_table_info('veskdata')");
    while (info.step()) {
        columns.insert(info.text(0));
    }
    if (columns.isEmpty()) {
        throw Refusal(u"it holds no project item table (veskdata)"_s);
    }
    for (const QString& column : requiredColumns()) {
        if (!columns.contains(column)) {
            throw Refusal(u"its project item table lacks the column \""_s + column + u"\""_s);
        }
    }
}

QString textValue(const SqliteStatement& row, int column, const QString& name, bool nullable) {
    switch (row.type(column)) {
        case SQLITE_NULL:
            return nullable ? QString() : u""_s;
        case SQLITE_BLOB:
            throw Refusal(u"a value of \""_s + name + u"\" is not text"_s);
        default:
            return row.text(column);
    }
}

std::optional<double> quantityValue(const SqliteStatement& row, int column,
                                    const QString& itemNumber) {
    switch (row.type(column)) {
        case SQLITE_NULL:
            return std::nullopt;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            return row.real(column);
        case SQLITE_TEXT: {
            const auto parsed = numbertext::parseQuantity(row.text(column), u'.');
            if (parsed.valid) {
                return parsed.value;
            }
            [[fallthrough]];
        }
        default:
            throw Refusal(u"the quantity of item "_s + itemNumber + u" is not a number"_s);
    }
}

// Two rows with the same category, item number and description cannot both stand in the table.
void refuseRepeatedKeys(std::vector<ProjectRecord> records) {
    std::sort(records.begin(), records.end(), [](const ProjectRecord& a, const ProjectRecord& b) {
        return recordLess(IndexOrder::PrimaryKey, a, b);
    });
    const auto repeated = std::adjacent_find(
        records.begin(), records.end(), [](const ProjectRecord& a, const ProjectRecord& b) {
            return a.cat == b.cat && a.itemNumber == b.itemNumber && a.description == b.description;
        });
    if (repeated != records.end()) {
        throw Refusal(texts::duplicateRowsInFile());
    }
}

}  // namespace

std::vector<ProjectRecord> read(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        throw Error(texts::projectNotOpened(shown, u"the file does not exist"_s));
    }
    if (!info.isFile()) {
        throw Error(texts::projectNotOpened(shown, u"it is not a file"_s));
    }
    try {
        SqliteDb db(path, SqliteDb::Mode::ReadOnly);
        checkStructure(db);
        std::vector<ProjectRecord> records;
        auto select = db.prepare(
            "SELECT \"Item Number\", \"Cat\", \"Description\", \"Units\", \"Quantity\" "
            "FROM veskdata");
        while (select.step()) {
            ProjectRecord record;
            record.itemNumber = textValue(select, 0, requiredColumns()[0], false);
            record.cat = textValue(select, 1, requiredColumns()[1], false);
            record.description = textValue(select, 2, requiredColumns()[2], false);
            record.units = textValue(select, 3, requiredColumns()[3], true);
            record.quantity = quantityValue(select, 4, record.itemNumber);
            records.push_back(std::move(record));
        }
        refuseRepeatedKeys(records);
        return records;
    } catch (const Refusal& refusal) {
        throw Error(texts::projectNotOpened(shown, refusal.reason));
    } catch (const SqliteError& error) {
        throw Error(texts::projectNotOpened(shown, error.message()));
    }
}

void write(const QString& target, const std::vector<ProjectRecord>& items,
           const std::vector<ProjectRecord>& specialRows) {
    const QString shown = QDir::toNativeSeparators(target);
    const QFileInfo targetInfo(target);
    QTemporaryFile temporary(targetInfo.absolutePath() + u"/.veskplan-save-XXXXXX"_s);
    if (!temporary.open()) {
        throw Error(texts::projectNotSaved(shown, temporary.errorString()));
    }
    temporary.close();
    try {
        SqliteDb db(temporary.fileName(), SqliteDb::Mode::ReadWriteCreate);
        // A half-written temporary file is thrown away, so it needs no journal; the commit
        // waits until the file is on the disk, before the rename makes it the project.
        db.exec("PRAGMA journal_mode = OFF");
        db.exec("PRAGMA synchronous = FULL");
        SqliteTransaction transaction(db);
        projectschema::create(db);
        auto insert = db.prepare(projectschema::kInsertRow);
        for (const auto* rows : {&items, &specialRows}) {
            for (const ProjectRecord& record : *rows) {
                projectschema::bindRow(insert, record);
                insert.run();
            }
        }
        transaction.commit();
    } catch (const SqliteError& error) {
        throw Error(texts::projectNotSaved(shown, error.message()));
    }
    // A new file gets the usual permissions; a replaced one keeps its own.
    const QFile::Permissions permissions =
        targetInfo.exists() ? targetInfo.permissions()
                            : (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                               QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(temporary.fileName(), permissions);
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temporary.fileName()).toStdString(),
                            QFile::encodeName(target).toStdString(), error);
    if (error) {
        throw Error(texts::projectNotSaved(shown, QString::fromStdString(error.message())));
    }
    temporary.setAutoRemove(false);
}

}  // namespace veskplan::projectfile
