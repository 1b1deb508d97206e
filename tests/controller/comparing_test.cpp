#include <gtest/gtest.h>
#include <QFile>

#include "ooxml/xlsxsheetvalues.h"
#include "project/projectfile.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The open project at 90%: 2101-0100000 CLEARING, 10 ACRE at 100.00. The one before, at 60%:
// 8 ACRE at the same price. The agency's scale is the sample's: 15% at 60, 10% at 90.
class ComparingTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        ASSERT_TRUE(QFile::copy(u"" VESKPLAN_SOURCE_DIR "/data/milestone-contingency.csv"_s,
                                sandbox.dataDir() + u"/milestone-contingency.csv"_s));
        start();
        addMasterRow(0);
        doc().setQuantity(0, 10);
        ProjectRecord item = store().record(0);
        const ItemPrice price{100, u"ACRE"_s, PriceKind::Typed, {}};
        doc().setPrice(ItemKey::of(item), price);
        doc().setMilestone(Milestone::Ninety);
        item.quantity = 8;
        ProjectPrices earlier;
        earlier.set(ItemKey::of(item), price);
        earlier.setMilestone(Milestone::Sixty);
        projectfile::write(sixty, {item}, {}, earlier);
    }
    QString sixty = projectPath(u"sixty.vsk"_s);
};

TEST_F(ComparingTest, TheChosenProjectIsComparedWithTheOpenOneAndSavedInEachFormat) {
    ProjectComparing& comparing = controller->comparing();
    port.files = {std::nullopt, projectPath(u"none.vsk"_s), sixty};
    EXPECT_FALSE(comparing.compareWithChosenProject());  // cancelled
    EXPECT_FALSE(comparing.compareWithChosenProject());  // told why
    EXPECT_TRUE(port.messages.size() == 1 && comparing.report() == nullptr);
    int windows = 0;
    QObject::connect(&controller->requests(), &ViewRequests::comparisonWindowRequested,
                     [&] { ++windows; });
    controller->compareWithProject();
    EXPECT_EQ(std::pair(windows, port.dialogs.back().title),
              std::pair(1, u"Compare with Project"_s));
    EXPECT_EQ(
        comparing.heading(),
        u"Old: sixty.vsk, 60% milestone\nNew: Untitled, 90% milestone\n"_s + comparisonBasis(true));
    EXPECT_EQ(comparing.totals(),
              u"Items: 800.00 \u2192 1000.00 (+200.00)\nMobilization: 0.00 \u2192 0.00 (+0.00)\n"
              u"Contingency (15% \u2192 10%): 120.00 \u2192 100.00 (-20.00)\n"
              u"Total: 920.00 \u2192 1100.00 (+180.00)"_s);
    EXPECT_EQ(comparing.model().index(0, 9).data().toString(), u"200.00"_s);

    port.clear();
    const QString csv = projectPath(u"changes.csv"_s);
    const QString workbook = projectPath(u"changes.xlsx"_s);
    port.files = {csv, workbook, projectPath(u"changes.txt"_s)};
    for (int save = 0; save < 3; ++save) {
        comparing.saveAs();
    }
    EXPECT_EQ(test::readFile(csv), comparing.report()->bytes(ComparisonReport::Format::Csv, false));
    EXPECT_EQ(XlsxSheetValues::read(workbook, 20, 20).back().cells.mid(7),
              (QStringList{u"920.00"_s, u"1100.00"_s, u"180.00"_s}));
    EXPECT_EQ(port.messageTexts(),
              std::vector<QString>{u"The comparison was not saved: "_s +
                                   QDir::toNativeSeparators(projectPath(u"changes.txt"_s)) +
                                   u" ends in none of .csv, .xlsx and .pdf."_s});
}

TEST_F(ComparingTest, TheEstimatesContingencyFollowsTheMilestoneUntilTheDesignerSetsOne) {
    EstimateEditing& estimate = controller->estimate();
    EXPECT_EQ(estimate.estimate().contingencyPercent, 10);
    const int steps = doc().undoStack().count();
    EXPECT_TRUE(estimate.setContingencyPercent(10) && doc().undoStack().count() == steps);
    EXPECT_TRUE(estimate.setContingencyPercent(12));
    EXPECT_EQ(estimate.estimate().contingencyPercent, 12);
    EXPECT_TRUE(estimate.setMilestone(Milestone::Sixty));
    EXPECT_EQ(
        std::pair(estimate.estimate().contingencyPercent, estimate.estimate().contingencyCents),
        std::pair(std::optional(15.0), qint64(15000)));
    doc().undoStack().undo();
    EXPECT_EQ(std::pair(estimate.estimate().contingencyPercent, estimate.milestone()),
              std::pair(std::optional(12.0), std::optional(Milestone::Ninety)));
    EXPECT_TRUE(estimate.setMilestone(Milestone::Ninety));  // picked again: the agency's 10%
    EXPECT_EQ(estimate.estimate().contingencyPercent, 10);
    EXPECT_TRUE(estimate.setMilestone(std::nullopt));
    EXPECT_EQ(estimate.estimate().contingencyPercent, std::nullopt);
}

}  // namespace
}  // namespace veskplan
