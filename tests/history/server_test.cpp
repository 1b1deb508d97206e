#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>
#include <algorithm>

#include "history/bidfile.h"
#include "history/pgconnection.h"
#include "history/serverhistory.h"
#include "history/statisticstable.h"
#include "support/installedunits.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::dataPath;
using test::errorMessage;

// Against the private server the test run starts (scripts/pg-test-server.sh), in a database of
// each test's own.
class Server : public ::testing::Test {
protected:
    void SetUp() override {
        const QString state = qEnvironmentVariable("VESKPLAN_TEST_PGSERVER");
        ASSERT_FALSE(state.isEmpty()) << "VESKPLAN_TEST_PGSERVER names no test server";
        qputenv("PGPASSFILE", QFile::encodeName(state + u"/pgpass"_s));
        QFile port(state + u"/port"_s);
        ASSERT_TRUE(port.open(QIODevice::ReadOnly));
        port_ = QString::fromLatin1(port.readAll().trimmed());
        database_ = u"h"_s + QUuid::createUuid().toString(QUuid::Id128).left(12);
        admin(u"CREATE DATABASE "_s + database_ + u" OWNER estimator"_s, u"postgres"_s);
    }
    void TearDown() override {
        admin(u"DROP DATABASE "_s + database_ + u" WITH (FORCE)"_s, u"postgres"_s);
    }
    QString address(const QString& user, const QString& database = {}) const {
        return u"postgresql://"_s + user + u"@127.0.0.1:"_s + port_ + u'/' +
               (database.isEmpty() ? database_ : database);
    }
    void admin(const QString& sql, const QString& database = {}) const {
        PgConnection(address(u"veskplan_admin"_s, database)).exec(sql.toUtf8().constData());
    }
    // The schema made by the estimator, with the grants an administrator gives.
    ServerHistory made() const {
        ServerHistory history = ServerHistory::connect(address(u"estimator"_s));
        EXPECT_TRUE(history.init());
        PgConnection(address(u"estimator"_s))
            .exec(
                "GRANT USAGE ON SCHEMA veskplan TO designer; "
                "GRANT SELECT ON ALL TABLES IN SCHEMA veskplan TO designer");
        return history;
    }
    QString shown() const { return u"127.0.0.1/"_s + database_; }
    // How many queries starting with `start` the test's database is running.
    qint64 running(PgConnection& watch, const QByteArray& start) const {
        return watch
            .exec("SELECT count(*) FROM pg_stat_activity WHERE state = 'active' AND query LIKE '" +
                  start + "%' AND datname = '" + database_.toUtf8() + "'")
            .integer(0, 0);
    }
    // What the command line prints, having said nothing on standard error.
    static QByteArray cli(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(VESKPLAN_BIN_DIR "/veskplan-cli"), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.readAllStandardError(), QByteArray());
        return process.readAllStandardOutput();
    }

    QTemporaryDir dir_;
    QString port_, database_;
};

