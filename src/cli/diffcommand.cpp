#include "cli/diffcommand.h"

#include "cli/commandoutput.h"
#include "files/accessproject.h"
#include "project/projectcomparison.h"
#include "project/projectfile.h"
#include "project/specialrows.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A project's items and the prices it keeps; an older project file keeps none.
projectfile::Contents itemsAndPrices(const QString& path) {
    projectfile::Contents contents;
    if (accessproject::isAccessDatabase(path)) {
        contents.records = readProjectFile(path);
    } else {
        contents = projectfile::readWithPrices(path);
    }
    contents.records = specialrows::split(std::move(contents.records)).items;
    return contents;
}

}  // namespace

int runDiffCommand(const QStringList& given) {
    QStringList args = given;
    const bool all = args.removeAll(u"--all"_s) > 0;
    const qsizetype csvAt = args.indexOf(u"--csv"_s);
    if (csvAt < 0 || csvAt + 1 >= args.size()) {
        throw UsageProblem{"diff needs two projects and --csv OUTPUT"};
    }
    const QString output = args[csvAt + 1];
    args.remove(csvAt, 2);
    if (args.size() != 2) {
        throw UsageProblem{"diff needs two projects and --csv OUTPUT"};
    }
    const projectfile::Contents before = itemsAndPrices(args[0]);
    const projectfile::Contents after = itemsAndPrices(args[1]);
    writeOutput(output, ProjectComparison::compare(before.records, before.prices, after.records,
                                                   after.prices)
                            .toCsv(all));
    return 0;
}

}  // namespace veskplan
