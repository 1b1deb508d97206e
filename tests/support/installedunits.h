#pragma once

#include "history/knownunits.h"
#include "master/masterlistfile.h"

namespace veskplan::test {

// The units of the master lists installed with the program.
inline const KnownUnits& installedUnits() {
    static const KnownUnits units(
        MasterListFile::unitsIn(QStringLiteral(VESKPLAN_SOURCE_DIR "/data")));
    return units;
}

}  // namespace veskplan::test
