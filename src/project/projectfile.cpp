#include "project/projectfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

#include "base/error.h"
#include "base/filewriting.h"
#include "base/numbertext.h"
#include "base/sqlitedb.h"
#include "base/texts.h"
#include "project/categorylist.h"
#include "project/milestone.h"
#include "project/pricetable.h"
#include "project/projectschema.h"
#include "project/projecttexts.h"
#include "project/specialrows.h"
#include "project/takeofftable.h"

#include <sqlite3.h>

namespace veskplan::projectfile {
namespace {

using namespace Qt::Literals::StringLiterals;

const QStringList& requiredColumns() {
    static const QStringList columns = {u"Item Number"_s, u"Cat"_s, u"Description"_s, u"Units"_s,
                                        u"Quantity"_s};
    return columns;
}

void checkStructure(SqliteDb& db) {
    auto objects =
        db.prepare("SELECT count(*) FROM sqlite_master WHERE type IN ('trigger', 'view')");
    objects.step();
    if (objects.integer(0) > 0) {
        throw Error(u"it holds triggers or views, which a project file never has"_s);
    }
    auto check = db.prepare("PRAGMA quick_check");
    if (!check.step() || check.text(0) != u"ok"_s) {
        throw Error(u"the file is damaged ("_s + check.text(0) + u")"_s);
    }
    QSet<QString> columns;
    auto info = db.prepare("SELECT name FROM pragma_table_info('veskdata')");
    while (info.step()) {
        columns.insert(info.text(0));
    }
    if (columns.isEmpty()) {
        throw Error(texts::noItemTable());
    }
    for (const QString& column : requiredColumns()) {
        if (!columns.contains(column)) {
            throw Error(texts::itemTableLacks(column));
        }
    }
}

QString textValue(const SqliteStatement& row, int column, const QString& name, bool nullable) {
    switch (row.type(column)) {
        case SQLITE_NULL:
            return nullable ? QString() : u""_s;
        case SQLITE_BLOB:
            throw Error(u"a value of \""_s + name + u"\" is not text"_s);
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
            return row.real(column);  // what no project holds is refused with the other rules
        case SQLITE_TEXT: {
            const auto parsed = numbertext::parseQuantity(row.text(column), u'.');
            if (parsed.valid) {
                return parsed.value;
            }
            break;
        }
        default:
            break;
    }
    throw Error(texts::storedQuantityNotANumber(itemNumber));
}

// Items stand in categories 01 to 99; the special rows in category 00.
void checkCategory(const ProjectRecord& record) {
    if (specialrows::isSpecial(record.itemNumber) && record.cat == specialrows::cat()) {
        return;
    }
    const std::optional<int> category = numbertext::wholeNumber(record.cat);
    if (!category || *category < 1 || *category > CategoryList::kLastCategory) {
        throw Error(texts::categoryOutOfRange(record.itemNumber, record.cat));
    }
}

// A project holds at most 99 categories, one row each.
void refuseCategoryRowsBeyondTheLast(const std::vector<ProjectRecord>& records) {
    const auto categoryRows = std::count_if(records.begin(), records.end(), [](const auto& r) {
        return r.cat == specialrows::cat() && r.itemNumber.startsWith(u"0000-00000");
    });
    if (categoryRows > CategoryList::kLastCategory) {
        throw Error(texts::tooManyCategoryRows());
    }
}

// Where the file can be read without changing anything beside it. A file that another program
// left with a log or an unfinished change beside it is copied, with that file, into a private
// folder, where opening it settles the change as the other program would have.
class ReadableCopy {
public:
    explicit ReadableCopy(const QString& path) : path_(path) {
        const bool log = QFileInfo(path + u"-wal"_s).size() > 0;
        const bool journal = QFileInfo(path + u"-journal"_s).size() > 0;
        if (!log && !journal) {
            return;
        }
        if (!dir_.emplace().isValid()) {
            throw SqliteError(SQLITE_CANTOPEN, dir_->errorString());
        }
        copy_ = dir_->filePath(u"project.vsk"_s);
        for (const QString& suffix : {QString(), u"-wal"_s, u"-journal"_s}) {
            if (QFileInfo::exists(path + suffix) && !QFile::copy(path + suffix, copy_ + suffix)) {
                throw SqliteError(SQLITE_IOERR, u"it could not be copied"_s);
            }
        }
    }
    std::unique_ptr<SqliteDb> open() const {
        return copy_.isEmpty() ? std::make_unique<SqliteDb>(path_, SqliteDb::Mode::Snapshot)
                               : std::make_unique<SqliteDb>(copy_, SqliteDb::Mode::ReadWriteCreate);
    }

private:
    QString path_;
    std::optional<QTemporaryDir> dir_;
    QString copy_;
};

// Saves leave a temporary file beside the project only when their program was killed while
// writing; the next save to the folder removes those whose program is gone.
void removeStaleSaveFiles(const QString& dir) {
    for (const QFileInfo& file :
         QDir(dir).entryInfoList({u".veskplan-save-*"_s}, QDir::Files | QDir::Hidden)) {
        if (processHasEnded(file.fileName().section(u'-', 2, 2).toLongLong())) {
            QFile::remove(file.absoluteFilePath());
        }
    }
}

// Two rows with the same category, item number and description cannot both stand in the table.
void refuseRepeatedKeys(std::vector<ProjectRecord> records) {
    sortRecords(records, IndexOrder::PrimaryKey);
    const auto repeated = std::adjacent_find(
        records.begin(), records.end(), [](const ProjectRecord& a, const ProjectRecord& b) {
            return a.cat == b.cat && a.itemNumber == b.itemNumber && a.description == b.description;
        });
    if (repeated != records.end()) {
        throw Error(texts::duplicateRowsInFile());
    }
}

void refuseWhatNoProjectHolds(const std::vector<ProjectRecord>& records) {
    for (const ProjectRecord& record : records) {
        checkCategory(record);
        if (record.quantity && !std::isfinite(*record.quantity)) {
            throw Error(texts::storedQuantityNotANumber(record.itemNumber));
        }
    }
    refuseRepeatedKeys(records);
    refuseCategoryRowsBeyondTheLast(records);
}

}  // namespace

void checkRecords(const std::vector<ProjectRecord>& records) {
    refuseWhatNoProjectHolds(records);
}

std::vector<ProjectRecord> read(const QString& path) {
    return readWithPrices(path).records;
}

Contents readWithPrices(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        throw Error(texts::projectNotOpened(shown, texts::noSuchFile()));
    }
    if (!info.isFile()) {
        throw Error(texts::projectNotOpened(shown, texts::notAFile()));
    }
    try {
        const ReadableCopy source(path);
        const std::unique_ptr<SqliteDb> opened = source.open();
        SqliteDb& db = *opened;
        checkStructure(db);
        std::vector<ProjectRecord> records;
        auto select = db.prepare(projectschema::kSelectRows);
        while (select.step()) {
            ProjectRecord record;
            record.itemNumber = textValue(select, 0, requiredColumns()[0], false);
            record.cat = textValue(select, 1, requiredColumns()[1], false);
            record.description = textValue(select, 2, requiredColumns()[2], false);
            record.units = textValue(select, 3, requiredColumns()[3], true);
            record.quantity = quantityValue(select, 4, record.itemNumber);
            records.push_back(std::move(record));
        }
        refuseWhatNoProjectHolds(records);
        Contents contents{std::move(records), pricetable::read(db), takeofftable::read(db)};
        contents.prices.setMilestone(milestone::readTable(db));
        return contents;
    } catch (const Error& refusal) {
        throw Error(texts::projectNotOpened(shown, refusal.message()));
    }
}

