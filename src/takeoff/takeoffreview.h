#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "project/categorylist.h"
#include "project/projectdocument.h"
#include "project/projectrecord.h"
#include "project/takeoffimportrecord.h"
#include "takeoff/roundingrules.h"
#include "takeoff/takeofflayout.h"
#include "takeoff/takeoffsum.h"

namespace veskplan {

// What the take-off would do to the project, item by item, before anything changes; and the
// rows the designer accepts put in as one step.
class TakeoffReview {
public:
    enum class Status { New, Changed, Same, NotInTakeoff, UnitDiffers, NotInList };
    static QString statusText(Status status);

    struct Row {
        QString itemNumber;
        QString description;
        QString unit;                           // the item's unit in the project, else in the list
        std::optional<double> takeoffQuantity;  // as reported, in `takeoffUnit`
        QString takeoffUnit;
        std::optional<double> unrounded;  // in `unit`, before the rounding rules
        std::optional<double> projectQuantity;
        std::optional<double> newQuantity;
        std::optional<double> lastImport;  // what the project's last take-off import gave
        Status status = Status::New;
        QString category;  // where the item is or goes; empty when nothing says where
        int masterRow = -1;
        std::vector<TakeoffPart> parts;

        // Whether the row waits for the designer: a unit that does not convert, an item not in
        // the list (never added), a new item nothing puts in a category.
        bool needsDecision() const;
    };

    // Where new items go besides the layout's rules, and how quantities are rounded.
    struct Options {
        std::optional<QString> defaultCategory;
        RoundingRules rounding;
        TakeoffImportRecord lastImport;  // the project's, for each row's figure of then
    };

    // One row per item and category in item-number order. An item the project holds keeps its
    // category (of several, the one the line's category or sheet names, else the first); a new
    // one goes where the line's category or sheet maps it, else where a prefix rule of the
    // layout sends it, else to the default category, each only when the project has it. Every
    // item of the project the take-off does not give stands as "not in take-off".
    static std::vector<Row> compute(const std::vector<ProjectRecord>& items,
                                    const CategoryList& categories, const MasterList& list,
                                    const TakeoffSum& sum, const TakeoffLayout& layout,
                                    const Options& options);

    // The review as CSV: UTF-8, the heading, one line per row, quantities in shortest form.
    static QByteArray toCsv(const std::vector<Row>& rows);

    // What the project remembers of an import of `files` reviewed as `rows`: the quantity the
    // take-off gives each item of the list that has a category, taken or not.
    static TakeoffImportRecord recordOf(const std::vector<Row>& rows,
                                        const std::vector<TakeoffImportRecord::File>& files);

    // Puts the rows in as one undoable step: a changed quantity is set, a new item added with
    // its quantity, and the project remembers `record` as its last import; rows that need a
    // decision and the others change nothing, and no item is ever removed.
    static ProjectDocument::EditResult apply(
        ProjectDocument& document, const std::vector<Row>& rows, const MasterList& list,
        const std::optional<TakeoffImportRecord>& record = std::nullopt);
};

}  // namespace veskplan
