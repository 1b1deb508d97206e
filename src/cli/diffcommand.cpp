#include "cli/diffcommand.h"

#include <QFileInfo>

#include "base/apppaths.h"
#include "cli/commandoutput.h"
#include "estimate/comparisonreport.h"
#include "files/accessproject.h"
#include "project/projectfile.h"
#include "project/specialrows.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A project's items and the prices it keeps; an older project file keeps none.
ComparisonReport::Project itemsAndPrices(const QString& path) {
    projectfile::Contents contents;
    if (accessproject::isAccessDatabase(path)) {
        contents.records = readProjectFile(path);
    } else {
        contents = projectfile::readWithPrices(path);
    }
    return {QFileInfo(path).fileName(), specialrows::split(std::move(contents.records)).items,
            std::move(contents.prices)};
}

}  // namespace

int runDiffCommand(const QStringList& given) {
    const UsageProblem wrong{"diff needs two projects and --csv, --xlsx or --pdf OUTPUT"};
    QStringList args = given;
    const bool all = args.removeAll(u"--all"_s) > 0;
    std::optional<std::pair<ComparisonReport::Format, QString>> output;
    for (const auto& [option, format] : {std::pair(u"--csv"_s, ComparisonReport::Format::Csv),
                                         std::pair(u"--xlsx"_s, ComparisonReport::Format::Workbook),
                                         std::pair(u"--pdf"_s, ComparisonReport::Format::Pdf)}) {
        const qsizetype at = args.indexOf(option);
        if (at < 0) {
            continue;
        }
        if (output || at + 1 >= args.size()) {
            throw wrong;
        }
        output.emplace(format, args[at + 1]);
        args.remove(at, 2);
    }
    if (!output || args.size() != 2) {
        throw wrong;
    }
    if (output->first != ComparisonReport::Format::Csv && output->second == u"-"_s) {
        throw UsageProblem{"--xlsx and --pdf write a file, not standard output"};
    }
    const ComparisonReport::Project before = itemsAndPrices(args[0]);
    const ComparisonReport::Project after = itemsAndPrices(args[1]);
    // The agency's scale matters only to a project at a milestone.
    const ContingencyScale scale = before.prices.milestone() || after.prices.milestone()
                                       ? ContingencyScale::read(ContingencyScale::fileIn(
                                             AppPaths::resolve(Environment::fromSystem()).dataDir))
                                       : ContingencyScale();
    const ComparisonReport report = ComparisonReport::compare(before, after, scale);
    writeOutput(output->second, report.bytes(output->first, all));
    return 0;
}

}  // namespace veskplan
