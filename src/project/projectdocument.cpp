#include "project/projectdocument.h"

#include "base/numbertext.h"
#include "project/projectgridmodel.h"
#include "project/specialrows.h"

namespace veskplan {

ProjectDocument::ProjectDocument(std::unique_ptr<RecordStore> items, QObject* parent)
    : QObject(parent), items_(std::move(items)) {}

ProjectDocument::~ProjectDocument() = default;

void ProjectDocument::setFile(const QString& fileName, bool untitled) {
    if (fileName == fileName_ && untitled == untitled_) {
        return;
    }
    fileName_ = fileName;
    untitled_ = untitled;
    Q_EMIT fileChanged();
}

void ProjectDocument::setModified(bool modified) {
    if (modified == modified_) {
        return;
    }
    modified_ = modified;
    Q_EMIT modifiedChanged(modified_);
}

bool ProjectDocument::guardedCommandsEnabled() const {
    return items_->recordCount() > 0 || boundFromSavedFile_;
}

void ProjectDocument::setProjectNumber(const QString& text) {
    const QString value = text.left(HeaderFields::kProjectNumberLength);
    if (value == header_.projNum) {
        return;
    }
    header_.projNum = value;
    markModified();
    Q_EMIT headerChanged();
}

void ProjectDocument::setDesigner(const QString& text) {
    if (text == header_.designer) {
        return;
    }
    header_.designer = text;
    markModified();
    Q_EMIT headerChanged();
}

void ProjectDocument::setLettingMonth(int index) {
    const int month = index >= 0 && index < 12 ? index : -1;
    if (month == header_.letMonth) {
        return;
    }
    header_.letMonth = month;
    markModified();
    Q_EMIT headerChanged();
}

bool ProjectDocument::appendCategory() {
    const QString number = categories_.nextNumber();
    if (number.isEmpty()) {
        return false;
    }
    categories_.append(number, QString());
    markModified();
    Q_EMIT categoriesChanged();
    return true;
}

void ProjectDocument::setCategoryDescription(int position, const QString& description) {
    if (!categories_.isPosition(position) ||
        categories_.descriptions().value(position) == description) {
        return;
    }
    categories_.setDescription(position, description);
    Q_EMIT categoriesChanged();
}

ProjectDocument::AddResult ProjectDocument::addItem(const ProjectRecord& record) {
    RecordStore& store = *items_;
    // Free-text items may stand in a category more than once.
    if (!record.itemNumber.startsWith(u"2599") && store.recordCount() > 0) {
        for (int row = 0; row < store.recordCount(); ++row) {
            const ProjectRecord& existing = store.record(row);
            if (existing.itemNumber == record.itemNumber && existing.cat == record.cat) {
                store.setCurrentRow(row);
                return {AddResult::Kind::AlreadyInCategory, {}};
            }
        }
        store.moveLast();
        store.moveNext();  // the walk ends past the last record
    }
    AddResult result;
    try {
        store.append(record);
        itemsChanged();
    } catch (const DuplicateKeyError&) {
        result.kind = AddResult::Kind::AlreadyInProject;
    } catch (const SqliteError& error) {
        result = {AddResult::Kind::Failed, error.message()};
    }
    // The attempt counts as a change even when the table refused it.
    markModified();
    store.moveFirst();
    store.setBookmark(store.lastModified());
    return result;
}

void ProjectDocument::removeCurrentItem() {
    RecordStore& store = *items_;
    if (store.recordCount() > 0 && store.hasCurrent()) {
        store.deleteCurrent();
        store.movePrevious();
        itemsChanged();
        markModified();
    }
    if (store.bof() && store.recordCount() > 0) {
        store.moveFirst();
    }
}

bool ProjectDocument::isCellEditable(int row, int column) const {
    if (row < 0 || row >= items_->recordCount()) {
        return false;
    }
    switch (column) {
        case ProjectGridModel::QuantityColumn:
            return true;
        case ProjectGridModel::DescriptionColumn:
            return isFreeTextItem(items_->record(row).itemNumber);
        default:
            return false;
    }
}

ProjectDocument::EditResult ProjectDocument::editCell(int row, int column, const QString& text,
                                                      QChar decimalPoint) {
    using Kind = EditResult::Kind;
    if (!isCellEditable(row, column)) {
        return {Kind::Refused, {}};
    }
    ProjectRecord record = items_->record(row);
    if (column == ProjectGridModel::QuantityColumn) {
        const auto parsed = numbertext::parseQuantity(text, decimalPoint);
        if (!parsed.valid) {
            return {Kind::NotANumber, {}};
        }
        if (parsed.value == record.quantity) {
            return {};
        }
        record.quantity = parsed.value;
    } else {
        if (text == record.description) {
            return {};
        }
        record.description = text;
    }
    items_->setCurrentRow(row);
    try {
        items_->updateCurrent(record);
    } catch (const DuplicateKeyError&) {
        return {Kind::AlreadyInProject, {}};
    } catch (const SqliteError& error) {
        return {Kind::Failed, error.message()};
    }
    markModified();
    return {};
}

void ProjectDocument::bind(const specialrows::ProjectContents& contents, bool replaceItems) {
    RecordStore& store = *items_;
    if (replaceItems) {
        store.replaceAll(contents.items);
    }
    {
        RecordStore::Batch batch(store);
        store.setIndex(IndexOrder::PrimaryKey);
        store.moveFirst();
        batch.commit();
    }
    header_.projNum = contents.projNum;
    header_.designer = contents.designer;
    if (contents.letMonth) {
        header_.letMonth = *contents.letMonth;
    }
    if (contents.masterDate) {
        storedMasterDate_ = *contents.masterDate;
    }
    boundFromSavedFile_ = contents.hadRows;
    Q_EMIT headerChanged();
}

void ProjectDocument::clearForNewProject() {
    items_->deleteAll();
    itemsChanged();
    const HeaderFields before = header_;
    header_.projNum.clear();
    header_.designer.clear();
    header_.letMonth = -1;
    if (!before.projNum.isEmpty() || !before.designer.isEmpty() || before.letMonth != -1) {
        markModified();  // clearing a field that held a value is a change
    }
    setFile(QString(), true);
    Q_EMIT headerChanged();
}

void ProjectDocument::setCategories(const CategoryList& categories) {
    categories_ = categories;
    Q_EMIT categoriesChanged();
}

bool isFreeTextItem(const QString& itemNumber) {
    return withoutTrailingBlanks(QStringView(itemNumber).left(15)) == u"2599-9999";
}

}  // namespace veskplan
