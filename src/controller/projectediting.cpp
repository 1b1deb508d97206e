#include "controller/projectediting.h"

#include "base/numbertext.h"
#include "controller/controllertexts.h"
#include "controller/masterbrowsing.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "master/mastersession.h"
#include "project/projectdocument.h"
#include "project/projecttexts.h"
#include "project/revisioncheck.h"

#include <QRegularExpression>

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

ProjectEditing::ProjectEditing(ProjectDocument& document, const MasterSession& master,
                               const MasterBrowsing& browsing, UserPort& port,
                               ViewRequests& requests, QLocale locale)
    : document_(document),
      master_(master),
      browsing_(browsing),
      port_(port),
      requests_(requests),
      locale_(std::move(locale)),
      model_(std::make_unique<ProjectGridModel>(document_.items(), locale_)),
      grid_(document_.items(), *model_),
      selection_(std::make_unique<QItemSelectionModel>(&grid_.shown())),
      boxes_(document_) {
    model_->followReviews(document_);
    connect(&document_, &ProjectDocument::categoriesChanged, this, [this] {
        boxes_.followCategories();
        Q_EMIT categoriesChanged();
    });
    // Where a change shows: the row it left its item at.
    connect(&document_, &ProjectDocument::itemTouched, this,
            [this](int row) { showCell(row, grid_.currentColumn); });
    // A new order or a new project starts at the first row. A grid view over the same rows
    // clears the current cell again when it hears the reset, after this: its window starts it
    // again once the view has (startAtFirstRowIfNoneCurrent is for both).
    connect(&grid_.shown(), &QAbstractItemModel::modelReset, this,
            &ProjectEditing::startAtFirstRowIfNoneCurrent);
    connect(&document_, &ProjectDocument::bound, this, [this] { grid_.showWorkingOrder(); });
    model_->setCellEditor(
        [this](int row, int column, const QString& text) { return editCell(row, column, text); });
}

ProjectEditing::~ProjectEditing() = default;

int ProjectEditing::currentRow() const {
    return grid_.storeRow(selection_->currentIndex());
}

void ProjectEditing::addCurrentMasterItem() {
    const int row = browsing_.currentRow();
    if (row < 0) {
        return;  // an empty list has no current row
    }
    const MasterList& list = master_.list();
    const ProjectRecord record{list.itemNumber(row).toString(), boxes_.currentNumber(),
                               list.description(row).toString(), list.unit(row).toString(),
                               std::nullopt};
    using Kind = ProjectDocument::EditResult::Kind;
    const ProjectDocument::EditResult result = document_.addItem(record);
    switch (result.kind) {
        case Kind::AlreadyInCategory:
            showCell(result.row, grid_.currentColumn);
            port_.inform(texts::itemAlreadyInCategory());
            return;
        case Kind::AlreadyInProject:
            port_.inform(texts::itemAlreadyInProject());
            break;
        case Kind::Failed:
            port_.inform(texts::itemNotAdded(result.reason));
            break;
        case Kind::Stored:
        case Kind::Refused:
            break;
    }
    grid_.currentColumn = ProjectGridModel::QuantityColumn;
    showCell(result.stored() ? result.row : currentRow(), grid_.currentColumn);
    Q_EMIT requests_.focusRequested(u"projItemDB"_s);
}

void ProjectEditing::removeCurrentItem() {
    warnIfFailed(document_.removeItem(currentRow()));
}

void ProjectEditing::sortByHeading(int column) {
    grid_.headingClicked(column);
}

void ProjectEditing::pickFirstCategory() {
    boxes_.reset();
    boxes_.selectNumber(0);
    Q_EMIT categoriesChanged();
}

void ProjectEditing::setCurrentCell(int row, int column) {
    if (column >= 0 && column < ProjectGridModel::kColumnCount) {
        grid_.currentColumn = column;
    }
    if (document_.items().isRow(row)) {
        showCell(row, grid_.currentColumn);
    }
}

void ProjectEditing::showCell(int row, int column) {
    if (!document_.items().isRow(row)) {
        selection_->clear();
        return;
    }
    const QModelIndex cell = grid_.shownCell(row, column);
    if (cell != selection_->currentIndex()) {
        selection_->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    }
}

void ProjectEditing::startAtFirstRowIfNoneCurrent() {
    if (currentRow() < 0) {
        showCell(grid_.shown().storeRow(0), grid_.currentColumn);
    }
}

