#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "controller/historyimport.h"
#include "support/installedunits.h"
#include "support/scriptedport.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Field = ColumnLayout::Field;
using test::dataPath;

class HistoryImportTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }
    // The bids in the history, read as the estimates read it.
    qint64 bids(const QString& file) const {
        return QFile::exists(file) ? BidHistory::open(file, true).bidCount() : 0;
    }
    void importFiles(const QStringList& files) {
        port_.files.push_back(files.join(u'\n'));
        importer_.importBidFiles();
    }

    QTemporaryDir dir_;
    test::ScriptedPort port_;
    FileDialogs dialogs_{port_, dir_.path()};
    SettingsStore settings_{path(u"settings.conf"_s)};
    const Configuration config_{QStringLiteral(VESKPLAN_SOURCE_DIR "/data"), {}, {}};
    HistoryImport importer_{port_, port_, dialogs_, settings_, config_, path(u"data"_s)};
};

TEST_F(HistoryImportTest, RecognisedHeadingsImportWithoutAQuestion) {
    importFiles({dataPath(u"history/bids.csv"_s)});
    const QString history = path(u"data/bid-history.sqlite"_s);
    EXPECT_TRUE(port_.mappings.empty() && importer_.historyFile() == history &&
                bids(history) == 17);
    EXPECT_EQ(port_.messageTexts(),
              std::vector<QString>{u"17 bids imported from 1 file into the "
                                   u"bid history "_s +
                                   QDir::toNativeSeparators(history) + u"."_s});
    EXPECT_TRUE(port_.busyCount > 0 && !port_.messageWhileBusy);
    // The open-data export as downloaded: its engineer's estimate rows are said to be left out.
    port_.clear();
    importFiles({dataPath(u"history/opendata-csj.csv"_s)});
    ASSERT_EQ(port_.messageTexts().size(), 1u);
    EXPECT_TRUE(port_.messageTexts()[0].endsWith(u"bid history "_s +
                                                 QDir::toNativeSeparators(history) +
                                                 u". 3 rows of the engineer's estimate skipped."_s))
        << port_.messageTexts()[0].toStdString();
}

TEST_F(HistoryImportTest, UnknownHeadingsAskOnceAndTheLayoutIsKept) {
    port_.columnMappings.push_back(ColumnLayout::read(dataPath(u"controller/custom-layout.txt"_s)));
    importFiles({dataPath(u"history/custom.csv"_s)});
    ASSERT_EQ(port_.mappings.size(), 1u);
    const ColumnMappingRequest& asked = port_.mappings.front();
    EXPECT_EQ(asked.headings.size(), 6);
    EXPECT_EQ(asked.proposed.headingOf(Field::Unit), u"UOM"_s);  // recognised on its own
    EXPECT_FALSE(asked.proposed.headingOf(Field::Quantity));
    EXPECT_EQ(test::readFile(importer_.layoutFile()), test::dataFile(u"history/layouts.csv"_s));

    // Another file with the same headings, beside one recognised by name: no question.
    const QString second = dataPath(u"controller/custom-second.csv"_s);
    importFiles({second, dataPath(u"history/bids.csv"_s)});
    EXPECT_TRUE(port_.mappings.size() == 1 && bids(importer_.historyFile()) == 19);
    EXPECT_EQ(port_.messageTexts().back().left(30), u"18 bids imported from 2 files "_s);
}

