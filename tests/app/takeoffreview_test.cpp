#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>

#include "app/takeoffreviewdialog.h"
#include "app/windowfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The rows the review window shows as "item number status accepted".
QStringList shown(const QAbstractItemModel* model) {
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        const QVariant check = model->index(r, 0).data(Qt::CheckStateRole);
        rows << model->index(r, 0).data().toString() + u' ' + model->index(r, 8).data().toString() +
                    (check.isValid() ? (check.toInt() == Qt::Checked ? u" +"_s : u" -"_s) : u""_s);
    }
    return rows;
}

using TakeoffReviewTest = test::WindowFixture;

TEST_F(TakeoffReviewTest, RowsAreSortedFilteredAcceptedAndAppliedFromKeysAndClicks) {
    startAndShow();
    addMasterRow(1);  // COMMON EXCAVATION, CY
    doc().setQuantity(0, 100);
    const QString file = sandbox.path(u"takeoff.csv"_s);
    test::writeFile(file, "Item Number,Unit,Quantity\n2105-0500000,CY,150\n2301-0200000,SF,900\n");
    port.files.push_back(file);
    controller->quantityImport().importFiles();
    auto* review = find<TakeoffReviewDialog>(u"takeoffReview"_s);
    ASSERT_NE(review, nullptr);
    QApplication::setActiveWindow(review);
    ASSERT_TRUE(QTest::qWaitForWindowActive(review));
    QTableView* table = review->table();
    const QAbstractItemModel* rows = table->model();
    QAbstractItemModelTester tester(qobject_cast<const QSortFilterProxyModel*>(rows)->sourceModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    QAbstractItemModelTester partsTester(review->parts()->model(),
                                         QAbstractItemModelTester::FailureReportingMode::Warning);
    // A click on "New Quantity" sorts by the number.
    QHeaderView* header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(6) + 5, header->height() / 2));
    EXPECT_EQ(shown(rows), (QStringList{u"2301-0200000 new -"_s, u"2105-0500000 changed -"_s}));
    EXPECT_EQ(rows->index(1, 6).data(Qt::ToolTipRole), u"100 \u2192 150: +50 (+50%)"_s);
    test::chooseInList(find<QComboBox>(u"reviewStatus"_s), 2);  // "changed"
    EXPECT_EQ(shown(rows), QStringList{u"2105-0500000 changed -"_s});
    QTest::keyClick(find<QComboBox>(u"reviewStatus"_s), Qt::Key_Home);  // all again
    auto* filter = find<QLineEdit>(u"reviewFilter"_s);
    QTest::mouseClick(filter, Qt::LeftButton);
    QTest::keyClicks(filter, u"2301"_s);
    EXPECT_EQ(shown(rows), QStringList{u"2301-0200000 new -"_s});
    // Tab reaches the table, where Space accepts the row.
    for (int tab = 0; tab < 3; ++tab) {
        QTest::keyClick(focus(), Qt::Key_Tab);
    }
    ASSERT_EQ(focus(), table);
    QTest::keyClick(table, Qt::Key_Space);
    EXPECT_EQ(shown(rows), QStringList{u"2301-0200000 new +"_s});
    // Below, the lines behind the current row; Tab goes on to them.
    const QAbstractItemModel* parts = review->parts()->model();
    QStringList line;
    for (int c = 0; c < parts->columnCount(); ++c) {
        line << parts->index(0, c).data().toString();
    }
    EXPECT_EQ(std::pair(parts->rowCount(), line.join(u'|')),
              std::pair(1, QDir::toNativeSeparators(file) + u"|3||900|SF|100"_s));
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_EQ(focus(), review->parts());
    QTest::mouseClick(find<QPushButton>(u"reviewAcceptAll"_s), Qt::LeftButton);
    EXPECT_EQ(find<QLabel>(u"reviewSummary"_s)->text(),
              u"2 rows, 2 accepted, 0 wait for a decision"_s);
    QTest::keyClick(focus(), Qt::Key_P, Qt::AltModifier);  // A&pply, clicked a moment later
    ASSERT_TRUE(QTest::qWaitFor([this] { return !port.messages.empty(); }));
    EXPECT_EQ(port.messageTexts().back(), u"1 quantity changed and 1 item added."_s);
    EXPECT_EQ(shown(rows), QStringList{u"2301-0200000 same"_s});
    QTest::keyClick(focus(), Qt::Key_Escape);
    EXPECT_FALSE(review->isVisible());
}

}  // namespace
}  // namespace veskplan
