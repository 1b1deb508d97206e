#pragma once

#include <QString>
#include <vector>

#include "history/columnlayout.h"
#include "history/publishedprice.h"

namespace veskplan {

// The rows of a published price file (CSV or .xlsx) in file order: item number, unit and
// average unit price required; description, region, total cost, total quantity and number of
// bids when the file has them. Throws Error naming the file, the line and the reason for the
// first row that cannot be taken.
std::vector<PublishedPrice> readPriceFile(const QString& path,
                                          const ColumnLayout* layout = nullptr);

// A statewide report holds a few thousand items per region.
constexpr qint64 kMaxPriceFileBytes = qint64(64) << 20;
constexpr qsizetype kMaxPriceFileRows = 500'000;

}  // namespace veskplan
