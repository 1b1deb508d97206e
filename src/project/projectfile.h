#pragma once

#include <QString>
#include <vector>

#include "project/projectprices.h"
#include "project/projectrecord.h"
#include "project/takeoffimportrecord.h"

namespace veskplan {

// Project files on disk: reading one defensively before it replaces the working table, and
// writing the working database to one without ever leaving a half-written file.
namespace projectfile {

// Reads every row of a project file. Throws Error naming the file and the reason when it is
// missing, not a SQLite database, damaged, lacks the table or a column, holds triggers or
// views, holds a value of the wrong kind or two rows with the same key. Nothing is changed.
std::vector<ProjectRecord> read(const QString& path);

// A project file's rows and the prices and the last take-off import it keeps beside them.
struct Contents {
    std::vector<ProjectRecord> records;
    ProjectPrices prices;
    TakeoffImportRecord takeoff;
};
// Reads the rows as read() does, the prices and the last take-off import: none for a file
// without their tables. A table that cannot be a project's is refused as the rows are.
Contents readWithPrices(const QString& path);

// Refuses rows read from a project file that cannot be a project (an item outside the categories
// 01 to 99, a quantity that is no number, two rows with one key, more than 99 category rows):
// throws an Error whose message is the reason alone, for a message that names the file.
void checkRecords(const std::vector<ProjectRecord>& records);

// Writes a project file holding the items and then the special rows, through a temporary file
// in the same directory that is renamed over `target`, so a failure leaves the old file whole.
// The prices of the items written go into a table of their own, and the last take-off import
// into its own. Throws Error naming the file.
void write(const QString& target, const std::vector<ProjectRecord>& items,
           const std::vector<ProjectRecord>& specialRows, const ProjectPrices& prices = {},
           const TakeoffImportRecord& takeoff = {});

}  // namespace projectfile
}  // namespace veskplan
