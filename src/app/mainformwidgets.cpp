#include "app/mainformwidgets.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QUndoStack>

#include "app/textrulevalidator.h"
#include "app/twips.h"
#include "controller/formtexts.h"
#include "controller/maincontroller.h"
#include "controller/windowmenus.h"
#include "project/headerfields.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

template <typename W>
W* place(QWidget& parent, const QString& name) {
    auto* widget = new W(&parent);
    widget->setObjectName(name);
    return widget;
}

QLabel* label(QWidget& parent, const QString& name) {
    auto* widget = place<QLabel>(parent, name);
    widget->setText(formText(name).caption);
    return widget;
}

template <typename W>
W* control(QWidget& parent, const QString& name) {
    auto* widget = place<W>(parent, name);
    const FormText text = formText(name);
    widget->setToolTip(text.tooltip);
    widget->setAccessibleDescription(text.tooltip);
    widget->setAccessibleName(text.accessibleName);
    return widget;
}

QPushButton* button(QWidget& parent, const QString& name) {
    auto* widget = control<QPushButton>(parent, name);
    widget->setText(formText(name).caption);
    widget->setAutoDefault(true);  // Enter on a focused button presses it
    return widget;
}

// A dark-blue title bar holding its title and, `gapTwips` after it, a line of information
// that takes the rest of the bar.
QFrame* titleBar(QWidget& parent, const QString& name, QLabel* title, int gapTwips,
                 QLabel* information) {
    auto* bar = place<QFrame>(parent, name);
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    bar->setPalette(palette);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(twips(45), 1, twips(45), 1);
    row->setSpacing(0);
    row->addWidget(title);
    row->addSpacing(twips(gapTwips));
    row->addWidget(information, 1);
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

// A label over the control it names.
QVBoxLayout* captioned(QLabel* caption, QWidget* control) {
    auto* pair = new QVBoxLayout;
    pair->setSpacing(1);
    pair->addWidget(caption);
    pair->addWidget(control);
    pair->addStretch();
    return pair;
}

// At least as wide as the form has it, and never narrower than its contents need: an explicit
// least width would otherwise let the layout cut a caption at a larger font.
void atLeast(QWidget* widget, int widthTwips) {
    widget->setMinimumWidth(std::max(twips(widthTwips), widget->minimumSizeHint().width()));
}

// A button narrower than the style's usual least width, yet as wide as its caption needs.
void fitToCaption(QPushButton* button, int widthTwips) {
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    const int text = button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&'));
    button->setFixedWidth(std::max(twips(widthTwips), text + margin + 2 * frame + 4));
}

// The grids take the room the window has beyond the form's; each keeps at least its heading
// and three rows.
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
    grid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    grid->setMinimumHeight(rowHeight + 2 + 3 * rowHeight + 2 * grid->frameWidth());
}

}  // namespace

