#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "base/sqlitedb.h"
#include "history/bidfile.h"
#include "history/bidhistory.h"
#include "history/pricefile.h"
#include "support/installedunits.h"
#include "support/recordtext.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::dataPath;
using test::errorMessage;
using test::texts;

const QByteArray kHeading =
    "Item Number,Description,Unit,Quantity,Unit Price,Letting Date,Contract,Bidder Rank,"
    "Low Bidder,Region\n";
const QByteArray kGoodRow = "2105-0100030,EXCAVATION,CY,10,5,2026-03-31,A,1,Y,\n";

class Import : public ::testing::Test {
protected:
    void SetUp() override {
        history_.emplace(BidHistory::open(path(u"h.db"_s), false));
        history_->import(dataPath(u"history/bids.csv"_s), test::installedUnits());
    }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const {
        test::writeFile(path(name), bytes);
        return path(name);
    }
    QString refusal(const auto& files) {  // one file or a list
        return errorMessage([&] { history_->import(files, test::installedUnits()); });
    }
    static QString cannotRead(const QString& file) {
        return u"The file "_s + QDir::toNativeSeparators(file) + u" could not be read"_s;
    }
    QTemporaryDir dir_;
    std::optional<BidHistory> history_;
};

TEST_F(Import, EachBadRowNamesFileLineAndReasonAndNothingIsImported) {
    for (const QStringList& c : test::tableRows(u"history/badrows.txt"_s, 2)) {
        const QString file = write(u"bad.csv"_s, kHeading + kGoodRow + c[0].toUtf8() + '\n');
        EXPECT_EQ(refusal(file), cannotRead(file) + u" at line 3: "_s + c[1]);
    }
    // Every fault of the file is told at once, up to ten, the rows between them read cleanly.
    const QByteArray bad = "2105-0100030,E,CY,0,5,2026-03-31,A,1,Y,\n";
    const QString file = write(u"many.csv"_s, kHeading + bad + kGoodRow + bad.repeated(11));
    const QString zero = u"the quantity \"0\" is not above zero"_s;
    QString expected = cannotRead(file) + u" at line 2: "_s + zero;
    for (int line = 4; line <= 12; ++line) {
        expected += u"; line "_s + QString::number(line) + u": "_s + zero;
    }
    EXPECT_EQ(refusal(file), expected + u"; and 2 more rows with faults"_s);
    EXPECT_EQ(history_->bidCount(), 17);
}

TEST_F(Import, HeadingsAreCheckedBeforeAnyRow) {
    for (const QStringList& c : test::tableRows(u"history/badheadings.txt"_s, 2)) {
        const QString file =
            write(u"heading.csv"_s, QString(c[0]).replace(u"\\n"_s, u"\n"_s).toUtf8());
        EXPECT_EQ(refusal(file), cannotRead(file) + c[1]);
    }
}

TEST_F(Import, SeveralFilesGoInTogetherOrNotAtAll) {
    const QString good = write(u"good.csv"_s, kHeading + kGoodRow);
    const QString bad = write(u"bad.csv"_s, kHeading + "x,E,CY,1,zz,2026-03-31,A,1,Y,\n");
    EXPECT_TRUE(refusal(QStringList{good, bad})
                    .endsWith(u"at line 2: the unit price \"zz\" is not a number"_s));
    EXPECT_EQ(history_->bidCount(), 17);
    const std::vector<ImportReport> reports =
        history_->import(QStringList{good}, test::installedUnits());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(std::pair(reports[0].rows, reports[0].file),
              std::pair(1, QDir::toNativeSeparators(good)));
    EXPECT_EQ(history_->bidCount(), 18);
    EXPECT_TRUE(refusal(good).contains(u"the same file was imported before ("_s));
    EXPECT_EQ(history_->bidCount(), 18);
}

