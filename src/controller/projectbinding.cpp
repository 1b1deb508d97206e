#include "controller/projectbinding.h"

#include <algorithm>

#include "base/filedate.h"
#include "controller/busycursor.h"
#include "controller/controllertexts.h"
#include "controller/projectediting.h"
#include "controller/unitswitch.h"
#include "controller/userport.h"
#include "master/mastersession.h"
#include "project/itemlines.h"
#include "project/projectdocument.h"
#include "project/revisioncheck.h"
#include "project/specialrows.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A file written by another tool may carry items but no category rows: offer every category
// up to the highest one the items use, so that each item's category can be chosen.
CategoryList categoriesFromItems(const RecordStore& store) {
    const int highest = std::min(itemlines::highestCategory(store.records(IndexOrder::PrimaryKey)),
                                 CategoryList::kLastCategory);
    CategoryList categories;
    for (int n = 1; n <= highest; ++n) {
        categories.append(CategoryList::numberText(n), QString());
    }
    return categories;
}

}  // namespace

void ProjectBinding::bind(const specialrows::ProjectContents& contents, bool checkRevision) {
    BusyCursor busy(busy_);
    document_.bind(contents);
    if (!contents.hadRows) {
        CategoryList first;
        first.append(u"01"_s, QString());
        document_.setCategories(first);
    } else if (contents.categories.count() > 0) {
        document_.setCategories(contents.categories);
    } else {
        document_.setCategories(categoriesFromItems(document_.items()));
    }
    if (contents.unitIndex) {
        const Unit unit = unitAt(*contents.unitIndex);
        master_.setLoadedUnit(unit);
        if (master_.unitIndex() != *contents.unitIndex) {
            units_.chooseFromProject(unit);
        }
    }
    // Dates compare as dates: older saves wrote the form of their machine's language.
    revisionChecked_ =
        checkRevision && contents.hadRows && !master_.loadFailed() &&
        filedate::fromText(document_.storedMasterDate(), locale_) != master_.revisionDate();
    if (revisionChecked_) {
        this->checkRevision();
    }
    editing_.pickFirstCategory();
}

void ProjectBinding::checkRevision() {
    try {
        revisioncheck::markItems(document_.items(), master_.list());
    } catch (const DuplicateKeyError&) {
        // Two items of one category would end up with the same number: keep them as stored.
        revisionMessage_ = MessageRequest{
            texts::revisionCheckFailed(texts::duplicateAfterRevision()), texts::appTitle()};
        return;
    } catch (const SqliteError& error) {
        revisionMessage_ =
            MessageRequest{texts::revisionCheckFailed(error.reason()), texts::appTitle()};
        return;
    }
    // The user reads the dates in the form of the machine's language.
    const QString& stored = document_.storedMasterDate();
    const QDate storedDate = filedate::fromText(stored, locale_);
    const QString shownStored =
        storedDate.isValid() ? locale_.toString(storedDate, QLocale::ShortFormat) : stored;
    revisionMessage_ = MessageRequest{
        texts::revisionCheck(shownStored,
                             locale_.toString(master_.revisionDate(), QLocale::ShortFormat)),
        texts::appTitle(), MessageButtons::Ok, MessageIcon::None};
}

void ProjectBinding::tellRevisionCheck() {
    if (const std::optional<MessageRequest> message =
            std::exchange(revisionMessage_, std::nullopt)) {
        port_.showMessage(*message);
    }
}

}  // namespace veskplan
