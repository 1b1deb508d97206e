#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QDir>

#include "master/mastergridmodel.h"
#include "master/masterlist.h"
#include "master/masterlistfile.h"
#include "sampledata/sampledata.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using test::writeFile;

struct Row {
    QString number, description, unit;
};

Row row(const MasterList& list, int i) {
    return Row{list.mastNum(i).toString(), list.mastDesc(i).toString(),
               list.mastUnit(i).toString()};
}

TEST(MasterList, CutsFixedColumnsKeepingBlanks) {
    // Columns 1-12, a blank, 14-53 (40 characters), 54-57; anything after is not read.
    const MasterList list =
        MasterList::parse(QByteArray("2102-0425070") + " " + "REMOVE CONCRETE PAVEMENT" +
                          QByteArray(16, ' ') + "SY  \r\n" + "2599-9999   " + " " +
                          "SPECIAL ITEM (DESCRIBE)" + QByteArray(17, ' ') + "LS  extra\r\n");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(row(list, 1).number, QStringLiteral("2102-0425070"));
    EXPECT_EQ(row(list, 1).description, QStringLiteral("REMOVE CONCRETE PAVEMENT                "));
    EXPECT_EQ(row(list, 1).unit, QStringLiteral("SY  "));
    EXPECT_EQ(row(list, 2).number, QStringLiteral("2599-9999   "));
    EXPECT_EQ(row(list, 2).unit, QStringLiteral("LS  "));
}

TEST(MasterList, ShortAndBlankLinesGiveShortOrEmptyFields) {
    // 20 characters: a 12-character number, the separator blank, 7 characters of description.
    const MasterList list = MasterList::parse("2101-0100000 CLEARIN\r\n\r\n2101\r\n");
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(row(list, 1).number, QStringLiteral("2101-0100000"));
    EXPECT_EQ(row(list, 1).description, QStringLiteral("CLEARIN"));
    EXPECT_EQ(row(list, 1).unit, QString());
    for (const QString& field :
         {row(list, 2).number, row(list, 2).description, row(list, 2).unit}) {
        EXPECT_TRUE(field.isEmpty());
    }
    EXPECT_EQ(row(list, 3).number, QStringLiteral("2101"));
    EXPECT_TRUE(row(list, 3).description.isEmpty());
}

TEST(MasterList, AcceptsEveryLineEnd) {
    for (const char* end : {"\r\n", "\r", "\n"}) {
        const QByteArray bytes = QByteArray("A           ") + " DESC" + end + "B" + end;
        const MasterList list = MasterList::parse(bytes);
        ASSERT_EQ(list.count(), 2) << end;
        EXPECT_EQ(row(list, 1).description, QStringLiteral("DESC"));
        EXPECT_EQ(row(list, 2).number, QStringLiteral("B"));
    }
}

TEST(MasterList, DecodesWindows1252) {
    const MasterList list = MasterList::parse("2501-0100010 PIPE 1\xBD INCH 45\xB0 BEND");
    EXPECT_EQ(row(list, 1).description, QString::fromUtf16(u"PIPE 1\u00BD INCH 45\u00B0 BEND"));
}

TEST(MasterList, AnyBytesLoadWithoutHarm) {
    QByteArray junk;
    for (int i = 0; i < 5000; ++i) {
        junk.append(static_cast<char>((i * 7919) % 256));
    }
    junk.append(QByteArray(200000, 'x'));  // one huge line
    junk.append(QByteArray(10, '\0'));
    const MasterList list = MasterList::parse(junk);
    EXPECT_GT(list.count(), 0);
    for (int i = 1; i <= list.count(); ++i) {
        EXPECT_LE(list.mastNum(i).size(), 12);
        EXPECT_LE(list.mastDesc(i).size(), 40);
        EXPECT_LE(list.mastUnit(i).size(), 4);
    }
}

TEST(MasterList, SixtyThousandRowsLoadWhole) {
    const QByteArray bytes = sampledata::largeMasterList(60000, sampledata::Units::English);
    const MasterList list = MasterList::parse(bytes);
    ASSERT_EQ(list.count(), 60000);
    EXPECT_EQ(list.mastNum(60000).toString().toLatin1(), bytes.right(59).left(12));
}

TEST(MasterList, FindsNumbersWithTheirBlanksRemoved) {
    const MasterList list =
        MasterList::parse(test::crlf({"2599-9999    SPECIAL", " 2101-010000 X"}));
    EXPECT_TRUE(list.containsNumber(u"2599-9999"));
    EXPECT_TRUE(list.containsNumber(u"2101-010000"));
    EXPECT_FALSE(list.containsNumber(u"2599-9999   "));
    EXPECT_FALSE(list.containsNumber(u"2599"));
}

class MasterListFileTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(MasterListFileTest, RevisionDateIsTheFilesDateAtEveryTimeOfDay) {
    writeFile(path("itemse.txt"), "A\r\n");
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    for (const QTime time : {QTime(0, 0), QTime(12, 0), QTime(23, 59, 59)}) {
        test::setModified(path("itemse.txt"), QDateTime(QDate(2026, 3, 14), time));
        const MasterListFile file = MasterListFile::read(path("itemse.txt"));
        ASSERT_TRUE(file.ok());
        EXPECT_EQ(revisedCaption(file.revised, us), QStringLiteral("Revised 3/14/26"));
    }
}

TEST_F(MasterListFileTest, CaptionKeepsADateThatContainsBlanks) {
    const QLocale slovak(QLocale::Slovak, QLocale::Slovakia);  // short dates like "14. 3. 2026"
    EXPECT_EQ(revisedCaption(QDate(2026, 3, 14), slovak), QStringLiteral("Revised 14. 3. 2026"));
}

TEST_F(MasterListFileTest, MissingFileIsReportedByName) {
    const MasterListFile file = MasterListFile::read(path("itemsm.txt"));
    EXPECT_FALSE(file.ok());
    EXPECT_TRUE(file.error.contains(QDir::toNativeSeparators(path("itemsm.txt"))));
    EXPECT_EQ(file.rows.count(), 0);
}

TEST(MasterGridModel, ServesTheRowsAndPassesTheModelTester) {
    MasterList list = MasterList::parse(
        test::crlf({"2101-0100000 CLEARING                                ACRE"}));
    MasterGridModel model;
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    model.setList(&list);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.index(0, 2).data().toString(), QStringLiteral("ACRE"));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Item Number"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Description"));
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Units"));
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
    MasterList empty;
    model.setList(&empty);
    EXPECT_EQ(model.rowCount(), 0);
}

}  // namespace
}  // namespace veskplan
