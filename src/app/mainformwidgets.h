#pragma once

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

class QMainWindow;

namespace veskplan {

// The controls of the main window, created and placed as the window's layout table says.
// Building them is all this does; behaviour is wired by MainWindow.
struct MainFormWidgets {
    // Client area of the main window, in twips.
    static constexpr int kClientWidth = 8175;
    static constexpr int kClientHeight = 7215;

    QFrame* mnuLine = nullptr;
    QComboBox* engMet = nullptr;
    QFrame* Shape4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* mastRevDate = nullptr;
    QTableView* mastItemList = nullptr;
    QPushButton* itemCat = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* itemSrch = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* srchStr = nullptr;
    QPushButton* findNext = nullptr;
    QPushButton* findPrev = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* designer = nullptr;
    QLineEdit* projNum = nullptr;
    QPushButton* addItem = nullptr;
    QPushButton* remItem = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label11 = nullptr;
    QComboBox* letMonth = nullptr;
    QPushButton* addCat = nullptr;
    QComboBox* catNum = nullptr;
    QComboBox* catDesc = nullptr;
    QFrame* Shape3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* projFileN = nullptr;
    QPushButton* printProjList = nullptr;
    QTableView* projItemDB = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QMenu* mnuFileRecent = nullptr;
    QAction* mnuFileSep1 = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveas = nullptr;
    QAction* mnuFilePrint = nullptr;
    QAction* mnuFileSep2 = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditRedo = nullptr;
    QAction* mnuEditFind = nullptr;
    QAction* mnuEditFindNext = nullptr;
    QAction* mnuEditFindPrev = nullptr;
    QAction* mnuEditCheck = nullptr;
    QMenu* mnuExp = nullptr;
    QAction* mnuExpTrans = nullptr;
    QAction* mnuExpRCAD = nullptr;
    QAction* mnuExpRCADexcel = nullptr;
    QAction* mnuExpBCAD = nullptr;

    // Creates every control on `client` and the menus in the window's menu bar.
    void build(QMainWindow& window, QWidget& client);
    // Places every control for a client area of this size: at the form's own size as the layout
    // table gives, larger with the two grids taking the room.
    static void stretch(QWidget& client, int clientWidthPx, int clientHeightPx);
};

}  // namespace veskplan