TEST_F(Server, InitMakesTheSchemaOnceAndANewerOneIsRefused) {
    made();
    EXPECT_EQ(
        cli({u"history"_s, u"init"_s, address(u"estimator"_s)}),
        "The bid history at " + shown().toUtf8() + " was there already (schema version 2).\n");
    const auto opening = [&] {
        return errorMessage(
            [&] { ServerHistory::connect(address(u"designer"_s)).bidsFor({u"L"_s}); });
    };
    // A field longer than any the program writes is refused, not taken.
    admin(
        u"INSERT INTO veskplan.import OVERRIDING SYSTEM VALUE VALUES (1, 'f', 'h'); INSERT INTO "
        u"veskplan.bid OVERRIDING SYSTEM VALUE VALUES (1, 'L', repeat('x', 70000), 'CY', 1, 1, "
        u"'2026-03-31', 'C', 1, true, '', 1)"_s);
    const QString at = u"The bid history at "_s + shown();
    EXPECT_EQ(opening(),
              at + u" could not be opened: the server answered a field longer than it can be"_s);
    // A history of the first version refuses imports until init brings it up to date: its
    // bids kept once each.
    admin(
        u"DROP INDEX veskplan.bid_ranked, veskplan.bid_unranked, veskplan.bid_letting, "
        u"veskplan.bid_low; CREATE INDEX bid_import ON veskplan.bid (import_id); UPDATE "
        u"veskplan.schema_version SET version = 1; INSERT INTO veskplan.bid OVERRIDING SYSTEM "
        u"VALUE SELECT 2, item_number, '', unit, 1, 1, letting_date, contract, 1, true, '', 1 "
        u"FROM veskplan.bid"_s);
    ServerHistory older = ServerHistory::connect(address(u"estimator"_s));
    EXPECT_TRUE(errorMessage([&] {
                    older.import({}, test::installedUnits());
                }).endsWith(u"(2); veskplan-cli history init brings it up to date"_s));
    EXPECT_TRUE(!older.init() && older.bidCount() == 1);
    admin(u"UPDATE veskplan.schema_version SET version = 3"_s);
    const QString newer =
        u"its schema version 3 is newer than this program knows (2); use a newer Veskplan"_s;
    EXPECT_EQ(errorMessage([&] { ServerHistory::connect(address(u"estimator"_s)).init(); }),
              at + u" could not be written: "_s + newer);
    EXPECT_EQ(opening(), at + u" could not be opened: "_s + newer);
}

TEST_F(Server, EachFailureNamesTheServerAndTheReason) {
    for (const QStringList& c : test::tableRows(u"history/serverfailures.txt"_s, 2)) {
        const QString where = c[0].startsWith(u"postgresql:"_s)
                                  ? c[0]
                                  : address(c[0].section(u'@', 0, 0), c[0].section(u"@/"_s, 1));
        EXPECT_EQ(errorMessage([&] { ServerHistory::connect(where).bidsFor({u"x"_s}); }),
                  u"The bid history at "_s + QString(c[1]).replace(u"{db}"_s, database_));
    }
}

TEST_F(Server, VerifyFullTrustsTheAgencysAuthorityAndNoOther) {
    made();
    const QString state = qEnvironmentVariable("VESKPLAN_TEST_PGSERVER");
    const auto checked = [&](const QString& authority) {
        return address(u"designer"_s) + u"?sslmode=verify-full&sslrootcert="_s +
               QDir(state).filePath(authority);
    };
    EXPECT_EQ(ServerHistory::connect(checked(u"ca.crt"_s)).bidCount(), 0);
    EXPECT_EQ(PgConnection(checked(u"ca.crt"_s))
                  .exec("SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()")
                  .text(0, 0),
              u"t"_s);
    EXPECT_EQ(errorMessage([&] { ServerHistory::connect(checked(u"other-ca.crt"_s)); }),
              u"The bid history at "_s + shown() +
                  u" could not be opened: SSL error: certificate verify failed"_s);
}

TEST_F(Server, AConnectionDroppedWhileBidsArriveIsToldNamingTheServer) {
    test::writeDistinctBids(dir_.filePath(u"big.csv"_s), "2105-0100030", "2026-03-31", 200000);
    made().import({{dir_.filePath(u"big.csv"_s), {}}}, test::installedUnits());
    PgConnection watch(address(u"veskplan_admin"_s));
    ServerHistory designer = ServerHistory::connect(address(u"designer"_s));
    qint64 arrived = 0;
    const QString told = errorMessage([&] {
        designer.eachBid(QDate(), QString(), [&](const BidRecord&) {
            if (arrived++ == 0) {
                watch.exec(
                    "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename "
                    "= 'designer' AND datname = '" +
                    database_.toUtf8() + "'");
            }
        });
    });
    EXPECT_TRUE(told.startsWith(u"The bid history at "_s + shown() + u" could not be opened: "_s))
        << told.toStdString();
    EXPECT_LT(arrived, 200000);
}

