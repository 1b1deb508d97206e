#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include "controller/quantityimport.h"
#include "controller/quantityreviewmodel.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

class QuantityImportTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
        addMasterRow(0);  // CLEARING, ACRE
        addMasterRow(1);  // COMMON EXCAVATION, CY
        doc().setQuantity(1, 100);
    }
    QString importFiles(const QByteArray& text, const QString& before = {}) {
        const QString path = sandbox.path(u"t%1.csv"_s.arg(++files));
        test::writeFile(path, text);
        port.files.push_back(before.isEmpty() ? path : before + u'\n' + path);
        review().importFiles();
        return path;
    }
    QuantityImport& review() { return controller->quantityImport(); }
    // Each row as "number|status|category|new quantity|accepted".
    std::vector<std::string> reviewRows() {
        std::vector<std::string> shown;
        for (int i = 0; i < static_cast<int>(review().rows().size()); ++i) {
            const TakeoffReview::Row& row = review().rows()[i];
            shown.push_back((row.itemNumber + u'|' + TakeoffReview::statusText(row.status) + u'|' +
                             row.category + u'|' + QString::number(row.newQuantity.value_or(-1)) +
                             (review().isAccepted(i) ? u"|+"_s : u"|-"_s))
                                .toStdString());
        }
        return shown;
    }
    int files = 0;
};

TEST_F(QuantityImportTest, FilesAreReviewedAndTheAcceptedRowsTakenAsOneStep) {
    const QString plain = importFiles("Pay Item ID;Quantity;Unit\n2105-0500000;50;CY\n");
    importFiles(
        "Item Number,Unit,Quantity\n2105.0500000,CF,2700\n2301 0200000,SF,900\n"
        "2501-0150000,TON,5\n9999-0000000,EA,3\n",
        plain);
    EXPECT_EQ(port.dialogs.at(0).filters,
              (QStringList{u"Take-off Reports (*.csv *.xlsx)"_s, u"All Files (*.*)"_s}));
    review().accept({0, 1, 2, 3, 4});
    review().accept({1}, false);
    // 50 CY and 2700 CF make 150 CY; 900 SF make 100 SY; a ton is no length.
    EXPECT_EQ(reviewRows(),
              (std::vector<std::string>{
                  "2101-0100000|not in take-off|01|-1|-", "2105-0500000|changed|01|150|-",
                  "2301-0200000|new|01|100|+", "2501-0150000|unit differs|01|-1|-",
                  "9999-0000000|not in list||-1|-"}));
    review().acceptAll();
    review().apply();
    EXPECT_EQ(port.messageTexts().back(), u"1 quantity changed and 1 item added."_s);
    // Worked out again against the project: what was taken is the same now.
    EXPECT_EQ(reviewRows()[1] + reviewRows()[2],
              "2105-0500000|same|01|150|-2301-0200000|same|01|100|-");
    review().apply();
    EXPECT_EQ(port.messageTexts().back(), u"No rows are accepted: nothing was changed."_s);
    doc().undoStack().undo();
    EXPECT_EQ(reviewRows()[1], "2105-0500000|changed|01|150|-");  // the review follows
    EXPECT_EQ(store().recordCount(), 2);
    // A file that cannot be read is told, and the review stays as it was.
    const std::vector<std::string> before = reviewRows();
    const QString bad = importFiles("Item Number,Unit,Quantity\n2105-0500000,CY,lots\n", plain);
    EXPECT_EQ(port.messageTexts().back(), u"The take-off file "_s + QDir::toNativeSeparators(bad) +
                                              u" could not be read at line 2: the quantity "
                                              u"\"lots\" is not a number"_s);
    EXPECT_TRUE(reviewRows() == before && review().files().size() == 2);
}

TEST_F(QuantityImportTest, ANewItemWaitsForACategoryTheDesignerPicks) {
    controller->editing().addCategory();            // 02
    controller->editing().categoryBoxes().reset();  // no category chosen in the boxes
    importFiles("Item Number,Unit,Quantity\n2301-0200000,SY,4\n");
    review().acceptAll();
    EXPECT_EQ(reviewRows()[2], "2301-0200000|new||4|-");
    review().chooseDefaultCategory(u"02"_s);
    review().accept({2});
    review().chooseDefaultCategory(u"01"_s);  // the item stays accepted where it now goes
    EXPECT_EQ(reviewRows()[2], "2301-0200000|new|01|4|+");
}

TEST_F(QuantityImportTest, ALayoutAndRoundingRulesTheDesignerChoosesChangeTheReview) {
    controller->editing().addCategory();  // 02, where new items go
    importFiles("Item Number,Unit,Quantity\n2105-0500000,CY,149.5\n2301-0200000,SY,4\n");
    const QString layout = sandbox.path(u"layout.txt"_s);
    const QString rounding = sandbox.path(u"rounding.txt"_s);
    test::writeFile(layout, "Prefix 2301=01\n");
    test::writeFile(rounding, "CY up 100\n");
    port.files = {layout, rounding};
    review().chooseLayout();
    review().chooseRoundingRules();
    EXPECT_EQ(reviewRows()[1] + reviewRows()[2],
              "2105-0500000|changed|01|200|-2301-0200000|new|01|4|-");
    const QuantityReviewModel model(review());
    EXPECT_EQ(model.index(1, 6).data(Qt::ToolTipRole),
              u"100 \u2192 200: +100 (+100%)\nBefore rounding: 149.5"_s);
}

