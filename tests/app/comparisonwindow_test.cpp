#include <gtest/gtest.h>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

#include "app/comparisonwindow.h"
#include "app/estimatewindow.h"
#include "app/windowfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

class MilestoneWindows : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(QFile::copy(u"" VESKPLAN_SOURCE_DIR "/data/milestone-contingency.csv"_s,
                                sandbox.dataDir() + u"/milestone-contingency.csv"_s));
        startAndShow();
        addMasterRow(0);  // 2101-0100000 CLEARING, ACRE
        addMasterRow(1);  // 2105-0500000 COMMON EXCAVATION, CY
        doc().setQuantity(0, 3);
        doc().setQuantity(1, 100);
    }
    // The rows a view shows as "item number change".
    static QStringList shown(const QAbstractItemModel* model) {
        QStringList rows;
        for (int r = 0; r < model->rowCount(); ++r) {
            rows << model->index(r, 0).data().toString() + u' ' +
                        model->index(r, 9).data().toString();
        }
        return rows;
    }
};

TEST_F(MilestoneWindows, TheComparisonOpensFromTheFileMenuSortsByAHeadingAndEscClosesIt) {
    std::vector<ProjectRecord> earlier = store().records(IndexOrder::PrimaryKey);
    earlier[0].quantity = 5;
    earlier[1].quantity = 60;
    test::makeProjectFile(projectPath(u"sixty.vsk"_s), earlier);
    port.files = {projectPath(u"sixty.vsk"_s)};
    menuCommand(Qt::Key_F, Qt::Key_M);  // File > Compare with Project
    auto* comparison = find<ComparisonWindow>(u"comparisonWindow"_s);
    ASSERT_NE(comparison, nullptr);
    QApplication::setActiveWindow(comparison);
    ASSERT_TRUE(QTest::qWaitForWindowActive(comparison));
    const QAbstractItemModel* rows = comparison->table()->model();
    EXPECT_EQ(shown(rows), (QStringList{u"2105-0500000 40"_s, u"2101-0100000 -2"_s}));
    EXPECT_TRUE(comparison->findChild<QLabel*>(u"comparisonHeading"_s)
                    ->text()
                    .startsWith(u"Old: sixty.vsk\nNew: Untitled\n"_s));
    QHeaderView* header = comparison->table()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(9) + 5, header->height() / 2));
    EXPECT_EQ(shown(rows), (QStringList{u"2101-0100000 -2"_s, u"2105-0500000 40"_s}));
    QTest::keyClick(focus(), Qt::Key_Escape);
    EXPECT_FALSE(comparison->isVisible());
}

TEST_F(MilestoneWindows, AMilestonePickedInTheEstimateSetsItsContingencyAsOneStep) {
    doc().setPrice(ItemKey::of(store().record(0)),
                   ItemPrice{1000, u"ACRE"_s, PriceKind::Typed, {}});
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);  // Engineer's Estimate
    auto* estimate = find<EstimateWindow>(u"estimateWindow"_s);
    ASSERT_NE(estimate, nullptr);
    QApplication::setActiveWindow(estimate);
    ASSERT_TRUE(QTest::qWaitForWindowActive(estimate));
    auto* milestone = estimate->findChild<QComboBox*>(u"estimateMilestone"_s);
    auto* contingency = estimate->findChild<QDoubleSpinBox*>(u"estimateContingency"_s);
    test::chooseInList(milestone, 2);  // 60%
    EXPECT_EQ(std::pair(doc().prices().milestone(), contingency->value()),
              std::pair(std::optional(Milestone::Sixty), 15.0));
    QTest::keyClick(estimate, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(std::pair(milestone->currentText(), contingency->value()), std::pair(u"None"_s, 0.0));
}

}  // namespace
}  // namespace veskplan
