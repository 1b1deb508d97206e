#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "history/bidrecord.h"
#include "history/columnlayout.h"

namespace veskplan {

// A bid tabulation, one row per bidder per item per contract, in CSV or a workbook.
class BidFile {
public:
    // Far above a state's yearly tabulation (some 200,000 rows, 30 MB), far below what the
    // memory of a desktop holds as text.
    static constexpr qint64 kMaxBytes = qint64(256) << 20;
    static constexpr qsizetype kMaxRows = 2'000'000;

    // Hands each bid to `take` in file order and returns how many there were. The first row
    // that cannot be taken throws Error naming the file, its line and the reason; so does a
    // file that cannot be read or whose headings give no item number, unit, quantity, unit
    // price, letting date or contract.
    // The fields a bid tabulation's columns may give, and those it must give.
    static const std::vector<ColumnLayout::Field>& wantedFields();
    static const std::vector<ColumnLayout::Field>& requiredFields();

    static int read(const QString& path, const ColumnLayout* layout,
                    const std::function<void(const BidRecord&)>& take);
};

}  // namespace veskplan
