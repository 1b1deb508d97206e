#include "takeoff/takeoffreview.h"

#include <QHash>
#include <algorithm>
#include <map>
#include <set>

#include "base/csv.h"
#include "base/numbertext.h"
#include "takeoff/takeofftexts.h"
#include "takeoff/unitconversion.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Row = TakeoffReview::Row;
using Status = TakeoffReview::Status;

QString trimmed(QStringView text) {
    return text.trimmed().toString();
}

QString quantityText(const std::optional<double>& quantity) {
    return quantity ? numbertext::shortest(*quantity) : QString();
}

// Where the parts of a new item go: the category its line names, a prefix rule, the default;
// each only when the project has that category.
QString newItemCategory(const TakeoffPart& part, const QString& itemNumber,
                        const CategoryList& categories, const TakeoffLayout& layout,
                        const TakeoffReview::Options& options) {
    const auto held = [&](const std::optional<QString>& category) {
        return category && categories.numbers().contains(*category);
    };
    if (const std::optional<QString> named = layout.categoryOfText(part.categoryText);
        held(named)) {
        return *named;
    }
    if (const std::optional<QString> prefixed = layout.categoryOfPrefix(itemNumber);
        held(prefixed)) {
        return *prefixed;
    }
    return held(options.defaultCategory) ? *options.defaultCategory : QString();
}

}  // namespace

QString TakeoffReview::statusText(Status status) {
    switch (status) {
        case Status::New:
            return texts::statusNew();
        case Status::Changed:
            return texts::statusChanged();
        case Status::Same:
            return texts::statusSame();
        case Status::NotInTakeoff:
            return texts::statusNotInTakeoff();
        case Status::UnitDiffers:
            return texts::statusUnitDiffers();
        case Status::NotInList:
            return texts::statusNotInList();
    }
    return {};
}

bool TakeoffReview::Row::needsDecision() const {
    return status == Status::UnitDiffers || status == Status::NotInList ||
           (status == Status::New && category.isEmpty());
}

std::vector<Row> TakeoffReview::compute(const std::vector<ProjectRecord>& items,
                                        const CategoryList& categories, const MasterList& list,
                                        const TakeoffSum& sum, const TakeoffLayout& layout,
                                        const Options& options) {
    // The project's items by number, each number's in category order.
    QHash<QString, std::vector<const ProjectRecord*>> held;
    for (const ProjectRecord& item : items) {
        held[trimmed(item.itemNumber)].push_back(&item);
    }
    for (auto& records : held) {
        std::sort(records.begin(), records.end(),
                  [](const ProjectRecord* a, const ProjectRecord* b) { return a->cat < b->cat; });
    }
    std::vector<Row> rows;
    std::set<std::pair<QString, QString>> given;  // (number, category) the take-off gives
    for (const TakeoffItem& item : sum.items()) {
        const std::vector<const ProjectRecord*> inProject = held.value(item.itemNumber);
        if (item.masterRow < 0) {
            std::vector<const TakeoffPart*> parts;
            for (const TakeoffPart& part : item.parts) {
                parts.push_back(&part);
            }
            const TakeoffSum::Total total = TakeoffSum::total(parts, item.parts.front().unit);
            Row row;
            row.itemNumber = item.itemNumber;
            row.description = item.description;
            row.unit = total.reportedUnit;
            row.takeoffQuantity = total.reported;
            row.takeoffUnit = total.reportedUnit;
            row.status = Status::NotInList;
            row.parts = item.parts;
            if (!inProject.empty()) {
                row.projectQuantity = inProject.front()->quantity;
                row.category = inProject.front()->cat;
                given.emplace(item.itemNumber, row.category);
            }
            rows.push_back(std::move(row));
            continue;
        }
        std::map<QString, std::vector<const TakeoffPart*>> byCategory;
        for (const TakeoffPart& part : item.parts) {
            QString category;
            if (inProject.size() == 1) {
                category = inProject.front()->cat;
            } else if (!inProject.empty()) {
                category = inProject.front()->cat;
                const std::optional<QString> named = layout.categoryOfText(part.categoryText);
                for (const ProjectRecord* record : inProject) {
                    if (named && record->cat == *named) {
                        category = *named;
                    }
                }
            } else {
                category = newItemCategory(part, item.itemNumber, categories, layout, options);
            }
            byCategory[category].push_back(&part);
        }
        for (const auto& group : byCategory) {
            const QString& category = group.first;  // a lambda below captures it
            const std::vector<const TakeoffPart*>& parts = group.second;
            const auto record =
                std::find_if(inProject.begin(), inProject.end(),
                             [&](const ProjectRecord* r) { return r->cat == category; });
            Row row;
            row.itemNumber = item.itemNumber;
            row.category = category;
            row.masterRow = item.masterRow;
            const bool isHeld = record != inProject.end();
            row.description =
                trimmed(isHeld ? QStringView((*record)->description)
                               : withoutTrailingBlanks(list.description(item.masterRow)));
            row.unit = trimmed(isHeld ? QStringView((*record)->units) : list.unit(item.masterRow));
            const TakeoffSum::Total total = TakeoffSum::total(parts, row.unit);
            row.takeoffQuantity = total.reported;
            row.takeoffUnit = total.reportedUnit;
            row.unrounded = total.converted;
            if (isHeld) {
                row.projectQuantity = (*record)->quantity;
                given.emplace(item.itemNumber, category);
            }
            for (const TakeoffPart* part : parts) {
                row.parts.push_back(*part);
            }
            if (!total.converted) {
                row.status = Status::UnitDiffers;
            } else {
                row.newQuantity = options.rounding.apply(row.unit, *total.converted);
                row.status = !isHeld                                  ? Status::New
                             : row.projectQuantity == row.newQuantity ? Status::Same
                                                                      : Status::Changed;
            }
            rows.push_back(std::move(row));
        }
    }
    for (const ProjectRecord& item : items) {
        const QString number = trimmed(item.itemNumber);
        if (given.count({number, item.cat}) == 0) {
            Row row;
            row.itemNumber = number;
            row.description = trimmed(item.description);
            row.unit = trimmed(item.units);
            row.projectQuantity = item.quantity;
            row.status = Status::NotInTakeoff;
            row.category = item.cat;
            rows.push_back(std::move(row));
        }
    }
    for (Row& row : rows) {
        row.lastImport = options.lastImport.quantityOf(row.category, row.itemNumber);
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        const int byNumber = compareBinary(a.itemNumber, b.itemNumber);
        return byNumber != 0 ? byNumber < 0 : compareBinary(a.category, b.category) < 0;
    });
    return rows;
}