bool ProjectEditing::pasteQuantities(const QString& text) {
    const QModelIndex current = selection_->currentIndex();
    if (text.isEmpty()) {
        return false;
    }
    if (!current.isValid() || current.column() != ProjectGridModel::QuantityColumn) {
        port_.inform(texts::pasteOnlyIntoQuantities());
        return false;
    }
    QStringList lines = text.split(QRegularExpression(u"\r\n|\r|\n"_s));
    if (lines.size() > 1 && lines.back().isEmpty()) {
        lines.removeLast();  // the line end after the last value
    }
    // From the current row down, as the grid shows the rows.
    const int first = current.row();
    const int rows = document_.items().recordCount();
    if (lines.size() > rows - first) {
        port_.inform(texts::pastePastLastRow(lines.size(), first + 1, rows));
        return false;
    }
    std::vector<int> storeRows;
    std::vector<std::optional<double>> quantities;
    for (int i = 0; i < lines.size(); ++i) {
        storeRows.push_back(grid_.shown().storeRow(first + i));
        const auto parsed = numbertext::parseQuantity(lines[i], locale_.decimalPoint().at(0));
        if (!parsed.valid) {
            const QString& number = document_.items().record(storeRows.back()).itemNumber;
            port_.inform(texts::pastedQuantityNotANumber(
                lines[i], first + i + 1, revisioncheck::withoutMark(number).trimmed().toString()));
            return false;
        }
        quantities.push_back(parsed.value);
    }
    return stored(document_.setQuantities(storeRows, quantities));
}

bool ProjectEditing::editCell(int row, int column, const QString& text) {
    ProjectDocument::EditResult result;
    if (column == ProjectGridModel::QuantityColumn) {
        const auto parsed = numbertext::parseQuantity(text, locale_.decimalPoint().at(0));
        if (!parsed.valid) {
            port_.inform(texts::quantityNotANumber(text));
            return false;
        }
        result = document_.setQuantity(row, parsed.value);
    } else if (column == ProjectGridModel::DescriptionColumn) {
        result = document_.setFreeTextDescription(row, text);
    } else {
        return false;
    }
    return stored(result);
}

bool ProjectEditing::stored(const ProjectDocument::EditResult& result) {
    using Kind = ProjectDocument::EditResult::Kind;
    switch (result.kind) {
        case Kind::Stored:
            return true;
        case Kind::AlreadyInProject:
            port_.inform(texts::itemAlreadyInProject());
            break;
        case Kind::Failed:
            port_.inform(texts::cellNotSaved(result.reason));
            break;
        case Kind::Refused:
        case Kind::AlreadyInCategory:
            break;
    }
    return false;
}

void ProjectEditing::warnIfFailed(const ProjectDocument::EditResult& result) {
    if (result.kind == ProjectDocument::EditResult::Kind::Failed) {
        port_.warn(result.reason);
    }
}

void ProjectEditing::setProjectNumber(const QString& text) {
    document_.setProjectNumber(text);
}

bool ProjectEditing::acceptPastedProjectNumber(const QString& text) {
    if (text.size() <= HeaderFields::kProjectNumberLength) {
        return true;
    }
    port_.warn(texts::projectNumberTooLong(HeaderFields::kProjectNumberLength));
    return false;
}

void ProjectEditing::setDesigner(const QString& text) {
    document_.setDesigner(text);
}

void ProjectEditing::setLettingMonth(int index) {
    document_.setLettingMonth(index);
}

void ProjectEditing::selectCategory(int index) {
    boxes_.selectNumber(index);
    Q_EMIT categoriesChanged();
}

void ProjectEditing::selectCategoryByDescription(int index) {
    boxes_.selectDescription(index);
    Q_EMIT categoriesChanged();
}

void ProjectEditing::typeCategoryDescription(const QString& text) {
    boxes_.typeDescription(text);
    Q_EMIT categoriesChanged();
}

void ProjectEditing::storeCategoryDescription() {
    boxes_.storeTypedDescription();
    Q_EMIT categoriesChanged();
}

void ProjectEditing::addCategory() {
    const bool added = boxes_.addCategory();
    Q_EMIT categoriesChanged();
    if (!added) {
        port_.inform(texts::lastCategoryReached());
        return;
    }
    // A new category is named next: what the user types goes into its description.
    Q_EMIT requests_.focusRequested(u"catDesc"_s);
}

}  // namespace veskplan