TEST_F(Server, AnImportGoesInWholeAndOnceAndOnlyForEstimators) {
    ServerHistory history = made();
    const QString bad = dir_.filePath(u"bad.csv"_s);
    test::writeFile(bad, test::dataFile(u"history/bids.csv"_s) +
                             "2105-0100030,E,FURLONG,10,5,2026-03-31,A,1,Y,\n");
    BidHistory embedded = BidHistory::open(dir_.filePath(u"h.db"_s), false);
    const std::vector<BidHistory::Source> sources = {{bad, std::nullopt}};
    const QString refused = errorMessage([&] { embedded.import(sources, test::installedUnits()); });
    EXPECT_TRUE(refused.endsWith(u"the unit \"FURLONG\" is not a known unit"_s));
    EXPECT_EQ(errorMessage([&] { history.import(sources, test::installedUnits()); }), refused);

    const std::vector<BidHistory::Source> good = {{dataPath(u"history/bids.csv"_s), {}}};
    EXPECT_EQ(history.bidCount(), 0);
    EXPECT_EQ(history.import(good, test::installedUnits()).at(0).rows, 17);
    const ImportReport again = history.import(good, test::installedUnits()).at(0);
    EXPECT_TRUE(again.rows == 0 && again.importedBefore && again.importedBefore->size() == 20);
    ServerHistory designer = ServerHistory::connect(address(u"designer"_s));
    EXPECT_EQ(errorMessage([&] { designer.import(good, test::installedUnits()); }),
              u"the bid history at "_s + shown() + u" is read-only for designer"_s);
    EXPECT_EQ(designer.bidCount(), 17);
}

TEST_F(Server, ConcurrentImportsLeaveOneCopyAndAKilledOrDroppedOneNothing) {
    made();
    const QString cli = QStringLiteral(VESKPLAN_BIN_DIR "/veskplan-cli");
    const QString big = dir_.filePath(u"big.csv"_s);
    test::writeFile(big, "Item Number,Unit,Quantity,Unit Price,Letting Date,Contract\n" +
                             QByteArray("2105-0100030,CY,1,5,2026-03-31,K\n").repeated(400000));
    PgConnection watch(address(u"veskplan_admin"_s));
    const QByteArray copying =
        "FROM pg_stat_activity WHERE query LIKE 'COPY%' AND datname = '" + database_.toUtf8() + "'";
    QProcess killed, dropped, first, second;
    for (QProcess* importer : {&killed, &dropped}) {  // each stopped in the middle of its COPY
        importer->start(cli, {u"history"_s, u"import"_s, address(u"estimator"_s), big});
        ASSERT_TRUE(importer->waitForStarted());
        while (watch.exec("SELECT count(*) " + copying).integer(0, 0) == 0 &&
               importer->state() == QProcess::Running) {
            QThread::msleep(5);
        }
        if (importer == &killed) {
            killed.kill();  // SIGKILL
        } else {
            watch.exec("SELECT pg_terminate_backend(pid) " + copying);
        }
        importer->waitForFinished();
        while (watch.exec("SELECT count(*) " + copying).integer(0, 0) > 0) {  // its backend gone
            QThread::msleep(5);
        }
    }
    EXPECT_EQ(killed.exitStatus(), QProcess::CrashExit);
    EXPECT_TRUE(dropped.readAllStandardError().startsWith(
        "veskplan-cli: The bid history at " + shown().toUtf8() + " could not be written: "));
    // The same file twice and one that holds its bids and one more, all at once: each bid once.
    const QString more = dir_.filePath(u"more.csv"_s);
    test::writeFile(more, test::dataFile(u"history/bids.csv"_s) +
                              "2105-0100030,E,CY,10,5,2026-03-31,C9,1,Y,\n");
    QProcess third;
    for (QProcess* importer : {&first, &second, &third}) {
        importer->start(cli, {u"history"_s, u"import"_s, address(u"estimator"_s),
                              importer == &third ? more : dataPath(u"history/bids.csv"_s)});
    }
    ASSERT_TRUE(first.waitForFinished(60000) && second.waitForFinished(60000) &&
                third.waitForFinished(60000));
    const QByteArray said = first.readAllStandardOutput() + second.readAllStandardOutput() +
                            third.readAllStandardOutput();
    EXPECT_TRUE(said.contains("skipped, the same file was imported before") &&
                said.count("17 bids the history held already skipped") == 1)
        << said.data();
    EXPECT_EQ(ServerHistory::connect(address(u"designer"_s)).bidCount(), 18);
}

