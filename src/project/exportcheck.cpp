#include "project/exportcheck.h"

#include <set>
#include <utility>

#include "master/masterlist.h"
#include "project/cataloguecheck.h"
#include "project/cataloguetexts.h"
#include "project/countylookup.h"
#include "project/freetextitem.h"
#include "project/quantityreviews.h"
#include "project/revisioncheck.h"

namespace veskplan {

std::vector<ExportCheck> checkBeforeExport(const std::vector<ProjectRecord>& items,
                                           const QString& projectNumber, int letMonth,
                                           const MasterList* list, const QuantityReviews* reviews) {
    std::vector<ExportCheck> checks;
    std::set<std::pair<QString, QString>> seen;  // category, compared number
    for (size_t position = 0; position < items.size(); ++position) {
        const ProjectRecord& item = items[position];
        auto add = [&](ExportCheck::Severity severity, const QString& message) {
            checks.push_back(
                {severity, item.itemNumber, item.cat, message, static_cast<int>(position)});
        };
        if (!isTypedFreeTextItem(item.itemNumber)) {
            const QString number = cataloguecheck::comparedNumber(item.itemNumber);
            if (item.itemNumber.endsWith(revisioncheck::kMark)) {
                add(ExportCheck::Error, texts::exportItemMarked());
            } else if (list && !list->containsNumber(number)) {
                add(ExportCheck::Error, texts::exportItemNotInList());
            }
            // Items of the free-text group may stand in a category more than once, as adding
            // lets them.
            if (!inFreeTextGroup(item.itemNumber) && !seen.insert({item.cat, number}).second) {
                add(ExportCheck::Error, texts::exportItemRepeated(item.cat));
            }
        }
        if (const auto formerUnit = reviews ? reviews->formerUnit(item) : std::nullopt) {
            add(ExportCheck::Error,
                texts::quantityToReview(*formerUnit, withoutTrailingBlanks(item.units).toString()));
        }
        if (!item.quantity) {
            add(ExportCheck::Warning, texts::exportNoQuantity());
        } else if (*item.quantity < 0) {
            add(ExportCheck::Error, texts::exportNegativeQuantity());
        } else if (*item.quantity == 0) {
            add(ExportCheck::Warning, texts::exportZeroQuantity());
        }
    }
    const CountyLookup::ProjectNumberParts parts = CountyLookup::parts(projectNumber);
    if (!parts.wellFormed || parts.county == 0) {
        checks.push_back({ExportCheck::Warning, {}, {}, texts::exportNoCounty()});
    }
    if (letMonth < 0 || letMonth > 11) {
        checks.push_back({ExportCheck::Warning, {}, {}, texts::exportNoLettingMonth()});
    }
    return checks;
}

QString ExportCheck::text() const {
    if (itemNumber.isEmpty()) {
        return message;
    }
    return revisioncheck::withoutMark(itemNumber).trimmed().toString() +
           QStringLiteral(" (category ") + category + QStringLiteral("): ") + message;
}

}  // namespace veskplan
