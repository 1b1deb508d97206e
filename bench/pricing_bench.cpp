#include <benchmark/benchmark.h>
#include <QFile>
#include <QTemporaryDir>

#include "base/sqlitedb.h"
#include "estimate/estimatebuilder.h"
#include "estimate/pricesources.h"
#include "history/bidhistory.h"
#include "history/knownunits.h"
#if VESKPLAN_SERVER_HISTORY
#include "history/pgconnection.h"
#include "history/serverhistory.h"
#endif

// An agency's history at full size, on the embedded history and on a server side by side: a
// million rows of open-data tabulations imported, and a 2,000-item project priced against two
// million bids. The server is one the benchmark may empty and fill: VESKPLAN_BENCH_SERVER names
// its address (the private server of scripts/pg-test-server.sh, say, as its database owner).

namespace {

using namespace veskplan;
using namespace Qt::Literals::StringLiterals;

constexpr int kItems = 2000;
constexpr int kBidders = 4;
constexpr int kImportContracts = 125;   // x 2,000 items x 4 bidders = 1,000,000 rows
constexpr int kPricingContracts = 250;  // = 2,000,000 bids, one contract a week
const QDate kFirstLetting(2021, 1, 12);
const QDate kEstimateDate(2026, 3, 31);

QByteArray itemNumber(int item) {
    return QByteArray::number(2100 + item / 100) + '-' +
           QByteArray::number(item % 100 * 10).rightJustified(7, '0');
}

// A state's open-data export: every item bid in every contract, dates with their time of day.
struct OpenDataFile {
    QTemporaryDir dir;
    QString bids = dir.filePath(u"bids.csv"_s);
    QString history = dir.filePath(u"history.db"_s);

    OpenDataFile() {
        QByteArray text =
            "bid_code,bid_item_description,measurement_unit,bid_item_quantity,"
            "bid_item_unit_price_amount,low_bidder_flag,bid_rank_sequence_number,"
            "district_division,county,project_actual_let_date,contract_number,vendor_name\n";
        text.reserve(qsizetype(kImportContracts) * kItems * kBidders * 120);
        for (int contract = 0; contract < kImportContracts; ++contract) {
            const QByteArray tail =
                ',' + QByteArray(contract % 2 ? "D1,Polk," : "D2,Story,") +
                kFirstLetting.addDays(7 * contract).toString(Qt::ISODate).toLatin1() +
                "T00:00:00.000,24-" + QByteArray::number(contract).rightJustified(4, '0') +
                ",Firm ";
            for (int item = 0; item < kItems; ++item) {
                const QByteArray head = itemNumber(item) + ",ITEM " + QByteArray::number(item) +
                                        ",SY," +
                                        QByteArray::number(10 * (1 + (item + contract) % 97)) + ',';
                for (int rank = 1; rank <= kBidders; ++rank) {
                    text += head +
                            QByteArray::number((5 + item % 300) * (1 + 0.05 * rank), 'f', 2) +
                            (rank == 1 ? ",Y," : ",N,") + QByteArray::number(rank) + tail +
                            QByteArray::number(rank) + '\n';
                }
            }
        }
        QFile file(bids);
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
};

OpenDataFile& openData() {
    static OpenDataFile data;
    return data;
}

constexpr qint64 kImportRows = qint64(kImportContracts) * kItems * kBidders;

void BM_ImportMillionOpenDataRowsIntoAFile(benchmark::State& state) {
    OpenDataFile& data = openData();
    for (auto _ : state) {
        SqliteDb::removeFiles(data.history);
        BidHistory history = BidHistory::open(data.history, false);
        benchmark::DoNotOptimize(history.import(data.bids, KnownUnits::ofSpellingTable()).rows);
    }
    state.SetItemsProcessed(state.iterations() * kImportRows);
}
BENCHMARK(BM_ImportMillionOpenDataRowsIntoAFile)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

// The project priced: its 2,000 items in square yards, each with a quantity.
struct Project {
    std::vector<ProjectRecord> items;
    QStringList numbers;
    Project() {
        for (int item = 0; item < kItems; ++item) {
            const QString number = QString::fromLatin1(itemNumber(item));
            items.push_back(ProjectRecord{number, u"01"_s, u"ITEM"_s, u"SY"_s, 250.0 + item});
            numbers.append(number);
        }
    }
};

// Prices the project from one history as the estimate does: its bids read through the price
// source (only the window's asked for), then every statistic and the totals.
qint64 price(const QString& history) {
    static const Project project;
    const EstimateSettings settings = EstimateSettings::standard(kEstimateDate);
    const PriceSources sources =
        PriceSources::load({{u"history"_s, history}}, QString(), project.numbers, settings.window);
    return estimatebuilder::build(project.items, CategoryList(), ProjectPrices(), sources, settings)
        .totalCents;
}

#if VESKPLAN_SERVER_HISTORY
QString benchServer(benchmark::State& state) {
    const QString address = qEnvironmentVariable("VESKPLAN_BENCH_SERVER");
    if (address.isEmpty()) {
        state.SkipWithError("VESKPLAN_BENCH_SERVER names no server");
    }
    return address;
}

void BM_ImportMillionOpenDataRowsIntoTheServer(benchmark::State& state) {
    const QString address = benchServer(state);
    OpenDataFile& data = openData();
    for (auto _ : state) {
        state.PauseTiming();
        PgConnection(address).exec("DROP SCHEMA IF EXISTS veskplan CASCADE");
        ServerHistory history = ServerHistory::connect(address);
        history.init();
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            history.import({{data.bids, std::nullopt}}, KnownUnits::ofSpellingTable()).at(0).rows);
    }
    state.SetItemsProcessed(state.iterations() * kImportRows);
}
BENCHMARK(BM_ImportMillionOpenDataRowsIntoTheServer)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

// Two million bids made on the server itself, then copied whole into a history file: both
// hold the same bids.
struct PricingHistories {
    QTemporaryDir dir;
    QString file = dir.filePath(u"history.db"_s);
    QString server;

