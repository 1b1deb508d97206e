#include "ooxml/xlsxworkbook.h"

#include "packagefiles.h"
#include "support/externaltools.h"
#include "support/testfiles.h"

#include <QProcess>

namespace veskplan::test {
namespace {

const QString kSeed = QStringLiteral(VESKPLAN_SOURCE_DIR "/data/seed100-01.xlsx");

QStringList lines(const QString& dataName) {
    return QString::fromUtf8(dataFile(dataName)).split(u'\n', Qt::SkipEmptyParts);
}

TEST(XlsxSeed, CommittedFileIsTheGeneratorsOutput) {
    const QString generator = QStringLiteral(VESKPLAN_BIN_DIR "/veskplan-seedworkbook");
    QTemporaryDir dir;
    QProcess process;
    process.start(generator, {dir.filePath(u"seed.xlsx"_s)});
    ASSERT_TRUE(process.waitForFinished(30000)) << generator.toStdString();
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(readFile(dir.filePath(u"seed.xlsx"_s)) == readFile(kSeed))
        << "data/seed100-01.xlsx is stale: run veskplan-seedworkbook data/seed100-01.xlsx";
}

TEST(XlsxSeed, HoldsSixTemplateSheetsWithPrintAreasTitlesAndStrings) {
    // Print areas: the used columns (E for "a", G for "b", J for "c"); titles: rows 13 and 14.
    const Entries seed = ZipArchive::read(readFile(kSeed));
    EXPECT_EQ(namesOf(seed).filter(u"xl/worksheets/sheet"_s).size(), 6);
    expectPart(u"ooxml/seed/workbook.xml"_s, seed, u"xl/workbook.xml"_s);
    expectPart(u"ooxml/seed/sharedStrings.xml"_s, seed, u"xl/sharedStrings.xml"_s);
    expectPart(u"ooxml/seed/sheet2.xml"_s, seed, u"xl/worksheets/sheet2.xml"_s);
}

// The seed cut down to "e100-01b" and filled with two item rows, as the Tabfill export does.
class XlsxFilledSeed : public ::testing::Test {
protected:
    void SetUp() override {
        XlsxWorkbook workbook = XlsxWorkbook::open(kSeed);
        workbook.keepOnlySheet(u"e100-01b"_s, u"Tabfill"_s);
        applyEdits(workbook, kSeed, dataPath(u"ooxml/seed/fill.json"_s));
        workbook.save(path);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(u"tabfill.xlsx"_s);
};

TEST_F(XlsxFilledSeed, HoldsTheFilledSheetAndWhatItUses) {
    const Entries out = ZipArchive::read(readFile(path));
    EXPECT_EQ(namesOf(out), lines(u"ooxml/seed/filled-parts.txt"_s));
    expectPart(u"ooxml/seed/filled-workbook.xml"_s, out, u"xl/workbook.xml"_s);
    expectPart(u"ooxml/seed/filled-sheet2.xml"_s, out, u"xl/worksheets/sheet2.xml"_s);
}

TEST_F(XlsxFilledSeed, LibreOfficeShowsTheFilledTable) {
    VESKPLAN_SKIP_ON_WINDOWS("LibreOffice to read the workbook back");
    const auto csv = libreOfficeCsv(path);
    ASSERT_TRUE(csv.has_value());
    EXPECT_EQ(csv->split(u'\n', Qt::SkipEmptyParts), lines(u"ooxml/seed/filled.csv"_s));
}

TEST_F(XlsxFilledSeed, OpenpyxlReadsValuesFormatsAndPrintSettings) {
    VESKPLAN_SKIP_ON_WINDOWS("python3 with openpyxl to read the workbook back");
    const auto output =
        openpyxl(QString::fromUtf8(dataFile(u"ooxml/seed/filled-openpyxl.py"_s)), path);
    ASSERT_TRUE(output.has_value());
    EXPECT_EQ(output->split(u'\n'), lines(u"ooxml/seed/filled-openpyxl.txt"_s));
}

}  // namespace
}  // namespace veskplan::test
