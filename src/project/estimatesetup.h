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
    // A price source as the project keeps it: the word of its kind ("history" for a bid history,
    // "prices" for a published price file) and where it is (a path, a server's address).
    struct Source {
        QString kind;
        QString location;
        bool operator==(const Source&) const = default;
    };
    // In the order the estimate asks them.
    std::vector<Source> sources;
    QString indexFile;
    QDate estimateDate, from, to;  // invalid: not chosen
    QString region;
    QString bids;
    QString statistic;
    bool escalate = false;

    bool isEmpty() const { return *this == EstimateSetup(); }
    bool operator==(const EstimateSetup&) const = default;

    // The rows a project file keeps price sources in, each named by its kind's word, in the order
    // a kind new to a setup takes its place in (bid histories first). Every kind of price source
    // has its row here: a row not listed is taken for a setting of a later version and passed
    // over when the project is read.
    static const QStringList& sourceRows();

    // The sources of `kind` replaced by those at `locations`, where the first of them was; a kind
    // the setup has none of goes where the project file keeps it (bid histories first).
    void replaceSources(const QString& kind, const QStringList& locations);

    // The setup as named values, one a row (each source a row of its own, in order), and back. A
    // value that does not fit its name is refused with the reason.
    using Values = std::vector<std::pair<QString, QString>>;
    Values values() const;
    static EstimateSetup fromValues(const Values& values);

    // More rows or longer values than a setup can have are refused.
    static constexpr int kMaxValues = 64;
    static constexpr int kMaxValueLength = 4096;
};

}  // namespace veskplan
