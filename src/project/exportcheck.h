#pragma once

#include <QString>
#include <vector>

#include "project/projectrecord.h"

namespace veskplan {

class MasterList;
class QuantityReviews;

// Something to put right, or to look at, before the project's items leave for an export.
struct ExportCheck {
    enum Severity { Error, Warning };
    Severity severity = Error;
    QString itemNumber;  // as stored; empty for a check of the whole project
    QString category;
    QString message;
    int item = -1;  // index into the checked items; -1 for a check of the whole project

    // What was found, as the user reads it: "2101-0100000 (category 01): message", or the
    // message alone for the whole project.
    QString text() const;
};

// Errors: an item marked as missing from the list, or (with a list) missing from it, free-text
// items excepted; a negative quantity; an item number (blanks around it and the mark removed)
// a category holds more than once, free-text items excepted. Warnings: no quantity or a zero
// one; a project number the county cannot be read from, without the county form or whose last
// two characters name no county (so the county would be empty); no letting month (`letMonth`
// outside 0..11). A quantity to review (its unit changed under it) is an error too. The items'
// checks come first, in their order, each item's errors before its warnings; then the
// project's. `list` is null when none is loaded; `reviews` when there are none.
std::vector<ExportCheck> checkBeforeExport(const std::vector<ProjectRecord>& items,
                                           const QString& projectNumber, int letMonth,
                                           const MasterList* list,
                                           const QuantityReviews* reviews = nullptr);

}  // namespace veskplan
