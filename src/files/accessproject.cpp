#include "files/accessproject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <clocale>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#if VESKPLAN_ACCESS_READER
#include <mdbtools.h>
#endif

// Standard error is silenced below through the C runtime's descriptors, which each system names
// its own way.
#include <fcntl.h>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

#include "base/error.h"
#include "base/numbertext.h"
#include "base/texts.h"
#include "files/filestexts.h"
#include "project/projectfile.h"
#include "project/projecttexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// An Access project holds a few thousand rows in a few megabytes; anything far larger is not
// one, and the library would read all of it.
constexpr qint64 kMaxFileSize = 256LL * 1024 * 1024;
constexpr unsigned kMaxRows = 1'000'000;

const char* const kColumns[] = {"Item Number", "Cat", "Description", "Units", "Quantity"};

// The library writes numbers as text in the process's locale; ours are read in the C form.
class CNumbers {
public:
    CNumbers() : saved_(std::setlocale(LC_NUMERIC, nullptr)) { std::setlocale(LC_NUMERIC, "C"); }
    ~CNumbers() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

private:
    std::string saved_;
};

#ifdef Q_OS_WIN
int errorDescriptor() {
    return ::_fileno(stderr);
}
int duplicate(int fd) {
    return ::_dup(fd);
}
int duplicateOnto(int from, int to) {
    return ::_dup2(from, to);
}
int openNullDevice() {
    return ::_open("NUL", _O_WRONLY);
}
int closeDescriptor(int fd) {
    return ::_close(fd);
}
#else
int errorDescriptor() {
    return ::fileno(stderr);
}
int duplicate(int fd) {
    return ::dup(fd);
}
int duplicateOnto(int from, int to) {
    return ::dup2(from, to);
}
int openNullDevice() {
    return ::open("/dev/null", O_WRONLY);
}
int closeDescriptor(int fd) {
    return ::close(fd);
}
#endif

// The library reports what it finds wrong in a file on standard error, for a terminal's reader;
// the program says it in its own words, once.
class QuietLibrary {
public:
    QuietLibrary() {
        const int errorOutput = errorDescriptor();
        std::fflush(stderr);
        saved_ = duplicate(errorOutput);
        const int null = openNullDevice();
        if (saved_ >= 0 && null >= 0) {
            duplicateOnto(null, errorOutput);
        }
        if (null >= 0) {
            closeDescriptor(null);
        }
    }
    ~QuietLibrary() {
        std::fflush(stderr);
        if (saved_ >= 0) {
            duplicateOnto(saved_, errorDescriptor());
            closeDescriptor(saved_);
        }
    }
    QuietLibrary(const QuietLibrary&) = delete;
    QuietLibrary& operator=(const QuietLibrary&) = delete;

private:
    int saved_ = -1;
};

#if VESKPLAN_ACCESS_READER
struct HandleCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

bool isText(int type) {
    return type == MDB_TEXT || type == MDB_MEMO;
}

bool isNumber(int type) {
    switch (type) {
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
        case MDB_MONEY:
        case MDB_FLOAT:
        case MDB_DOUBLE:
        case MDB_NUMERIC:
            return true;
        default:
            return false;
    }
}

// The bound values of one table, column by column in the order of `kColumns`.
class BoundColumns {
public:
    explicit BoundColumns(MdbTableDef* table) {
        for (int i = 0; i < 5; ++i) {
            MdbColumn* found = nullptr;
            int number = 0;
            for (unsigned c = 0; c < table->num_cols; ++c) {
                auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
                if (QString::fromUtf8(column->name) == QString::fromLatin1(kColumns[i])) {
                    found = column;
                    number = static_cast<int>(c) + 1;
                }
            }
            if (!found) {
                throw Error(texts::itemTableLacks(QString::fromLatin1(kColumns[i])));
            }
            const bool fits = i == 4 ? isNumber(found->col_type) : isText(found->col_type);
            if (!fits) {
                throw Error(u"the column \""_s + QString::fromLatin1(kColumns[i]) + u"\" holds "_s +
                            (i == 4 ? u"no numbers"_s : u"no text"_s));
            }
            columns_[i] = found;
            numbers_[i] = number - 1;
            buffers_[i] = std::make_unique<char[]>(MDB_BIND_SIZE);
            mdb_bind_column(table, number, buffers_[i].get(), &lengths_[i]);
        }
    }

