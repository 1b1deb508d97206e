#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "project/projectrecord.h"

namespace veskplan {

// The printed quantity table as lines of characters placed by column: a header, one line per
// item with a quantity column per category and (from two categories on) a row total, and the
// legend of the category descriptions. Drawing it is the painter's business; this is the text.
struct QuantityTable {
    QStringList lines;       // every printed line in order; lines[0] is the empty first line
    bool landscape = false;  // three categories or more do not fit across a portrait page
    int highestCategory = 1;

    // The lines joined with LF, UTF-8, LF after each line.
    QByteArray text() const;

    // Column at which the quantity of `category` starts; the row total stands in the column of
    // category H + 1.
    static int quantityColumn(int category) { return 75 + 12 * (category - 1); }
    // Quantities and totals are right-aligned in fields of this many characters; a longer
    // figure is kept whole and runs on to the right.
    static constexpr int kFieldWidth = 10;

    // Builds the table from records in "BridgeKey" order. `countyName` is the already
    // looked-up name; `categoryDescriptions` entry n - 1 describes category n.
    static QuantityTable build(const QString& projNum, const QString& fileName,
                               const QString& dateText, const QString& countyName,
                               const QString& designer, const QString& letMonth,
                               const QStringList& categoryDescriptions,
                               const std::vector<ProjectRecord>& bridgeOrdered);
};

}  // namespace veskplan
