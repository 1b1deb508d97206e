#pragma once

#include <QString>

namespace veskplan {

class SqliteDb;

// The project file format: a SQLite database with one table, "veskdata", and its two orders.
namespace projectschema {

inline constexpr int kApplicationId = 0x56534B50;  // 'VSKP'
inline constexpr int kUserVersion = 1;
inline constexpr char kFileExtension[] = ".vsk";

// Creates the table and index in an empty database and stamps the file as a project file.
void create(SqliteDb& db);

}  // namespace projectschema
}  // namespace veskplan
