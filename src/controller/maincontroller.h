#pragma once

#include <QDate>
#include <QItemSelectionModel>
#include <QLocale>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "base/apppaths.h"
#include "base/configuration.h"
#include "base/environment.h"
#include "controller/cataloguereport.h"
#include "controller/categorybrowser.h"
#include "controller/commandoutcome.h"
#include "controller/exportcommands.h"
#include "controller/filecommands.h"
#include "controller/filedialogs.h"
#include "controller/printcommand.h"
#include "controller/projectbinding.h"
#include "controller/unitswitch.h"
#include "controller/viewrequests.h"
#include "files/recentprojects.h"
#include "files/recoverystate.h"
#include "files/workingcopy.h"
#include "master/mastersearch.h"
#include "master/mastersession.h"
#include "project/categoryboxes.h"
#include "project/countylookup.h"
#include "project/projectdocument.h"
#include "project/projectgridmodel.h"
#include "project/projectgridstate.h"

namespace veskplan {

class UserPort;

// The main window without its widgets: every handler of the window, by the control's name, and
// the objects whose state the window shows. The window forwards events here and mirrors the
// state after each `stateChanged`. Rows of both grids are the models' rows, counted from 0;
// -1 means none.
class MainController : public QObject {
    Q_OBJECT

public:
    // Creates the working copy of the project. Throws Error when it cannot be created.
    MainController(UserPort& port, Environment environment, QLocale locale,
                   std::function<QDate()> clock);
    ~MainController() override;

    // Start-up: configuration, an empty project, the English master list, and the offer of
    // any unsaved work a crashed run left behind.
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
    const CategoryTree& getCat_Load() { return categories_.tree(); }
    void catTree_NodeClick(const QString& nodeText) { categories_.pick(nodeText); }
    // True when the window should hide (a category was chosen).
    bool catTree_DblClick() const { return categories_.picked(); }
    void getCat_Unload() { categories_.close(); }

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

    // Edit menu: the undo stack of the project.
    void mnuEditUndo_Click();
    void mnuEditRedo_Click();

    // File menu and closing.
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveas_Click();
    bool mnuFileExit_Click();
    bool Form_Unload();

    // A project named on the command line, dropped on the window or picked among the recent
    // projects, opened as File > Open opens it.
    void openProject(const QString& path);
    QStringList recentProjects() const { return recent_.paths(); }

    // Edit menu: the catalogue comparison of the project against the master list, in a window
    // of its own; a double click on one of its rows selects the item in the project grid.
    void mnuEditCheck_Click();
    void catalogueRow_DblClick(int row);
    CatalogueReport& catalogueReport() { return report_; }

    // Edit menu: Find moves to "Description Search:"; Enter in the search boxes.
    void mnuEditFind_Click();
    void itemSrch_Return();
    void srchStr_Return();
    // A column of the project grid was resized by the user (width in twips).
    void projItemDB_ColumnResized(int column, int widthTwips);

    // Export menu and the "Print" button.
    CommandOutcome mnuExpTrans_Click();
    CommandOutcome mnuExpRCAD_Click();
    CommandOutcome mnuExpBCAD_Click();
    CommandOutcome mnuExpRCADexcel_Click();
    CommandOutcome printProjList_Click();

    // What the windows show.
    const MasterSession& master() const { return master_; }
    MasterGridModel& masterModel() { return master_.grid().model(); }
    ProjectDocument& document() { return *document_; }
    const ProjectDocument& document() const { return *document_; }
    ProjectGridModel& projectModel() { return *projectModel_; }
    // The project grid's current cell and selection, shared with the grid's view.
    QItemSelectionModel& projectSelection() { return *projectSelection_; }
    // The row of the project grid's current cell, -1 when there is none.
    int currentProjectRow() const;
    const ProjectGridState& projectGrid() const { return grid_; }
    const CategoryBoxes& categoryBoxes() const { return boxes_; }
    // Save, Save As and the four exports.
    bool guardedCommandsEnabled() const { return document_->guardedCommandsEnabled(); }
    // "Add to Project" takes the master grid's current row, so it needs one.
    bool addItemEnabled() const { return master_.grid().isRow(master_.grid().currentRow()); }
    const Configuration& config() const { return config_; }
    const AppPaths& paths() const { return paths_; }
    const QString& countyName() const { return county_.name(); }
    FileCommands& files() { return files_; }
    // What the commands ask of the windows besides questions: focus, typing, windows of their own.
    ViewRequests& requests() { return requests_; }
    ProjectBinding& binding() { return binding_; }

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

    // Makes `row` the current, selected row of the master grid, where a search goes on.
    void selectMasterRow(int row, bool focusAddItem = true);
    // Shows what a description search found, or tells that it reached the end.
    void showFound(const mastersearch::Outcome& outcome, const QString& endReached);
    void addCurrentMasterItem();
    // After an Open whose revision check ran: the comparison, shown when it finds changes.
    void reportChangesAfterOpen();
    void showCatalogueReport();
    bool editProjectCell(int row, int column, const QString& text);
    // Makes this cell of the project grid current and its row the selection.
    void showProjectCell(int row, int column);

    UserPort& port_;
    ViewRequests requests_;
    Environment env_;
    AppPaths paths_;
    Configuration config_;
    QLocale locale_;
    std::function<QDate()> today_;
    std::unique_ptr<WorkingCopy> workingCopy_;

    MasterSession master_;
    std::unique_ptr<ProjectDocument> document_;
    std::unique_ptr<ProjectGridModel> projectModel_;
    std::unique_ptr<QItemSelectionModel> projectSelection_;
    ProjectGridState grid_;
    CategoryBoxes boxes_;
    FileDialogs dialogs_;
    CountyLookup county_;
    RecentProjects recent_;

    UnitSwitch units_;
    ProjectBinding binding_;
    RecoveryWriter recovery_;
    FileCommands files_;
    ExportCommands exports_;
    PrintCommand print_;
    CatalogueReport report_;
    CategoryBrowser categories_;
    int notifyDepth_ = 0;
};

}  // namespace veskplan
