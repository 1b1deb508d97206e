#include <gtest/gtest.h>
#include <QFile>
#include <QTest>
#include <QThread>
#include <QUuid>

#include "controller/windowmenus.h"
#include "history/pgconnection.h"
#include "history/serverhistory.h"
#include "support/controllerfixture.h"
#include "support/installedunits.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The window's commands against the private server the test run starts, in a database of each
// test's own holding the bids of tests/data/cli/estimate-bids.csv, read by a role of its own
// whose password is in no password file.
class ServerCommands : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        const QString state = qEnvironmentVariable("VESKPLAN_TEST_PGSERVER");
        qputenv("PGPASSFILE", QFile::encodeName(state + u"/pgpass"_s));
        QFile portFile(state + u"/port"_s);
        ASSERT_TRUE(portFile.open(QIODevice::ReadOnly)) << "VESKPLAN_TEST_PGSERVER: no server";
        port_ = QString::fromLatin1(portFile.readAll().trimmed());
        database_ = u"w"_s + QUuid::createUuid().toString(QUuid::Id128).left(12);
        admin(u"CREATE DATABASE %1 OWNER estimator; CREATE ROLE %1 LOGIN PASSWORD 'pw%1'"_s);
        ServerHistory history = ServerHistory::connect(address(u"estimator"_s));
        history.init();
        history.import({{test::dataPath(u"cli/estimate-bids.csv"_s), std::nullopt}},
                       test::installedUnits());
        admin(
            u"GRANT USAGE ON SCHEMA veskplan TO %1; GRANT SELECT ON ALL TABLES IN SCHEMA veskplan TO %1"_s,
            database_);
        start();
        addMasterRow(0);  // 2101-0100000 CLEARING, ACRE
        doc().setQuantity(0, 10);
    }
    void TearDown() override { admin(u"DROP DATABASE %1 WITH (FORCE); DROP ROLE %1"_s); }
    void admin(const QString& sql, const QString& database = u"postgres"_s) const {
        for (const QString& command : sql.arg(database_).split(u"; "_s)) {
            PgConnection(address(u"veskplan_admin"_s, database)).exec(command.toUtf8());
        }
    }
    QString address(const QString& user, const QString& database = {}) const {
        return u"postgresql://"_s + user + u"@127.0.0.1:"_s + port_ + u'/' +
               (database.isEmpty() ? database_ : database) + u"?sslmode=disable"_s;
    }
    QString port_, database_;
};

TEST_F(ServerCommands, APasswordIsAskedOnceASessionAndEveryFailureIsToldNamingTheServer) {
    const QString server = u"127.0.0.1/"_s + database_;
    const QString opened = u" could not be opened: "_s;
    struct Step {
        QString location;  // none: File > Bid History > Connect to Server...
        std::deque<std::optional<QStringList>> typed;
        QString told;
        std::optional<qint64> price;  // what the estimate says after
    };
    const Step steps[] = {
        {{},
         {QStringList{u" 127.0.0.1 "_s, port_, database_, database_, u"disable"_s},
          QStringList{u"wrong"_s}},
         server + opened + u"password authentication failed for user \""_s + database_ + u'"',
         std::nullopt},
        // Asked again, and the right one kept for the session: not asked a third time.
        {address(database_), {QStringList{u"pw"_s + database_}}, {}, 39200},
        {address(database_), {}, {}, 39200},
        // A server that cannot serve changes nothing.
        {address(u"estimator"_s, u"nosuchdb"_s),
         {},
         u"127.0.0.1/nosuchdb"_s + opened + u"database \"nosuchdb\" does not exist"_s,
         39200},
        {u"postgresql://designer@127.0.0.1:1/x"_s,
         {},
         u"127.0.0.1/x"_s + opened + u"the server does not answer (Connection refused)"_s,
         39200},
    };
    for (const Step& step : steps) {
        port.clear();
        port.forms = step.typed;
        if (step.location.isEmpty()) {
            menuEntry(u"mnuFileServer"_s).run(*controller);  // the estimate prices from it
        } else {
            EXPECT_TRUE(
                controller->estimate().useSources({{u"history"_s, step.location}}, QString()));
        }
        ASSERT_TRUE(QTest::qWaitFor([this] { return !controller->estimate().reading(); }, 20000));
        EXPECT_EQ(port.formsAsked.size(), step.typed.size());
        EXPECT_TRUE(port.forms.empty() &&
                    controller->estimate().estimate().lines[0].unitPriceCents == step.price);
        EXPECT_EQ(port.messageTexts(),
                  step.told.isEmpty() ? std::vector<QString>()
                                      : std::vector<QString>{u"The bid history at "_s + step.told});
        EXPECT_EQ(doc().prices().estimateSetup().sources[0].location, address(database_));
    }
    // Another window is asked of the server again, which sends the bids it selects alone.
    using Window = std::pair<QString, std::optional<qint64>>;
    for (const auto& [region, price] : {Window{u"nowhere"_s, std::nullopt}, Window{{}, 39200}}) {
        port.clear();
        EstimateSettings settings = controller->estimate().settings();
        settings.window.region = region;
        controller->estimate().setSettings(settings);
        EXPECT_TRUE(controller->estimate().reading());
        ASSERT_TRUE(QTest::qWaitFor([this] { return !controller->estimate().reading(); }, 20000));
        EXPECT_EQ(controller->estimate().estimate().lines[0].unitPriceCents, price);
        EXPECT_EQ(port.messageTexts().size(), region.isEmpty() ? 0U : 1U);
    }
    QFile settings(controller->paths().settingsFile);
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_FALSE(settings.readAll().contains("pw" + database_.toLatin1()));
    // A window of the history copied into a file, the password known.
    port.clear();
    port.forms = {QStringList{u"2020-02-30"_s, QString()},
                  QStringList{u"2024-01-01"_s, u"north"_s}};
    port.files = {sandbox.path(u"copy.sqlite"_s)};
    menuEntry(u"mnuFileServerCopy"_s).run(*controller);
    EXPECT_EQ(port.messageTexts(),
              (std::vector<QString>{u"\"2020-02-30\" is no date: type one such as 2026-03-31."_s,
                                    u"3 bids copied from the bid history at "_s + server +
                                        u" into "_s + sandbox.path(u"copy.sqlite"_s) + u"."_s}));
}

