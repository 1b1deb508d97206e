#include "history/bidhistory.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/csv.h"
#include "base/error.h"
#include "base/sqlitedb.h"
#include "history/bidfile.h"
#include "history/historytexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int kSchemaVersion = 2;

constexpr const char* kSchema = R"sql(
CREATE TABLE import (
    id INTEGER PRIMARY KEY,
    file TEXT NOT NULL,
    sha256 TEXT NOT NULL UNIQUE,
    imported TEXT NOT NULL,
    rows INTEGER NOT NULL
);
CREATE TABLE bid (
    id INTEGER PRIMARY KEY,
    item_number TEXT NOT NULL,
    description TEXT NOT NULL,
    unit TEXT NOT NULL,
    quantity REAL NOT NULL,
    unit_price REAL NOT NULL,
    letting_date TEXT NOT NULL,
    contract TEXT NOT NULL,
    bidder_rank INTEGER NOT NULL,
    low_bidder INTEGER NOT NULL,
    region TEXT NOT NULL,
    import_id INTEGER NOT NULL REFERENCES import(id)
);
CREATE INDEX bid_item ON bid (item_number, letting_date);
CREATE INDEX bid_letting ON bid (letting_date);
PRAGMA user_version = 2;
)sql";

// What a history of an earlier version needs to be of this one: the index that finds its newest
// letting at once.
constexpr const char* kFromVersion1 = R"sql(
CREATE INDEX bid_letting ON bid (letting_date);
PRAGMA user_version = 2;
)sql";

constexpr const char* kColumns =
    "SELECT id, item_number, description, unit, quantity, unit_price, letting_date, contract, "
    "bidder_rank, low_bidder, region FROM bid ";

// The dates the history writes, read without the general parser: every bid has one.
QDate isoDate(const QString& text) {
    if (text.size() != 10) {
        return {};
    }
    const QStringView view(text);
    return QDate(view.left(4).toInt(), view.mid(5, 2).toInt(), view.mid(8, 2).toInt());
}

BidRecord recordAt(const SqliteStatement& row) {
    BidRecord bid;
    bid.id = row.integer(0);
    bid.itemNumber = row.text(1);
    bid.description = row.text(2);
    bid.unit = row.text(3);
    bid.quantity = row.real(4);
    bid.unitPrice = row.real(5);
    bid.lettingDate = isoDate(row.text(6));
    bid.contract = row.text(7);
    bid.bidderRank = int(row.integer(8));
    bid.lowBidder = row.integer(9) != 0;
    bid.region = row.text(10);
    return bid;
}

QString fileDigest(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        throw Error(
            historytexts::historyNotWritten(QDir::toNativeSeparators(path), file.errorString()));
    }
    return QString::fromLatin1(hash.result().toHex());
}

}  // namespace

const char* BidHistory::bidderCondition(BidSelection selection) {
    switch (selection) {
        case BidSelection::Low:
            return " AND (low_bidder OR bidder_rank = 1)";
        case BidSelection::ThreeLowest:
            return " AND (bidder_rank BETWEEN 1 AND 3 OR (bidder_rank = 0 AND low_bidder))";
        case BidSelection::All:
            break;
    }
    return "";
}

SqliteStatement BidHistory::insertStatement() const {
    return db_->prepare(
        "INSERT INTO bid (item_number, description, unit, quantity, unit_price, letting_date, "
        "contract, bidder_rank, low_bidder, region, import_id) VALUES (?, coalesce(?, ''), ?, ?, "
        "?, ?, ?, ?, ?, coalesce(?, ''), ?)");
}

void BidHistory::bindBid(SqliteStatement& insert, const BidRecord& bid, qint64 importId) {
    insert.bind(1, bid.itemNumber)
        .bind(2, bid.description)
        .bind(3, bid.unit)
        .bind(4, std::optional<double>(bid.quantity))
        .bind(5, std::optional<double>(bid.unitPrice))
        .bind(6, bid.lettingDate.toString(Qt::ISODate))
        .bind(7, bid.contract)
        .bind(8, qint64(bid.bidderRank))
        .bind(9, qint64(bid.lowBidder ? 1 : 0))
        .bind(10, bid.region)
        .bind(11, importId)
        .run();
}

BidHistory::BidHistory(QString path, std::unique_ptr<SqliteDb> db, bool readOnly)
    : path_(std::move(path)), db_(std::move(db)), readOnly_(readOnly) {}
BidHistory::BidHistory(BidHistory&&) noexcept = default;
BidHistory& BidHistory::operator=(BidHistory&&) noexcept = default;
BidHistory::~BidHistory() = default;

