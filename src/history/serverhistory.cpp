#include "history/serverhistory.h"

#include <libpq-fe.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "base/csv.h"
#include "history/bidfile.h"
#include "history/historytexts.h"
#include "history/pgconnection.h"
#include "history/serverloginerror.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Far above the bids of any project in a history of some years (a few million rows).
constexpr qint64 kMaxBids = 20'000'000;
// COPY's data is sent in pieces of about this size.
constexpr qsizetype kCopyChunk = 1 << 18;

// The first version, which the migrations below bring up to this program's.
constexpr const char* kSchema = R"sql(
CREATE SCHEMA veskplan;
CREATE TABLE veskplan.schema_version (version integer NOT NULL);
INSERT INTO veskplan.schema_version VALUES (1);
CREATE TABLE veskplan.import (
    id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    file text NOT NULL,
    sha256 text NOT NULL UNIQUE,
    imported timestamptz NOT NULL DEFAULT now(),
    imported_by text NOT NULL DEFAULT current_user
);
CREATE TABLE veskplan.contract (
    contract text PRIMARY KEY,
    letting_date date NOT NULL,
    region text NOT NULL,
    import_id bigint NOT NULL REFERENCES veskplan.import (id)
);
CREATE TABLE veskplan.bid (
    id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    item_number text NOT NULL,
    description text NOT NULL,
    unit text NOT NULL,
    quantity double precision NOT NULL,
    unit_price double precision NOT NULL,
    letting_date date NOT NULL,
    contract text NOT NULL,
    bidder_rank integer NOT NULL,
    low_bidder boolean NOT NULL,
    region text NOT NULL,
    import_id bigint NOT NULL REFERENCES veskplan.import (id)
);
CREATE INDEX bid_item ON veskplan.bid (item_number, letting_date, id);
CREATE INDEX bid_import ON veskplan.bid (import_id);
CREATE TABLE veskplan.cost_index (
    quarter text PRIMARY KEY,
    value double precision NOT NULL
);
CREATE TABLE veskplan.column_layout (
    headings text PRIMARY KEY,
    layout text NOT NULL
);
)sql";

// Each later version's changes, from the one before: the version it makes, and how. The second
// keeps each bid once (a contract's bid for an item by its bidder's rank, or where the rank is
// unknown by its price and quantity, so that files that overlap add each bid once) and indexes what
// an estimate's window asks by: the item and dates (the first version's index), the low bids that
// estimates take unless told otherwise, and the letting dates alone, for the history's newest; a
// region leaves too few out to pay for an index that every import keeps up.
struct Migration {
    int version;
    const char* sql;
};
constexpr Migration kMigrations[] = {
    {2, R"sql(
DELETE FROM veskplan.bid b USING veskplan.bid k
    WHERE b.contract = k.contract AND b.item_number = k.item_number
      AND b.bidder_rank = k.bidder_rank AND b.bidder_rank > 0 AND b.id > k.id;
DELETE FROM veskplan.bid b USING veskplan.bid k
    WHERE b.contract = k.contract AND b.item_number = k.item_number AND b.bidder_rank = 0
      AND k.bidder_rank = 0 AND b.unit_price = k.unit_price AND b.quantity = k.quantity
      AND b.id > k.id;
CREATE UNIQUE INDEX bid_ranked ON veskplan.bid (contract, item_number, bidder_rank)
    WHERE bidder_rank > 0;
CREATE UNIQUE INDEX bid_unranked ON veskplan.bid (contract, item_number, unit_price, quantity)
    WHERE bidder_rank = 0;
DROP INDEX veskplan.bid_import;
CREATE INDEX bid_letting ON veskplan.bid (letting_date);
CREATE INDEX bid_low ON veskplan.bid (item_number, letting_date)
    WHERE low_bidder OR bidder_rank = 1;
UPDATE veskplan.schema_version SET version = 2;
)sql"},
};

// A region as the statistics compare it: without surrounding blanks, ignoring case.
constexpr const char* kRegion = R"sql(lower(btrim(region, E' \t\n\r\f\v')))sql";

