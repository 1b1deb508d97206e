#pragma once

#include <QString>
#include <array>
#include <optional>

namespace veskplan {

class SqliteDb;

// How far the plans of a project are: the sets a designer hands in for review, each with less
// left unknown than the one before, and the final set that goes out for bids.
enum class Milestone { Thirty, Sixty, Ninety, Final };

namespace milestone {

inline constexpr std::array<Milestone, 4> kAll{Milestone::Thirty, Milestone::Sixty,
                                               Milestone::Ninety, Milestone::Final};

// The word a project file, the program data and the command line name a milestone by: "30",
// "60", "90", "final"; and back (blanks and case aside), nothing for a word that names none.
QString code(Milestone milestone);
std::optional<Milestone> fromCode(QStringView code);
// The name the windows and printed forms show: "30%", "60%", "90%", "Final".
QString name(Milestone milestone);

// The milestone is kept in a table of its own, "veskmilestone", one row, beside the item table;
// a file without the table has no milestone. Reading throws Error with the reason for a table
// that cannot be a project's (more than one row, a word that names no milestone).
void writeTable(SqliteDb& db, Milestone milestone);
std::optional<Milestone> readTable(SqliteDb& db);

}  // namespace milestone
}  // namespace veskplan
