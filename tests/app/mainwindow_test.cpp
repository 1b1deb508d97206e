#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "app/appfont.h"
#include "app/mainwindow.h"
#include "app/qtuserport.h"
#include "app/twips.h"
#include "sampledata/sampledata.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

class MainWindowTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        applyApplicationFont();
        start();
        window = std::make_unique<MainWindow>(*controller);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    template <typename W>
    W* find(const QString& name) {
        W* widget = window->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    std::unique_ptr<MainWindow> window;
};

struct Control {
    const char* name;
    const char* kind;  // class name
    int left, top, width, height;
    const char* caption;
    const char* tooltip;
};

// The controls that take input or show text, with their place in twips.
const Control kControls[] = {
    {"engMet", "QComboBox", 120, 240, 1455, 315, "",
     "Select Metric or English to change the source of the Master Item List"},
    {"Label1", "QLabel", 1680, 240, 1575, 255, "Master Item List", ""},
    {"mastRevDate", "QLabel", 3510, 270, 2415, 255, "Revised 3/14/26", ""},
    {"mastItemList", "QTableView", 1680, 480, 6375, 3135, "",
     "Double click on an item to add it to the Project Item List"},
    {"itemCat", "QPushButton", 120, 720, 1455, 375, "Sections",
     "Click here to select an Item Category you want to jump to in the Master Item List"},
    {"Label3", "QLabel", 120, 1320, 975, 255, "Item Search:", ""},
    {"itemSrch", "QLineEdit", 120, 1560, 1455, 285, "",
     "Enter an Item Number here to jump to that item in the Master Item List"},
    {"Label9", "QLabel", 120, 2040, 1455, 255, "Description Search:", ""},
    {"srchStr", "QLineEdit", 120, 2280, 1455, 285, "",
     "Text to Search for in Description Field of Master Item List"},
    {"findNext", "QPushButton", 120, 2640, 1455, 375, "Find Next",
     "Find the Next Occurance of Search Text"},
    {"findPrev", "QPushButton", 120, 3120, 1455, 375, "Find Previous",
     "Find the Previous Occurance of Search Text"},
    {"Label6", "QLabel", 120, 3720, 855, 255, "Designer:", ""},
    {"Label5", "QLabel", 1680, 3720, 1215, 255, "Project Number:", ""},
    {"designer", "QLineEdit", 120, 3960, 1335, 285, "", "Enter the Name of the Designer here"},
    {"projNum", "QLineEdit", 1680, 3960, 1935, 285, "", "Enter the Project Number here"},
    {"addItem", "QPushButton", 3960, 3840, 1935, 375, "Add to Project",
     "Click here to Add the selected Master Item to the Project Item List"},
    {"remItem", "QPushButton", 6120, 3840, 1935, 375, "Remove from Project",
     "Click here to Remove the selected item from the Project Item List"},
    {"Label7", "QLabel", 120, 4320, 1095, 255, "Letting Month:", ""},
    {"Label8", "QLabel", 1920, 4320, 735, 255, "Category:", ""},
    {"Label11", "QLabel", 2760, 4320, 1575, 255, "Category Description:", ""},
    {"letMonth", "QComboBox", 120, 4560, 1335, 315, "",
     "Indicate which Month the Letting will be held"},
    {"addCat", "QPushButton", 1650, 4560, 285, 315, "+",
     "Click here to Increment the Category Number"},
    {"catNum", "QComboBox", 1920, 4560, 735, 315, "",
     "Indicate for which Category you are Adding Items"},
    {"catDesc", "QComboBox", 2760, 4560, 5295, 315, "",
     "Description of the Category Number displayed to the left"},
    {"Label2", "QLabel", 120, 5040, 1575, 255, "Project Item List", ""},
    {"projFileN", "QLabel", 1920, 5040, 5295, 255, "", ""},
    {"printProjList", "QPushButton", 7320, 5040, 735, 255, "Print",
     "Click Here to Print the Project Item List"},
    {"projItemDB", "QTableView", 120, 5280, 7935, 1815, "",
     "List of Project Items.  Click on Column Headings to Change Sort Order"},
    {"Shape4", "QFrame", 1680, 240, 6375, 255, "", ""},
    {"Shape3", "QFrame", 120, 5040, 7185, 255, "", ""},
};