TEST_F(Import, AHugeFileIsRefusedUnread) {
    QFile huge(path(u"huge.csv"_s));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(2) << 30));
    huge.close();
    EXPECT_EQ(
        refusal(huge.fileName()),
        cannotRead(huge.fileName()) + u": the file is larger than such a file can be (256 MB)"_s);
    EXPECT_TRUE(errorMessage([&] {
                    readPriceFile(huge.fileName());
                }).endsWith(u"larger than such a file can be (64 MB)"_s));
}

TEST_F(Import, LayoutsAreRecognisedByNameOrNamedInALayoutFile) {
    EXPECT_EQ(history_->import(dataPath(u"history/opendata.csv"_s), test::installedUnits()).rows,
              2);
    // The unit's spelling is the one known; the region is the district.
    EXPECT_EQ(
        texts(history_->bidsFor(u" 2704-0100410 "_s)),
        (QStringList{
            u"2704-0100410|6 INCH BROKEN LINE WHITE PAINT|LF|5000|0.35|2025-04-17|24-0117|1|Y|D3"_s,
            u"2704-0100410|6 INCH BROKEN LINE WHITE PAINT|LF|5000|0.41|2025-04-17|24-0117|2|N|D3"_s}));

    const QString custom = dataPath(u"history/custom.csv"_s);
    EXPECT_TRUE(refusal(custom).endsWith(u"at line 1: no column gives the item number"_s));
    const ColumnLayout layout = ColumnLayout::read(dataPath(u"history/layout.txt"_s));
    EXPECT_EQ(history_->import(custom, test::installedUnits(), &layout).rows, 1);
    EXPECT_EQ(texts(history_->bidsFor(u"2501-0100110"_s)),
              QStringList{u"2501-0100110||LF|120|85.5|2025-09-30|Z-1|0|N|"_s});

    for (const QStringList& c : test::tableRows(u"history/badlayoutfiles.txt"_s, 2)) {
        const QString file =
            write(u"layout.txt"_s, c[0].toUtf8().replace("\\n", "\n").replace("\\#", "#"));
        EXPECT_TRUE(errorMessage([&] { ColumnLayout::read(file); }).endsWith(c[1]))
            << c[1].toStdString();
    }
    ColumnLayout missing;
    missing.name(ColumnLayout::Field::Region, u"Zone"_s);
    EXPECT_TRUE(
        errorMessage([&] {
            history_->import(custom, test::installedUnits(), &missing);
        }).endsWith(u"the layout names \"Zone\" for the region, which no column is called"_s));
}

TEST_F(Import, AnOpenDataExportImportsByItsHeadingsWithoutTheEngineersEstimate) {
    const ImportReport report =
        history_->import(dataPath(u"history/opendata-csj.csv"_s), test::installedUnits());
    EXPECT_EQ(std::pair(report.rows, report.estimateRowsSkipped), std::pair(6, 3));
    // The bid price, never the engineer's estimate beside it.
    QStringList read;
    for (const QString& item : {u"0360-6008"_s, u"0666-6036"_s, u"0110-6001"_s}) {
        read += texts(history_->bidsFor(item));
    }
    EXPECT_EQ(read, test::dataLines(u"history/opendata-csj.expected"_s));

    // The columns beside them are known for what they are.
    using enum ColumnLayout::Field;
    EXPECT_EQ(ColumnLayout().locate(BidFile::heading(dataPath(u"history/opendata-csj.csv"_s)).cells,
                                    {Bidder, EstimateUnitPrice, ExtendedAmount}, {}),
              (std::map<ColumnLayout::Field, qsizetype>{
                  {Bidder, 6}, {EstimateUnitPrice, 11}, {ExtendedAmount, 13}}));

    // Without the bid price the estimate's column does not stand in for it.
    const QString noPrice = write(u"estimate.csv"_s,
                                  "control_section_job_csj,vendor_name,bid_item_number,"
                                  "unit_of_measure,bid_quantity,engineer_s_estimate_unit,"
                                  "letting_date\n0913-00-412,A,0360-6008,SY,1,61,2025-03-05\n");
    EXPECT_TRUE(refusal(noPrice).endsWith(u"at line 1: no column gives the unit price"_s));
}

