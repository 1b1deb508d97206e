#include "controller/quantityimport.h"

#include <QSet>

#include "base/error.h"
#include "controller/busycursor.h"
#include "controller/controllertexts.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "master/mastersession.h"
#include "project/categoryboxes.h"
#include "project/projectdocument.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;
using Status = TakeoffReview::Status;

QuantityImport::QuantityImport(ProjectDocument& document, const MasterSession& master,
                               const CategoryBoxes& boxes, UserPort& port, BusyIndicator& busy,
                               ViewRequests& requests)
    : document_(document),
      master_(master),
      boxes_(boxes),
      port_(port),
      busy_(busy),
      requests_(requests) {
    // The review follows the project: an edit, an undo or another project changes what the
    // take-off would do.
    const auto follow = [this] {
        if (!read_.empty()) {
            recompute(true);
        }
    };
    connect(&document_, &ProjectDocument::itemTouched, this, follow);
    connect(&document_, &ProjectDocument::bound, this, follow);
    connect(&document_, &ProjectDocument::categoriesChanged, this, follow);
}

bool QuantityImport::isAccepted(int row) const {
    return row >= 0 && row < static_cast<int>(accepted_.size()) && accepted_[row];
}

bool QuantityImport::canAccept(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        return false;
    }
    const Row& at = rows_[row];
    return !at.needsDecision() && (at.status == Status::New || at.status == Status::Changed);
}

void QuantityImport::acceptAll() {
    for (size_t i = 0; i < rows_.size(); ++i) {
        accepted_[i] = canAccept(static_cast<int>(i));
    }
    Q_EMIT acceptanceChanged();
}

void QuantityImport::accept(const std::vector<int>& rows, bool accepted) {
    for (int row : rows) {
        if (canAccept(row)) {
            accepted_[row] = accepted;
        }
    }
    Q_EMIT acceptanceChanged();
}

void QuantityImport::importFiles() {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.title = texts::importQuantitiesTitle();
    request.filters = {texts::takeoffFilter(), texts::allFilesFilter()};
    const QStringList files = port_.chooseFiles(request);
    if (files.isEmpty()) {
        return;
    }
    std::optional<std::vector<TakeoffFile>> read = readFiles(files, layout_);
    if (!read) {
        return;
    }
    files_ = files;
    read_ = std::move(*read);
    const QString current = boxes_.currentNumber();
    defaultCategory_ = current.isEmpty() ? std::nullopt : std::optional<QString>(current);
    recompute(false);
    Q_EMIT requests_.quantityReviewRequested();
}

const CategoryList& QuantityImport::categories() const {
    return document_.categories();
}

std::optional<std::vector<TakeoffFile>> QuantityImport::readFiles(const QStringList& files,
                                                                  const TakeoffLayout& layout) {
    std::vector<TakeoffFile> read;
    try {
        BusyCursor busy(busy_);
        for (const QString& file : files) {
            read.push_back(TakeoffFile::read(file, layout));
        }
    } catch (const Error& error) {
        port_.warn(error.message());
        return std::nullopt;
    }
    return read;
}

std::optional<QString> QuantityImport::askForRules(const QString& title) {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.title = title;
    request.filters = {texts::rulesFilter(), texts::allFilesFilter()};
    return port_.chooseFile(request);
}

void QuantityImport::chooseLayout() {
    const std::optional<QString> file = askForRules(texts::takeoffLayoutTitle());
    if (!file) {
        return;
    }
    TakeoffLayout layout;
    try {
        layout = TakeoffLayout::read(*file);
    } catch (const Error& error) {
        port_.warn(error.message());
        return;
    }
    // The files read so far are read again through it; one it does not fit changes nothing.
    std::optional<std::vector<TakeoffFile>> read = readFiles(files_, layout);
    if (!read) {
        return;
    }
    layout_ = std::move(layout);
    read_ = std::move(*read);
    recompute(true);
}

void QuantityImport::chooseRoundingRules() {
    const std::optional<QString> file = askForRules(texts::roundingRulesTitle());
    if (!file) {
        return;
    }
    try {
        rounding_ = RoundingRules::read(*file);
    } catch (const Error& error) {
        port_.warn(error.message());
        return;
    }
    recompute(true);
}

void QuantityImport::chooseDefaultCategory(const QString& category) {
    if (defaultCategory_ == category) {
        return;
    }
    defaultCategory_ = category;
    recompute(true);
}

void QuantityImport::recompute(bool keepAccepted) {
    // An item stays accepted under another category: the designer accepted the item.
    QSet<QString> acceptedItems;
    for (size_t i = 0; keepAccepted && i < rows_.size(); ++i) {
        if (accepted_[i]) {
            acceptedItems.insert(rows_[i].itemNumber);
        }
    }
    const MasterList& list = master_.list();
    TakeoffSum sum(list);
    for (const TakeoffFile& file : read_) {
        sum.add(file);
    }
    TakeoffReview::Options options;
    options.defaultCategory = defaultCategory_;
    options.rounding = rounding_;
    rows_ = TakeoffReview::compute(document_.items().records(IndexOrder::PrimaryKey),
                                   document_.categories(), list, sum, layout_, options);
    accepted_.assign(rows_.size(), false);
    for (size_t i = 0; i < rows_.size(); ++i) {
        accepted_[i] =
            acceptedItems.contains(rows_[i].itemNumber) && canAccept(static_cast<int>(i));
    }
    Q_EMIT reviewChanged();
}

void QuantityImport::apply() {
    std::vector<Row> taken;
    int changed = 0;
    int added = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (accepted_[i]) {
            taken.push_back(rows_[i]);
            (rows_[i].status == Status::Changed ? changed : added) += 1;
        }
    }
    if (taken.empty()) {
        port_.inform(texts::noQuantitiesAccepted());
        return;
    }
    const ProjectDocument::EditResult result =
        TakeoffReview::apply(document_, taken, master_.list());
    if (!result.stored()) {
        port_.warn(texts::quantitiesNotTaken(result.reason));
        return;
    }
    recompute(false);
    port_.inform(texts::quantitiesTaken(changed, added));
}

}  // namespace veskplan
