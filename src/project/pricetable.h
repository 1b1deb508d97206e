#pragma once

#include <QString>

#include "project/projectprices.h"

namespace veskplan {

class SqliteDb;

// The prices in a project file: a table of their own, "veskprices", beside the item table, and
// the estimate's percentages in "veskestimate", and how the estimate is priced (its sources and
// window of bids) as named values in "veskestimatesettings". Programs that read only the item table
// see the file as before; a file without these tables has no prices.
namespace pricetable {

// More price rows than a project can hold items are refused.
inline constexpr int kMaxRows = 100000;
inline constexpr int kMaxNoteLength = 2000;

// Creates the tables and writes every price, percentage and estimate setting of `prices`.
void write(SqliteDb& db, const ProjectPrices& prices);
// Reads the prices, or none when the file has no price table. Throws Error with the reason (a
// price that is no number or out of range, an unknown kind, a note too long, too many rows).
ProjectPrices read(SqliteDb& db);

}  // namespace pricetable
}  // namespace veskplan
