#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace veskplan {

// How the project's estimate is priced: its price sources and the window of bids. It is kept
// with the project, so that reopening the project prices it as it was priced, in the window and
// on the command line alike. Bid selection and statistic are kept by the words the command line
// takes ("low", "three", "all"; "weighted", "median", "adjusted").
struct EstimateSetup {
    QString historyFile;
    QStringList priceFiles;
    QString indexFile;
    QDate estimateDate, from, to;  // invalid: not chosen
    QString region;
    QString bids;
    QString statistic;
    bool escalate = false;

    bool isEmpty() const { return *this == EstimateSetup(); }
    bool operator==(const EstimateSetup&) const = default;

    // The setup as named values, one a row (each price file a row of its own), and back. A value
    // that does not fit its name is refused with the reason.
    using Values = std::vector<std::pair<QString, QString>>;
    Values values() const;
    static EstimateSetup fromValues(const Values& values);

    // More rows or longer values than a setup can have are refused.
    static constexpr int kMaxValues = 64;
    static constexpr int kMaxValueLength = 4096;
};

}  // namespace veskplan