TEST_F(Server, AnInterruptedReadingIsCancelledOnTheServerAndReadsNothingMore) {
    PgConnection watch(address(u"veskplan_admin"_s));
    QString runningState, nextState;
    std::unique_ptr<QThread> reading(QThread::create([&] {
        PgConnection connection(address(u"designer"_s));
        for (QString* state : {&runningState, &nextState}) {
            try {
                connection.exec(state == &runningState ? "SELECT pg_sleep(30)" : "SELECT 1");
            } catch (const ServerError& error) {
                *state = QString::fromLatin1(error.state()) + u' ' + error.reason();
            }
        }
    }));
    reading->start();
    while (running(watch, "SELECT pg_sleep") == 0 && !reading->isFinished()) {
        QThread::msleep(2);
    }
    PgConnection::interrupt(reading.get());
    reading->wait();
    // Stopped by the server, not waited for to its end; the next one refused before it is sent.
    EXPECT_EQ(runningState, u"57014 canceling statement due to user request"_s);
    EXPECT_EQ(nextState, u"57014 the reading was cancelled"_s);
    EXPECT_EQ(running(watch, "SELECT pg_sleep"), 0);
}

TEST_F(Server, BothHistoriesGiveTheSameBidsAndTheSameEstimate) {
    ServerHistory server = made();
    const QString sample = QStringLiteral(VESKPLAN_SOURCE_DIR "/data/");
    const QString file = dir_.filePath(u"bids.sqlite"_s);
    BidHistory embedded = BidHistory::open(file, false);
    embedded.import(sample + u"sample-bids.csv"_s, test::installedUnits());
    server.import({{sample + u"sample-bids.csv"_s, {}}}, test::installedUnits());
    QStringList items;
    BidFile::read(sample + u"sample-bids.csv"_s, nullptr, test::installedUnits(),
                  [&](const BidRecord& bid) { items.append(bid.itemNumber); });
    EXPECT_EQ(server.bidsFor(items), embedded.bidsFor(items));  // and so every statistic

    // The server copied for work away from the network, whole and a window of it.
    const QString copy = dir_.filePath(u"copy.sqlite"_s);
    EXPECT_EQ(cli({u"history"_s, u"copy"_s, address(u"designer"_s), copy}),
              "174 bids copied from the bid history at " + shown().toUtf8() + " into " +
                  QDir::toNativeSeparators(copy).toUtf8() + ".\n");
    qsizetype window = 0;
    for (const auto& [item, bids] : embedded.bidsFor(items)) {
        window += std::count_if(bids.begin(), bids.end(), [](const BidRecord& bid) {
            return bid.region == u"North"_s && bid.lettingDate >= QDate(2025, 7, 1);
        });
    }
    EXPECT_TRUE(cli({u"history"_s, u"copy"_s, address(u"designer"_s), copy + u"2"_s, u"--from"_s,
                     u"2025-07-01"_s, u"--region"_s, u"north"_s})
                    .startsWith(QByteArray::number(window) + " bids copied"));

    QByteArray csv[3];
    const QString histories[] = {file, address(u"designer"_s) + u"?sslmode=disable"_s, copy};
    for (int i = 0; i < 3; ++i) {
        csv[i] = cli({u"estimate"_s, sample + u"sample.vsk"_s, u"--history"_s, histories[i],
                      u"--prices"_s, sample + u"sample-prices.csv"_s, u"--index"_s,
                      sample + u"sample-index.csv"_s, u"--on"_s, u"2026-03-31"_s, u"--bids"_s,
                      u"all"_s, u"--price"_s, u"adjusted"_s, u"--csv"_s, u"-"_s});
    }
    // The same but for which history priced it: the file, the server, the copy, all as of the
    // sample's newest letting; and the price file, which has no date of its own.
    const QByteArray priced[3] = {"bids.sqlite", shown().toUtf8(), "copy.sqlite"};
    for (int i = 0; i < 3; ++i) {
        const QByteArray rows =
            "Priced from," + priced[i] + ",2026-08-20\r\nPriced from,sample-prices.csv,\r\n";
        EXPECT_TRUE(csv[i].endsWith(rows)) << csv[i].right(200).data();
        EXPECT_EQ(csv[i].left(csv[i].indexOf("Priced from,")),
                  csv[0].left(csv[0].indexOf("Priced from,")));
    }
}