BidHistory BidHistory::open(const QString& path, bool readOnly) {
    const QString shown = QDir::toNativeSeparators(path);
    try {
        if (QFileInfo(path).isDir()) {
            throw Error(historytexts::historyNotOpened(shown, u"it is a folder"_s));
        }
        auto db = std::make_unique<SqliteDb>(
            path, readOnly ? SqliteDb::Mode::ReadOnly : SqliteDb::Mode::ReadWriteCreate);
        SqliteStatement tables =
            db->prepare("SELECT count(*), sum(name IN ('bid', 'import')) FROM sqlite_master");
        tables.step();
        const qint64 objects = tables.integer(0);
        const qint64 ours = tables.integer(1);
        SqliteStatement version = db->prepare("PRAGMA user_version");
        version.step();
        const qint64 found = version.integer(0);
        version.reset();
        tables.reset();
        if (objects == 0 && !readOnly) {
            SqliteTransaction transaction(*db);
            db->exec(kSchema);
            transaction.commit();
        } else if (ours != 2 || found < 1 || found > kSchemaVersion) {
            throw Error(historytexts::historyNotOpened(shown, historytexts::notABidHistory()));
        } else if (found == 1 && !readOnly) {
            SqliteTransaction transaction(*db);
            db->exec(kFromVersion1);
            transaction.commit();
        }
        return BidHistory(path, std::move(db), readOnly);
    } catch (const SqliteError& error) {
        throw Error(historytexts::historyNotOpened(shown, error.reason()));
    }
}

ImportReport BidHistory::import(const QString& file, const KnownUnits& units,
                                const ColumnLayout* layout) {
    return import(QStringList{file}, units, layout).front();
}

std::vector<ImportReport> BidHistory::import(const QStringList& files, const KnownUnits& units,
                                             const ColumnLayout* layout) {
    std::vector<Source> sources;
    for (const QString& file : files) {
        sources.push_back(
            Source{file, layout ? std::optional<ColumnLayout>(*layout) : std::nullopt});
    }
    return import(sources, units);
}

std::vector<ImportReport> BidHistory::import(const std::vector<Source>& sources,
                                             const KnownUnits& units) {
    const QString shown = QDir::toNativeSeparators(path_);
    if (readOnly_) {
        throw Error(historytexts::historyNotWritten(shown, historytexts::historyReadOnly()));
    }
    std::vector<ImportReport> reports;
    try {
        SqliteTransaction transaction(*db_);
        for (const Source& source : sources) {
            reports.push_back(
                importOne(source.file, source.layout ? &*source.layout : nullptr, units));
        }
        transaction.commit();
    } catch (const SqliteError& error) {
        throw Error(historytexts::historyNotWritten(shown, error.reason()));
    }
    return reports;
}

ImportReport BidHistory::importOne(const QString& file, const ColumnLayout* layout,
                                   const KnownUnits& units) {
    ImportReport report;
    report.file = QDir::toNativeSeparators(file);
    SqliteStatement addImport =
        db_->prepare("INSERT INTO import (file, sha256, imported, rows) VALUES (?, '', ?, 0)");
    addImport.bind(1, QFileInfo(file).absoluteFilePath())
        .bind(2, QDateTime::currentDateTimeUtc().toString(Qt::ISODate))
        .run();
    const qint64 importId = db_->lastInsertRowId();
    SqliteStatement insert = insertStatement();
    const BidFile::Counts counts = BidFile::read(
        file, layout, units, [&](const BidRecord& bid) { bindBid(insert, bid, importId); });
    report.rows = counts.bids;
    report.estimateRowsSkipped = counts.estimateRows;
    // The same bids twice would count every bid twice: a file is taken once.
    const QString digest = fileDigest(file);
    SqliteStatement earlier = db_->prepare("SELECT imported FROM import WHERE sha256 = ?");
    earlier.bind(1, digest);
    if (earlier.step()) {
        throw csv::ReadError(report.file, 0, historytexts::alreadyImported(earlier.text(0)));
    }
    SqliteStatement finish = db_->prepare("UPDATE import SET sha256 = ?, rows = ? WHERE id = ?");
    finish.bind(1, digest).bind(2, qint64(report.rows)).bind(3, importId).run();
    return report;
}

