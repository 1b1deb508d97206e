#pragma once

#include <optional>
#include <vector>

#include "project/projectrecord.h"

namespace veskplan {

// One line of the quantity files and the printed table: the consecutive records of one item
// number in "BridgeKey" order, each with its category and quantity. Records of the free-text
// item "2599-9999" always stand on lines of their own.
struct ItemLine {
    struct Entry {
        int category = 0;
        std::optional<double> quantity;
    };
    ProjectRecord first;         // the line's first record: item number, description, unit
    std::vector<Entry> entries;  // in record order
    double total = 0;            // sum of the quantities that are not empty
};

namespace itemlines {

// The numeric value of a category text ("01" is 1).
int categoryNumber(const QString& cat);

// The highest category over the records, at least 1.
int highestCategory(const std::vector<ProjectRecord>& records);

// Whether `record` continues a line whose last record had `previousItemNumber`.
bool continuesLine(const QString& previousItemNumber, const ProjectRecord& record);

// Merges records given in "BridgeKey" order into item lines.
std::vector<ItemLine> merge(const std::vector<ProjectRecord>& bridgeOrdered);

}  // namespace itemlines
}  // namespace veskplan
