#pragma once

#include "project/takeoffimportrecord.h"

namespace veskplan {

class SqliteDb;

// The last take-off import in a project file: its files in a table of their own,
// "vesktakeofffiles" (name, SHA-256, date), and the quantities it gave in "vesktakeoff"
// (category, item number, quantity), beside the item table. Programs that read only the item
// table see the file as before; a file without these tables remembers no import.
namespace takeofftable {

// Creates the tables and writes the record; nothing for an empty record.
void write(SqliteDb& db, const TakeoffImportRecord& record);
// Reads the record, or an empty one when the file has none. Throws Error with the reason (a
// name or hash that cannot be one, a date that is none, a quantity that is no number, below
// zero or out of range, an item twice, too many rows).
TakeoffImportRecord read(SqliteDb& db);

}  // namespace takeofftable
}  // namespace veskplan
