#pragma once

#include <QString>

namespace veskplan {

// What one file brought into the bid history.
struct ImportReport {
    QString file;  // as shown to the user
    int rows = 0;  // the bids imported
    // Rows of the engineer's estimate the file carries among its bids, left out.
    int estimateRowsSkipped = 0;
};

}  // namespace veskplan
