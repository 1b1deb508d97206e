#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>

#include "app/takeoffreviewdialog.h"
#include "app/windowfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

class TakeoffReviewTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        startAndShow();
        addMasterRow(0);  // CLEARING, ACRE
        addMasterRow(1);  // COMMON EXCAVATION, CY
        doc().setQuantity(0, 2);
        doc().setQuantity(1, 100);
        const QString file = sandbox.path(u"takeoff.csv"_s);
        test::writeFile(file,
                        "Item Number,Unit,Quantity\n2105-0500000,CY,150\n2301-0200000,SF,900\n"
                        "2501-0150000,TON,5\n9999-0000000,EA,3\n");
        port.files.push_back(file);
        controller->quantityImport().importFiles();
        review = window->findChild<TakeoffReviewDialog*>(u"takeoffReview"_s);
        ASSERT_NE(review, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(review));
        QApplication::setActiveWindow(review);
        ASSERT_TRUE(QTest::qWaitForWindowActive(review));
        table = review->table();
        auto* byText = qobject_cast<QSortFilterProxyModel*>(table->model());
        tester = std::make_unique<QAbstractItemModelTester>(
            qobject_cast<QSortFilterProxyModel*>(byText->sourceModel())->sourceModel(),
            QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    // The shown rows as "item number status accepted".
    QStringList shown() const {
        QStringList rows;
        const QAbstractItemModel* model = table->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            const QModelIndex number = model->index(r, 0);
            const QVariant check = number.data(Qt::CheckStateRole);
            rows << number.data().toString() + u' ' + model->index(r, 7).data().toString() +
                        (check.isValid() ? (check.toInt() == Qt::Checked ? u" +"_s : u" -"_s)
                                         : QString());
        }
        return rows;
    }
    template <typename W>
    W* control(const QString& name) {
        W* found = review->findChild<W*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    TakeoffReviewDialog* review = nullptr;
    QTableView* table = nullptr;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(TakeoffReviewTest, RowsAreSortedFilteredAcceptedAndAppliedFromKeysAndClicks) {
    const QStringList all = {u"2101-0100000 not in take-off"_s, u"2105-0500000 changed -"_s,
                             u"2301-0200000 new -"_s, u"2501-0150000 unit differs"_s,
                             u"9999-0000000 not in list"_s};
    EXPECT_EQ(shown(), all);
    // A click on "New Quantity" sorts by the number; rows without one come first.
    QHeaderView* header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(6) + 5, header->height() / 2));
    EXPECT_EQ(shown().mid(3), (QStringList{u"2301-0200000 new -"_s, u"2105-0500000 changed -"_s}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 30, header->height() / 2));
    EXPECT_EQ(shown(), all);

    auto* filter = control<QLineEdit>(u"reviewFilter"_s);
    filter->setFocus();
    QTest::keyClicks(filter, u"2501"_s);
    EXPECT_EQ(shown(), QStringList{u"2501-0150000 unit differs"_s});
    QTest::keySequence(filter, QKeySequence::SelectAll);
    QTest::keyClick(filter, Qt::Key_Backspace);
    test::chooseInList(control<QComboBox>(u"reviewStatus"_s), 1);  // "new"
    EXPECT_EQ(shown(), QStringList{u"2301-0200000 new -"_s});
    QTest::keyClick(control<QComboBox>(u"reviewStatus"_s), Qt::Key_Home);
    EXPECT_EQ(shown(), all);

    // Tab reaches the table; Space accepts the current row and gives it back.
    QTest::keyClick(focus(), Qt::Key_Tab);
    QTest::keyClick(focus(), Qt::Key_Tab);
    ASSERT_EQ(focus(), table);
    QTest::keyClick(table, Qt::Key_Down);
    QTest::keyClick(table, Qt::Key_Space);
    EXPECT_EQ(shown()[1], u"2105-0500000 changed +"_s);
    QTest::keyClick(table, Qt::Key_Space);
    EXPECT_EQ(shown()[1], u"2105-0500000 changed -"_s);
    QTest::mouseClick(control<QPushButton>(u"reviewAcceptAll"_s), Qt::LeftButton);
    EXPECT_EQ(shown().mid(1, 2),
              (QStringList{u"2105-0500000 changed +"_s, u"2301-0200000 new +"_s}));

    QTest::keyClick(focus(), Qt::Key_P, Qt::AltModifier);                     // A&pply
    ASSERT_TRUE(QTest::qWaitFor([this] { return !port.messages.empty(); }));  // a key's click
    EXPECT_EQ(port.messageTexts().back(), u"1 quantity changed and 1 item added."_s);
    EXPECT_EQ(shown().mid(1, 2), (QStringList{u"2105-0500000 same"_s, u"2301-0200000 same"_s}));
    EXPECT_EQ(doc().items().recordCount(), 3);
    QTest::keyClick(focus(), Qt::Key_Escape);
    EXPECT_FALSE(review->isVisible());
}

}  // namespace
}  // namespace veskplan
