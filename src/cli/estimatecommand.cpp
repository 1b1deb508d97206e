#include "cli/estimatecommand.h"

#include <QFileInfo>
#include <map>

#include "base/filewriting.h"
#include "estimate/estimatebuilder.h"
#include "estimate/estimatecsv.h"
#include "estimate/estimatepdf.h"
#include "estimate/estimateworkbook.h"
#include "files/accessproject.h"
#include "project/projectfile.h"
#include "project/specialrows.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<QDate> isoDate(const QString& text) {
    const QDate date = QDate::fromString(text, Qt::ISODate);
    return date.isValid() && text.size() == 10 ? std::optional(date) : std::nullopt;
}

}  // namespace

std::variant<EstimateCommand, QString> EstimateCommand::parse(const QStringList& args,
                                                              QDate today) {
    EstimateCommand command;
    std::optional<QDate> from, to, on;
    bool outputGiven = false;
    const std::map<QString, Output> outputs = {
        {u"--xlsx"_s, Output::Xlsx}, {u"--pdf"_s, Output::Pdf}, {u"--csv"_s, Output::Csv}};
    const std::map<QString, BidSelection> selections = {{u"low"_s, BidSelection::Low},
                                                        {u"three"_s, BidSelection::ThreeLowest},
                                                        {u"all"_s, BidSelection::All}};
    const std::map<QString, PriceStatistic> statistics = {
        {u"weighted"_s, PriceStatistic::WeightedAverage},
        {u"median"_s, PriceStatistic::Median},
        {u"adjusted"_s, PriceStatistic::QuantityAdjusted}};
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(u"--"_s)) {
            if (!command.project.isEmpty()) {
                return u"estimate takes one project"_s;
            }
            command.project = arg;
            continue;
        }
        if (i + 1 >= args.size()) {
            return arg + u" needs a value"_s;
        }
        const QString& value = args[++i];
        if (arg == u"--history"_s) {
            command.history = value;
        } else if (arg == u"--prices"_s) {
            command.priceFiles.append(value);
        } else if (arg == u"--index"_s) {
            command.index = value;
        } else if (arg == u"--region"_s) {
            command.settings.window.region = value;
        } else if (arg == u"--from"_s || arg == u"--to"_s || arg == u"--on"_s) {
            const auto date = isoDate(value);
            if (!date) {
                return arg + u" takes a date such as 2026-03-31"_s;
            }
            (arg == u"--from"_s ? from : arg == u"--to"_s ? to : on) = date;
        } else if (arg == u"--bids"_s) {
            if (!selections.contains(value)) {
                return u"--bids takes low, three or all"_s;
            }
            command.settings.window.bids = selections.at(value);
        } else if (arg == u"--price"_s) {
            if (!statistics.contains(value)) {
                return u"--price takes weighted, median or adjusted"_s;
            }
            command.settings.statistic = statistics.at(value);
        } else if (outputs.contains(arg)) {
            if (outputGiven) {
                return u"estimate writes one of --xlsx, --pdf and --csv"_s;
            }
            outputGiven = true;
            command.output = outputs.at(arg);
            command.outputPath = value;
        } else {
            return u"unknown option "_s + arg;
        }
    }
    if (command.project.isEmpty() || !outputGiven) {
        return u"estimate needs a project and one of --xlsx, --pdf and --csv"_s;
    }
    const EstimateSettings standard = EstimateSettings::standard(on.value_or(today));
    BidWindow& window = command.settings.window;
    window.estimateDate = standard.window.estimateDate;
    window.from = from.value_or(standard.window.from);
    window.to = to.value_or(standard.window.to);
    window.escalate = !command.index.isEmpty();
    if (window.from > window.to) {
        return u"--from is after --to"_s;
    }
    return command;
}

void EstimateCommand::run() const {
    const bool imported = accessproject::isAccessDatabase(project);
    projectfile::Contents read = imported ? projectfile::Contents{readProjectFile(project), {}}
                                          : projectfile::readWithPrices(project);
    const specialrows::ProjectContents contents = specialrows::split(std::move(read.records));
    QStringList numbers;
    for (const ProjectRecord& item : contents.items) {
        numbers.append(item.itemNumber);
    }
    const PriceSources sources = PriceSources::load(history, priceFiles, index, numbers);
    const Estimate estimate =
        estimatebuilder::build(contents.items, contents.categories, read.prices, sources, settings);
    const QString target = QFileInfo(outputPath).absoluteFilePath();
    const EstimateTitle title{contents.projNum, contents.designer, QFileInfo(project).fileName(),
                              settings.window.estimateDate, describeSettings(settings)};
    switch (output) {
        case Output::Csv:
            writeFileAtomically(target, estimateCsv(estimate));
            break;
        case Output::Xlsx:
            writeEstimateWorkbook(estimate, title, target);
            break;
        case Output::Pdf:
            writeEstimatePdf(estimate, title, target);
            break;
    }
}

}  // namespace veskplan
