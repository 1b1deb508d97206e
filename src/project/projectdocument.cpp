#include "project/projectdocument.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <utility>

#include "project/freetextitem.h"
#include "project/projectcommands.h"
#include "project/projecttexts.h"
#include "project/specialrows.h"

namespace veskplan {
using namespace Qt::Literals::StringLiterals;

ProjectDocument::ProjectDocument(std::unique_ptr<RecordStore> items, QObject* parent)
    : QObject(parent), items_(std::move(items)) {
    // However the stack was told to step (its own actions, too), a step the working copy could
    // not take ends the history.
    connect(&undoStack_, &QUndoStack::indexChanged, this, [this] {
        endHistoryAfterAFailure();
        modifiedMayHaveChanged();
    });
    connect(&undoStack_, &QUndoStack::cleanChanged, this, [this] { modifiedMayHaveChanged(); });
}

ProjectDocument::~ProjectDocument() {
    undoStack_.disconnect(this);
    undoStack_.clear();
}

void ProjectDocument::setFile(const QString& fileName, bool untitled) {
    if (fileName == fileName_ && untitled == untitled_) {
        return;
    }
    fileName_ = fileName;
    untitled_ = untitled;
    if (!untitled) {
        importedFrom_.clear();
    }
    Q_EMIT fileChanged();
}

void ProjectDocument::setImportedFrom(const QString& path) {
    if (path != importedFrom_) {
        importedFrom_ = path;
        Q_EMIT fileChanged();
    }
}

void ProjectDocument::setUnitIndex(int index) {
    if (index != unitIndex_) {
        unitIndex_ = index;
        Q_EMIT headerChanged();  // saved with the header rows
    }
}

QString ProjectDocument::displayName() const {
    if (!importedFrom_.isEmpty()) {
        return texts::importedName(QFileInfo(importedFrom_).fileName());
    }
    return fileName_.isEmpty() ? texts::untitled() : QFileInfo(fileName_).fileName();
}

bool ProjectDocument::isModified() const {
    return forcedModified_ || !undoStack_.isClean();
}

void ProjectDocument::setModified(bool modified) {
    forcedModified_ = modified;
    if (!modified) {
        undoStack_.setClean();
    }
    modifiedMayHaveChanged();
}

void ProjectDocument::markSaved(const QString& fileName, const QString& masterDate,
                                const CategoryList& saved) {
    for (int position = 0; position < categories_.count() && position < saved.count(); ++position) {
        const QString& description = categories_.descriptions().value(position);
        const QString& written = saved.descriptions().value(position);
        if (description.isEmpty() && !written.isEmpty()) {
            filledDescriptions_[categories_.numbers()[position]] = written;
        }
    }
    if (!(saved == categories_)) {
        showCategories(saved);
    }
    storedMasterDate_ = masterDate;
    boundFromSavedFile_ = true;
    setFile(fileName, false);
    setModified(false);
    Q_EMIT headerChanged();  // the master date is saved with the header rows
}

void ProjectDocument::modifiedMayHaveChanged() {
    if (isModified() != reportedModified_) {
        reportedModified_ = isModified();
        Q_EMIT modifiedChanged(reportedModified_);
    }
}

bool ProjectDocument::guardedCommandsEnabled() const {
    return items_->recordCount() > 0 || boundFromSavedFile_;
}

void ProjectDocument::changeHeader(HeaderField field, const QString& value) {
    QString before;
    QString step;
    switch (field) {
        case HeaderField::ProjectNumber:
            before = header_.projNum;
            step = texts::changeProjectNumberStep();
            break;
        case HeaderField::Designer:
            before = header_.designer;
            step = texts::changeDesignerStep();
            break;
        case HeaderField::LettingMonth:
            before = QString::number(header_.letMonth);
            step = texts::changeLettingMonthStep();
            break;
    }
    if (before != value) {
        // Typing into one field makes one step.
        undoStack_.push(new ChangeValueCommand<QString>(
            before, value, step, [this, field](const QString& text) { applyHeader(field, text); },
            1 + static_cast<int>(field)));
    }
}

void ProjectDocument::applyHeader(HeaderField field, const QString& value) {
    switch (field) {
        case HeaderField::ProjectNumber:
            header_.projNum = value;
            break;
        case HeaderField::Designer:
            header_.designer = value;
            break;
        case HeaderField::LettingMonth:
            header_.letMonth = value.toInt();
            break;
    }
    Q_EMIT headerChanged();
}

void ProjectDocument::setProjectNumber(const QString& text) {
    changeHeader(HeaderField::ProjectNumber, text.left(HeaderFields::kProjectNumberLength));
}

void ProjectDocument::setDesigner(const QString& text) {
    changeHeader(HeaderField::Designer, text);
}

void ProjectDocument::setLettingMonth(int index) {
    changeHeader(HeaderField::LettingMonth, QString::number(index >= 0 && index < 12 ? index : -1));
}

void ProjectDocument::pushCategories(const CategoryList& after, const QString& step) {
    undoStack_.push(new ChangeValueCommand<CategoryList>(
        categories_, after, step, [this](const CategoryList& value) { applyCategories(value); }));
}

void ProjectDocument::applyCategories(const CategoryList& categories) {
    CategoryList shown = categories;
    for (int position = 0; position < shown.count(); ++position) {
        const auto filled = filledDescriptions_.find(shown.numbers()[position]);
        if (filled != filledDescriptions_.end() && shown.descriptions().value(position).isEmpty()) {
            shown.setDescription(position, filled->second);
        }
    }
    showCategories(shown);
}

void ProjectDocument::showCategories(const CategoryList& categories) {
    categories_ = categories;
    Q_EMIT categoriesChanged();
}

ProjectDocument::EditResult ProjectDocument::appendCategory() {
    const std::optional<QString> number = categories_.nextNumber();
    if (!number) {
        return {EditResult::Kind::Refused};
    }
    CategoryList after = categories_;
    after.append(*number, QString());
    pushCategories(after, texts::addCategoryStep());
    return {};
}

void ProjectDocument::setCategoryDescription(int position, const QString& description) {
    if (!categories_.isPosition(position) ||
        categories_.descriptions().value(position) == description) {
        return;
    }
    CategoryList after = categories_;
    after.setDescription(position, description);
    pushCategories(after, texts::describeCategoryStep());
}

ProjectDocument::EditResult ProjectDocument::addItem(const ProjectRecord& record) {
    RecordStore& store = *items_;
    // Free-text items may stand in a category more than once.
    if (!inFreeTextGroup(record.itemNumber)) {
        for (int row = 0; row < store.recordCount(); ++row) {
            const ProjectRecord& existing = store.record(row);
            if (existing.itemNumber == record.itemNumber && existing.cat == record.cat) {
                return {EditResult::Kind::AlreadyInCategory, {}, row};
            }
        }
    }
    EditResult result = pushItems(std::make_unique<ItemsCommand>(
        *this,
        std::vector<ItemsCommand::Change>{{std::nullopt, record, std::nullopt, std::nullopt}},
        texts::addItemStep()));
    if (result.stored()) {
        result.row = store.rowOfKey(record);
    }
    return result;
}

ProjectDocument::EditResult ProjectDocument::removeItem(int row) {
    if (!items_->isRow(row)) {
        return {EditResult::Kind::Refused};
    }
    const ProjectRecord& removed = items_->record(row);
    return pushItems(std::make_unique<ItemsCommand>(
        *this,
        std::vector<ItemsCommand::Change>{
            {removed, std::nullopt, reviews_.formerUnit(removed), std::nullopt}},
        texts::removeItemStep()));
}

ProjectDocument::EditResult ProjectDocument::pushItems(std::unique_ptr<ItemsCommand> command) {
    try {
        command->execute();
    } catch (const DuplicateKeyError&) {
        return {EditResult::Kind::AlreadyInProject};
    } catch (const SqliteError& error) {
        return {EditResult::Kind::Failed, error.reason()};
    }
    undoStack_.push(command.release());
    return {};
}

ProjectDocument::EditResult ProjectDocument::setQuantity(int row, std::optional<double> quantity) {
    if (!items_->isRow(row) || (quantity && !std::isfinite(*quantity))) {
        return {EditResult::Kind::Refused};
    }
    ProjectRecord after = items_->record(row);
    after.quantity = quantity;
    return changeItem(row, after, texts::editQuantityStep(), std::nullopt);
}

ProjectDocument::EditResult ProjectDocument::setQuantities(
    const std::vector<int>& rows, const std::vector<std::optional<double>>& quantities) {
    if (rows.empty() || rows.size() != quantities.size() ||
        !std::all_of(rows.begin(), rows.end(), [this](int row) { return items_->isRow(row); })) {
        return {EditResult::Kind::Refused};
    }
    std::vector<ItemsCommand::Change> changes;
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::optional<double>& quantity = quantities[i];
        if (quantity && !std::isfinite(*quantity)) {
            return {EditResult::Kind::Refused};
        }
        const ProjectRecord& before = items_->record(rows[i]);
        ProjectRecord after = before;
        after.quantity = quantity;
        // A pasted quantity, like a typed one, confirms a quantity that was to be reviewed.
        const std::optional<QString> review = reviews_.formerUnit(before);
        if (before != after || review) {
            changes.push_back({before, after, review, std::nullopt});
        }
    }
    if (changes.empty()) {
        return {};
    }
    return pushItems(
        std::make_unique<ItemsCommand>(*this, std::move(changes), texts::pasteQuantitiesStep()));
}

