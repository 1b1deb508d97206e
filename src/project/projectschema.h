#pragma once

#include <QString>

namespace veskplan {

class SqliteDb;
class SqliteStatement;
struct ProjectRecord;

// The project file format: a SQLite database with one table, "veskdata", and its two orders.
namespace projectschema {

inline constexpr int kApplicationId = 0x56534B50;  // 'VSKP'
inline constexpr int kUserVersion = 1;

// Creates the table and index in an empty database and stamps the file as a project file.
void create(SqliteDb& db);

// Inserts one row; its five values are bound by bindRow.
inline constexpr char kInsertRow[] =
    "INSERT INTO veskdata (\"Item Number\", \"Cat\", \"Description\", \"Units\", \"Quantity\") "
    "VALUES (?, ?, ?, ?, ?)";
// Binds the five fields of a row to parameters 1 to 5. Item number, category and description
// may be empty but are never NULL.
void bindRow(SqliteStatement& statement, const ProjectRecord& record);
// The five fields of every row of a working copy, in stored order; read by readRow.
inline constexpr char kSelectRows[] =
    "SELECT \"Item Number\", \"Cat\", \"Description\", \"Units\", \"Quantity\" FROM veskdata";
// The five fields from columns `first` to `first` + 4 of a selected row, as stored.
ProjectRecord readRow(const SqliteStatement& statement, int first = 0);

}  // namespace projectschema
}  // namespace veskplan
