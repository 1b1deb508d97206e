#pragma once

#include "mdbwriter.h"

#include <QByteArray>

namespace veskplan::mdb {

// Reads a database description (JSON) into the writer's model:
//   {"tables": [{"name": "veskdata",
//                "columns": [{"name": "Cat", "type": "text", "size": 2, "nullable": true,
//                             "compress": true}, ...],
//                "indexes": [{"name": "PrimaryKey", "columns": ["Cat", ...],
//                             "primary": true, "unique": false}, ...],
//                "rows": [["00", ...], ...]}]}
// Column types: text (size = most characters), memo, long, integer, double, boolean. Rows
// hold one value per column in column order; null stands for NULL. Unknown keys are errors,
// so a misspelt option never goes unnoticed. Throws WriteError.
Database parseDescription(const QByteArray& json);

}  // namespace veskplan::mdb
