#include <gtest/gtest.h>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "app/estimatewindow.h"
#include "app/windowfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

class EstimateWindowTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        applyApplicationFont();
        start();
        addMasterRow(0);  // 2101-0100000 CLEARING, ACRE
        addMasterRow(3);  // 2501-0150000 15 INCH RC PIPE CULVERT, LF
        doc().setQuantity(0, 12.5);
        doc().setQuantity(1, 40);
        showWindow();
        // Edit > Engineer's Estimate, from the keyboard.
        QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
        estimate = window->findChild<EstimateWindow*>(u"estimateWindow"_s);
        ASSERT_NE(estimate, nullptr);
        QApplication::setActiveWindow(estimate);
        ASSERT_TRUE(QTest::qWaitForWindowActive(estimate));
    }
    template <typename W = QWidget>
    W* find(const QString& name) {
        W* widget = estimate->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QPoint cell(int row, int column) {
        QTableView* table = estimate->table();
        return table->visualRect(table->model()->index(row, column)).center();
    }
    // Keys go where the focus is, as they do from a keyboard: the first one opens the editor.
    static void type(const QString& text) {
        for (const QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();  // the editor hands its text over from the event loop
    }
    QString shown(int row, int column) {
        return estimate->table()->model()->index(row, column).data().toString();
    }

    EstimateWindow* estimate = nullptr;
};

TEST_F(EstimateWindowTest, EveryControlIsNamedForTheUserAndTheItemTableHasTheFocus) {
    EXPECT_EQ(QApplication::focusWidget(), estimate->table());
    int controls = 0;
    for (QWidget* control : estimate->findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus && !control->objectName().isEmpty() &&
            !control->objectName().startsWith(u"qt_"_s)) {
            ++controls;
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << control->objectName().toStdString();
        }
    }
    EXPECT_GE(controls, 15);
    EXPECT_FALSE(find(u"estimatePlot"_s)->accessibleName().isEmpty());
}

TEST_F(EstimateWindowTest, ATypedPriceIsOneStepThatCtrlZTakesBack) {
    const int price = EstimateTableModel::UnitPriceColumn;
    ASSERT_EQ(estimate->table()->model()->rowCount(), 2);
    EXPECT_TRUE(shown(0, EstimateTableModel::FlagsColumn).contains(u"no price"_s));
    QTest::mouseClick(estimate->table()->viewport(), Qt::LeftButton, {}, cell(1, price));
    const QString item = shown(1, EstimateTableModel::ItemNumberColumn);
    type(u"310.50"_s);
    const ItemKey key = ItemKey::of(store().record(item == u"2101-0100000"_s ? 0 : 1));
    ASSERT_NE(doc().prices().find(key), nullptr);
    EXPECT_EQ(doc().prices().find(key)->unitPrice, 310.5);
    EXPECT_EQ(doc().prices().find(key)->kind, PriceKind::Typed);
    // The priced item carries the whole total: it moves to the top, the chosen row with it.
    EXPECT_EQ(shown(0, EstimateTableModel::ItemNumberColumn), item);
    EXPECT_EQ(estimate->table()->currentIndex().row(), 0);
    EXPECT_TRUE(find<QLabel>(u"estimateEvidence"_s)->text().contains(u"Typed"_s));
    EXPECT_TRUE(find<QLabel>(u"estimateTotals"_s)->text().contains(u"Total: "_s));
    EXPECT_NE(controller->estimate().estimate().totalCents, 0);

    QTest::keyClick(estimate->table(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().prices().find(key), nullptr);
    EXPECT_EQ(controller->estimate().estimate().totalCents, 0);
    QTest::keySequence(estimate->table(), QKeySequence::Redo);
    EXPECT_NE(doc().prices().find(key), nullptr);

    // The note is typed beside the price, one more step; the unpriced item takes none.
    const int note = EstimateTableModel::NoteColumn;
    QTest::mouseClick(estimate->table()->viewport(), Qt::LeftButton, {}, cell(0, note));
    type(u"quote"_s);
    EXPECT_EQ(doc().prices().find(key)->note, u"quote"_s);
    EXPECT_EQ(doc().prices().find(key)->unitPrice, 310.5);
    EXPECT_EQ(shown(0, note), u"quote"_s);
    QTest::mouseClick(estimate->table()->viewport(), Qt::LeftButton, {}, cell(1, note));
    type(u"x"_s);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(port.messages.back().text.contains(u"no price to note"_s));
    QTest::keyClick(estimate->table(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().prices().find(key)->note, QString());

    // Text that is no price is refused with a message, and nothing changes.
    QTest::mouseClick(estimate->table()->viewport(), Qt::LeftButton, {}, cell(1, price));
    type(u"abc"_s);
    EXPECT_TRUE(port.messages.back().text.contains(u"no unit price"_s));
    EXPECT_EQ(doc().prices().items().size(), 1u);
}

TEST_F(EstimateWindowTest, TheFilterAndThePercentagesFollowTheKeyboard) {
    auto* filter = find<QLineEdit>(u"estimateFilter"_s);
    filter->setFocus();
    QTest::keyClicks(filter, u"culvert"_s);
    ASSERT_EQ(estimate->table()->model()->rowCount(), 1);
    EXPECT_EQ(shown(0, EstimateTableModel::ItemNumberColumn), u"2501-0150000"_s);
    QTest::keyClick(filter, Qt::Key_Escape);
    filter->clear();
    auto* mobilization = find<QAbstractSpinBox>(u"estimateMobilization"_s);
    mobilization->setFocus();
    QTest::keyClick(mobilization, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(mobilization, u"5"_s);
    QTest::keyClick(mobilization, Qt::Key_Return);
    EXPECT_EQ(doc().prices().mobilizationPercent(), 5.0);
    EXPECT_EQ(doc().undoStack().undoText(), u"Mobilization"_s);
}

}  // namespace
}  // namespace veskplan
