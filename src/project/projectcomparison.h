#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "project/projectprices.h"
#include "project/projectrecord.h"

namespace veskplan {

// What changed between two milestones of a project: the items added, removed, and changed in
// quantity, category, unit or price. Projects that carry prices compare amounts (quantity times
// the item's own unit price, in cents); projects without compare quantities.
class ProjectComparison {
public:
    enum class Status { Added, Removed, Changed, Same };
    struct Row {
        QString itemNumber;
        QString description;
        QString unit;  // the new project's, else the old one's
        QString oldCategory;
        QString newCategory;
        std::optional<double> oldQuantity;
        std::optional<double> newQuantity;
        std::optional<qint64> oldCents;  // none without a price in that unit
        std::optional<qint64> newCents;
        Status status = Status::Same;
        // The move of the amount in cents, or of the quantity where no amounts are compared.
        double change = 0;
    };

    // An item of one project pairs with the item of the other of the same number and
    // description: in the same category first, then in category order.
    static ProjectComparison compare(const std::vector<ProjectRecord>& oldItems,
                                     const ProjectPrices& oldPrices,
                                     const std::vector<ProjectRecord>& newItems,
                                     const ProjectPrices& newPrices);

    bool comparesAmounts() const { return amounts_; }
    // The rows, those that move the total most first, then in item-number order.
    const std::vector<Row>& rows() const { return rows_; }

    // CSV, UTF-8: the heading, the rows (without the same ones unless `all`), then the total.
    QByteArray toCsv(bool all) const;

private:
    bool amounts_ = false;
    std::vector<Row> rows_;
};

}  // namespace veskplan