TEST_F(HistoryImportTest, NothingIsImportedWhenTheUserCancelsOrARowIsBad) {
    port_.columnMappings.push_back(std::nullopt);
    importFiles({dataPath(u"history/bids.csv"_s), dataPath(u"history/custom.csv"_s)});
    EXPECT_TRUE(port_.messages.empty());
    EXPECT_FALSE(QFile::exists(importer_.historyFile()) || QFile::exists(importer_.layoutFile()));

    const QString bad = dataPath(u"controller/bad-quantity.csv"_s);
    importFiles({dataPath(u"history/bids.csv"_s), bad});
    EXPECT_EQ(port_.messageTexts(),
              std::vector<QString>{u"The file "_s + QDir::toNativeSeparators(bad) +
                                   u" could not be read at line 3: the quantity \"-2\" is not "
                                   u"above zero"_s});
    EXPECT_FALSE(QFile::exists(importer_.historyFile()));

    // A file that is no text is told as such, never shown as headings to map.
    const QString workbook = path(u"bids-workbook.csv"_s);
    ASSERT_TRUE(QFile::copy(dataPath(u"history/bids.xlsx"_s), workbook));
    importFiles({workbook});
    EXPECT_EQ(port_.mappings.size(), 1u);  // the one cancelled above
    EXPECT_EQ(port_.messageTexts().back(), u"The file "_s + QDir::toNativeSeparators(workbook) +
                                               u" could not be read: not a text file"_s);
    EXPECT_FALSE(QFile::exists(importer_.historyFile()));

    // A mapping that leaves a required field without a column is refused as the file's fault.
    ColumnLayout partial;
    partial.name(Field::ItemNumber, u"PAYITEM;X"_s);
    port_.columnMappings.push_back(partial);
    importFiles({dataPath(u"history/custom.csv"_s)});
    EXPECT_TRUE(port_.messageTexts().back().endsWith(u"at line 1: no column gives the quantity"_s));
    EXPECT_FALSE(QFile::exists(importer_.historyFile()));
}

#ifdef Q_OS_WIN
// The program's settings live in the registry on Windows: the chosen history is found there by
// the next run, and no file named after the key appears in the working folder.
TEST_F(HistoryImportTest, TheChosenHistoryIsInTheRegistryForTheNextRun) {
    const QString key =
        u"HKEY_CURRENT_USER\\Software\\VeskplanTests\\"_s + QFileInfo(dir_.path()).fileName();
    const QString history = path(u"agency.sqlite"_s);
    BidHistory::open(history, false)
        .import(dataPath(u"history/bids.csv"_s), test::installedUnits());
    {
        SettingsStore settings(key);
        HistoryImport importer(port_, port_, dialogs_, settings, config_, path(u"data"_s));
        port_.files.push_back(history);
        importer.chooseHistoryFile();
    }
    SettingsStore nextRun(key);
    EXPECT_EQ(
        HistoryImport(port_, port_, dialogs_, nextRun, config_, path(u"data"_s)).historyFile(),
        history);
    EXPECT_TRUE(QDir::current().entryList({u"HKEY_*"_s}).isEmpty());
    nextRun.remove(QString());
}
#endif

TEST_F(HistoryImportTest, AReadOnlyHistoryIsReadButNotWritten) {
    QDir().mkpath(path(u"shared"_s));
    const QString shared = path(u"shared/agency.sqlite"_s);
    BidHistory::open(shared, false).import(dataPath(u"history/bids.csv"_s), test::installedUnits());
    QFile::setPermissions(shared, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    port_.files.push_back(shared);
    importer_.chooseHistoryFile();
    EXPECT_EQ(importer_.historyFile(), shared);
    SettingsStore nextRun(path(u"settings.conf"_s));
    EXPECT_EQ(
        HistoryImport(port_, port_, dialogs_, nextRun, config_, path(u"data"_s)).historyFile(),
        shared);  // kept for the next run
    ASSERT_EQ(port_.messages.size(), 1u);
    EXPECT_TRUE(port_.messages.front().text.contains(u"is read-only"_s));

    importer_.importBidFiles();  // refused before any file is asked for
    EXPECT_EQ(port_.dialogs.size(), 1u);
    EXPECT_EQ(port_.messageTexts().back(), u"The bid history "_s +
                                               QDir::toNativeSeparators(shared) +
                                               u" could not be written: the file is read-only"_s);
    EXPECT_EQ(bids(shared), 17);

    // A file that is no bid history is not taken.
    port_.files.push_back(dataPath(u"history/bids.csv"_s));
    importer_.chooseHistoryFile();
    EXPECT_EQ(importer_.historyFile(), shared);
    EXPECT_TRUE(port_.messageTexts().back().contains(u"could not be opened"_s));
}

}  // namespace
}  // namespace veskplan
