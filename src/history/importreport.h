#pragma once

#include <QString>
#include <optional>

namespace veskplan {

// What one file brought into the bid history.
struct ImportReport {
    QString file;  // as shown to the user
    int rows = 0;  // the bids imported
    // Rows of the engineer's estimate the file carries among its bids, left out.
    int estimateRowsSkipped = 0;
    // Bids the history held already, brought by another file (a history on a server keeps each
    // bid once), left out.
    int bidsHeldSkipped = 0;
    // When the same file went in before (a history on a server skips it): the time it did.
    std::optional<QString> importedBefore;
};

}  // namespace veskplan
