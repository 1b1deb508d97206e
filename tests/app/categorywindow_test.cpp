#include <gtest/gtest.h>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/categorywindow.h"
#include "app/twips.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

class CategoryWindowTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
    }
    static void doubleClick(QTreeWidget* tree, QTreeWidgetItem* item) {
        tree->scrollToItem(item);
        const QPoint at = tree->visualItemRect(item).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(CategoryWindowTest, OpensWithTheRootExpandedAndEverySectionCollapsed) {
    CategoryWindow window(*controller);
    EXPECT_EQ(window.windowTitle(), u"Item Categories"_s);
    EXPECT_EQ(window.objectName(), u"getCat"_s);
    EXPECT_EQ(window.size(), QSize(twips(5910), twips(7965)));
    QTreeWidget* tree = window.tree();
    EXPECT_EQ(tree->objectName(), u"catTree"_s);
    EXPECT_EQ(tree->geometry(), twipsRect(120, 120, 5655, 7695));
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), u"Items"_s);
    EXPECT_EQ(root->data(0, Qt::UserRole).toString(), u"I"_s);
    EXPECT_TRUE(root->isExpanded());
    ASSERT_EQ(root->childCount(), 3);
    EXPECT_EQ(root->child(2)->text(0), u"2500 DRAINAGE"_s);
    EXPECT_EQ(root->child(2)->data(0, Qt::UserRole).toString(), u"I25"_s);
    EXPECT_EQ(root->child(2)->childCount(), 2);
    for (int i = 0; i < root->childCount(); ++i) {
        EXPECT_FALSE(root->child(i)->isExpanded());
    }
}

TEST_F(CategoryWindowTest, DoubleClickOnACategoryHidesItAndKeepsTheTree) {
    CategoryWindow window(*controller);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTreeWidget* tree = window.tree();
    QTreeWidgetItem* drainage = tree->topLevelItem(0)->child(2);
    doubleClick(tree, tree->topLevelItem(0));  // the root: stays open
    EXPECT_TRUE(window.isVisible());
    drainage->setExpanded(true);
    doubleClick(tree, drainage->child(0));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ws().chosenCat, u"2501 PIPE CULVERTS"_s);
    EXPECT_FALSE(window.closedByCloseBox());
    EXPECT_TRUE(drainage->isExpanded());  // as it was left
}

TEST_F(CategoryWindowTest, CloseBoxEndsTheWindowSoTheNextOneReadsTheFileAgain) {
    {
        CategoryWindow window(*controller);
        window.show();
        window.close();
        EXPECT_TRUE(window.closedByCloseBox());
    }
    test::writeFile(sandbox.dataDir() + u"/itemcats.txt"_s, test::crlf({"2100 ONLY"}));
    CategoryWindow again(*controller);
    EXPECT_EQ(again.tree()->topLevelItem(0)->childCount(), 1);
}

}  // namespace
}  // namespace veskplan