TEST_F(MainWindowTest, EveryControlHasItsNameKindPlaceCaptionAndTooltip) {
    EXPECT_EQ(window->windowTitle(), u"VESKPLAN"_s);
    EXPECT_EQ(window->objectName(), u"mainForm"_s);
    EXPECT_EQ(window->centralWidget()->size(), QSize(twips(8175), twips(7215)));
    for (const Control& c : kControls) {
        const QString name = QString::fromLatin1(c.name);
        QWidget* widget = find<QWidget>(name);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), c.kind) << c.name;
        EXPECT_EQ(widget->geometry(), twipsRect(c.left, c.top, c.width, c.height)) << c.name;
        EXPECT_EQ(widget->toolTip(), QString::fromLatin1(c.tooltip)) << c.name;
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), QString::fromLatin1(c.caption)) << c.name;
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), QString::fromLatin1(c.caption)) << c.name;
        }
        if (!QString::fromLatin1(c.tooltip).isEmpty()) {
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << c.name;
            EXPECT_EQ(widget->accessibleDescription(), widget->toolTip()) << c.name;
        }
    }
}

TEST_F(MainWindowTest, ListsHoldTheirEntries) {
    auto entries = [](QComboBox* box) {
        QStringList list;
        for (int i = 0; i < box->count(); ++i) {
            list.append(box->itemText(i));
        }
        return list;
    };
    EXPECT_EQ(entries(find<QComboBox>(u"engMet"_s)), (QStringList{u"English"_s, u"Metric"_s}));
    EXPECT_EQ(find<QComboBox>(u"engMet"_s)->currentIndex(), 0);
    EXPECT_EQ(entries(find<QComboBox>(u"letMonth"_s)),
              (QStringList{u"January"_s, u"February"_s, u"March"_s, u"April"_s, u"May"_s, u"June"_s,
                           u"July"_s, u"August"_s, u"September"_s, u"October"_s, u"November"_s,
                           u"December"_s}));
    EXPECT_EQ(find<QComboBox>(u"letMonth"_s)->currentIndex(), -1);
    EXPECT_EQ(entries(find<QComboBox>(u"catNum"_s)), QStringList{u"01"_s});
    EXPECT_FALSE(find<QComboBox>(u"catNum"_s)->isEditable());
    EXPECT_TRUE(find<QComboBox>(u"catDesc"_s)->isEditable());
    EXPECT_EQ(find<QLineEdit>(u"projNum"_s)->maxLength(), 25);
}

TEST_F(MainWindowTest, GridsShowHeadingsWidthsAndRows) {
    auto* master = find<QTableView>(u"mastItemList"_s);
    EXPECT_EQ(master->model()->headerData(0, Qt::Horizontal).toString(), u"Item Number"_s);
    EXPECT_EQ(master->model()->headerData(2, Qt::Horizontal).toString(), u"Units"_s);
    EXPECT_EQ(master->columnWidth(0), twips(1300));
    EXPECT_EQ(master->columnWidth(1), twips(4050));
    EXPECT_EQ(master->columnWidth(2), twips(700));
    EXPECT_EQ(master->model()->rowCount(), 6);
    EXPECT_EQ(master->selectionBehavior(), QAbstractItemView::SelectRows);
    auto* project = find<QTableView>(u"projItemDB"_s);
    const int widths[] = {1440, 400, 4145, 630, 770};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(project->columnWidth(c), twips(widths[c])) << c;
    }
    EXPECT_EQ(project->horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_EQ(project->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_TRUE(project->verticalHeader()->isVisible());  // record selectors
    EXPECT_FALSE(project->tabKeyNavigation());
}

TEST_F(MainWindowTest, MenuBarWithoutAccessKeys) {
    QMenuBar* bar = window->menuBar();
    QStringList menus;
    for (QAction* action : bar->actions()) {
        menus.append(action->text());
    }
    EXPECT_EQ(menus, (QStringList{u"File"_s, u"Export"_s}));
    const std::pair<const char*, const char*> items[] = {
        {"mnuFileNew", "New Project"},   {"mnuFileOpen", "Open Project"},
        {"mnuFileSave", "Save Project"}, {"mnuFileSaveas", "Save Project As"},
        {"mnuFileExit", "Exit"},         {"mnuExpTrans", "Trns*Port"},
        {"mnuExpRCAD", "Road CAD"},      {"mnuExpRCADexcel", "Road CAD (Excel)"},
        {"mnuExpBCAD", "Bridge CAD"}};
    for (const auto& [name, caption] : items) {
        auto* action = find<QAction>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromLatin1(caption));
        EXPECT_TRUE(action->shortcut().isEmpty()) << name;
    }
    auto* file = find<QMenu>(u"mnuFile"_s);
    EXPECT_TRUE(file->actions()[2]->isSeparator());
    EXPECT_TRUE(file->actions()[5]->isSeparator());
    // The guarded commands follow the project.
    EXPECT_FALSE(find<QAction>(u"mnuFileSave"_s)->isEnabled());
    EXPECT_FALSE(find<QAction>(u"mnuExpBCAD"_s)->isEnabled());
    EXPECT_TRUE(find<QAction>(u"mnuFileNew"_s)->isEnabled());
    controller->mastItemList_Click(1);
    controller->addItem_Click();
    EXPECT_TRUE(find<QAction>(u"mnuFileSave"_s)->isEnabled());
    EXPECT_TRUE(find<QAction>(u"mnuExpRCADexcel"_s)->isEnabled());
}

