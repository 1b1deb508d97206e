#pragma once

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

class QMainWindow;
class QUndoStack;

namespace veskplan {

// The controls of the main window in their layouts, with their input rules, and the menus. Their
// words, keys and Tab order come from the controller layer (formtexts.h, windowmenus.h), where
// tests check them without a display. Building them is all this does; MainWindow wires them.
// Each control's object name is the name users and tests know it by; the labels, bars and the
// line, whose object names say nothing of them, have members named for what they are.
struct MainFormWidgets {
    // The form's client area at its smallest, in twips.
    static constexpr int kClientWidth = 8175;
    static constexpr int kClientHeight = 7215;

    QFrame* menuSeparator = nullptr;
    QComboBox* engMet = nullptr;
    QFrame* masterTitleBar = nullptr;
    QLabel* masterTitleLabel = nullptr;
    QLabel* mastRevDate = nullptr;
    QTableView* mastItemList = nullptr;
    QPushButton* itemCat = nullptr;
    QLabel* itemSearchLabel = nullptr;
    QLineEdit* itemSrch = nullptr;
    QLabel* descriptionSearchLabel = nullptr;
    QLineEdit* srchStr = nullptr;
    QPushButton* findNext = nullptr;
    QPushButton* findPrev = nullptr;
    QLabel* designerLabel = nullptr;
    QLabel* projectNumberLabel = nullptr;
    QLineEdit* designer = nullptr;
    QLineEdit* projNum = nullptr;
    QPushButton* addItem = nullptr;
    QPushButton* remItem = nullptr;
    QLabel* lettingMonthLabel = nullptr;
    QLabel* categoryLabel = nullptr;
    QLabel* categoryDescriptionLabel = nullptr;
    QComboBox* letMonth = nullptr;
    QPushButton* addCat = nullptr;
    QComboBox* catNum = nullptr;
    QComboBox* catDesc = nullptr;
    QFrame* projectTitleBar = nullptr;
    QLabel* projectTitleLabel = nullptr;
    QLabel* projFileN = nullptr;
    QPushButton* printProjList = nullptr;
    QTableView* projItemDB = nullptr;

    // Creates every control in layouts on `client` and the menus in the window's menu bar. The
    // client's minimum size is the form's, or more where the captions need it.
    void build(QMainWindow& window, QWidget& client, QUndoStack& history);
    // The height of `client`, at this width, at which the project grid shows `rows` rows, or
    // `limit` if that is not enough.
    int clientHeightShowingProjectRows(QWidget& client, int width, int rows, int limit) const;
    // A command or a menu of the menu bar by its object name.
    QAction* action(const QString& name) const;
    QMenu* menu(const QString& name) const;

private:
    void buildMasterSection(QWidget& client);
    void buildProjectSection(QWidget& client);
    void layOut(QWidget& client);
    void buildMenus(QMainWindow& window, QUndoStack& history);

    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
};

}  // namespace veskplan