TEST(BidFile, TheEngineersEstimateIsKnownByItsBidderName) {
    for (const QStringList& c : test::tableRows(u"history/estimatebidders.txt"_s, 2)) {
        EXPECT_EQ(BidFile::isEngineersEstimate(c[0]), c[1] == u"Y"_s) << c[0].toStdString();
    }
}

TEST_F(Import, SemicolonAndTabFilesReadAsCommaFilesDo) {
    // '|' stands for the separator.
    const QByteArray bids =
        "Qty|Unit Price|Pay Item|Unit|Letting Date|Contract|Vendor Name\n"
        "12.5|\"1,250.50\"|2501-0100110|LF|2025-09-30|\"Z,1;2\"|Acme\n"
        "3|7|2501-0100110|LF|2025-09-30|\"Z,1;2\"|Engineer's Estimate\n";
    for (const char separator : {',', ';', '\t'}) {
        SCOPED_TRACE(int(separator));
        history_.emplace(BidHistory::open(path(QString::number(int(separator)) + u".db"_s), false));
        QByteArray bytes = bids;
        const ImportReport report = history_->import(
            write(u"bids.csv"_s, bytes.replace('|', separator)), test::installedUnits());
        EXPECT_EQ(std::pair(report.rows, report.estimateRowsSkipped), std::pair(1, 1));
        EXPECT_EQ(texts(history_->bidsFor(u"2501-0100110"_s)),
                  QStringList{u"2501-0100110||LF|12.5|1250.5|2025-09-30|Z,1;2|0|N|"_s});
    }
    // Where the comma is not the separator, a comma without a decimal point after it may be a
    // decimal comma.
    QByteArray unclear = bids;
    unclear.replace('|', ';').replace("1,250.50", "12,500");
    EXPECT_TRUE(refusal(write(u"unclear.csv"_s, unclear))
                    .endsWith(u"at line 2: the unit price \"12,500\" is unclear: in a file "
                              u"separated by semicolons or tabs its comma may be a decimal comma; "
                              u"write the number with a decimal point"_s));
}

TEST_F(Import, AFileThatIsNoTextIsRefusedBeforeItsHeadings) {
    const QString renamed = path(u"bids-workbook.csv"_s);
    ASSERT_TRUE(QFile::copy(dataPath(u"history/bids.xlsx"_s), renamed));
    // Other bytes that are no text are the reader's (the csv tests).
    EXPECT_EQ(refusal(renamed), cannotRead(renamed) + u": not a text file"_s);
    EXPECT_EQ(errorMessage([&] { BidFile::heading(renamed); }), refusal(renamed));
    EXPECT_EQ(history_->bidCount(), 17);
}

TEST_F(Import, AWorkbookIsReadFromItsFirstSheet) {
    EXPECT_EQ(history_->import(dataPath(u"history/bids.xlsx"_s), test::installedUnits()).rows, 2);
    // The first date is a day number (46023), the second a text.
    EXPECT_EQ(texts(history_->bidsFor(u"2402-0100100"_s)),
              (QStringList{u"2402-0100100||CY|12.5|850|2026-01-01|K-17|0|Y|"_s,
                           u"2402-0100100||CY|40|910.25|2026-03-31|K-18|0|N|"_s}));
    const QString broken = write(u"broken.xlsx"_s, "not a zip");
    EXPECT_TRUE(refusal(broken).startsWith(cannotRead(broken) + u": "_s));
}