QByteArray TakeoffReview::toCsv(const std::vector<Row>& rows) {
    QByteArray out;
    csv::appendRecord(out, texts::reviewCsvHeading().split(u','), csv::LineEnd::Lf);
    for (const Row& row : rows) {
        csv::appendRecord(
            out,
            {row.itemNumber, row.description, row.unit, quantityText(row.takeoffQuantity),
             row.takeoffUnit, quantityText(row.projectQuantity), quantityText(row.newQuantity),
             statusText(row.status), row.category},
            csv::LineEnd::Lf);
    }
    return out;
}

TakeoffImportRecord TakeoffReview::recordOf(const std::vector<Row>& rows,
                                            const std::vector<TakeoffImportRecord::File>& files) {
    TakeoffImportRecord record;
    for (const TakeoffImportRecord::File& file : files) {
        record.addFile(file);
    }
    for (const Row& row : rows) {
        if (row.newQuantity && row.masterRow >= 0 && !row.category.isEmpty()) {
            record.setQuantity(row.category, row.itemNumber, *row.newQuantity);
        }
    }
    return record;
}

ProjectDocument::EditResult TakeoffReview::apply(ProjectDocument& document,
                                                 const std::vector<Row>& rows,
                                                 const MasterList& list,
                                                 const std::optional<TakeoffImportRecord>& record) {
    std::vector<ProjectRecord> changed;
    std::vector<ProjectRecord> added;
    const RecordStore& store = document.items();
    for (const Row& row : rows) {
        if (row.needsDecision() || !row.newQuantity) {
            continue;
        }
        if (row.status == Status::Changed) {
            for (int i = 0; i < store.recordCount(); ++i) {
                const ProjectRecord& record = store.record(i);
                if (record.cat == row.category && trimmed(record.itemNumber) == row.itemNumber) {
                    ProjectRecord after = record;
                    after.quantity = row.newQuantity;
                    changed.push_back(after);
                }
            }
        } else if (row.status == Status::New && row.masterRow >= 0) {
            added.push_back(ProjectRecord{list.itemNumber(row.masterRow).toString(), row.category,
                                          list.description(row.masterRow).toString(),
                                          list.unit(row.masterRow).toString(), row.newQuantity});
        }
    }
    return document.takeQuantities(changed, added, texts::importQuantitiesStep(), record);
}

}  // namespace veskplan