int BidHistory::copyIn(const QString& origin, const BidFeed& feed) {
    const QString shown = QDir::toNativeSeparators(path_);
    if (readOnly_) {
        throw Error(historytexts::historyNotWritten(shown, historytexts::historyReadOnly()));
    }
    int bids = 0;
    try {
        SqliteTransaction transaction(*db_);
        const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
        SqliteStatement addImport =
            db_->prepare("INSERT INTO import (file, sha256, imported, rows) VALUES (?, ?, ?, 0)");
        addImport.bind(1, origin).bind(2, u"copy "_s + origin + u' ' + now).bind(3, now).run();
        const qint64 importId = db_->lastInsertRowId();
        SqliteStatement insert = insertStatement();
        feed([&](const BidRecord& bid) {
            bindBid(insert, bid, importId);
            ++bids;
        });
        SqliteStatement finish = db_->prepare("UPDATE import SET rows = ? WHERE id = ?");
        finish.bind(1, qint64(bids)).bind(2, importId).run();
        transaction.commit();
    } catch (const SqliteError& error) {
        throw Error(historytexts::historyNotWritten(shown, error.reason()));
    }
    return bids;
}

void BidHistory::failRead(const std::exception& error) const {
    const auto* sqlite = dynamic_cast<const SqliteError*>(&error);
    throw Error(historytexts::historyNotOpened(
        QDir::toNativeSeparators(path_),
        sqlite ? sqlite->reason() : QString::fromLocal8Bit(error.what())));
}

std::vector<BidRecord> BidHistory::bidsFor(const QString& itemNumber) const {
    std::map<QString, std::vector<BidRecord>> found = bidsFor(QStringList{itemNumber});
    return found.empty() ? std::vector<BidRecord>() : std::move(found.begin()->second);
}

std::map<QString, std::vector<BidRecord>> BidHistory::bidsFor(
    const QStringList& itemNumbers) const {
    return bidsFor(itemNumbers, std::nullopt);
}

std::map<QString, std::vector<BidRecord>> BidHistory::bidsFor(
    const QStringList& itemNumbers, const std::optional<BidWindow>& window) const {
    std::map<QString, std::vector<BidRecord>> found;
    // Dates as the history writes them compare as text; the region is compared as the
    // statistics compare it, here.
    const QString region = window ? window->region.trimmed() : QString();
    const auto selected = [&](const BidRecord& bid) {
        return region.isEmpty() || bid.region.trimmed().compare(region, Qt::CaseInsensitive) == 0;
    };
    try {
        SqliteStatement query =
            db_->prepare((std::string(kColumns) + "WHERE item_number = ?1" +
                          (window ? std::string(" AND letting_date BETWEEN ?2 AND ?3") +
                                        bidderCondition(window->bids)
                                  : std::string()) +
                          " ORDER BY letting_date, id")
                             .c_str());
        const QString from =
            window && window->from.isValid() ? window->from.toString(Qt::ISODate) : u""_s;
        const QString to =
            window && window->to.isValid() ? window->to.toString(Qt::ISODate) : u"9"_s;
        for (const QString& item : itemNumbers) {
            if (found.count(item.trimmed()) > 0) {
                continue;
            }
            std::vector<BidRecord> bids;
            query.bind(1, item.trimmed());
            if (window) {
                query.bind(2, from).bind(3, to);
            }
            while (query.step()) {
                BidRecord bid = recordAt(query);
                if (selected(bid)) {
                    bids.push_back(std::move(bid));
                }
            }
            query.reset();
            if (!bids.empty()) {
                found.emplace(item.trimmed(), std::move(bids));
            }
        }
    } catch (const SqliteError& error) {
        failRead(error);
    }
    return found;
}

std::set<QString> BidHistory::itemsWithBids(const QStringList& itemNumbers) const {
    std::set<QString> items;
    try {
        SqliteStatement query = db_->prepare("SELECT 1 FROM bid WHERE item_number = ? LIMIT 1");
        for (const QString& item : itemNumbers) {
            query.bind(1, item.trimmed());
            if (query.step()) {
                items.insert(item.trimmed());
            }
            query.reset();
        }
    } catch (const SqliteError& error) {
        failRead(error);
    }
    return items;
}

std::optional<BidRecord> BidHistory::bid(qint64 id) const {
    try {
        SqliteStatement query = db_->prepare((std::string(kColumns) + "WHERE id = ?").c_str());
        query.bind(1, id);
        if (query.step()) {
            return recordAt(query);
        }
    } catch (const SqliteError& error) {
        failRead(error);
    }
    return std::nullopt;
}

QDate BidHistory::newestLetting() const {
    try {
        SqliteStatement query = db_->prepare("SELECT max(letting_date) FROM bid");
        query.step();
        return isoDate(query.text(0));
    } catch (const SqliteError& error) {
        failRead(error);
    }
}

qint64 BidHistory::bidCount() const {
    try {
        SqliteStatement query = db_->prepare("SELECT count(*) FROM bid");
        query.step();
        return query.integer(0);
    } catch (const SqliteError& error) {
        failRead(error);
    }
}

}  // namespace veskplan
