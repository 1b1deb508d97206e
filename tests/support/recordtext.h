#pragma once

// Records written as one line of text, so that a test compares whole records, or a list of them,
// at once; and the lines of an expected file.

#include <vector>

#include "history/bidrecord.h"
#include "history/publishedprice.h"
#include "support/testfiles.h"

namespace veskplan::test {

// A number to fifteen digits: what the text it was read from said.
inline QString numberText(double value) {
    return QString::number(value, 'g', 15);
}

// "item|description|unit|quantity|price|letting date|contract|rank|Y or N|region"
inline QString text(const BidRecord& b) {
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9|%10")
        .arg(b.itemNumber, b.description, b.unit, numberText(b.quantity), numberText(b.unitPrice),
             b.lettingDate.toString(Qt::ISODate), b.contract, QString::number(b.bidderRank),
             QString(b.lowBidder ? u'Y' : u'N'), b.region);
}

// "item|description|unit|region|price|total quantity|total cost|bids|line", empty for none
inline QString text(const PublishedPrice& p) {
    const auto optional = [](const auto& v) { return v ? numberText(*v) : QString(); };
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
        .arg(p.itemNumber, p.description, p.unit, p.region, numberText(p.averagePrice),
             optional(p.totalQuantity), optional(p.totalCost), optional(p.bids),
             QString::number(p.line));
}

template <typename Record>
QStringList texts(const std::vector<Record>& records) {
    QStringList lines;
    for (const Record& record : records) {
        lines.append(text(record));
    }
    return lines;
}

// The lines of a file of tests/data that are not empty.
inline QStringList dataLines(const QString& name) {
    return QString::fromUtf8(dataFile(name)).split(u'\n', Qt::SkipEmptyParts);
}

}  // namespace veskplan::test
