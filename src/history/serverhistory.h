#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "history/bidhistory.h"
#include "history/bidrecord.h"
#include "history/bidwindow.h"
#include "history/importreport.h"
#include "history/knownunits.h"

namespace veskplan {

class PgConnection;

// The agency's bid history on a PostgreSQL server, in a schema of the program's own: one history
// that the estimating office imports into and every designer prices from. Reads only the bids
// asked for; an import goes in whole or not at all.
class ServerHistory {
public:
    // The schema version this program writes and reads.
    static constexpr int kSchemaVersion = 2;

    // Whether a location is a server's address ("postgresql://...").
    static bool isAddress(const QString& location);
    // "HOST/DB" of an address, as messages name the history.
    static QString shownName(const QString& address);

    // Connects as the address says (its user, and the password from libpq's password file or
    // environment, or `password` when given; never one in the address). Throws Error naming the
    // server and the reason: the server does not answer, refuses the user or knows no such
    // database; ServerLoginError when it wants a password it was not given or refused it.
    static ServerHistory connect(const QString& address, const QString& password = {});

    ServerHistory(ServerHistory&&) noexcept;
    ServerHistory& operator=(ServerHistory&&) noexcept;
    ~ServerHistory();

    // Makes the program's schema in the database (bids, contracts, the import log, the cost
    // index, the kept column layouts and the schema version), or brings one of an earlier
    // version up to this one; true when it made it, false when it was there already. Throws
    // Error for a newer schema, or when it cannot be made.
    bool init();

    // Adds the bids of the files in one transaction: a bad row or a failure leaves the history
    // as it was. A file imported before (the same content) is skipped and says when it went in;
    // a bid the history holds already (the same contract, item and bidder rank, or for an
    // unknown rank the same price and quantity) is left out and counted.
    // Throws Error naming the server for a user who may only read.
    std::vector<ImportReport> import(const std::vector<BidHistory::Source>& sources,
                                     const KnownUnits& units);

    // The bids of each item that has any, by its item number, in letting order: only those
    // cross the network.
    std::map<QString, std::vector<BidRecord>> bidsFor(const QStringList& itemNumbers);
    // Only those the window selects by letting date, region and bidders: the statistics of the
    // window are those of every bid.
    std::map<QString, std::vector<BidRecord>> bidsFor(const QStringList& itemNumbers,
                                                      const BidWindow& window);
    // The items of these that it holds any bid of.
    std::set<QString> itemsWithBids(const QStringList& itemNumbers);
    // The letting date of its newest bid, the date it is "as of"; invalid when it holds none.
    QDate newestLetting();
    // Hands on each bid let from `from` (any date when invalid) in `region` (every one when
    // empty, else compared ignoring case), in the order they went in.
    void eachBid(const QDate& from, const QString& region,
                 const std::function<void(BidRecord)>& take);
    qint64 bidCount();

    const QString& name() const { return name_; }

private:
    ServerHistory(QString name, std::unique_ptr<PgConnection> connection);
    // Throws Error (with `failure` as its wording) when the database holds no history of a
    // version this program reads.
    // Gives the version it holds.
    int checkSchema(QString (*failure)(const QString&, const QString&));
    ImportReport importOne(const BidHistory::Source& source, const KnownUnits& units);
    void eachBid(const char* where, const std::vector<QByteArray>& params,
                 const std::function<void(BidRecord)>& take);

    QString name_;
    std::unique_ptr<PgConnection> connection_;
};

}  // namespace veskplan
