#pragma once

#include <QObject>
#include <QString>

#include "controller/categorybrowser.h"
#include "controller/mastergridstate.h"
#include "master/mastersearch.h"

namespace veskplan {

class MasterSession;
class UserPort;
class ViewRequests;

// Finding items in the master list: a click on a row, the item-number jump, the description
// search forward and back, and the category browser. The row it leaves current is the one
// "Add to Project" takes. It says when that row moves; which rows are in sight it asks of the
// view.
class MasterBrowsing : public QObject {
    Q_OBJECT

public:
    MasterBrowsing(MasterSession& master, QString categoryFile, UserPort& port,
                   ViewRequests& requests);

    // The key rules of the two search boxes: a key that may not be typed becomes 0; the
    // description search takes upper case.
    static void filterItemSearchKey(char16_t& key);
    static void filterDescriptionSearchKey(char16_t& key);

    // A click on a row: it becomes current and selected, where a search goes on from.
    void pickRow(int row);
    // The user moved the current row (it is highlighted too).
    void setCurrentRow(int row);
    // Typing into "Item Search:": the first item whose number begins with the text is picked.
    void jumpToItemNumber(const QString& text);
    // Enter in "Item Search:" goes on to "Add to Project".
    void itemSearchEntered();
    // Find moves to "Description Search:".
    void goToDescriptionSearch();
    void setDescriptionSearch(const QString& text);
    void findNext();
    void findPrevious();
    // "Sections": the category browser, then the first item of the chosen category.
    void browseCategories();
    CategoryBrowser& categories() { return categories_; }
    const MasterGridState& gridState() const { return grid_; }
    // The row "Add to Project" takes, -1 when there is none.
    int currentRow() const;

Q_SIGNALS:
    // The master grid's current row and its highlighted row (-1: none) moved.
    void currentRowChanged(int current, int highlighted);

private:
    void tellCurrentRow();
    // Brings `row` into sight at the top of the master grid, as far as the last rows allow.
    void scrollTo(int row);
    // Makes `row` the current, selected row of the master grid, where a search goes on.
    void selectRow(int row, bool focusAddItem = true);
    // Shows what a description search found, or tells that it reached the end.
    void showFound(const mastersearch::Outcome& outcome, const QString& endReached);

    MasterSession& master_;
    UserPort& port_;
    ViewRequests& requests_;
    CategoryBrowser categories_;
    MasterGridState grid_;
};

}  // namespace veskplan