TEST_F(MainWindowTest, TabMovesThroughTheControlsInOrder) {
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const char* order[] = {"mastItemList", "addItem",       "itemCat",     "remItem", "engMet",
                           "itemSrch",     "projItemDB",    "designer",    "projNum", "letMonth",
                           "catNum",       "catDesc",       "addCat",      "srchStr", "findNext",
                           "findPrev",     "printProjList", "mastItemList"};
    find<QWidget>(u"mastItemList"_s)->setFocus();
    for (size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        // An editable combo box passes the focus to its line edit.
        while (focus && focus->objectName().isEmpty() && focus->parentWidget()) {
            focus = focus->parentWidget();
        }
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->objectName(), QString::fromLatin1(order[i])) << "after " << order[i - 1];
    }
}

TEST_F(MainWindowTest, FocusRequestsReachTheNamedControl) {
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QtUserPort qtPort;
    qtPort.attach(window.get(), controller.get());
    qtPort.setFocus(u"itemCat"_s);
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>(u"itemCat"_s));
}

TEST_F(MainWindowTest, ControlsForwardToTheHandlersAndMirrorTheState) {
    // A click on a master row selects it and asks for the focus on "Add to Project".
    auto* master = find<QTableView>(u"mastItemList"_s);
    const QRect cell = master->visualRect(master->model()->index(1, 1));
    QTest::mouseClick(master->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(ws().master.selectedRow(), 2);
    EXPECT_EQ(port.lastFocus(), u"addItem"_s);
    EXPECT_TRUE(master->selectionModel()->isRowSelected(1, QModelIndex()));
    QTest::mouseClick(find<QPushButton>(u"addItem"_s), Qt::LeftButton);
    EXPECT_EQ(store().recordCount(), 1);
    EXPECT_EQ(find<QTableView>(u"projItemDB"_s)->model()->rowCount(), 1);
    EXPECT_EQ(find<QTableView>(u"projItemDB"_s)->currentIndex().column(), 4);
    // Typing into the boxes reaches the project.
    QTest::keyClicks(find<QLineEdit>(u"projNum"_s), u"SR-7"_s);
    EXPECT_EQ(ws().header.projNum, u"SR-7"_s);
    QTest::mouseClick(find<QPushButton>(u"addCat"_s), Qt::LeftButton);
    EXPECT_EQ(find<QComboBox>(u"catNum"_s)->currentText(), u"02"_s);
    // The search boxes filter keys: letters do not reach the item search, and the description
    // search turns them to capitals.
    QTest::keyClicks(find<QLineEdit>(u"itemSrch"_s), u"2a5-"_s);
    EXPECT_EQ(find<QLineEdit>(u"itemSrch"_s)->text(), u"25-"_s);
    QTest::keyClicks(find<QLineEdit>(u"srchStr"_s), u"pipe"_s);
    EXPECT_EQ(find<QLineEdit>(u"srchStr"_s)->text(), u"PIPE"_s);
    EXPECT_EQ(ws().srchStr, u"PIPE"_s);
}

TEST_F(MainWindowTest, TypedDescriptionIsStoredBeforeTheNextControlActs) {
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* description = find<QComboBox>(u"catDesc"_s);
    description->lineEdit()->setFocus();
    QTest::keyClicks(description->lineEdit(), u"Mainline"_s);
    QTest::mouseClick(find<QPushButton>(u"addCat"_s), Qt::LeftButton);
    EXPECT_EQ(ws().categories.descriptions(), (QStringList{u"Mainline"_s, QString()}));
    EXPECT_EQ(description->currentText(), QString());
    EXPECT_EQ(find<QComboBox>(u"catNum"_s)->currentText(), u"02"_s);
    find<QComboBox>(u"catNum"_s)->setFocus();
    EXPECT_EQ(ws().categories.descriptions(), (QStringList{u"Mainline"_s, QString()}));
}

TEST_F(MainWindowTest, ItemSearchScrollsTheGridToTheTopRow) {
    test::writeFile(sandbox.dataDir() + u"/itemse.txt"_s,
                    sampledata::largeMasterList(2000, sampledata::Units::English));
    controller->engMet_Click(0);
    auto* master = find<QTableView>(u"mastItemList"_s);
    const QString target = ws().master.list().mastNum(1500).left(9).toString();
    find<QLineEdit>(u"itemSrch"_s)->setText(target);
    const int top = ws().master.topRow();
    EXPECT_GT(top, 1);
    EXPECT_EQ(master->verticalScrollBar()->value(), top - 1);
    EXPECT_EQ(master->rowAt(0), top - 1);
}

}  // namespace
}  // namespace veskplan
