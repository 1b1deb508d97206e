#pragma once

#include <QString>
#include <map>
#include <optional>

#include "project/milestone.h"
#include "project/projectprices.h"

namespace veskplan {

// The agency's contingency for each milestone: the less the plans have settled, the more the
// estimate sets aside. The program data keeps it in a small CSV file the agency edits, a heading
// and one milestone a line:
//
//     Milestone,Contingency
//     30,20
//     final,5
class ContingencyScale {
public:
    static constexpr qint64 kMaxBytes = 4 * 1024;
    static constexpr qsizetype kMaxLines = 64;
    // The agency's scale in the program data directory `dataDir`.
    static QString fileIn(const QString& dataDir);

    // The scale in `path`; an empty scale when there is no such file. Throws Error naming the
    // file, the line and the reason for one that cannot be a scale (a milestone it names twice
    // or not at all, a percentage that is no number or out of range, a wrong heading).
    static ContingencyScale read(const QString& path);

    // Sets a milestone's percentage; false, changing nothing, for a percentage out of range.
    bool set(Milestone milestone, double percent);
    std::optional<double> percentFor(Milestone milestone) const;
    bool isEmpty() const { return percents_.empty(); }

    // The prices an estimate is made with: the contingency as the designer set it, else the
    // percentage of the project's milestone.
    ProjectPrices applyTo(ProjectPrices prices) const;

private:
    std::map<Milestone, double> percents_;
};

}  // namespace veskplan