QByteArray dateParameter(const QDate& date, const char* open) {
    return date.isValid() ? date.toString(Qt::ISODate).toLatin1() : QByteArray(open);
}

// A transaction that is rolled back unless committed, whatever left it.
class Transaction {
public:
    explicit Transaction(PgConnection& connection) : connection_(connection) {
        connection_.exec("BEGIN");
    }
    ~Transaction() {
        if (!committed_) {
            try {
                connection_.exec("ROLLBACK");
            } catch (const Error&) {
                // a lost connection rolls back by itself
            }
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit() {
        connection_.exec("COMMIT");
        committed_ = true;
    }

private:
    PgConnection& connection_;
    bool committed_ = false;
};

// A field of COPY's text format: its backslash, tab and line ends escaped.
void appendField(QByteArray& line, const QString& text) {
    for (const char c : text.toUtf8()) {
        switch (c) {
            case '\\':
                line += "\\\\";
                break;
            case '\t':
                line += "\\t";
                break;
            case '\n':
                line += "\\n";
                break;
            case '\r':
                line += "\\r";
                break;
            default:
                line += c;
        }
    }
    line += '\t';
}

QByteArray number(double value) {
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

// The item numbers as an array parameter: {"a","b"}.
QByteArray textArray(const QStringList& items) {
    QByteArray array = "{";
    for (const QString& item : items) {
        QByteArray quoted = item.trimmed().toUtf8();
        quoted.replace("\\", "\\\\").replace("\"", "\\\"");
        array += (array.size() > 1 ? ",\"" : "\"") + quoted + '"';
    }
    return array + '}';
}

void sortByLetting(std::map<QString, std::vector<BidRecord>>& bids) {
    for (auto& [item, itemBids] : bids) {
        std::sort(itemBids.begin(), itemBids.end(), [](const BidRecord& a, const BidRecord& b) {
            return std::pair(a.lettingDate, a.id) < std::pair(b.lettingDate, b.id);
        });
    }
}

QString digestOf(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        throw csv::ReadError(QDir::toNativeSeparators(path), 0, file.errorString());
    }
    return QString::fromLatin1(hash.result().toHex());
}

}  // namespace

bool ServerHistory::isAddress(const QString& location) {
    return location.startsWith(u"postgresql://"_s, Qt::CaseInsensitive) ||
           location.startsWith(u"postgres://"_s, Qt::CaseInsensitive);
}

QString ServerHistory::shownName(const QString& address) {
    QString host, database;
    PQconninfoOption* options = PQconninfoParse(address.toUtf8().constData(), nullptr);
    if (!options) {  // as written, without the user and a password
        return address.section(u"://"_s, 1).section(u'@', -1).section(u'?', 0, 0);
    }
    for (const PQconninfoOption* option = options; option->keyword; ++option) {
        const QString value = QString::fromUtf8(option->val ? option->val : "");
        if (qstrcmp(option->keyword, "host") == 0) {
            host = value;
        } else if (qstrcmp(option->keyword, "dbname") == 0) {
            database = value;
        }
    }
    PQconninfoFree(options);
    return (host.isEmpty() ? u"localhost"_s : host) + u'/' + database;
}

ServerHistory::ServerHistory(QString name, std::unique_ptr<PgConnection> connection)
    : name_(std::move(name)), connection_(std::move(connection)) {}
ServerHistory::ServerHistory(ServerHistory&&) noexcept = default;
ServerHistory& ServerHistory::operator=(ServerHistory&&) noexcept = default;
ServerHistory::~ServerHistory() = default;

ServerHistory ServerHistory::connect(const QString& address, const QString& password) {
    const QString name = shownName(address);
    PQconninfoOption* options = PQconninfoParse(address.toUtf8().constData(), nullptr);
    bool inAddress = false;
    for (const PQconninfoOption* option = options; option && option->keyword; ++option) {
        inAddress = inAddress || (qstrcmp(option->keyword, "password") == 0 && option->val);
    }
    PQconninfoFree(options);
    if (!isAddress(address) || !options) {
        throw Error(historytexts::serverNotOpened(name, historytexts::notAServerAddress()));
    }
    if (inAddress) {
        throw Error(historytexts::serverNotOpened(name, historytexts::passwordInAddress()));
    }
    try {
        return ServerHistory(name, std::make_unique<PgConnection>(address, password));
    } catch (const ServerError& error) {
        const QString message = historytexts::serverNotOpened(name, error.reason());
        if (error.login() != ServerError::Login::Other) {
            throw ServerLoginError(message, address, name, error.user(),
                                   error.login() == ServerError::Login::PasswordRefused);
        }
        throw Error(message);
    }
}

int ServerHistory::checkSchema(QString (*failure)(const QString&, const QString&)) {
    const PgResult found =
        connection_->exec("SELECT to_regclass('veskplan.schema_version') IS NOT NULL");
    if (found.bytes(0, 0) != "t") {
        throw Error(failure(name_, historytexts::serverWithoutHistory()));
    }
    const PgResult version = connection_->exec("SELECT max(version) FROM veskplan.schema_version");
    if (version.isNull(0, 0)) {
        throw Error(failure(name_, historytexts::serverWithoutHistory()));
    }
    if (version.integer(0, 0) > kSchemaVersion) {
        throw Error(
            failure(name_, historytexts::serverSchemaNewer(version.integer(0, 0), kSchemaVersion)));
    }
    return int(version.integer(0, 0));
}

bool ServerHistory::init() {
    try {
        Transaction transaction(*connection_);
        const PgResult found = connection_->exec("SELECT to_regnamespace('veskplan') IS NOT NULL");
        const bool made = found.bytes(0, 0) != "t";
        if (made) {
            connection_->exec(kSchema);
        }
        const int version = checkSchema(&historytexts::serverNotWritten);
        for (const Migration& migration : kMigrations) {
            if (migration.version > version) {
                connection_->exec(migration.sql);
            }
        }
        transaction.commit();
        return made;
    } catch (const ServerError& error) {
        throw Error(historytexts::serverNotWritten(name_, error.reason()));
    }
}

std::vector<ImportReport> ServerHistory::import(const std::vector<BidHistory::Source>& sources,
                                                const KnownUnits& units) {
    std::vector<ImportReport> reports;
    try {
        Transaction transaction(*connection_);
        const int version = checkSchema(&historytexts::serverNotWritten);
        const PgResult allowed = connection_->exec(
            "SELECT has_table_privilege('veskplan.bid', 'INSERT') AND "
            "has_table_privilege('veskplan.import', 'INSERT') AND "
            "has_table_privilege('veskplan.contract', 'INSERT')");
        if (allowed.bytes(0, 0) != "t") {
            throw Error(historytexts::serverReadOnly(name_, connection_->user()));
        }
        if (version < kSchemaVersion) {
            throw Error(historytexts::serverNotWritten(
                name_, historytexts::serverSchemaOlder(version, kSchemaVersion)));
        }
        // One import at a time: two that bring the same bids wait for each other instead of
        // locking each other's rows in turn.
        connection_->exec("SELECT pg_advisory_xact_lock(hashtext('veskplan.import'))");
        // The bids wait in a table of the session's own, then go in in file order: room for a
        // year's tabulation in memory, so that neither spills to disk.
        connection_->exec("SET LOCAL temp_buffers = '128MB'; SET LOCAL work_mem = '128MB'");
        connection_->exec(
            "CREATE TEMP TABLE incoming (n bigint GENERATED ALWAYS AS IDENTITY, item_number "
            "text, description text, unit text, quantity double precision, unit_price double "
            "precision, letting_date date, contract text, bidder_rank integer, low_bidder "
            "boolean, region text) ON COMMIT DROP");
        for (const BidHistory::Source& source : sources) {
            reports.push_back(importOne(source, units));
        }
        transaction.commit();
    } catch (const ServerError& error) {
        if (error.state() == "42501") {  // not allowed: a user who may only read
            throw Error(historytexts::serverReadOnly(name_, connection_->user()));
        }
        throw Error(historytexts::serverNotWritten(name_, error.reason()));
    }
    return reports;
}

ImportReport ServerHistory::importOne(const BidHistory::Source& source, const KnownUnits& units) {
    ImportReport report;
    report.file = QDir::toNativeSeparators(source.file);
    const QByteArray digest = digestOf(source.file).toLatin1();
    // Two imports of one file at once: the second waits here for the first, then skips it.
    const PgResult logged = connection_->exec(
        "INSERT INTO veskplan.import (file, sha256) VALUES ($1, $2) "
        "ON CONFLICT (sha256) DO NOTHING RETURNING id",
        {QFileInfo(source.file).absoluteFilePath().toUtf8(), digest});
    if (logged.rows() == 0) {
        const PgResult earlier = connection_->exec(
            "SELECT to_char(imported AT TIME ZONE 'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS\"Z\"') "
            "FROM veskplan.import WHERE sha256 = $1",
            {digest});
        report.importedBefore = earlier.text(0, 0, 64);
        return report;
    }
    const QByteArray importId = logged.bytes(0, 0, 24);
    connection_->exec("TRUNCATE incoming");
    connection_->beginCopy(
        "COPY incoming (item_number, description, unit, quantity, unit_price, letting_date, "
        "contract, bidder_rank, low_bidder, region) FROM STDIN");
    QByteArray chunk;
    try {
        const BidFile::Counts counts = BidFile::read(
            source.file, source.layout ? &*source.layout : nullptr, units,
            [&](const BidRecord& bid) {
                appendField(chunk, bid.itemNumber);
                appendField(chunk, bid.description);
                appendField(chunk, bid.unit);
                chunk += number(bid.quantity) + '\t' + number(bid.unitPrice) + '\t' +
                         bid.lettingDate.toString(Qt::ISODate).toLatin1() + '\t';
                appendField(chunk, bid.contract);
                chunk += QByteArray::number(bid.bidderRank) + (bid.lowBidder ? "\tt\t" : "\tf\t");
                appendField(chunk, bid.region);
                chunk.back() = '\n';
                if (chunk.size() >= kCopyChunk) {
                    connection_->sendCopy(chunk);
                    chunk.clear();
                }
            });
        connection_->sendCopy(chunk);
        report.rows = counts.bids;
        report.estimateRowsSkipped = counts.estimateRows;
    } catch (...) {
        connection_->abortCopy();
        throw;
    }
    connection_->endCopy();
    // In file order, so that the bids of one day keep it as they do in a history file.
    const PgResult added = connection_->exec(
        "WITH added AS (INSERT INTO veskplan.bid (item_number, description, unit, quantity, "
        "unit_price, letting_date, contract, bidder_rank, low_bidder, region, import_id) "
        "SELECT item_number, description, unit, quantity, unit_price, letting_date, contract, "
        "bidder_rank, low_bidder, region, $1 FROM incoming ORDER BY n "
        "ON CONFLICT DO NOTHING RETURNING 1) SELECT count(*) FROM added",
        {importId});
    report.bidsHeldSkipped = report.rows - int(added.integer(0, 0));
    report.rows -= report.bidsHeldSkipped;
    connection_->exec(
        "INSERT INTO veskplan.contract (contract, letting_date, region, import_id) "
        "SELECT DISTINCT ON (contract) contract, letting_date, region, $1 "
        "FROM incoming ORDER BY contract, letting_date ON CONFLICT (contract) DO NOTHING",
        {importId});
    return report;
}

std::map<QString, std::vector<BidRecord>> ServerHistory::bidsFor(const QStringList& itemNumbers) {
    std::map<QString, std::vector<BidRecord>> found;
    // The server only filters: ordering each item's few bids here spares it a sort of them all.
    eachBid("item_number = ANY ($1::text[])", {textArray(itemNumbers)},
            [&](BidRecord bid) { found[bid.itemNumber].push_back(std::move(bid)); });
    sortByLetting(found);
    return found;
}

std::map<QString, std::vector<BidRecord>> ServerHistory::bidsFor(const QStringList& itemNumbers,
                                                                 const BidWindow& window) {
    std::map<QString, std::vector<BidRecord>> found;
    const std::string where =
        std::string(
            "item_number = ANY ($1::text[]) AND letting_date BETWEEN $2::date AND "
            "$3::date AND ($4 = '' OR ") +
        kRegion + " = lower($4))" + BidHistory::bidderCondition(window.bids);
    eachBid(where.c_str(),
            {textArray(itemNumbers), dateParameter(window.from, "-infinity"),
             dateParameter(window.to, "infinity"), window.region.trimmed().toUtf8()},
            [&](BidRecord bid) { found[bid.itemNumber].push_back(std::move(bid)); });
    sortByLetting(found);
    return found;
}

std::set<QString> ServerHistory::itemsWithBids(const QStringList& itemNumbers) {
    std::set<QString> items;
    try {
        connection_->eachRow(
            "SELECT i FROM unnest($1::text[]) AS i WHERE EXISTS "
            "(SELECT FROM veskplan.bid WHERE item_number = i)",
            {textArray(itemNumbers)}, itemNumbers.size(),
            [&](const PgResult& row) { items.insert(row.text(0, 0)); });
    } catch (const ServerError& error) {
        throw Error(historytexts::serverNotOpened(name_, error.reason()));
    }
    return items;
}

QDate ServerHistory::newestLetting() {
    try {
        const PgResult newest =
            connection_->exec("SELECT to_char(max(letting_date), 'YYYY-MM-DD') FROM veskplan.bid");
        return QDate::fromString(newest.text(0, 0, 10), Qt::ISODate);
    } catch (const ServerError& error) {
        throw Error(historytexts::serverNotOpened(name_, error.reason()));
    }
}

void ServerHistory::eachBid(const QDate& from, const QString& region,
                            const std::function<void(BidRecord)>& take) {
    eachBid("letting_date >= $1::date AND ($2 = '' OR lower(region) = lower($2)) ORDER BY id",
            {from.isValid() ? from.toString(Qt::ISODate).toLatin1() : "-infinity", region.toUtf8()},
            take);
}

void ServerHistory::eachBid(const char* where, const std::vector<QByteArray>& params,
                            const std::function<void(BidRecord)>& take) {
    try {
        checkSchema(&historytexts::serverNotOpened);
        connection_->eachRow(
            (std::string("SELECT id, item_number, description, unit, quantity, unit_price, "
                         "to_char(letting_date, 'YYYY-MM-DD'), contract, bidder_rank, low_bidder, "
                         "region FROM veskplan.bid WHERE ") +
             where)
                .c_str(),
            params, kMaxBids, [&](const PgResult& row) {
                BidRecord bid;
                bid.id = row.integer(0, 0);
                bid.itemNumber = row.text(0, 1);
                bid.description = row.text(0, 2);
                bid.unit = row.text(0, 3, 64);
                bid.quantity = row.real(0, 4);
                bid.unitPrice = row.real(0, 5);
                bid.lettingDate = QDate::fromString(row.text(0, 6, 10), Qt::ISODate);
                bid.contract = row.text(0, 7);
                bid.bidderRank = int(row.integer(0, 8));
                bid.lowBidder = row.bytes(0, 9, 1) == "t";
                bid.region = row.text(0, 10);
                take(std::move(bid));
            });
    } catch (const ServerError& error) {
        throw Error(historytexts::serverNotOpened(name_, error.reason()));
    }
}

qint64 ServerHistory::bidCount() {
    try {
        return connection_->exec("SELECT count(*) FROM veskplan.bid").integer(0, 0);
    } catch (const ServerError& error) {
        throw Error(historytexts::serverNotOpened(name_, error.reason()));
    }
}

}  // namespace veskplan
