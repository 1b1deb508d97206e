#include <benchmark/benchmark.h>
#include <QFile>
#include <QTemporaryDir>

#include "base/sqlitedb.h"
#include "history/bidhistory.h"
#include "history/bidstatistics.h"
#if VESKPLAN_SERVER_HISTORY
#include "history/pgconnection.h"
#include "history/serverhistory.h"
#endif

namespace {

using namespace veskplan;
using namespace Qt::Literals::StringLiterals;

constexpr int kItems = 2000;
constexpr int kContracts = 25;
constexpr int kBidders = 4;  // 2,000 items x 25 contracts x 4 bidders = 200,000 bids

QString itemNumber(int item) {
    return u"%1-%2"_s.arg(2100 + item / 100).arg(item % 100 * 10, 7, 10, QChar(u'0'));
}

// A state's yearly tabulation in the plain layout: every item bid in every contract.
struct Tabulation {
    QTemporaryDir dir;
    QString bids = dir.filePath(u"bids.csv"_s);
    QString index = dir.filePath(u"index.csv"_s);
    QString history = dir.filePath(u"history.db"_s);

    Tabulation() {
        QByteArray text =
            "Item Number,Description,Unit,Quantity,Unit Price,Letting Date,Contract,Bidder Rank,"
            "Low Bidder,Region\n";
        text.reserve(200000 * 90);
        for (int contract = 0; contract < kContracts; ++contract) {
            const QByteArray date =
                QDate(2024, 1, 10).addDays(contract * 29).toString(Qt::ISODate).toLatin1();
            for (int item = 0; item < kItems; ++item) {
                const double quantity = 10.0 * (1 + (item * 7 + contract * 13) % 97);
                for (int rank = 1; rank <= kBidders; ++rank) {
                    const double price = (5 + item % 300) * (1 + 0.05 * rank) *
                                         (1 + 0.01 * ((contract * 31 + rank) % 11));
                    text += itemNumber(item).toLatin1() + ",ITEM " + QByteArray::number(item) +
                            ",SY," + QByteArray::number(quantity) + ',' +
                            QByteArray::number(price, 'f', 2) + ',' + date + ",C" +
                            QByteArray::number(contract) + ',' + QByteArray::number(rank) +
                            (rank == 1 ? ",Y," : ",N,") + (contract % 2 ? "North\n" : "South\n");
                }
            }
        }
        QFile file(bids);
        file.open(QIODevice::WriteOnly);
        file.write(text);
        QFile quarters(index);
        quarters.open(QIODevice::WriteOnly);
        quarters.write(
            "Quarter,Index\n2024Q1,100\n2024Q2,101\n2024Q3,103\n2024Q4,104\n"
            "2025Q1,106\n2025Q2,108\n2025Q3,109\n2025Q4,111\n2026Q1,112\n");
    }
};

Tabulation& tabulation() {
    static Tabulation data;
    return data;
}

// 200,000 rows read, checked and inserted in one transaction into a new history.
void BM_Import200000Bids(benchmark::State& state) {
    Tabulation& data = tabulation();
    for (auto _ : state) {
        SqliteDb::removeFiles(data.history);
        BidHistory history = BidHistory::open(data.history, false);
        benchmark::DoNotOptimize(history.import(data.bids, KnownUnits::ofSpellingTable()).rows);
    }
    state.SetItemsProcessed(state.iterations() * kItems * kContracts * kBidders);
}
BENCHMARK(BM_Import200000Bids)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

std::map<QString, std::vector<BidRecord>>& projectBids() {
    static std::map<QString, std::vector<BidRecord>> bids = [] {
        Tabulation& data = tabulation();
        SqliteDb::removeFiles(data.history);
        BidHistory history = BidHistory::open(data.history, false);
        history.import(data.bids, KnownUnits::ofSpellingTable());
        QStringList items;
        for (int item = 0; item < kItems; ++item) {
            items.append(itemNumber(item));
        }
        return history.bidsFor(items);
    }();
    return bids;
}

// Every statistic and regression of a 2,000-item project against 200,000 bids, escalated,
// the three lowest bids of every region.
void BM_StatisticsOf2000Items(benchmark::State& state) {
    const std::map<QString, std::vector<BidRecord>>& bids = projectBids();
    const CostIndex index = CostIndex::read(tabulation().index);
    BidWindow window;
    window.bids = BidSelection::ThreeLowest;
    window.escalate = true;
    window.estimateDate = QDate(2026, 3, 31);
    for (auto _ : state) {
        int regressions = 0;
        for (const auto& [item, itemBids] : bids) {
            const ItemStatistics s = computeStatistics(itemBids, u"SY"_s, window, &index, 250.0);
            regressions += s.regression ? 1 : 0;
        }
        benchmark::DoNotOptimize(regressions);
    }
}
BENCHMARK(BM_StatisticsOf2000Items)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The bids of the 2,000 items fetched from the history file.
void BM_BidsOf2000ItemsFromTheHistory(benchmark::State& state) {
    projectBids();
    const BidHistory history = BidHistory::open(tabulation().history, true);
    QStringList items;
    for (int item = 0; item < kItems; ++item) {
        items.append(itemNumber(item));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.bidsFor(items).size());
    }
}
BENCHMARK(BM_BidsOf2000ItemsFromTheHistory)->Unit(benchmark::kMillisecond)->Repetitions(5);

#if VESKPLAN_SERVER_HISTORY
// The same work on a bid history on a PostgreSQL server: VESKPLAN_BENCH_SERVER names the
// address of a database the benchmark may empty and fill (its owner, say), for instance one of
// the private server of scripts/pg-test-server.sh.
QString benchServer(benchmark::State& state) {
    const QString address = qEnvironmentVariable("VESKPLAN_BENCH_SERVER");
    if (address.isEmpty()) {
        state.SkipWithError("VESKPLAN_BENCH_SERVER names no server");
    }
    return address;
}

void fillServer(const QString& address) {
    PgConnection(address).exec("DROP SCHEMA IF EXISTS veskplan CASCADE");
    ServerHistory history = ServerHistory::connect(address);
    history.init();
    history.import({{tabulation().bids, std::nullopt}}, KnownUnits::ofSpellingTable());
}

// 200,000 rows read, checked and sent by COPY in one transaction into a new schema.
void BM_ServerImport200000Bids(benchmark::State& state) {
    const QString address = benchServer(state);
    for (auto _ : state) {
        fillServer(address);
    }
    state.SetItemsProcessed(state.iterations() * kItems * kContracts * kBidders);
}
BENCHMARK(BM_ServerImport200000Bids)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

// Connecting and fetching the bids of the 2,000 items, as each pricing does.
void BM_BidsOf2000ItemsFromTheServer(benchmark::State& state) {
    const QString address = benchServer(state);
    if (address.isEmpty()) {
        return;
    }
    fillServer(address);
    QStringList items;
    for (int item = 0; item < kItems; ++item) {
        items.append(itemNumber(item));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ServerHistory::connect(address).bidsFor(items).size());
    }
}
BENCHMARK(BM_BidsOf2000ItemsFromTheServer)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Connecting and asking one item's bids: the least a pricing waits for.
void BM_ConnectToTheServer(benchmark::State& state) {
    const QString address = benchServer(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ServerHistory::connect(address).bidsFor({itemNumber(0)}).size());
    }
}
BENCHMARK(BM_ConnectToTheServer)->Unit(benchmark::kMillisecond)->Repetitions(5);
#endif

}  // namespace

BENCHMARK_MAIN();