ProjectDocument::EditResult ProjectDocument::takeQuantities(
    const std::vector<ProjectRecord>& changed, const std::vector<ProjectRecord>& added,
    const QString& what, const std::optional<TakeoffImportRecord>& record) {
    std::vector<ItemsCommand::Change> changes;
    for (const ProjectRecord& after : changed) {
        const int row = items_->rowOfKey(after);
        if (row < 0 || (after.quantity && !std::isfinite(*after.quantity))) {
            return {EditResult::Kind::Refused};
        }
        const ProjectRecord& before = items_->record(row);
        const std::optional<QString> review = reviews_.formerUnit(before);
        if (before != after || review) {
            changes.push_back({before, after, review, std::nullopt});
        }
    }
    for (const ProjectRecord& record : added) {
        for (int row = 0; row < items_->recordCount(); ++row) {
            const ProjectRecord& existing = items_->record(row);
            if (existing.itemNumber == record.itemNumber && existing.cat == record.cat) {
                return {EditResult::Kind::AlreadyInCategory, {}, row};
            }
        }
        changes.push_back({std::nullopt, record, std::nullopt, std::nullopt});
    }
    if (changes.empty()) {
        return {};
    }
    auto command = std::make_unique<ItemsCommand>(*this, std::move(changes), what);
    if (record && !(*record == takeoffRecord_)) {
        command->alsoApply([this, before = takeoffRecord_, after = *record](bool forward) {
            setTakeoffRecord(forward ? after : before);
        });
    }
    return pushItems(std::move(command));
}

