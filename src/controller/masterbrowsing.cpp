#include "controller/masterbrowsing.h"

#include "controller/controllertexts.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "master/mastersession.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

MasterBrowsing::MasterBrowsing(MasterSession& master, QString categoryFile, UserPort& port,
                               ViewRequests& requests)
    : master_(master),
      port_(port),
      requests_(requests),
      categories_(master, std::move(categoryFile), port, requests) {
    // A list loaded anew is shown from its top.
    connect(&master_.grid().model(), &QAbstractItemModel::modelReset, this, [this] {
        grid_.reset(master_.list().count());
        tellCurrentRow();
        Q_EMIT requests_.masterTopRowRequested(0);
    });
    grid_.reset(master_.list().count());
}

int MasterBrowsing::currentRow() const {
    return master_.grid().isRow(grid_.currentRow) ? grid_.currentRow : -1;
}

void MasterBrowsing::tellCurrentRow() {
    Q_EMIT currentRowChanged(currentRow(), grid_.selectedRow);
}

void MasterBrowsing::scrollTo(int row) {
    Q_EMIT requests_.masterTopRowRequested(
        MasterGridState::topRowShowing(row, master_.list().count()));
}

void MasterBrowsing::filterItemSearchKey(char16_t& key) {
    const bool digit = key >= u'0' && key <= u'9';
    if (!digit && key != u'-' && key != 8) {
        key = 0;
    }
}

void MasterBrowsing::filterDescriptionSearchKey(char16_t& key) {
    if (key >= u'a' && key <= u'z') {
        key = static_cast<char16_t>(key - 32);
    }
}

void MasterBrowsing::selectRow(int row, bool focusAddItem) {
    grid_.currentRow = row;
    grid_.selectedRow = row;
    master_.setSearchPosition(row);
    tellCurrentRow();
    if (focusAddItem) {
        Q_EMIT requests_.focusRequested(u"addItem"_s);
    }
}

void MasterBrowsing::showFound(const mastersearch::Outcome& outcome, const QString& endReached) {
    master_.setSearchPosition(outcome.searchPosition);
    if (outcome.found >= 0) {
        selectRow(outcome.found);
        Q_EMIT requests_.masterTopRowRequested(outcome.found);
    } else if (outcome.reachedEnd) {
        port_.inform(endReached);
    }
}

void MasterBrowsing::pickRow(int row) {
    if (master_.grid().isRow(row)) {
        selectRow(row);
    }
}

void MasterBrowsing::setCurrentRow(int row) {
    // The highlight goes with the current row, so that what is shown selected is what "Add to
    // Project" takes.
    grid_.currentRow = row;
    grid_.selectedRow = row;
    tellCurrentRow();
}

void MasterBrowsing::jumpToItemNumber(const QString& text) {
    master_.setItemSearchText(text);
    const int row = master_.list().firstRowStartingWith(text);
    if (row >= 0) {
        // The found row is the one "Add to Project" takes, as if it had been clicked; the
        // typing goes on.
        selectRow(row, false);
        scrollTo(row);
    }
}

void MasterBrowsing::itemSearchEntered() {
    Q_EMIT requests_.focusRequested(u"addItem"_s);
}

void MasterBrowsing::goToDescriptionSearch() {
    Q_EMIT requests_.focusRequested(u"srchStr"_s);
}

void MasterBrowsing::setDescriptionSearch(const QString& text) {
    master_.setDescriptionSearchText(text);
}

void MasterBrowsing::findNext() {
    showFound(mastersearch::findNext(master_.list(), master_.searchPosition(),
                                     master_.descriptionSearchText()),
              texts::endOfMasterItems());
}

void MasterBrowsing::findPrevious() {
    showFound(mastersearch::findPrevious(master_.list(), master_.searchPosition(),
                                         master_.descriptionSearchText()),
              texts::beginningOfMasterItems());
}

void MasterBrowsing::browseCategories() {
    const int row = categories_.browse();
    if (row >= 0) {
        scrollTo(row);
    }
}

}  // namespace veskplan