void MainFormWidgets::build(QMainWindow& window, QWidget& client, QUndoStack& history) {
    menuSeparator = place<QFrame>(client, u"mnuLine"_s);
    menuSeparator->setFrameShape(QFrame::HLine);
    buildMasterSection(client);
    buildProjectSection(client);
    layOut(client);

    // Labels name the boxes beside them for screen readers.
    itemSearchLabel->setBuddy(itemSrch);
    descriptionSearchLabel->setBuddy(srchStr);
    designerLabel->setBuddy(designer);
    projectNumberLabel->setBuddy(projNum);
    lettingMonthLabel->setBuddy(letMonth);
    categoryLabel->setBuddy(catNum);
    categoryDescriptionLabel->setBuddy(catDesc);

    QWidget* previous = nullptr;
    for (const QString& name : formTabOrder()) {
        auto* widget = client.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
    buildMenus(window, history);
}

void MainFormWidgets::buildMasterSection(QWidget& client) {
    engMet = control<QComboBox>(client, u"engMet"_s);
    engMet->addItems({u"English"_s, u"Metric"_s});
    atLeast(engMet, 1455);

    masterTitleLabel = label(client, u"Label1"_s);
    onTitleBar(masterTitleLabel, 9.75);
    mastRevDate = label(client, u"mastRevDate"_s);
    onTitleBar(mastRevDate, 8.25);
    masterTitleBar = titleBar(client, u"Shape4"_s, masterTitleLabel, 255, mastRevDate);
    masterTitleBar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    mastItemList = control<QTableView>(client, u"mastItemList"_s);
    setUpGrid(mastItemList);
    mastItemList->setSelectionBehavior(QAbstractItemView::SelectRows);
    mastItemList->setSelectionMode(QAbstractItemView::SingleSelection);
    mastItemList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mastItemList->verticalHeader()->hide();

    itemCat = button(client, u"itemCat"_s);
    itemSearchLabel = label(client, u"Label3"_s);
    itemSrch = control<QLineEdit>(client, u"itemSrch"_s);
    itemSrch->setValidator(new TextRuleValidator(&MasterBrowsing::filterItemSearchKey,
                                                 TextRuleValidator::kNoLimit, itemSrch));
    descriptionSearchLabel = label(client, u"Label9"_s);
    srchStr = control<QLineEdit>(client, u"srchStr"_s);
    srchStr->setValidator(new TextRuleValidator(&MasterBrowsing::filterDescriptionSearchKey,
                                                TextRuleValidator::kNoLimit, srchStr));
    findNext = button(client, u"findNext"_s);
    findPrev = button(client, u"findPrev"_s);
}

void MainFormWidgets::buildProjectSection(QWidget& client) {
    designerLabel = label(client, u"Label6"_s);
    projectNumberLabel = label(client, u"Label5"_s);
    designer = control<QLineEdit>(client, u"designer"_s);
    projNum = control<QLineEdit>(client, u"projNum"_s);
    // A longer text is refused whole rather than cut, so a pasted number is never stored
    // short of its end.
    projNum->setValidator(
        new TextRuleValidator(nullptr, HeaderFields::kProjectNumberLength, projNum));
    atLeast(projNum, 1935);
    addItem = button(client, u"addItem"_s);
    atLeast(addItem, 1935);
    remItem = button(client, u"remItem"_s);
    atLeast(remItem, 1935);

    lettingMonthLabel = label(client, u"Label7"_s);
    categoryLabel = label(client, u"Label8"_s);
    categoryDescriptionLabel = label(client, u"Label11"_s);
    letMonth = control<QComboBox>(client, u"letMonth"_s);
    letMonth->addItems(HeaderFields::monthNames());
    letMonth->setCurrentIndex(-1);
    addCat = button(client, u"addCat"_s);
    fitToCaption(addCat, 285);
    catNum = control<QComboBox>(client, u"catNum"_s);
    // The boxes are as wide as the form makes them, whatever entries they are given later.
    catNum->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    catNum->setMinimumContentsLength(2);
    atLeast(catNum, 735);
    catDesc = control<QComboBox>(client, u"catDesc"_s);
    catDesc->setEditable(true);
    catDesc->setInsertPolicy(QComboBox::NoInsert);
    catDesc->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    catDesc->setMinimumContentsLength(12);
    catDesc->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    projectTitleLabel = label(client, u"Label2"_s);
    onTitleBar(projectTitleLabel, 9.75);
    projFileN = label(client, u"projFileN"_s);
    onTitleBar(projFileN, 8.25);
    // A long path is cut at the bar's end rather than widening the window.
    projFileN->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    projectTitleBar = titleBar(client, u"Shape3"_s, projectTitleLabel, 225, projFileN);
    printProjList = button(client, u"printProjList"_s);
    fitToCaption(printProjList, 735);
    projItemDB = control<QTableView>(client, u"projItemDB"_s);
    setUpGrid(projItemDB);
    // Shift with the arrows or a drag takes in several rows, for Copy.
    projItemDB->setSelectionMode(QAbstractItemView::ContiguousSelection);
    projItemDB->setSelectionBehavior(QAbstractItemView::SelectItems);
    projItemDB->setEditTriggers(QAbstractItemView::AnyKeyPressed |
                                QAbstractItemView::DoubleClicked |
                                QAbstractItemView::EditKeyPressed);
    projItemDB->verticalHeader()->setFixedWidth(twips(240));
}

// Two columns: the unit selector, the search controls, the designer and the letting month at
// the left; the master list, the project number with the item buttons, and the category boxes
// at the right; the project list's bar and grid across both. The master grid and the project
// grid share the room beyond the form's own size; struts keep the form's size as the least.
void MainFormWidgets::layOut(QWidget& client) {
    auto* heightStrut = new QHBoxLayout(&client);
    heightStrut->setContentsMargins(0, 0, 0, 0);
    heightStrut->setSpacing(0);
    heightStrut->addStrut(twips(kClientHeight));
    auto* page = new QVBoxLayout;
    page->setSpacing(0);
    page->addStrut(twips(kClientWidth));
    heightStrut->addLayout(page);
    page->addWidget(menuSeparator);
    auto* form = new QGridLayout;
    page->addLayout(form, 1);
    const int margin = twips(120);
    form->setContentsMargins(margin, std::max(0, twips(240) - menuSeparator->sizeHint().height()),
                             margin, margin);
    form->setHorizontalSpacing(twips(105));
    form->setVerticalSpacing(0);
    auto gap = [form](int row, int heightTwips) {
        form->addItem(
            new QSpacerItem(0, twips(heightTwips), QSizePolicy::Minimum, QSizePolicy::Fixed), row,
            0);
    };

    // The column is as wide as its captions; the boxes in it take that width.
    for (QLineEdit* box : {itemSrch, srchStr, designer}) {
        box->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    }
    auto* search = new QVBoxLayout;
    search->setSpacing(0);
    search->addWidget(engMet);
    search->addSpacing(twips(165));
    search->addWidget(itemCat);
    search->addSpacing(twips(225));
    search->addWidget(itemSearchLabel);
    search->addWidget(itemSrch);
    search->addSpacing(twips(195));
    search->addWidget(descriptionSearchLabel);
    search->addWidget(srchStr);
    search->addSpacing(twips(75));
    search->addWidget(findNext);
    search->addSpacing(twips(105));
    search->addWidget(findPrev);
    search->addStretch();
    form->addLayout(search, 0, 0);
    auto* master = new QVBoxLayout;
    master->setSpacing(0);
    master->addWidget(masterTitleBar);
    master->addWidget(mastItemList, 1);
    form->addLayout(master, 0, 1);

    gap(1, 105);
    form->addLayout(captioned(designerLabel, designer), 2, 0);
    auto* items = new QHBoxLayout;
    items->setSpacing(0);
    items->addLayout(captioned(projectNumberLabel, projNum));
    items->addSpacing(twips(345));
    items->addWidget(addItem);
    items->addSpacerItem(
        new QSpacerItem(twips(225), 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    items->addWidget(remItem);
    form->addLayout(items, 2, 1);

    gap(3, 75);
    form->addLayout(captioned(lettingMonthLabel, letMonth), 4, 0);
    auto* categories = new QGridLayout;
    categories->setSpacing(0);
    categories->setVerticalSpacing(1);
    categories->addWidget(categoryLabel, 0, 1);
    categories->addWidget(categoryDescriptionLabel, 0, 3);
    categories->addWidget(addCat, 1, 0);
    categories->addWidget(catNum, 1, 1);
    categories->setColumnMinimumWidth(2, twips(105));
    categories->addWidget(catDesc, 1, 3);
    categories->setColumnStretch(3, 1);
    categories->setRowStretch(2, 1);
    form->addLayout(categories, 4, 1);

    gap(5, 165);
    auto* projectBar = new QHBoxLayout;
    projectBar->setSpacing(twips(15));
    projectBar->addWidget(projectTitleBar, 1);
    projectBar->addWidget(printProjList);
    form->addLayout(projectBar, 6, 0, 1, 2);
    form->addWidget(projItemDB, 7, 0, 1, 2);

    form->setColumnStretch(1, 1);
    form->setRowStretch(0, 1);
    form->setRowStretch(7, 1);
}

int MainFormWidgets::clientHeightShowingProjectRows(QWidget& client, int width, int rows,
                                                    int limit) const {
    const int need = projItemDB->horizontalHeader()->height() +
                     rows * projItemDB->verticalHeader()->defaultSectionSize() +
                     2 * projItemDB->frameWidth();
    // The grid grows with the client's height; the layout itself says how much.
    int low = client.minimumSizeHint().height();
    int high = std::max(low, limit);
    while (low < high) {
        const int height = (low + high) / 2;
        client.layout()->setGeometry(QRect(0, 0, width, height));
        if (projItemDB->height() >= need) {
            high = height;
        } else {
            low = height + 1;
        }
    }
    return low;
}

void MainFormWidgets::buildMenus(QMainWindow& window, QUndoStack& history) {
    using Kind = MenuEntry::Kind;
    for (const WindowMenu& described : windowMenus()) {
        QMenu* menu = window.menuBar()->addMenu(described.caption);
        menu->setObjectName(described.name);
        menus_.insert(described.name, menu);
        for (const MenuEntry& entry : described.entries) {
            if (entry.kind == Kind::Separator) {
                menu->addSeparator();
                continue;
            }
            if (entry.kind == Kind::RecentProjects) {
                QMenu* recent = menu->addMenu(entry.caption);
                recent->setObjectName(entry.name);
                menus_.insert(entry.name, recent);
                continue;
            }
            // A command of a submenu goes into it, made as its first command comes.
            QMenu* target = menu;
            if (!entry.submenu.isEmpty()) {
                target = menus_.value(entry.submenu);
                if (!target) {
                    target = menu->addMenu(entry.submenuCaption);
                    target->setObjectName(entry.submenu);
                    menus_.insert(entry.submenu, target);
                }
            }
            // The history's own actions: their captions name the step and follow the stack.
            QAction* action =
                entry.kind == Kind::Undo   ? history.createUndoAction(target, entry.caption)
                : entry.kind == Kind::Redo ? history.createRedoAction(target, entry.caption)
                                           : new QAction(entry.caption, target);
            target->addAction(action);
            action->setObjectName(entry.name);
            action->setShortcuts(shortcutsOf(entry));
            actions_.insert(entry.name, action);
        }
    }
}

QAction* MainFormWidgets::action(const QString& name) const {
    QAction* found = actions_.value(name);
    Q_ASSERT_X(found != nullptr, "MainFormWidgets::action", qPrintable(name));
    return found;
}

QMenu* MainFormWidgets::menu(const QString& name) const {
    QMenu* found = menus_.value(name);
    Q_ASSERT_X(found != nullptr, "MainFormWidgets::menu", qPrintable(name));
    return found;
}

}  // namespace veskplan