ProjectDocument::EditResult ProjectDocument::changeItem(int row, const ProjectRecord& after,
                                                        const QString& step,
                                                        const std::optional<QString>& review) {
    const ProjectRecord& before = items_->record(row);
    const std::optional<QString> reviewBefore = reviews_.formerUnit(before);
    if (before == after && reviewBefore == review) {
        return {};  // storing the value an item holds is no change
    }
    return pushItems(std::make_unique<ItemsCommand>(
        *this, std::vector<ItemsCommand::Change>{{before, after, reviewBefore, review}}, step));
}

ProjectDocument::EditResult ProjectDocument::setFreeTextDescription(int row,
                                                                    const QString& description) {
    if (!items_->isRow(row) || !isTypedFreeTextItem(items_->record(row).itemNumber)) {
        return {EditResult::Kind::Refused};
    }
    ProjectRecord after = items_->record(row);
    after.description = description;
    return changeItem(row, after, texts::editDescriptionStep(),
                      reviews_.formerUnit(items_->record(row)));
}

ProjectDocument::EditResult ProjectDocument::replaceItems(
    const std::vector<std::pair<ProjectRecord, ProjectRecord>>& changes, const QString& what) {
    std::vector<ItemsCommand::Change> steps;
    for (const auto& [before, after] : changes) {
        const std::optional<QString> reviewBefore = reviews_.formerUnit(before);
        std::optional<QString> reviewAfter = reviewBefore;
        // A quantity measured in another unit is no longer what the designer typed.
        if (!reviewAfter && after.quantity &&
            withoutTrailingBlanks(before.units) != withoutTrailingBlanks(after.units)) {
            reviewAfter = withoutTrailingBlanks(before.units).toString();
        }
        steps.push_back({before, after, reviewBefore, reviewAfter});
    }
    if (steps.empty()) {
        return {};
    }
    return pushItems(std::make_unique<ItemsCommand>(*this, std::move(steps), what));
}

void ProjectDocument::undo() {
    undoStack_.undo();
}

void ProjectDocument::redo() {
    undoStack_.redo();
}

void ProjectDocument::endHistoryAfterAFailure() {
    if (!failedChange_) {
        return;
    }
    const QString reason = *std::exchange(failedChange_, std::nullopt);
    undoStack_.clear();
    forcedModified_ = true;
    modifiedMayHaveChanged();
    Q_EMIT historyEnded(texts::changeNotUndone(reason));
}

void ProjectDocument::itemsChanged(int touchedRow) {
    boundFromSavedFile_ = false;
    Q_EMIT itemTouched(touchedRow);
}

ProjectDocument::EditResult ProjectDocument::setPrice(const ItemKey& key,
                                                      std::optional<ItemPrice> price) {
    if (price && !ProjectPrices::isValidUnitPrice(price->unitPrice)) {
        return {EditResult::Kind::Refused};
    }
    ProjectPrices after = prices_;
    after.set(key, std::move(price));
    return changePrices(after, texts::unitPriceStep());
}

