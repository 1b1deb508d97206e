#include <gtest/gtest.h>
#include <QFile>
#include <QTest>
#include <QUuid>

#include "history/pgconnection.h"
#include "history/serverhistory.h"
#include "support/controllerfixture.h"
#include "support/installedunits.h"
#include "support/loopbackport.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The window's commands against the private server the test run starts, in a database of each
// test's own holding the bids of tests/data/cli/estimate-bids.csv, which the designer may read.
class ServerCommands : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        const QString state = qEnvironmentVariable("VESKPLAN_TEST_PGSERVER");
        ASSERT_FALSE(state.isEmpty()) << "VESKPLAN_TEST_PGSERVER names no test server";
        passwords_ = state + u"/pgpass"_s;
        qputenv("PGPASSFILE", QFile::encodeName(passwords_));
        QFile portFile(state + u"/port"_s);
        ASSERT_TRUE(portFile.open(QIODevice::ReadOnly));
        port_ = QString::fromLatin1(portFile.readAll().trimmed());
        database_ = u"w"_s + QUuid::createUuid().toString(QUuid::Id128).left(12);
        PgConnection(address(u"veskplan_admin"_s, u"postgres"_s))
            .exec((u"CREATE DATABASE "_s + database_ + u" OWNER estimator"_s).toUtf8());
        ServerHistory history = ServerHistory::connect(address(u"estimator"_s));
        history.init();
        history.import({{test::dataPath(u"cli/estimate-bids.csv"_s), std::nullopt}},
                       test::installedUnits());
        PgConnection(address(u"estimator"_s))
            .exec(
                "GRANT USAGE ON SCHEMA veskplan TO designer; "
                "GRANT SELECT ON ALL TABLES IN SCHEMA veskplan TO designer");
        start();
        addMasterRow(0);  // 2101-0100000 CLEARING, ACRE
        doc().setQuantity(0, 10);
    }
    void TearDown() override {
        qputenv("PGPASSFILE", QFile::encodeName(passwords_));
        PgConnection(address(u"veskplan_admin"_s, u"postgres"_s))
            .exec((u"DROP DATABASE "_s + database_ + u" WITH (FORCE)"_s).toUtf8());
    }
    QString address(const QString& user, const QString& database = {}) const {
        return u"postgresql://"_s + user + u"@127.0.0.1:"_s + port_ + u'/' +
               (database.isEmpty() ? database_ : database) + u"?sslmode=disable"_s;
    }
    EstimateEditing& tool() { return controller->estimate(); }
    const EstimateLine& line() { return tool().estimate().lines[0]; }
    void priceFrom(const QString& location) {
        EXPECT_TRUE(tool().useSources({{u"history"_s, location}}, QString()));
        ASSERT_TRUE(QTest::qWaitFor([this] { return !tool().reading(); }, 20000));
    }
    QStringList formsAsked() const {
        QStringList titles;
        for (const FormRequest& form : port.formsAsked) {
            titles << form.title;
        }
        return titles;
    }

    QString passwords_, port_, database_;
};

TEST_F(ServerCommands, APasswordIsAskedOnceASessionAndOneRefusedIsToldAndAskedAgain) {
    QString password;  // the designer's, from the run's password file
    QFile file(passwords_);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    for (const QByteArray& entry : file.readAll().split('\n')) {
        if (entry.startsWith("127.0.0.1:" + port_.toLatin1() + ":*:designer:")) {
            password = QString::fromUtf8(entry.split(':').last());
        }
    }
    qputenv("PGPASSFILE", QFile::encodeName(sandbox.path(u"none"_s)));  // no password file
    port.forms = {QStringList{u" 127.0.0.1 "_s, port_, database_, u"designer"_s, u"disable"_s},
                  QStringList{u"wrong"_s}};
    controller->connectToServer();  // the estimate prices from the server as it opens
    ASSERT_TRUE(QTest::qWaitFor([this] { return !tool().reading(); }, 20000));
    const QString server = u"127.0.0.1/"_s + database_;
    EXPECT_EQ(formsAsked(),
              (QStringList{u"Connect to Bid History Server"_s, u"Bid History Server"_s}));
    EXPECT_EQ(port.messageTexts(),
              std::vector<QString>{u"The bid history at "_s + server +
                                   u" could not be opened: password authentication failed for "
                                   u"user \"designer\""_s});
    EXPECT_TRUE(line().has(EstimateFlag::NoPrice));
    const QString chosen = controller->historyImport().historyFile();
    EXPECT_EQ(chosen, address(u"designer"_s));
    // Asked again, and the right one kept for the session: not asked a third time.
    for (const QStringList& typed : {QStringList{password}, QStringList{}}) {
        port.clear();
        if (!typed.isEmpty()) {
            port.forms.push_back(typed);
        }
        priceFrom(chosen);
        EXPECT_EQ(formsAsked().size(), typed.size());
        EXPECT_TRUE(port.messages.empty() && line().unitPriceCents == 39200);
    }
    QFile settings(controller->paths().settingsFile);
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray kept = settings.readAll();
    EXPECT_TRUE(kept.contains(database_.toLatin1()) && !kept.contains(password.toUtf8()));
    // A window of the history copied into a file, the password known.
    port.clear();
    port.forms = {QStringList{u"2020-02-30"_s, QString()},
                  QStringList{u"2024-01-01"_s, u"north"_s}};
    port.files = {sandbox.path(u"copy.sqlite"_s)};
    controller->historyImport().copyServerHistory();
    EXPECT_EQ(port.messageTexts(),
              (std::vector<QString>{u"\"2020-02-30\" is no date: type one such as 2026-03-31."_s,
                                    u"3 bids copied from the bid history at "_s + server +
                                        u" into "_s + sandbox.path(u"copy.sqlite"_s) + u"."_s}));
}

TEST_F(ServerCommands, AServerThatCannotServeIsToldNamingItAndTheEstimateStaysAsItWas) {
    priceFrom(address(u"designer"_s));
    const EstimateSetup before = doc().prices().estimateSetup();
    const test::LoopbackPort down(false);
    const std::pair<QString, QString> cases[] = {
        {address(u"designer"_s, u"nosuchdb"_s),
         u"The bid history at 127.0.0.1/nosuchdb could not be opened: database \"nosuchdb\" "
         u"does not exist"_s},
        {u"postgresql://designer@127.0.0.1:"_s + down.port() + u"/x"_s,
         u"The bid history at 127.0.0.1/x could not be opened: the server does not answer "
         u"(Connection refused)"_s},
    };
    for (const auto& [location, told] : cases) {
        port.clear();
        priceFrom(location);
        EXPECT_EQ(port.messageTexts(), std::vector<QString>{told});
        EXPECT_TRUE(doc().prices().estimateSetup() == before && line().unitPriceCents == 39200);
    }
}

}  // namespace
}  // namespace veskplan
