#include "history/servercopy.h"

#include <QDir>
#include <QFileInfo>

#include "base/sqlitedb.h"
#include "history/bidhistory.h"
#include "history/historytexts.h"
#include "history/serverhistory.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

ServerCopy copyServerHistory(const QString& address, const QString& password, const QString& file,
                             const QDate& from, const QString& region) {
    if (QFileInfo::exists(file)) {
        throw Error(historytexts::historyNotWritten(QDir::toNativeSeparators(file),
                                                    u"it exists already; copy into a new file"_s));
    }
    ServerHistory server = ServerHistory::connect(address, password);
    try {
        BidHistory copy = BidHistory::open(file, false);
        const int bids =
            copy.copyIn(server.name(), [&](const std::function<void(const BidRecord&)>& add) {
                server.eachBid(from, region, [&](const BidRecord& bid) { add(bid); });
            });
        return ServerCopy{bids, server.name()};
    } catch (const Error&) {
        SqliteDb::removeFiles(file);  // nothing half copied left behind
        throw;
    }
}

QString ServerCopy::text(const QString& file) const {
    return QString::number(bids) + (bids == 1 ? u" bid"_s : u" bids"_s) +
           u" copied from the bid history at "_s + server + u" into "_s +
           QDir::toNativeSeparators(file) + u"."_s;
}

}  // namespace veskplan
