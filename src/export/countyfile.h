#pragma once

#include <QString>

namespace veskplan::countyfile {

// The county number a project number carries in its last two characters ("...03" is 3,
// "...-5" is 5, "...7)" is 7, "...A3" is 0).
int countyNumber(const QString& projectNumber);

// Looks up the county name for a project number in the county file (line N names county N).
// No project number, or county 0, keeps `previous`; a missing file or one without line N
// gives an empty name.
QString lookUp(const QString& countyFilePath, const QString& projectNumber,
               const QString& previous);

}  // namespace veskplan::countyfile
