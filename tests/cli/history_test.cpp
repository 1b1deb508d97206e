#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "controller/historyimport.h"
#include "history/bidhistory.h"
#include "support/scriptedport.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::dataPath;

struct CliResult {
    int status = -1;
    QString out, err;
    QString said() const { return QString::number(status) + u'|' + out + u'|' + err; }
};

CliResult cli(const QStringList& arguments,
              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VESKPLAN_BIN_DIR "/veskplan-cli"), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QStringList importing(const QString& db, const QStringList& more) {
    return QStringList{u"history"_s, u"import"_s, db} + more;
}

TEST(HistoryCommand, ImportsFilesIntoAHistoryItMakes) {
    QTemporaryDir dir;
    const QString db = dir.filePath(u"bids.db"_s);
    const QString bids = dataPath(u"history/bids.csv"_s);
    const QString custom = dataPath(u"history/custom.csv"_s);
    const QString layout = dataPath(u"history/layout.txt"_s);
    EXPECT_EQ(cli(importing(db, {bids})).said(),
              u"0|"_s + QDir::toNativeSeparators(bids) + u": 17 bids imported\n|"_s);
    CliResult run =
        cli(importing(db, {u"--layout"_s, layout, custom, dataPath(u"history/opendata.csv"_s)}));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.endsWith(
        u"the layout names \"PAYITEM;X\" for the item number, which no column is called\n"_s));
    EXPECT_EQ(cli(importing(db, {custom, u"--layout"_s, layout})).said(),
              u"0|"_s + QDir::toNativeSeparators(custom) + u": 1 bid imported\n|"_s);
    EXPECT_EQ(BidHistory::open(db, true).bidCount(), 18);
}

TEST(HistoryCommand, FailuresAreOneLineAndLeaveNothingBehind) {
    QTemporaryDir dir;
    const QString db = dir.filePath(u"bids.db"_s);
    const QString bad = dir.filePath(u"bad.csv"_s);
    test::writeFile(bad,
                    "Item Number,Unit,Quantity,Unit Price,Letting Date,Contract\n"
                    "1,CY,5,1.5,2026-03-31,A\n1,CY,x,1,2026-03-31,A\n");
    const QString opendata = dataPath(u"history/opendata.csv"_s);
    const QString none = dir.filePath(u"none"_s);
    const std::tuple<QStringList, int, QString> cases[] = {
        {QStringList{u"history"_s}, 2, u"veskplan-cli: history takes init, import or copy\n"_s},
        {importing(db, {}), 2,
         u"veskplan-cli: history import needs a history and one or more files\n"_s},
        {importing(db, {opendata, u"--layout"_s}), 2,
         u"veskplan-cli: --layout takes one layout file\n"_s},
        {importing(db, {opendata, bad}), 1,
         u"veskplan-cli: The file "_s + QDir::toNativeSeparators(bad) +
             u" could not be read at line 3: the quantity \"x\" is not a number\n"_s},
        {importing(db, {opendata, u"--layout"_s, none}), 1,
         u"veskplan-cli: The file "_s + QDir::toNativeSeparators(none) + u" could not be read: "_s},
    };
    for (const auto& [arguments, status, says] : cases) {
        const CliResult run = cli(arguments);
        EXPECT_EQ(run.status, status);
        EXPECT_TRUE(run.err.startsWith(says)) << run.err.toStdString();
        EXPECT_EQ(run.err.count(u'\n') == 1, status == 1) << run.err.toStdString();
        EXPECT_EQ(run.out, QString());
        EXPECT_FALSE(QFileInfo::exists(db));
    }
    // A history that was there stays as it was.
    ASSERT_EQ(cli(importing(db, {opendata})).status, 0);
    EXPECT_EQ(cli(importing(db, {bad})).status, 1);
    EXPECT_EQ(BidHistory::open(db, true).bidCount(), 2);
}

TEST(HistoryCommand, AFileNotRecognisedTakesTheLayoutTheWindowKeptForItsHeadings) {
    VESKPLAN_SKIP_ON_WINDOWS("a user data folder that a started program takes from XDG_DATA_HOME");
    QTemporaryDir dir;
    QProcessEnvironment user = QProcessEnvironment::systemEnvironment();
    user.insert(u"XDG_DATA_HOME"_s, dir.filePath(u"share"_s));
    const QString db = dir.filePath(u"bids.db"_s);
    const QString opendata = dataPath(u"history/opendata-csj.csv"_s);
    const QString custom = dataPath(u"history/custom.csv"_s);

    EXPECT_EQ(cli(importing(db, {opendata, custom}), user).said(),
              u"1||veskplan-cli: The file "_s + QDir::toNativeSeparators(custom) +
                  u" could not be read at line 1: no column gives the item number; name "
                  u"its columns with --layout FILE, or map them once in the window "
                  u"(File > Import Bid History)\n"_s);
    EXPECT_FALSE(QFileInfo::exists(db));

    // The window asks once for that heading row, and keeps the answer in the user's data folder.
    test::ScriptedPort port;
    FileDialogs dialogs(port, dir.path());
    SettingsStore settings(dir.filePath(u"window.conf"_s));
    const Configuration config{QStringLiteral(VESKPLAN_SOURCE_DIR "/data"), {}, {}};
    HistoryImport window(port, port, dialogs, settings, config, dir.filePath(u"share/veskplan"_s));
    port.files.push_back(custom);
    port.columnMappings.push_back(ColumnLayout::read(dataPath(u"history/layout.txt"_s)));
    window.importBidFiles();
    ASSERT_EQ(port.mappings.size(), 1u);

    EXPECT_EQ(cli(importing(db, {opendata, custom}), user).said(),
              u"0|"_s + QDir::toNativeSeparators(opendata) +
                  u": 6 bids imported, 3 rows of the engineer's estimate skipped\n"_s +
                  QDir::toNativeSeparators(custom) + u": 1 bid imported\n|"_s);
}

}  // namespace
}  // namespace veskplan
