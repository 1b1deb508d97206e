#include "controller/quantityimport.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "base/error.h"
#include "controller/busycursor.h"
#include "controller/controllertexts.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "history/layoutstore.h"
#include "master/mastersession.h"
#include "project/categoryboxes.h"
#include "project/projectdocument.h"
#include "takeoff/takeofftexts.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;
using Status = TakeoffReview::Status;

QuantityImport::QuantityImport(ProjectDocument& document, const MasterSession& master,
                               const CategoryBoxes& boxes, UserPort& port, BusyIndicator& busy,
                               ViewRequests& requests, QString dataDir,
                               std::function<QDate()> today)
    : document_(document),
      master_(master),
      boxes_(boxes),
      port_(port),
      busy_(busy),
      requests_(requests),
      dataDir_(std::move(dataDir)),
      today_(std::move(today)) {
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
    connect(&document_, &ProjectDocument::takeoffRecordChanged, this, follow);
}

QString QuantityImport::layoutFile() const {
    return TakeoffLayout::keptLayoutsIn(dataDir_);
}

QString QuantityImport::lastImportNote() const {
    const TakeoffImportRecord& last = document_.takeoffRecord();
    if (last.files().empty()) {
        return {};
    }
    QStringList names;
    for (const TakeoffImportRecord::File& file : last.files()) {
        names.append(file.name);
    }
    QString note = texts::lastImportNote(last.files().front().date.toString(Qt::ISODate), names);
    for (qsizetype i = 0; i < hashes_.size(); ++i) {
        if (const TakeoffImportRecord::File* then = last.fileWithHash(hashes_[i])) {
            note += texts::fileUnchanged(QFileInfo(files_[i]).fileName(), then->name);
        }
    }
    return note;
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
    std::optional<Read> read = readFiles(files, layout_);
    if (!read) {
        return;
    }
    files_ = files;
    read_ = std::move(read->files);
    hashes_ = read->hashes;
    const QString current = boxes_.currentNumber();
    defaultCategory_ = current.isEmpty() ? std::nullopt : std::optional<QString>(current);
    recompute(false);
    Q_EMIT requests_.quantityReviewRequested();
}

const CategoryList& QuantityImport::categories() const {
    return document_.categories();
}

TakeoffLayout QuantityImport::layoutFor(const QString& file, const TakeoffLayout& layout,
                                        LayoutStore& store, bool& asked) {
    const TakeoffFile::Heading heading = TakeoffFile::heading(file, layout);
    if (heading.recognised) {
        return layout;
    }
    if (const std::optional<ColumnLayout> kept = store.find(heading.cells)) {
        return layout.withColumns(*kept);
    }
    const std::optional<ColumnLayout> chosen = port_.chooseColumns(
        ColumnMappingRequest{heading.shownName, heading.cells, TakeoffLayout::allFields(),
                             TakeoffLayout::requiredFields(),
                             TakeoffLayout::proposal(heading.cells), texts::takeoffColumnsTitle()});
    if (!chosen) {
        throw Cancelled{};
    }
    TakeoffLayout mapped = layout.withColumns(*chosen);
    try {
        mapped.locate(heading.cells);
    } catch (const TakeoffLayout::ColumnProblem& problem) {
        throw Error(texts::takeoffUnreadable(heading.shownName, heading.line, problem.reason));
    }
    store.remember(heading.cells, *chosen);
    asked = true;
    return mapped;
}

std::optional<QuantityImport::Read> QuantityImport::readFiles(const QStringList& files,
                                                              const TakeoffLayout& layout) {
    Read read;
    try {
        LayoutStore store = LayoutStore::read(layoutFile());
        std::vector<TakeoffLayout> layouts;
        bool asked = false;
        for (const QString& file : files) {
            layouts.push_back(layoutFor(file, layout, store, asked));
        }
        if (asked) {
            QDir().mkpath(dataDir_);
            store.write(layoutFile());
        }
        BusyCursor busy(busy_);
        for (qsizetype i = 0; i < files.size(); ++i) {
            read.files.push_back(TakeoffFile::read(files[i], layouts[size_t(i)]));
            read.hashes.append(TakeoffFile::contentHash(files[i]));
        }
    } catch (const Cancelled&) {
        return std::nullopt;
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
    std::optional<Read> read = readFiles(files_, layout);
    if (!read) {
        return;
    }
    layout_ = std::move(layout);
    read_ = std::move(read->files);
    hashes_ = read->hashes;
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
    options.lastImport = document_.takeoffRecord();
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
    std::vector<TakeoffImportRecord::File> files;
    for (qsizetype i = 0; i < files_.size(); ++i) {
        files.push_back({QFileInfo(files_[i]).fileName(), hashes_[i], today_()});
    }
    const ProjectDocument::EditResult result = TakeoffReview::apply(
        document_, taken, master_.list(), TakeoffReview::recordOf(rows_, files));
    if (!result.stored()) {
        port_.warn(texts::quantitiesNotTaken(result.reason));
        return;
    }
    recompute(false);
    port_.inform(texts::quantitiesTaken(changed, added));
}

}  // namespace veskplan