    // The fetched row; `nulls` says which of the table's fields are NULL.
    ProjectRecord record(const MdbField* fields, MdbHandle* mdb) const {
        auto text = [&](int i) {
            return fields[numbers_[i]].is_null
                       ? QString()
                       : QString::fromUtf8(buffers_[i].get(), std::max(lengths_[i], 0));
        };
        ProjectRecord record{text(0), text(1), text(2), text(3), std::nullopt};
        for (QString* notNull : {&record.itemNumber, &record.cat, &record.description}) {
            if (notNull->isNull()) {
                *notNull = u""_s;
            }
        }
        if (!fields[numbers_[4]].is_null) {
            const MdbColumn* quantity = columns_[4];
            if (quantity->col_type == MDB_DOUBLE && quantity->cur_value_len == 8) {
                record.quantity = mdb_get_double(mdb->pg_buf, quantity->cur_value_start);
            } else {
                const auto parsed =
                    numbertext::parseQuantity(QString::fromUtf8(buffers_[4].get()), u'.');
                if (!parsed.valid || !parsed.value) {
                    throw Error(texts::storedQuantityNotANumber(record.itemNumber));
                }
                record.quantity = parsed.value;
            }
        }
        return record;
    }

private:
    MdbColumn* columns_[5] = {};
    int numbers_[5] = {};
    std::unique_ptr<char[]> buffers_[5];
    int lengths_[5] = {};
};

// The library follows a table's usage map to its data pages without checking the map: an empty
// one, or a bitmap one (type 0) without the number of its first page, has it read outside the
// map. Such a table is damaged.
bool hasUsableMap(const MdbTableDef& table) {
    return table.usage_map && table.map_sz >= 1 && (table.usage_map[0] != 0 || table.map_sz >= 5);
}

// The catalog is the table defined on page 2, whose rows the library reads as it opens the
// catalog: its map is checked first.
bool hasUsableCatalog(MdbHandle* mdb) {
    MdbCatalogEntry entry{};
    entry.mdb = mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = 2;
    const std::unique_ptr<MdbTableDef, TableFreer> catalog(mdb_read_table(&entry));
    return catalog && hasUsableMap(*catalog);
}

std::vector<ProjectRecord> readTable(const QString& path) {
    const std::unique_ptr<MdbHandle, HandleCloser> mdb(
        mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!mdb || !hasUsableCatalog(mdb.get()) || !mdb_read_catalog(mdb.get(), MDB_TABLE)) {
        throw Error(u"it is not an Access database, or it is damaged"_s);
    }
    const std::unique_ptr<MdbTableDef, TableFreer> table(
        mdb_read_table_by_name(mdb.get(), const_cast<gchar*>("veskdata"), MDB_TABLE));
    if (!table) {
        bool listed = false;
        for (unsigned i = 0; i < mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            listed = listed || (entry->object_type == MDB_TABLE &&
                                QString::fromUtf8(entry->object_name) == u"veskdata"_s);
        }
        throw Error(listed ? u"its project item table (veskdata) is damaged"_s
                           : texts::noItemTable());
    }
    if (!hasUsableMap(*table) || !mdb_read_columns(table.get()) || table->num_cols > 255) {
        throw Error(u"its project item table (veskdata) is damaged"_s);
    }
    if (table->num_rows > kMaxRows) {
        throw Error(texts::tooManyLines(kMaxRows));
    }
    const BoundColumns columns(table.get());
    std::vector<ProjectRecord> records;
    records.reserve(table->num_rows);
    MdbField fields[256];
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        // The row just fetched is still in the page buffer: cracking it again tells its NULLs.
        int start = 0;
        size_t size = 0;
        if (mdb_find_row(mdb.get(), static_cast<int>(table->cur_row) - 1, &start, &size) != 0 ||
            mdb_crack_row(table.get(), start & 0x1fff, size, fields) <= 0 ||
            records.size() >= kMaxRows) {
            throw Error(u"its project item table (veskdata) is damaged"_s);
        }
        records.push_back(columns.record(fields, mdb.get()));
    }
    return records;
}
#else
// A build made where the Access library was not available knows such a file only by its start.
std::vector<ProjectRecord> readTable(const QString&) {
    throw Error(texts::accessReaderMissing());
}
#endif

}  // namespace

namespace accessproject {

bool canRead() {
    return VESKPLAN_ACCESS_READER;
}

bool isAccessDatabase(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray start = file.read(20);
    return start.size() == 20 && start.mid(4, 15) == "Standard Jet DB";
}

std::vector<ProjectRecord> read(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.isFile()) {
        throw Error(texts::projectNotOpened(
            shown, info.exists() ? texts::notAFile() : texts::noSuchFile()));
    }
    if (info.size() > kMaxFileSize) {
        throw Error(texts::projectNotOpened(shown, texts::fileTooLarge(kMaxFileSize)));
    }
    try {
        const CNumbers numbers;
        std::vector<ProjectRecord> records;
        {
            const QuietLibrary quiet;
            records = readTable(path);
        }
        projectfile::checkRecords(records);
        return records;
    } catch (const Error& refusal) {
        throw Error(texts::projectNotOpened(shown, refusal.message()));
    }
}

}  // namespace accessproject

std::vector<ProjectRecord> readProjectFile(const QString& path) {
    return accessproject::isAccessDatabase(path) ? accessproject::read(path)
                                                 : projectfile::read(path);
}

}  // namespace veskplan
