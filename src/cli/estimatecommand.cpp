#include "cli/estimatecommand.h"

#include <QFileInfo>
#include <map>

#include "base/apppaths.h"
#include "base/error.h"
#include "base/filedate.h"
#include "cli/commandoutput.h"
#include "estimate/contingencyscale.h"
#include "estimate/estimatebuilder.h"
#include "estimate/estimatecsv.h"
#include "estimate/estimatepdf.h"
#include "estimate/estimateworkbook.h"
#include "files/accessproject.h"
#include "history/bidhistorysource.h"
#include "history/pricefilesource.h"
#include "project/projectfile.h"
#include "project/specialrows.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<QDate> isoDate(const QString& text) {
    const QDate date = filedate::fromIso(text);
    return date.isValid() ? std::optional(date) : std::nullopt;
}

}  // namespace

std::variant<EstimateCommand, QString> EstimateCommand::parse(const QStringList& args,
                                                              QDate today) {
    EstimateCommand command;
    command.today = today;
    bool outputGiven = false;
    const std::map<QString, Output> outputs = {
        {u"--xlsx"_s, Output::Xlsx}, {u"--pdf"_s, Output::Pdf}, {u"--csv"_s, Output::Csv}};
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
            command.priceFiles = command.priceFiles.value_or(QStringList()) + QStringList{value};
        } else if (arg == u"--index"_s) {
            command.index = value;
        } else if (arg == u"--region"_s) {
            command.region = value;
        } else if (arg == u"--from"_s || arg == u"--to"_s || arg == u"--on"_s) {
            const auto date = isoDate(value);
            if (!date) {
                return arg + u" takes a date such as 2026-03-31"_s;
            }
            (arg == u"--from"_s ? command.from : arg == u"--to"_s ? command.to : command.on) = date;
        } else if (arg == u"--bids"_s) {
            command.bids = bidSelectionFromCode(value);
            if (!command.bids) {
                return u"--bids takes low, three or all"_s;
            }
        } else if (arg == u"--price"_s) {
            command.statistic = priceStatisticFromCode(value);
            if (!command.statistic) {
                return u"--price takes weighted, median or adjusted"_s;
            }
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
    if (command.output == Output::Pdf && command.outputPath == u"-"_s) {
        return u"--pdf writes a file, not standard output"_s;
    }
    if (command.from && command.to && *command.from > *command.to) {
        return u"--from is after --to"_s;
    }
    return command;
}

void EstimateCommand::run() const {
    const bool imported = accessproject::isAccessDatabase(project);
    projectfile::Contents read = imported ? projectfile::Contents{readProjectFile(project), {}, {}}
                                          : projectfile::readWithPrices(project);
    const specialrows::ProjectContents contents = specialrows::split(std::move(read.records));
    EstimateSetup setup = read.prices.estimateSetup();
    if (history) {
        setup.replaceSources(BidHistorySource::sourceKind().word,
                             history->isEmpty() ? QStringList() : QStringList{*history});
    }
    if (priceFiles) {
        setup.replaceSources(PriceFileSource::sourceKind().word, *priceFiles);
    }
    if (index) {
        // An index given here is given to escalate by.
        setup.escalate = !index->isEmpty();
        setup.indexFile = *index;
    }
    // Without a window of its own, the project's is the 24 months before the estimate date.
    setup.estimateDate = on.value_or(setup.estimateDate);
    EstimateSettings settings = settingsOf(setup, today);
    BidWindow& window = settings.window;
    window.from = from.value_or(window.from);
    window.to = to.value_or(window.to);
    window.region = region.value_or(window.region);
    window.bids = bids.value_or(window.bids);
    settings.statistic = statistic.value_or(settings.statistic);
    if (window.from > window.to) {
        throw Error(u"the window of bids begins "_s + window.from.toString(Qt::ISODate) +
                    u", after it ends "_s + window.to.toString(Qt::ISODate));
    }
    QStringList numbers;
    for (const ProjectRecord& item : contents.items) {
        numbers.append(item.itemNumber);
    }
    // Asked for the window alone: a history on a server sends only the bids it selects.
    const PriceSources sources =
        PriceSources::load(setup.sources, setup.indexFile, numbers, settings.window);
    // A project at a milestone takes the agency's contingency for it unless it sets its own.
    const ProjectPrices prices =
        read.prices.milestone()
            ? ContingencyScale::read(
                  ContingencyScale::fileIn(AppPaths::resolve(Environment::fromSystem()).dataDir))
                  .applyTo(read.prices)
            : read.prices;
    const Estimate estimate =
        estimatebuilder::build(contents.items, contents.categories, prices, sources, settings);
    if (estimate.windowSelectsNothing) {
        throw Error(noBidInWindow(settings));
    }
    const EstimateTitle title{contents.projNum, contents.designer, QFileInfo(project).fileName(),
                              settings.window.estimateDate, describeSettings(settings)};
    switch (output) {
        case Output::Csv:
            writeOutput(outputPath, estimateCsv(estimate));
            break;
        case Output::Xlsx:
            writeOutput(outputPath, estimateWorkbook(estimate, title));
            break;
        case Output::Pdf:
            writeEstimatePdf(estimate, title, QFileInfo(outputPath).absoluteFilePath());
            break;
    }
}

}  // namespace veskplan
