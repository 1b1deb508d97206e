#pragma once

#include <QString>
#include <vector>

#include "project/projectrecord.h"

namespace veskplan {

// Project files of the older kind: an Access (Jet 3 or Jet 4) database holding the table
// "veskdata". They are read, never written; saving one makes a project file of our own.
namespace accessproject {

// Whether this build has the Access reader; without it, read() refuses every file saying so.
bool canRead();

// Whether the file begins as a Jet database does.
bool isAccessDatabase(const QString& path);

// Reads every row of "veskdata" with the checks a project file of our own meets. Text arrives as
// the file stores it: Windows-1252 in Jet 3, UTF-16 (compressed or not) in Jet 4. Throws Error
// naming the file and the reason; nothing is changed.
std::vector<ProjectRecord> read(const QString& path);

}  // namespace accessproject

// Reads a project file of either kind.
std::vector<ProjectRecord> readProjectFile(const QString& path);

}  // namespace veskplan