TEST_F(Import, AHistoryOpensReadOnlyAndRefusesWhatIsNotOne) {
    history_.reset();
    // A history of the first version, read as it is and brought up to date when written.
    SqliteDb(path(u"h.db"_s), SqliteDb::Mode::ReadWriteCreate)
        .exec("DROP INDEX bid_letting; PRAGMA user_version = 1");
    EXPECT_EQ(BidHistory::open(path(u"h.db"_s), true).newestLetting(), QDate(2025, 8, 10));
    BidHistory::open(path(u"h.db"_s), false);
    SqliteDb migrated(path(u"h.db"_s), SqliteDb::Mode::ReadOnly);
    SqliteStatement version = migrated.prepare("PRAGMA user_version");
    EXPECT_TRUE(version.step() && version.integer(0) == 2);
    BidHistory shared = BidHistory::open(path(u"h.db"_s), true);
    EXPECT_EQ(shared.bidCount(), 17);
    EXPECT_EQ(shared.bidsFor(QStringList{u"2105-0100030"_s, u"9999"_s, u"2105-0100030"_s}).size(),
              1u);
    EXPECT_EQ(errorMessage([&] {
                  shared.import(dataPath(u"history/opendata.csv"_s), test::installedUnits());
              }),
              u"The bid history "_s + QDir::toNativeSeparators(path(u"h.db"_s)) +
                  u" could not be written: it is open read-only"_s);
    {
        SqliteDb other(path(u"other.db"_s), SqliteDb::Mode::ReadWriteCreate);
        other.exec("CREATE TABLE t (x)");
    }
    EXPECT_EQ(errorMessage([&] { BidHistory::open(path(u"other.db"_s), false); }),
              u"The bid history "_s + QDir::toNativeSeparators(path(u"other.db"_s)) +
                  u" could not be opened: it is not a bid history"_s);
    EXPECT_TRUE(errorMessage([&] {
                    BidHistory::open(path(u"none.db"_s), true);
                }).startsWith(u"The bid history "_s));
    EXPECT_TRUE(
        errorMessage([&] { BidHistory::open(dir_.path(), false); }).endsWith(u"it is a folder"_s));
}

TEST_F(Import, AUnitIsKnownWhenTheMasterListsInUseKnowItOrASpellingOfIt) {
    for (const QStringList& c : test::tableRows(u"history/units.txt"_s, 3)) {
        const KnownUnits units =
            c[0] == u"installed"_s ? test::installedUnits() : KnownUnits(c[0].split(u' '));
        const QString file =
            write(u"units.csv"_s, kHeading + QByteArray(kGoodRow).replace("CY", c[1].toUtf8()));
        QString taken;
        try {
            BidFile::read(file, nullptr, units, [&](const BidRecord& bid) { taken = bid.unit; });
        } catch (const Error& error) {
            taken = error.message();
        }
        EXPECT_EQ(taken, c[2].contains(u' ') ? cannotRead(file) + u" at line 2: "_s + c[2] : c[2]);
    }
}

TEST(PriceFile, APublishedReportReadsRowByRow) {
    // The units' spellings are the known ones; money and quantities lose their marks.
    EXPECT_EQ(
        texts(readPriceFile(dataPath(u"history/prices.csv"_s))),
        (QStringList{
            u"2105-0100030|COMMON EXCAVATION (CV)|CY|Statewide|9.25|200000|1850000||2"_s,
            u"2105-0100030|COMMON EXCAVATION (CV)|CY|North|11.5||||3"_s,
            u"2404-0100040|STRUCTURAL STEEL (GRADE HPS 50W)|LB|Statewide|2.1|10000|21000||4"_s}));
    QTemporaryDir dir;
    const QString file = dir.filePath(u"p.csv"_s);
    for (const QStringList& c : test::tableRows(u"history/badprices.txt"_s, 3)) {
        QString text = c[0].isEmpty() ? QString() : c[0] + u'\n';
        test::writeFile(file, (c[1].isEmpty() ? text : text + c[1] + u'\n').toUtf8());
        const QString message = errorMessage([&] { readPriceFile(file); });
        EXPECT_TRUE(message.startsWith(u"The file "_s + QDir::toNativeSeparators(file)));
        EXPECT_TRUE(message.endsWith(c[2])) << message.toStdString();
    }
    test::writeFile(file, "Item Number,Unit,Average Unit Price,Bids\n7,EA,5,12\n");
    EXPECT_EQ(texts(readPriceFile(file)), QStringList{u"7||EACH||5|||12|2"_s});
}

}  // namespace
}  // namespace veskplan
