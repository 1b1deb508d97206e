#pragma once

#include <QString>
#include <vector>

#include "shell/projectrecord.h"

namespace veskplan {

class RecordStore;

// Project files on disk: reading one defensively before it replaces the working table, and
// writing the working database to one without ever leaving a half-written file.
namespace projectfile {

// Reads every row of a project file. Throws Error naming the file and the reason when it is
// missing, not a SQLite database, damaged, lacks the table or a column, holds triggers or
// views, or holds a value of the wrong kind. Nothing is changed.
std::vector<ProjectRecord> read(const QString& path);

// Copies the working database to `target` through a temporary file in the same directory that
// is renamed over it, so a failure leaves the old file whole. Throws Error naming the file.
void write(RecordStore& store, const QString& target);

}  // namespace projectfile
}  // namespace veskplan
