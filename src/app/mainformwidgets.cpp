#include "app/mainformwidgets.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>

#include "app/twips.h"
#include "project/headerfields.h"
#include "project/projectgridmodel.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// How a control follows a window larger than the form: the two grids share the extra height,
// everything below the master grid drops with it, and the controls at the right edge move or
// widen with the extra width.
enum Follow : unsigned {
    Stay = 0,
    Widen = 1,
    ShiftRight = 2,
    Drop = 4,
    GrowWithMaster = 8,
    GrowWithProject = 16,
};

struct Placement {
    const char* name;
    int left, top, width, height;  // twips
    unsigned follow;
};

// Every control of the form, where it sits at the form's own size, and how it follows.
constexpr Placement kLayout[] = {
    {"mnuLine", 0, 0, 8280, 15, Widen},
    {"engMet", 120, 240, 1455, 315, Stay},
    {"Shape4", 1680, 240, 6375, 255, Widen},
    {"Label1", 1680, 240, 1575, 255, Stay},
    {"mastRevDate", 3510, 270, 2415, 225, Stay},  // inside its title bar
    {"mastItemList", 1680, 480, 6375, 3135, Widen | GrowWithMaster},
    {"itemCat", 120, 720, 1455, 375, Stay},
    {"Label3", 120, 1320, 975, 255, Stay},
    {"itemSrch", 120, 1560, 1455, 285, Stay},
    {"Label9", 120, 2040, 1455, 255, Stay},
    {"srchStr", 120, 2280, 1455, 285, Stay},
    {"findNext", 120, 2640, 1455, 375, Stay},
    {"findPrev", 120, 3120, 1455, 375, Stay},
    {"Label6", 120, 3720, 855, 255, Drop},
    {"Label5", 1680, 3720, 1215, 255, Drop},
    {"designer", 120, 3960, 1335, 285, Drop},
    {"projNum", 1680, 3960, 1935, 285, Drop},
    {"addItem", 3960, 3840, 1935, 375, Drop},
    {"remItem", 6120, 3840, 1935, 375, Drop | ShiftRight},
    {"Label7", 120, 4320, 1095, 255, Drop},
    {"Label8", 1920, 4320, 735, 255, Drop},
    {"Label11", 2760, 4320, 1575, 255, Drop},
    {"letMonth", 120, 4560, 1335, 315, Drop},
    {"addCat", 1650, 4560, 285, 315, Drop},
    {"catNum", 1920, 4560, 735, 315, Drop},
    {"catDesc", 2760, 4560, 5295, 315, Drop | Widen},
    {"Shape3", 120, 5040, 7185, 255, Drop | Widen},
    {"Label2", 120, 5040, 1575, 255, Drop},
    {"projFileN", 1920, 5040, 5295, 255, Drop | Widen},
    {"printProjList", 7320, 5040, 735, 255, Drop | ShiftRight},
    {"projItemDB", 120, 5280, 7935, 1815, Drop | Widen | GrowWithProject},
};

template <typename W>
W* place(QWidget& parent, const QString& name) {
    auto* widget = new W(&parent);
    widget->setObjectName(name);
    return widget;
}

QLabel* label(QWidget& parent, const QString& name, const QString& caption) {
    auto* widget = place<QLabel>(parent, name);
    widget->setText(caption);
    return widget;
}

template <typename W>
W* control(QWidget& parent, const QString& name, const QString& tooltip,
           const QString& accessibleName) {
    auto* widget = place<W>(parent, name);
    widget->setToolTip(tooltip);
    widget->setAccessibleDescription(tooltip);
    widget->setAccessibleName(accessibleName);
    return widget;
}

QPushButton* button(QWidget& parent, const QString& name, const QString& caption,
                    const QString& tooltip) {
    auto* widget = control<QPushButton>(parent, name, tooltip, QString(caption).remove(u'&'));
    widget->setText(caption);
    widget->setAutoDefault(true);  // Enter on a focused button presses it
    return widget;
}

