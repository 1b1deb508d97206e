#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "history/bidrecord.h"
#include "history/columnlayout.h"
#include "history/knownunits.h"

namespace veskplan {

// A bid tabulation, one row per bidder per item per contract, in CSV or a workbook.
class BidFile {
public:
    // Far above a state's yearly tabulation (some 200,000 rows, 30 MB), far below what the
    // memory of a desktop holds as text.
    static constexpr qint64 kMaxBytes = qint64(256) << 20;
    static constexpr qsizetype kMaxRows = 2'000'000;

    // The fields a bid tabulation's columns may give, and those it must give.
    static const std::vector<ColumnLayout::Field>& wantedFields();
    static const std::vector<ColumnLayout::Field>& requiredFields();

    // The heading row of a file, as read() takes it.
    struct Heading {
        QString shownName;  // the file as messages name it
        int line = 0;
        QStringList cells;
    };
    // Throws Error naming the file for a file that cannot be read (or is no text), holds no
    // heading row, or names one heading twice (which no layout mends).
    static Heading heading(const QString& path);
    // Why the headings do not give every required field by name (no column gives one, two give
    // one); nothing when they do, and a file with them needs no layout.
    static std::optional<QString> unrecognised(const QStringList& headings);

    // Whether a bidder is the engineer's estimate ("Engineer's Estimate", in any case, with or
    // without the apostrophe), whose rows some exports carry among the bids.
    static bool isEngineersEstimate(const QString& bidder);

    // What read() found.
    struct Counts {
        int bids = 0;          // handed on
        int estimateRows = 0;  // of the engineer's estimate, left out
    };
    // Hands each bid to `take` in file order. A row whose bidder is the engineer's estimate is
    // no bid: it is counted and left out unread. The first row that cannot be taken throws
    // Error naming the file, its line and the reason; so does a file that cannot be read or
    // whose headings give no item number, unit, quantity, unit price, letting date or contract.
    // A unit is taken as `units` spell it, and one they do not know is a fault of its row.
    static Counts read(const QString& path, const ColumnLayout* layout, const KnownUnits& units,
                       const std::function<void(const BidRecord&)>& take);
};

}  // namespace veskplan