// Two designers, as two roles in two processes, price the sample while an estimator imports a
// tabulation the estimate does not use (another item, let long before its window), started
// once its COPY is under way: neither sees half of it, and both estimates are the same.
TEST_F(Server, TwoDesignersPriceTheSameEstimateWhileAnEstimatorImports) {
    const QString sample = QStringLiteral(VESKPLAN_SOURCE_DIR "/data/");
    made().import({{sample + u"sample-bids.csv"_s, {}}}, test::installedUnits());
    const QString big = dir_.filePath(u"big.csv"_s);
    test::writeDistinctBids(big, "2999-0000001", "2019-03-31", 200000);
    const QString cli = QStringLiteral(VESKPLAN_BIN_DIR "/veskplan-cli");
    QProcess importer;
    importer.start(cli, {u"history"_s, u"import"_s, address(u"estimator"_s), big});
    ASSERT_TRUE(importer.waitForStarted());
    PgConnection watch(address(u"veskplan_admin"_s));
    while (running(watch, "COPY") == 0 && importer.state() != QProcess::NotRunning) {
        QThread::msleep(2);
    }
    QProcess designers[2];
    const QString roles[2] = {u"designer"_s, u"estimator"_s};
    for (int i = 0; i < 2; ++i) {
        designers[i].start(
            cli, {u"estimate"_s, sample + u"sample.vsk"_s, u"--history"_s, address(roles[i]),
                  u"--on"_s, u"2026-03-31"_s, u"--bids"_s, u"all"_s, u"--csv"_s, u"-"_s});
    }
    QByteArray estimates[2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(designers[i].waitForFinished(60000));
        EXPECT_EQ(designers[i].exitCode(), 0) << designers[i].readAllStandardError().data();
        estimates[i] = designers[i].readAllStandardOutput();
    }
    ASSERT_TRUE(importer.waitForFinished(120000));
    EXPECT_EQ(importer.exitCode(), 0) << importer.readAllStandardError().data();
    EXPECT_TRUE(estimates[0].endsWith("Priced from," + shown().toUtf8() + ",2026-08-20\r\n"));
    EXPECT_EQ(estimates[0], estimates[1]);
    EXPECT_EQ(ServerHistory::connect(address(u"designer"_s)).bidCount(), 174 + 200000);
}

// The server sends only the bids a window selects, and its statistics are those worked out by
// hand for every window and bid choice.
TEST_F(Server, TheWindowsStatisticsComeFromTheBidsTheServerSelects) {
    made().import({{dataPath(u"history/bids.csv"_s), {}}}, test::installedUnits());
    ServerHistory designer = ServerHistory::connect(address(u"designer"_s));
    test::expectStatisticsByHand([&](const QString& item, const BidWindow& window) {
        return designer.bidsFor({item}, window)[item];
    });
    BidWindow southLow;
    southLow.region = u" south "_s;
    EXPECT_EQ(
        std::tuple(designer.bidsFor({test::kExcavation}, BidWindow{})[test::kExcavation].size(),
                   designer.bidsFor({test::kExcavation}, southLow)[test::kExcavation].size(),
                   designer.itemsWithBids({test::kPavement, u"2999"_s}), designer.newestLetting()),
        std::tuple(size_t(4), size_t(1), std::set<QString>{test::kPavement}, QDate(2025, 8, 10)));
}

}  // namespace
}  // namespace veskplan