void write(const QString& target, const std::vector<ProjectRecord>& items,
           const std::vector<ProjectRecord>& specialRows, const ProjectPrices& prices,
           const TakeoffImportRecord& takeoff) {
    const QString shown = QDir::toNativeSeparators(target);
    const QFileInfo targetInfo(target);
    removeStaleSaveFiles(targetInfo.absolutePath());
    // Only the temporary file's name is kept: the object holds the file open while it lives,
    // and Windows renames no file that is open.
    QString saveFile;
    {
        QTemporaryFile temporary(targetInfo.absolutePath() + u"/.veskplan-save-"_s +
                                 QString::number(QCoreApplication::applicationPid()) +
                                 u"-XXXXXX"_s);
        if (!temporary.open()) {
            throw Error(texts::projectNotSaved(shown, temporary.errorString()));
        }
        temporary.setAutoRemove(false);
        saveFile = temporary.fileName();
    }
    auto removeSaveFile = qScopeGuard([&] { QFile::remove(saveFile); });
    try {
        SqliteDb db(saveFile, SqliteDb::Mode::ReadWriteCreate);
        // A half-written temporary file is thrown away, so it needs no journal; the commit
        // waits until the file is on the disk, before the rename makes it the project.
        db.exec("PRAGMA journal_mode = OFF");
        db.exec("PRAGMA synchronous = FULL");
        // Space freed while the file is built is zeroed, not left with old bytes: nothing of
        // removed rows stays in a saved project, and every SQLite build writes the same file.
        db.exec("PRAGMA secure_delete = ON");
        SqliteTransaction transaction(db);
        projectschema::create(db);
        auto insert = db.prepare(projectschema::kInsertRow);
        for (const auto* rows : {&items, &specialRows}) {
            for (const ProjectRecord& record : *rows) {
                projectschema::bindRow(insert, record);
                insert.run();
            }
        }
        ProjectPrices saved = prices;
        saved.setMilestone(std::nullopt);  // kept in a table of its own
        if (prices.milestone()) {
            milestone::writeTable(db, *prices.milestone());
        }
        if (!saved.isEmpty()) {
            // A price stays with the document while its item is out of the project, but is
            // saved only with the item.
            std::set<ItemKey> present;
            for (const ProjectRecord& record : items) {
                present.insert(ItemKey::of(record));
            }
            for (const auto& [key, price] : prices.items()) {
                if (!present.contains(key)) {
                    saved.set(key, std::nullopt);
                }
            }
            pricetable::write(db, saved);
        }
        takeofftable::write(db, takeoff);
        transaction.commit();
    } catch (const SqliteError& error) {
        throw Error(texts::projectNotSaved(shown, error.reason()));
    }
    try {
        moveIntoPlace(saveFile, target);
    } catch (const Error& error) {
        throw Error(texts::projectNotSaved(shown, error.message()));
    }
    removeSaveFile.dismiss();
}

}  // namespace veskplan::projectfile
