#pragma once

#include <QDate>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "export/cadexport.h"
#include "export/tabfillexport.h"
#include "export/trnsportexport.h"
#include "files/projectfilecommands.h"
#include "files/unitselector.h"
#include "master/categorytree.h"
#include "print/printcommand.h"
#include "project/categoryeditor.h"
#include "project/gridbinder.h"
#include "project/headereditor.h"
#include "project/itemadder.h"
#include "project/itemeditor.h"
#include "shell/workspace.h"

namespace veskplan {

// The main window without its widgets: every handler of the window, by the control's name, and
// all the state the window shows. The window forwards events here and mirrors the state after
// each `stateChanged`.
class MainController : public QObject {
    Q_OBJECT

public:
    MainController(UserPort& port, Environment environment, QLocale locale,
                   std::function<QDate()> clock);
    ~MainController() override;

    Workspace& workspace() { return ws_; }
    const Workspace& workspace() const { return ws_; }

    // Start-up: configuration, working database, empty project, the English master list.
    // Throws Error when the working database cannot be created.
    void Form_Load();

    // Master item list.
    void engMet_Click(int index);
    void mastItemList_Click(int row);
    void mastItemList_DblClick();
    void mastItemList_RowColChange(int row);
    void mastItemList_Scroll(int topRow);
    static void itemSrch_KeyPress(char16_t& key);
    void itemSrch_Change(const QString& text);
    static void srchStr_KeyPress(char16_t& key);
    void srchStr_Change(const QString& text);
    void findNext_Click();
    void findPrev_Click();
    void itemCat_Click();

    // Category window.
    const CategoryTree& getCat_Load();
    void catTree_NodeClick(const QString& nodeText);
    // True when the window should hide (a category was chosen).
    bool catTree_DblClick() const;
    void getCat_Unload();

    // Project item list.
    void addItem_Click();
    void remItem_Click();
    void projItemDB_HeadClick(int column);
    void projItemDB_RowColChange(int row, int column);
    void catNum_Click(int index);
    void catDesc_Click(int index);
    void catDesc_Change(const QString& text);
    void catDesc_LostFocus();
    void addCat_Click();
    void projNum_Change(const QString& text);
    void designer_Change(const QString& text);
    void letMonth_Click(int index);

    // File menu and closing.
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveas_Click();
    bool mnuFileExit_Click();
    bool Form_Unload();

    // Export menu.
    ExportOutcome mnuExpTrans_Click();
    ExportOutcome mnuExpRCAD_Click();
    ExportOutcome mnuExpBCAD_Click();
    ExportOutcome mnuExpRCADexcel_Click();

    // The "Print" button.
    ExportOutcome printProjList_Click();

    // The pieces, for the command line and the tests.
    ProjectFileCommands& files() { return files_; }
    GridBinder& binder() { return binder_; }
    ItemEditor& itemEditor() { return itemEditor_; }

Q_SIGNALS:
    void stateChanged();

private:
    // Emits stateChanged once when the outermost handler returns.
    class Notify {
    public:
        explicit Notify(MainController& controller);
        ~Notify();

    private:
        MainController& controller_;
    };

    void createWorkingDatabase();
    void selectMasterRow(int row);

    Workspace ws_;
    CategoryEditor categories_;
    HeaderEditor header_;
    UnitSelector units_;
    GridBinder binder_;
    ItemAdder adder_;
    ItemEditor itemEditor_;
    ProjectFileCommands files_;
    TrnsportExport trnsport_;
    CadExport cad_;
    TabfillExport tabfill_;
    PrintCommand print_;
    std::optional<CategoryTree> categoryTree_;
    int notifyDepth_ = 0;
};

}  // namespace veskplan
