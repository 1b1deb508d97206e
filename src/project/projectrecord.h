#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

#include "base/fixedcolumntext.h"

namespace veskplan {

// One row of the project item table "veskdata".
struct ProjectRecord {
    QString itemNumber;
    QString cat;
    QString description;
    QString units;  // a null QString stands for NULL
    std::optional<double> quantity;

    bool operator==(const ProjectRecord&) const = default;
};

// The two orders of the table: "PrimaryKey" (category, item number, description) and
// "BridgeKey" (item number, category, description).
enum class IndexOrder { PrimaryKey, BridgeKey };

// Orders text as SQLite's BINARY collation does on UTF-8: by code point.
int compareBinary(QStringView a, QStringView b);

// True when `a` comes before `b` in `order`.
bool recordLess(IndexOrder order, const ProjectRecord& a, const ProjectRecord& b);
// Puts the records in `order`; records already in it are left as they are.
void sortRecords(std::vector<ProjectRecord>& records, IndexOrder order);

}  // namespace veskplan
