#include "ooxml/xlsxworkbook.h"

#include "packagefiles.h"

#include <QFile>

#include <limits>

namespace veskplan::test {
namespace {

TEST(XlsxWorkbookKeep, LeavesTheKeptSheetRenamedWithWhatItUses) {
    // Gone: the other sheets with their parts, names and summary titles, the calculation chain
    // and the part nothing refers to. Unchanged parts are copied byte for byte.
    QTemporaryDir dir;
    XlsxWorkbook workbook =
        XlsxWorkbook::open(writePackage(dir.filePath(u"in.xlsx"_s), package(u"ooxml/keep/in"_s)));
    workbook.keepOnlySheet(u"Main Table"_s, u"Tabfill"_s);
    EXPECT_EQ(workbook.sheetNames(), QStringList{u"Tabfill"_s});
    expectParts(package(u"ooxml/keep/out"_s), saved(workbook, dir));
}

TEST(XlsxWorkbookKeep, RefusalLeavesTheWorkbookAsItWasAndNamesMatchIgnoringCase) {
    QTemporaryDir dir;
    const QString path = writePackage(dir.filePath(u"in.xlsx"_s), package(u"ooxml/keep/in"_s));
    XlsxWorkbook workbook = XlsxWorkbook::open(path);
    const auto keep = [&](const QString& sheet, const QString& newName) {
        return refusal(path, [&] { workbook.keepOnlySheet(sheet, newName); });
    };
    EXPECT_EQ(keep(u"Absent"_s, u"Tabfill"_s), u"the workbook has no sheet named \"Absent\""_s);
    EXPECT_EQ(keep(u"Notes"_s, u"Tabfill"_s),
              u"part \"xl/chartsheets/sheet1.xml\" is not a worksheet"_s);
    for (const QString& name : {u"Tab:fill"_s, QString(32, u'x'), QString(), u"'quoted'"_s,
                                u"history"_s, u"tab\u0001"_s}) {
        EXPECT_EQ(keep(u"Summary"_s, name), u"\"%1\" is not a valid sheet name"_s.arg(name));
    }
    EXPECT_EQ(workbook.sheetNames(), (QStringList{u"Summary"_s, u"Main Table"_s, u"Notes"_s}));
    expectParts(package(u"ooxml/keep/in"_s), saved(workbook, dir));

    workbook.keepOnlySheet(u"summary"_s, u"Tabfill"_s);
    expectPart(u"ooxml/keep/summary-workbook.xml"_s, saved(workbook, dir), u"xl/workbook.xml"_s);
}

TEST(XlsxWorkbookCells, WritesGiveTheHandWrittenSheet) {
    // Each folder of cells/ but the package is a case; the README says what each one covers.
    QStringList cases =
        QDir(dataPath(u"ooxml/cells"_s)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    cases.removeOne(u"package"_s);
    ASSERT_EQ(cases.size(), 9);
    for (const QString& name : cases) {
        SCOPED_TRACE(name.toStdString());
        QTemporaryDir dir;
        const QString path = oneSheetPackage(dir, name);
        XlsxWorkbook workbook = XlsxWorkbook::open(path);
        applyEdits(workbook, path, dataPath(u"ooxml/cells/%1/edits.json"_s.arg(name)));
        const Entries out = saved(workbook, dir);
        expectPart(u"ooxml/cells/%1/after.xml"_s.arg(name), out, u"xl/worksheets/sheet1.xml"_s);
        expectPart(u"ooxml/cells/workbook-after.xml"_s, out, u"xl/workbook.xml"_s);
    }
}

TEST(XlsxWorkbookCells, ValuesNoCellCanHoldAreRefused) {
    QTemporaryDir dir;
    const QString path = oneSheetPackage(dir, u"bare"_s);
    XlsxWorkbook workbook = XlsxWorkbook::open(path);
    const std::pair<std::function<void()>, QString> cases[] = {
        {[&] { workbook.setNumber(u"A1"_s, std::numeric_limits<double>::quiet_NaN()); },
         u"cell A1 cannot hold the value nan"_s},
        {[&] { workbook.setNumber(u"A1"_s, -std::numeric_limits<double>::infinity()); },
         u"cell A1 cannot hold the value -inf"_s},
        {[&] { workbook.setText(u"A1"_s, QString(32768, u'x')); },
         u"text for cell A1 is longer than 32767 characters"_s},
    };
    for (const auto& [write, reason] : cases) {
        EXPECT_EQ(refusal(path, write), reason);
    }
    workbook.setText(u"A1"_s, QString(32767, u'y'));  // the longest that fits
}

TEST(XlsxWorkbookOpen, DamagedOrHostilePackagesAreRefusedNamingTheFile) {
    // Each line of bad/cases.txt: the file, the sheet to keep ("-": none) and the reason. The
    // reason is met at open, on keeping, on the first write or on saving, whichever comes first.
    const QString bad = dataPath(u"ooxml/bad/"_s);
    const QList<QStringList> table = tableRows(u"ooxml/bad/cases.txt"_s, 3);
    EXPECT_EQ(table.size(), 34);
    for (const QStringList& c : table) {
        SCOPED_TRACE(c.join(u'|').toStdString());
        const QString reason = refusal(bad + c[0], [&] {
            XlsxWorkbook workbook = XlsxWorkbook::open(bad + c[0]);
            if (c[1] != u"-"_s) {
                workbook.keepOnlySheet(c[1], u"Tabfill"_s);
            }
            workbook.setNumber(u"A1"_s, 1);
            QTemporaryDir dir;
            workbook.save(dir.filePath(u"out.xlsx"_s));
        });
        EXPECT_TRUE(reason.startsWith(c[2])) << reason.toStdString();
    }

    QTemporaryDir dir;
    const QString huge = dir.filePath(u"huge.xlsx"_s);
    writeFile(huge, {});
    ASSERT_TRUE(QFile::resize(huge, (qint64(64) << 20) + 1));  // sparse: no 64 MB written
    EXPECT_EQ(refusal(huge, [&] { XlsxWorkbook::open(huge); }),
              u"the file is larger than the allowed size"_s);
}

TEST(XlsxWorkbookSave, FailureNamesTheFileAndLeavesTheOldOneWhole) {
    QTemporaryDir dir;
    const XlsxWorkbook workbook = XlsxWorkbook::open(oneSheetPackage(dir, u"bare"_s));
    const QString nowhere = dir.filePath(u"missing/out.xlsx"_s);
    EXPECT_TRUE(
        refusal(nowhere, [&] { workbook.save(nowhere); }).startsWith(u"cannot write the file ("_s));
    EXPECT_FALSE(QFile::exists(nowhere));

    // A name of the longest length a folder allows: the file is there, but there is no room
    // for the name of the temporary file it is replaced through, whoever runs the test.
    QDir().mkpath(dir.filePath(u"old"_s));
    const QString old = dir.filePath(u"old/"_s + QString(250, u'x') + u".xlsx"_s);
    writeFile(old, "old contents");
    EXPECT_TRUE(refusal(old, [&] { workbook.save(old); }).startsWith(u"cannot write the file ("_s));
    EXPECT_EQ(readFile(old), QByteArray("old contents"));
    EXPECT_EQ(QDir(dir.filePath(u"old"_s)).entryList(QDir::Files).size(), 1);
}

}  // namespace
}  // namespace veskplan::test