TEST_F(QuantityImportTest, UnknownHeadingsAreMappedOnceAndKeptForTheirHeadingRow) {
    using Field = ColumnLayout::Field;
    const QByteArray text = "Sheet 4\nPAYITEM,QTY_TOTAL,UOM,STA\n2105-0500000,150,CY,10+00\n";
    const auto mapping = [](std::vector<std::pair<Field, QString>> named) {
        ColumnLayout layout;
        for (const auto& [field, heading] : named) {
            layout.name(field, heading);
        }
        return layout;
    };
    // A column chosen for two fields, or none for the quantity, is refused; nothing is kept.
    port.columnMappings = {mapping({{Field::ItemNumber, u"PAYITEM"_s}, {Field::Unit, u"UOM"_s}}),
                           mapping({{Field::ItemNumber, u"UOM"_s},
                                    {Field::Quantity, u"QTY_TOTAL"_s},
                                    {Field::Unit, u"UOM"_s}})};
    const QString first = importFiles(text);
    const QString second = importFiles(text);
    const auto at = [](const QString& file, const char16_t* reason) {
        return u"The take-off file "_s + QDir::toNativeSeparators(file) +
               u" could not be read at line 2: "_s + QString::fromUtf16(reason);
    };
    EXPECT_EQ(
        port.messageTexts(),
        (std::vector<QString>{
            at(first, u"no column is chosen for the quantity"),
            at(second, u"the column \"UOM\" is chosen for both the item number and the unit")}));
    EXPECT_FALSE(QFile::exists(review().layoutFile()));
    port.columnMappings = {mapping({{Field::ItemNumber, u"PAYITEM"_s},
                                    {Field::Quantity, u"QTY_TOTAL"_s},
                                    {Field::Unit, u"UOM"_s},
                                    {Field::Station, u"STA"_s}})};
    importFiles(text);
    importFiles(text);  // the same headings: not asked again
    ASSERT_EQ(port.mappings.size(), 3u);
    const ColumnMappingRequest& asked = port.mappings.back();
    EXPECT_TRUE(asked.headings == QStringList({u"PAYITEM"_s, u"QTY_TOTAL"_s, u"UOM"_s, u"STA"_s}) &&
                asked.title == u"Take-off Columns"_s && asked.fields.size() == 10 &&
                asked.required == TakeoffLayout::requiredFields() &&
                asked.proposed.headingOf(Field::Unit) == u"UOM"_s &&
                !asked.proposed.headingOf(Field::ItemNumber));
    EXPECT_EQ(reviewRows()[1], "2105-0500000|changed|01|150|-");
    EXPECT_EQ(review().rows()[1].parts.front().where, u"10+00"_s);
    EXPECT_TRUE(test::sameBytes(test::dataFile(u"takeoff/kept-layouts.csv"_s),
                                test::readFile(review().layoutFile())));
}

TEST_F(QuantityImportTest, TheImportIsRememberedWithItsStepAndTheNextOneShowsWhatChanged) {
    const QByteArray text = "Item Number,Unit,Quantity\n2105-0500000,CY,150\n2301-0200000,SY,4\n";
    importFiles(text);
    review().accept({1});
    review().apply();
    TakeoffImportRecord expected;
    expected.addFile({u"t1.csv"_s,
                      u"2a947c9c746158b0ce9f5c813489e094cb509356ff07bca1561f2cdbc7ad2835"_s,
                      QDate(2026, 12, 6)});
    expected.setQuantity(u"01"_s, u"2105-0500000"_s, 150);
    expected.setQuantity(u"01"_s, u"2301-0200000"_s, 4);  // given, though not taken
    EXPECT_EQ(doc().takeoffRecord(), expected);
    doc().undoStack().undo();
    EXPECT_TRUE(doc().takeoffRecord().isEmpty() && review().lastImportNote().isEmpty());
    doc().undoStack().redo();
    port.files.push_back(projectPath(u"kept.vsk"_s));
    controller->files().saveAs();
    controller->files().newProject();
    controller->files().openProject(projectPath(u"kept.vsk"_s));
    EXPECT_EQ(doc().takeoffRecord(), expected);
    // Newer reports: one as it was, one that gives another figure.
    const QString same = importFiles(text);
    importFiles("Item Number,Unit,Quantity\n2105-0500000,CY,180\n", same);
    EXPECT_EQ(review().lastImportNote(),
              u"Last import on 2026-12-06 from t1.csv. t2.csv is the same as t1.csv was."_s);
    const QuantityReviewModel model(review());
    EXPECT_EQ(model.headerData(7, Qt::Horizontal), u"Last Import"_s);
    EXPECT_EQ(model.index(1, 4).data().toString() + u' ' + model.index(1, 7).data().toString(),
              u"CY 150"_s);
    EXPECT_EQ(model.index(1, 3).data(), u"330"_s);
}

}  // namespace
}  // namespace veskplan