ProjectDocument::EditResult ProjectDocument::setMobilizationPercent(std::optional<double> percent) {
    if (percent && !ProjectPrices::isValidPercent(*percent)) {
        return {EditResult::Kind::Refused};
    }
    ProjectPrices after = prices_;
    after.setMobilizationPercent(percent);
    return changePrices(after, texts::mobilizationStep());
}

ProjectDocument::EditResult ProjectDocument::setContingencyPercent(std::optional<double> percent) {
    if (percent && !ProjectPrices::isValidPercent(*percent)) {
        return {EditResult::Kind::Refused};
    }
    ProjectPrices after = prices_;
    after.setContingencyPercent(percent);
    return changePrices(after, texts::contingencyStep());
}

ProjectDocument::EditResult ProjectDocument::setMilestone(std::optional<Milestone> milestone) {
    ProjectPrices after = prices_;
    after.setMilestone(milestone);
    if (milestone) {
        after.setContingencyPercent(std::nullopt);  // the agency's percentage for it
    }
    return changePrices(after, texts::milestoneStep());
}

void ProjectDocument::setEstimateSetup(const EstimateSetup& setup) {
    if (setup == prices_.estimateSetup()) {
        return;
    }
    // The prices stay as they are when the setup changes back and forth.
    undoStack_.push(new ChangeValueCommand<EstimateSetup>(prices_.estimateSetup(), setup,
                                                          texts::estimateSettingsStep(),
                                                          [this](const EstimateSetup& value) {
                                                              ProjectPrices prices = prices_;
                                                              prices.setEstimateSetup(value);
                                                              applyPrices(prices);
                                                          }));
}

void ProjectDocument::adoptEstimateSetup(const EstimateSetup& setup) {
    ProjectPrices adopted = prices_;
    adopted.setEstimateSetup(setup);
    setPrices(adopted);
}

ProjectDocument::EditResult ProjectDocument::changePrices(const ProjectPrices& after,
                                                          const QString& step) {
    if (!(after == prices_)) {
        // The estimate's setup is not the step's: a setup adopted since stays when it is undone.
        undoStack_.push(new ChangeValueCommand<ProjectPrices>(
            prices_, after, step, [this](const ProjectPrices& value) {
                ProjectPrices prices = value;
                prices.setEstimateSetup(prices_.estimateSetup());
                applyPrices(prices);
            }));
    }
    return {};
}

void ProjectDocument::applyPrices(const ProjectPrices& prices) {
    prices_ = prices;
    Q_EMIT pricesChanged();
}

void ProjectDocument::setPrices(const ProjectPrices& prices) {
    if (!(prices == prices_)) {
        applyPrices(prices);
    }
}

void ProjectDocument::setTakeoffRecord(const TakeoffImportRecord& record) {
    if (!(record == takeoffRecord_)) {
        takeoffRecord_ = record;
        Q_EMIT takeoffRecordChanged();
    }
}

void ProjectDocument::bind(const specialrows::ProjectContents& contents) {
    header_.projNum = contents.projNum;
    header_.designer = contents.designer;
    if (contents.letMonth) {
        header_.letMonth = *contents.letMonth;
    }
    if (contents.masterDate) {
        storedMasterDate_ = *contents.masterDate;
    }
    boundFromSavedFile_ = contents.hadRows;
    undoStack_.clear();
    setQuantityReviews({});
    setPrices(ProjectPrices());  // the file's own prices and record follow the binding
    setTakeoffRecord({});
    Q_EMIT headerChanged();
    Q_EMIT bound();
}

void ProjectDocument::setQuantityReviews(const QuantityReviews& reviews) {
    if (!(reviews == reviews_)) {
        reviews_ = reviews;
        Q_EMIT quantityReviewsChanged();
    }
}

void ProjectDocument::clearForNewProject() {
    items_->deleteAll();
    itemsChanged(-1);
    header_ = HeaderFields();
    storedMasterDate_.clear();
    undoStack_.clear();
    setQuantityReviews({});
    setPrices(ProjectPrices());
    setTakeoffRecord({});
    // Nothing of the last project stays: a new project is as blank as the first one.
    forcedModified_ = false;
    fileName_.clear();
    importedFrom_.clear();
    untitled_ = true;
    CategoryList first;
    first.append(CategoryList::numberText(1), QString());
    setCategories(first);
    modifiedMayHaveChanged();
    Q_EMIT fileChanged();
    Q_EMIT headerChanged();
    Q_EMIT bound();
}

void ProjectDocument::setCategories(const CategoryList& categories) {
    filledDescriptions_.clear();
    showCategories(categories);
}

}  // namespace veskplan