TEST_F(ServerCommands, AnImportOrACopyCancelledWhileTheServerWorksLeavesEverythingAsItWas) {
    port.forms = {QStringList{u"127.0.0.1"_s, port_, database_, u"estimator"_s, u"disable"_s}};
    menuEntry(u"mnuFileServer"_s).run(*controller);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !controller->estimate().reading(); }, 20000));
    const qint64 held = ServerHistory::connect(address(u"estimator"_s)).bidCount();
    const QString big = sandbox.path(u"big.csv"_s);
    test::writeDistinctBids(big, "2105-0100030", "2026-03-31", 300000);
    const QString copy = sandbox.path(u"copy.sqlite"_s);
    PgConnection watch(address(u"veskplan_admin"_s));
    // Cancel once the server is at work: inside the import's COPY, or sending the bids.
    const auto cancelWhenWorking = [&](const QByteArray& query) {
        return [&watch, query, this](const std::function<void()>& cancel) {
            const QByteArray working = "SELECT count(*) FROM pg_stat_activity WHERE query LIKE '" +
                                       query + "%' AND datname = '" + database_.toUtf8() + "'";
            while (watch.exec(working).integer(0, 0) == 0) {
                QThread::msleep(2);
            }
            cancel();
        };
    };
    port.clear();
    port.files = {big};
    port.onWait = cancelWhenWorking("COPY");
    menuEntry(u"mnuFileImportBids"_s).run(*controller);
    ASSERT_EQ(port.waits.size(), 1U);
    EXPECT_EQ(port.waits[0].text,
              u"Importing into the bid history at 127.0.0.1/"_s + database_ + u"..."_s);
    EXPECT_EQ(port.messageTexts(), std::vector<QString>());
    EXPECT_EQ(ServerHistory::connect(address(u"estimator"_s)).bidCount(), held);

    // Not cancelled, the same import goes in whole.
    port.clear();
    port.files = {big};
    menuEntry(u"mnuFileImportBids"_s).run(*controller);
    ASSERT_EQ(port.messageTexts().size(), 1U);
    EXPECT_EQ(ServerHistory::connect(address(u"estimator"_s)).bidCount(), held + 300000);

    port.clear();
    port.forms = {QStringList{QString(), QString()}};
    port.files = {copy};
    port.onWait = cancelWhenWorking("SELECT id, item_number");
    menuEntry(u"mnuFileServerCopy"_s).run(*controller);
    EXPECT_EQ(port.waits.size(), 1U);
    EXPECT_EQ(port.messageTexts(), std::vector<QString>());
    EXPECT_FALSE(QFile::exists(copy));
}

}  // namespace
}  // namespace veskplan
