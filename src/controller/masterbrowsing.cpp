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
    connect(&master_.grid().model(), &QAbstractItemModel::modelReset, this,
            [this] { grid_.reset(master_.list().count()); });
    grid_.reset(master_.list().count());
}

int MasterBrowsing::currentRow() const {
    return master_.grid().isRow(grid_.currentRow) ? grid_.currentRow : -1;
}

ChangeNotice MasterBrowsing::changeNotice() {
    return {noticeDepth_, [this] { Q_EMIT changed(); }};
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
    master_.setSrchPos(row);
    if (focusAddItem) {
        Q_EMIT requests_.focusRequested(u"addItem"_s);
    }
}

void MasterBrowsing::showFound(const mastersearch::Outcome& outcome, const QString& endReached) {
    master_.setSrchPos(outcome.searchPosition);
    if (outcome.found >= 0) {
        grid_.topRow = outcome.found;
        selectRow(outcome.found);
    } else if (outcome.reachedEnd) {
        port_.inform(endReached);
    }
}

void MasterBrowsing::pickRow(int row) {
    const ChangeNotice notice = changeNotice();
    if (master_.grid().isRow(row)) {
        selectRow(row);
    }
}

void MasterBrowsing::setCurrentRow(int row) {
    const ChangeNotice notice = changeNotice();
    // The highlight goes with the current row, so that what is shown selected is what "Add to
    // Project" takes.
    grid_.currentRow = row;
    grid_.selectedRow = row;
}

void MasterBrowsing::setTopRow(int row) {
    const ChangeNotice notice = changeNotice();
    grid_.topRow = row;
}

void MasterBrowsing::jumpToItemNumber(const QString& text) {
    const ChangeNotice notice = changeNotice();
    master_.setItemSearchText(text);
    const int row = master_.list().firstRowStartingWith(text);
    if (row >= 0) {
        // The found row is the one "Add to Project" takes, as if it had been clicked; the
        // typing goes on.
        grid_.scrollTo(row, master_.list().count());
        selectRow(row, false);
    }
}

void MasterBrowsing::itemSearchEntered() {
    const ChangeNotice notice = changeNotice();
    Q_EMIT requests_.focusRequested(u"addItem"_s);
}

void MasterBrowsing::goToDescriptionSearch() {
    const ChangeNotice notice = changeNotice();
    Q_EMIT requests_.focusRequested(u"srchStr"_s);
}

void MasterBrowsing::setDescriptionSearch(const QString& text) {
    const ChangeNotice notice = changeNotice();
    master_.setDescriptionSearchText(text);
}

void MasterBrowsing::findNext() {
    const ChangeNotice notice = changeNotice();
    showFound(
        mastersearch::findNext(master_.list(), master_.srchPos(), master_.descriptionSearchText()),
        texts::endOfMasterItems());
}

void MasterBrowsing::findPrevious() {
    const ChangeNotice notice = changeNotice();
    showFound(mastersearch::findPrevious(master_.list(), master_.srchPos(),
                                         master_.descriptionSearchText()),
              texts::beginningOfMasterItems());
}

void MasterBrowsing::browseCategories() {
    const ChangeNotice notice = changeNotice();
    const int row = categories_.browse();
    if (row >= 0) {
        grid_.scrollTo(row, master_.list().count());
    }
}

}  // namespace veskplan
