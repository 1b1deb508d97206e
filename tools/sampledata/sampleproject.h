#pragma once

#include <QString>

namespace veskplan::sampledata {

// Writes the sample project: three categories, header fields and some thirty items of the
// bundled English list with quantities, as a saved project file. Throws on failure.
void writeSampleProject(const QString& path);

}  // namespace veskplan::sampledata