    explicit PricingHistories(const QString& address) : server(address) {
        PgConnection admin(address);
        admin.exec("DROP SCHEMA IF EXISTS veskplan CASCADE");
        ServerHistory history = ServerHistory::connect(address);
        history.init();
        const QByteArray sql =
            "WITH log AS (INSERT INTO veskplan.import (file, sha256) VALUES ('bench', 'bench') "
            "RETURNING id) INSERT INTO veskplan.bid (item_number, description, unit, quantity, "
            "unit_price, letting_date, contract, bidder_rank, low_bidder, region, import_id) "
            "SELECT (2100 + i / 100) || '-' || lpad((i % 100 * 10)::text, 7, '0'), 'ITEM ' || i, "
            "'SY', 10 * (1 + (i * 7 + c * 13) % 97), round(((5 + i % 300) * (1 + 0.05 * r) * "
            "(1 + 0.01 * ((c * 31 + r) % 11)))::numeric, 2), DATE '" +
            kFirstLetting.toString(Qt::ISODate).toLatin1() +
            "' + 7 * c, 'C' || c, r, r = 1, CASE WHEN c % 2 = 0 THEN 'North' ELSE 'South' END, "
            "log.id FROM log, generate_series(0, " +
            QByteArray::number(kPricingContracts - 1) + ") c, generate_series(0, " +
            QByteArray::number(kItems - 1) + ") i, generate_series(1, " +
            QByteArray::number(kBidders) + ") r ORDER BY c, i, r";
        admin.exec(sql.constData());
        admin.exec("ANALYZE veskplan.bid");
        BidHistory copy = BidHistory::open(file, false);
        copy.copyIn(history.name(), [&](const std::function<void(const BidRecord&)>& add) {
            history.eachBid(QDate(), QString(), [&](const BidRecord& bid) { add(bid); });
        });
    }
};

PricingHistories* pricingHistories(benchmark::State& state) {
    static std::unique_ptr<PricingHistories> made;
    const QString address = benchServer(state);
    if (!made && !address.isEmpty()) {
        made = std::make_unique<PricingHistories>(address);
    }
    return made.get();
}

// The standard window (the two years before the estimate date, low bids): some 200,000 of the
// two million bids.
void BM_Price2000ItemsFromAFileOf2MillionBids(benchmark::State& state) {
    const PricingHistories* histories = pricingHistories(state);
    if (!histories) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(price(histories->file));
    }
}
BENCHMARK(BM_Price2000ItemsFromAFileOf2MillionBids)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_Price2000ItemsFromAServerOf2MillionBids(benchmark::State& state) {
    const PricingHistories* histories = pricingHistories(state);
    if (!histories) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(price(histories->server));
    }
}
BENCHMARK(BM_Price2000ItemsFromAServerOf2MillionBids)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);

// Connecting and reading what the estimate window shows of the history before pricing: that it
// is one of this program's, and the date it is as of.
void BM_ConnectAndReadTheHistorysDate(benchmark::State& state) {
    const PricingHistories* histories = pricingHistories(state);
    if (!histories) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ServerHistory::connect(histories->server).newestLetting());
    }
}
BENCHMARK(BM_ConnectAndReadTheHistorysDate)->Unit(benchmark::kMillisecond)->Repetitions(5);
#endif

}  // namespace

BENCHMARK_MAIN();
