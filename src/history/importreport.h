#pragma once

#include <QString>

namespace veskplan {

// What one file brought into the bid history.
struct ImportReport {
    QString file;  // as shown to the user
    int rows = 0;
};

}  // namespace veskplan