// A dark-blue title bar with readable labels on it.
QFrame* titleBar(QWidget& parent, const QString& name) {
    auto* bar = place<QFrame>(parent, name);
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    bar->setPalette(palette);
    return bar;
}

void onTitleBar(QLabel* label, double pointSize) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    QFont font = label->font();
    font.setPointSizeF(pointSize);
    label->setFont(font);
}

// The platform's keys for a command; where a platform has none (Save As and Quit on some), the
// ones desktop users know from elsewhere.
QList<QKeySequence> standardShortcuts(QKeySequence::StandardKey key) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty() && key == QKeySequence::SaveAs) {
        keys.append(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    } else if (keys.isEmpty() && key == QKeySequence::Quit) {
        keys.append(QKeySequence(Qt::CTRL | Qt::Key_Q));
    }
    return keys;
}

void setUpGrid(QTableView* grid) {
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int rowHeight = grid->fontMetrics().height() + 4;
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->verticalHeader()->setMinimumSectionSize(rowHeight);
    grid->horizontalHeader()->setFixedHeight(rowHeight + 2);
}

}  // namespace

void MainFormWidgets::build(QMainWindow& window, QWidget& client) {
    mnuLine = place<QFrame>(client, u"mnuLine"_s);
    mnuLine->setFrameShape(QFrame::HLine);

    engMet = control<QComboBox>(
        client, u"engMet"_s,
        u"Select Metric or English to change the source of the Master Item List"_s, u"Units"_s);
    engMet->addItems({u"English"_s, u"Metric"_s});

    Shape4 = titleBar(client, u"Shape4"_s);
    Label1 = label(client, u"Label1"_s, u"Master Item List"_s);
    onTitleBar(Label1, 9.75);
    mastRevDate = label(client, u"mastRevDate"_s, QString());
    onTitleBar(mastRevDate, 8.25);

    mastItemList = control<QTableView>(
        client, u"mastItemList"_s, u"Double click on an item to add it to the Project Item List"_s,
        u"Master Item List"_s);
    setUpGrid(mastItemList);
    mastItemList->setSelectionBehavior(QAbstractItemView::SelectRows);
    mastItemList->setSelectionMode(QAbstractItemView::SingleSelection);
    mastItemList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mastItemList->verticalHeader()->hide();

    itemCat = button(
        client, u"itemCat"_s, u"&Sections"_s,
        u"Click here to select an Item Category you want to jump to in the Master Item List"_s);
    Label3 = label(client, u"Label3"_s, u"&Item Search:"_s);
    itemSrch = control<QLineEdit>(
        client, u"itemSrch"_s,
        u"Enter an Item Number here to jump to that item in the Master Item List"_s,
        u"Item Search:"_s);
    Label9 = label(client, u"Label9"_s, u"&Description Search:"_s);
    srchStr = control<QLineEdit>(client, u"srchStr"_s,
                                 u"Text to Search for in Description Field of Master Item List"_s,
                                 u"Description Search:"_s);
    findNext =
        button(client, u"findNext"_s, u"Find &Next"_s, u"Find the Next Occurance of Search Text"_s);
    findPrev = button(client, u"findPrev"_s, u"Find &Previous"_s,
                      u"Find the Previous Occurance of Search Text"_s);

    Label6 = label(client, u"Label6"_s, u"Desi&gner:"_s);
    Label5 = label(client, u"Label5"_s, u"Project N&umber:"_s);
    designer = control<QLineEdit>(client, u"designer"_s, u"Enter the Name of the Designer here"_s,
                                  u"Designer:"_s);
    projNum = control<QLineEdit>(client, u"projNum"_s, u"Enter the Project Number here"_s,
                                 u"Project Number:"_s);
    projNum->setMaxLength(HeaderFields::kProjectNumberLength);
    addItem = button(client, u"addItem"_s, u"&Add to Project"_s,
                     u"Click here to Add the selected Master Item to the Project Item List"_s);
    remItem = button(client, u"remItem"_s, u"&Remove from Project"_s,
                     u"Click here to Remove the selected item from the Project Item List"_s);

    Label7 = label(client, u"Label7"_s, u"&Letting Month:"_s);
    Label8 = label(client, u"Label8"_s, u"&Category:"_s);
    Label11 = label(client, u"Label11"_s, u"Categor&y Description:"_s);
    letMonth =
        control<QComboBox>(client, u"letMonth"_s,
                           u"Indicate which Month the Letting will be held"_s, u"Letting Month:"_s);
    letMonth->addItems(HeaderFields::monthNames());
    letMonth->setCurrentIndex(-1);
    addCat = button(client, u"addCat"_s, u"+"_s, u"Click here to Increment the Category Number"_s);
    addCat->setAccessibleName(u"Add Category"_s);
    catNum = control<QComboBox>(
        client, u"catNum"_s, u"Indicate for which Category you are Adding Items"_s, u"Category:"_s);
    catDesc = control<QComboBox>(client, u"catDesc"_s,
                                 u"Description of the Category Number displayed to the left"_s,
                                 u"Category Description:"_s);
    catDesc->setEditable(true);
    catDesc->setInsertPolicy(QComboBox::NoInsert);

    Shape3 = titleBar(client, u"Shape3"_s);
    Label2 = label(client, u"Label2"_s, u"Project Item List"_s);
    onTitleBar(Label2, 9.75);
    projFileN = label(client, u"projFileN"_s, QString());
    onTitleBar(projFileN, 8.25);
    printProjList = button(client, u"printProjList"_s, u"Prin&t"_s,
                           u"Click Here to Print the Project Item List"_s);
    projItemDB = control<QTableView>(
        client, u"projItemDB"_s,
        u"List of Project Items.  Click on Column Headings to Change Sort Order"_s,
        u"Project Item List"_s);
    setUpGrid(projItemDB);
    projItemDB->setSelectionMode(QAbstractItemView::SingleSelection);
    projItemDB->setSelectionBehavior(QAbstractItemView::SelectItems);
    projItemDB->setEditTriggers(QAbstractItemView::AnyKeyPressed |
                                QAbstractItemView::DoubleClicked |
                                QAbstractItemView::EditKeyPressed);
    projItemDB->verticalHeader()->setFixedWidth(twips(240));

    // Labels name the boxes beside them for screen readers.
    Label3->setBuddy(itemSrch);
    Label9->setBuddy(srchStr);
    Label6->setBuddy(designer);
    Label5->setBuddy(projNum);
    Label7->setBuddy(letMonth);
    Label8->setBuddy(catNum);
    Label11->setBuddy(catDesc);

    // The Tab key goes down the column of search controls, to the master grid, then through
    // the form's rows in reading order, and last to the project grid.
    QWidget* order[] = {engMet,       itemCat,  itemSrch, srchStr,       findNext,  findPrev,
                        mastItemList, designer, projNum,  addItem,       remItem,   letMonth,
                        addCat,       catNum,   catDesc,  printProjList, projItemDB};
    for (QWidget* widget : order) {
        widget->setFocusPolicy(Qt::StrongFocus);
    }
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }

    QMenuBar* bar = window.menuBar();
    auto menu = [bar](const QString& name, const QString& caption) {
        QMenu* created = bar->addMenu(caption);
        created->setObjectName(name);
        return created;
    };
    auto add = [](QMenu* in, const QString& name, const QString& caption,
                  QKeySequence::StandardKey key = QKeySequence::UnknownKey) {
        QAction* action = in->addAction(caption);
        action->setObjectName(name);
        if (key != QKeySequence::UnknownKey) {
            action->setShortcuts(standardShortcuts(key));
        }
        return action;
    };
    mnuFile = menu(u"mnuFile"_s, u"&File"_s);
    mnuFileNew = add(mnuFile, u"mnuFileNew"_s, u"&New Project"_s, QKeySequence::New);
    mnuFileOpen = add(mnuFile, u"mnuFileOpen"_s, u"&Open Project..."_s, QKeySequence::Open);
    mnuFileRecent = mnuFile->addMenu(u"&Recent Projects"_s);
    mnuFileRecent->setObjectName(u"mnuFileRecent"_s);
    mnuFileSep1 = mnuFile->addSeparator();
    mnuFileSep1->setObjectName(u"mnuFileSep1"_s);
    mnuFileSave = add(mnuFile, u"mnuFileSave"_s, u"&Save Project"_s, QKeySequence::Save);
    mnuFileSaveas =
        add(mnuFile, u"mnuFileSaveas"_s, u"Save Project &As..."_s, QKeySequence::SaveAs);
    mnuFilePrint =
        add(mnuFile, u"mnuFilePrint"_s, u"&Print Quantity Table..."_s, QKeySequence::Print);
    mnuFileSep2 = mnuFile->addSeparator();
    mnuFileSep2->setObjectName(u"mnuFileSep2"_s);
    mnuFileExit = add(mnuFile, u"mnuFileExit"_s, u"E&xit"_s, QKeySequence::Quit);
    mnuEdit = menu(u"mnuEdit"_s, u"&Edit"_s);
    mnuEditUndo = add(mnuEdit, u"mnuEditUndo"_s, u"Undo"_s, QKeySequence::Undo);
    mnuEditRedo = add(mnuEdit, u"mnuEditRedo"_s, u"Redo"_s, QKeySequence::Redo);
    mnuEdit->addSeparator();
    mnuEditFind = add(mnuEdit, u"mnuEditFind"_s, u"&Find"_s, QKeySequence::Find);
    mnuEditFindNext = add(mnuEdit, u"mnuEditFindNext"_s, u"Find &Next"_s, QKeySequence::FindNext);
    mnuEditFindPrev =
        add(mnuEdit, u"mnuEditFindPrev"_s, u"Find &Previous"_s, QKeySequence::FindPrevious);
    mnuEdit->addSeparator();
    mnuEditCheck = add(mnuEdit, u"mnuEditCheck"_s, u"&Check Against Master List..."_s);
    mnuExp = menu(u"mnuExp"_s, u"E&xport"_s);
    mnuExpTrans = add(mnuExp, u"mnuExpTrans"_s, u"&Trns*Port"_s);
    mnuExpRCAD = add(mnuExp, u"mnuExpRCAD"_s, u"&Road CAD"_s);
    mnuExpRCADexcel = add(mnuExp, u"mnuExpRCADexcel"_s, u"Road CAD (&Excel)"_s);
    mnuExpBCAD = add(mnuExp, u"mnuExpBCAD"_s, u"&Bridge CAD"_s);
    stretch(client, twips(kClientWidth), twips(kClientHeight));
}

void MainFormWidgets::stretch(QWidget& client, int clientWidthPx, int clientHeightPx) {
    const int extraWidth = std::max(0, clientWidthPx - twips(kClientWidth));
    const int extraHeight = std::max(0, clientHeightPx - twips(kClientHeight));
    // The project grid, where the day's work is, takes two thirds of the room.
    const int masterExtra = extraHeight / 3;
    const int projectExtra = extraHeight - masterExtra;
    for (const Placement& p : kLayout) {
        QRect rect = twipsRect(p.left, p.top, p.width, p.height);
        if (p.follow & Drop) {
            rect.translate(0, masterExtra);
        }
        if (p.follow & ShiftRight) {
            rect.translate(extraWidth, 0);
        }
        if (p.follow & Widen) {
            rect.setWidth(rect.width() + extraWidth);
        }
        if (p.follow & GrowWithMaster) {
            rect.setHeight(rect.height() + masterExtra);
        }
        if (p.follow & GrowWithProject) {
            rect.setHeight(rect.height() + projectExtra);
        }
        if (auto* widget = client.findChild<QWidget*>(QString::fromLatin1(p.name))) {
            widget->setGeometry(rect);
        }
    }
}

}  // namespace veskplan
