#pragma once

#include <QDate>
#include <QStringList>
#include <optional>
#include <variant>

#include "estimate/estimatesettings.h"

namespace veskplan {

// `veskplan-cli estimate`: a project priced from a bid history, price files and a cost index,
// written as a workbook, a PDF or CSV. Without options it is priced as the project keeps its
// estimate (sources, dates, region, bids, statistic), so that it gives the window's total; each
// option given overrides the project's choice for this run.
struct EstimateCommand {
    enum class Output { Xlsx, Pdf, Csv };

    QString project;
    std::optional<QString> history;
    std::optional<QStringList> priceFiles;
    std::optional<QString> index;
    std::optional<QDate> from, to, on;
    std::optional<QString> region;
    std::optional<BidSelection> bids;
    std::optional<PriceStatistic> statistic;
    QDate today;
    Output output = Output::Csv;
    QString outputPath;  // "-" is standard output, but for the PDF

    // The command's arguments (after "estimate"), with `today` the estimate date unless --on or
    // the project gives one; a usage problem as text.
    static std::variant<EstimateCommand, QString> parse(const QStringList& args, QDate today);
    // Writes the estimate. Throws Error naming the file that could not be read or written, and
    // when the window selects no bid of the history.
    void run() const;
};

}  // namespace veskplan
