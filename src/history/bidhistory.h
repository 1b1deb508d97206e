#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "history/bidrecord.h"
#include "history/bidwindow.h"
#include "history/columnlayout.h"
#include "history/importreport.h"
#include "history/knownunits.h"

namespace veskplan {

class SqliteDb;
class SqliteStatement;

// The agency's or the user's bid history: a database file of its own, kept apart from the plan
// files so that one history serves every project, and shareable read-only on a network folder.
class BidHistory {
public:
    // Opens the file; a writable one that does not exist yet is made with its tables. A
    // read-only one is read as it stands. Throws Error naming the
    // file for a file that cannot be opened or is not a bid history.
    static BidHistory open(const QString& path, bool readOnly);

    BidHistory(BidHistory&&) noexcept;
    BidHistory& operator=(BidHistory&&) noexcept;
    ~BidHistory();

    // Adds the bids of a bid tabulation, all of them or none: a bad row, a file imported before
    // or a history open read-only throws Error naming the file (and the line) and leaves the
    // history as it was. Units are taken as `units` spell them; another is a bad row.
    ImportReport import(const QString& file, const KnownUnits& units,
                        const ColumnLayout* layout = nullptr);
    // Several files, all of them or none.
    std::vector<ImportReport> import(const QStringList& files, const KnownUnits& units,
                                     const ColumnLayout* layout = nullptr);
    // Several files, each with its own layout (or recognised by name without one).
    struct Source {
        QString file;
        std::optional<ColumnLayout> layout;
    };
    std::vector<ImportReport> import(const std::vector<Source>& sources, const KnownUnits& units);

    // Adds the bids `feed` hands to the function it is given (another history's), all or none,
    // logged as copied from `origin`; returns how many.
    using BidFeed = std::function<void(const std::function<void(const BidRecord&)>&)>;
    int copyIn(const QString& origin, const BidFeed& feed);

    // The bids of an item in letting order.
    std::vector<BidRecord> bidsFor(const QString& itemNumber) const;
    // The bids of each item that has any, by its item number without surrounding blanks.
    std::map<QString, std::vector<BidRecord>> bidsFor(const QStringList& itemNumbers) const;
    // Only those a window selects by letting date, region and bidders (all without one): the
    // statistics of the window are those of every bid.
    std::map<QString, std::vector<BidRecord>> bidsFor(const QStringList& itemNumbers,
                                                      const std::optional<BidWindow>& window) const;
    // The items of these that it holds any bid of.
    std::set<QString> itemsWithBids(const QStringList& itemNumbers) const;
    // The condition, in SQL, by which a window's choice of bidders selects bids, as the
    // statistics select them (" AND ...", or nothing for every bid).
    static const char* bidderCondition(BidSelection selection);
    std::optional<BidRecord> bid(qint64 id) const;
    qint64 bidCount() const;
    // The letting date of its newest bid, the date it is "as of"; invalid when it holds none.
    QDate newestLetting() const;

    const QString& path() const { return path_; }

private:
    BidHistory(QString path, std::unique_ptr<SqliteDb> db, bool readOnly);
    ImportReport importOne(const QString& file, const ColumnLayout* layout,
                           const KnownUnits& units);
    [[noreturn]] void failRead(const std::exception& error) const;
    SqliteStatement insertStatement() const;
    static void bindBid(SqliteStatement& insert, const BidRecord& bid, qint64 importId);

    QString path_;
    std::unique_ptr<SqliteDb> db_;
    bool readOnly_ = true;
};

}  // namespace veskplan
