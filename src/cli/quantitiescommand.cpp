#include "cli/quantitiescommand.h"

#include <QDate>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

#include "base/apppaths.h"
#include "base/environment.h"
#include "base/error.h"
#include "cli/clitexts.h"
#include "cli/commandoutput.h"
#include "files/accessproject.h"
#include "history/layoutstore.h"
#include "master/masterlistfile.h"
#include "project/projectdocument.h"
#include "project/projectfile.h"
#include "project/specialrows.h"
#include "takeoff/takeoffreview.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

struct Request {
    QString project;
    QStringList takeoffs;
    TakeoffLayout layout;
    TakeoffReview::Options options;
    QString report = u"-"_s;
    QString apply;
};

Request parse(const QStringList& args) {
    Request request;
    QStringList operands;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& word = args[i];
        const bool option = word == u"--layout"_s || word == u"--category"_s ||
                            word == u"--rounding"_s || word == u"--report"_s ||
                            word == u"--apply"_s;
        if (!option) {
            operands.append(word);
            continue;
        }
        if (i + 1 >= args.size()) {
            throw UsageProblem{"an option lacks its value"};
        }
        const QString value = args[++i];
        if (word == u"--layout"_s) {
            request.layout = TakeoffLayout::read(value);
        } else if (word == u"--rounding"_s) {
            request.options.rounding = RoundingRules::read(value);
        } else if (word == u"--report"_s) {
            request.report = value;
        } else if (word == u"--apply"_s) {
            request.apply = value;
        } else {
            bool ok = false;
            const int category = value.toInt(&ok);
            if (!ok || value.size() > 2 || category < 1 || category > 99) {
                throw UsageProblem{"--category takes a category number from 01 to 99"};
            }
            request.options.defaultCategory = QString::number(category).rightJustified(2, u'0');
        }
    }
    if (operands.size() < 2) {
        throw UsageProblem{"quantities needs a project and one or more take-off files"};
    }
    request.project = operands.takeFirst();
    request.takeoffs = operands;
    return request;
}

// The master list of the project's unit, in the folder the configuration names.
MasterList masterListOf(const specialrows::ProjectContents& contents) {
    const Environment env = Environment::fromSystem();
    const Configuration config = AppPaths::resolve(env).readConfiguration(env).values;
    const Unit unit = contents.unitIndex.value_or(0) == 0 ? Unit::English : Unit::Metric;
    return MasterListFile::read(MasterListFile::pathIn(config.mastDir, unit)).rows;
}

// The layout each take-off is read with: the one given, with the columns the window kept for
// headings it does not recognise.
std::vector<TakeoffLayout> layoutsOf(const Request& request) {
    std::vector<TakeoffLayout> layouts;
    std::optional<LayoutStore> store;  // read when a file first needs it
    for (const QString& takeoff : request.takeoffs) {
        const TakeoffFile::Heading heading = TakeoffFile::heading(takeoff, request.layout);
        if (!heading.recognised && !store) {
            store = LayoutStore::read(TakeoffLayout::keptLayoutsIn(
                AppPaths::resolve(Environment::fromSystem()).userDataDir));
        }
        const std::optional<ColumnLayout> kept =
            heading.recognised ? std::nullopt : store->find(heading.cells);
        layouts.push_back(kept ? request.layout.withColumns(*kept) : request.layout);
    }
    return layouts;
}

// Writes the project with the rows applied to `target`, through a working copy of its own; the
// project remembers the import.
void writeApplied(const Request& request, const specialrows::ProjectContents& contents,
                  const projectfile::Contents& kept, const std::vector<TakeoffReview::Row>& rows,
                  const MasterList& list) {
    const bool access = accessproject::isAccessDatabase(request.project);
    const QFileInfo target(request.apply);
    if (access && target.exists() &&
        target.canonicalFilePath() == QFileInfo(request.project).canonicalFilePath()) {
        throw Error(texts::olderProjectOnlyRead());
    }
    std::vector<TakeoffImportRecord::File> files;
    for (const QString& takeoff : request.takeoffs) {
        files.push_back({QFileInfo(takeoff).fileName(), TakeoffFile::contentHash(takeoff),
                         QDate::currentDate()});
    }
    QTemporaryDir work;
    if (!work.isValid()) {
        throw Error(texts::noWorkingFolder(work.errorString()));
    }
    std::unique_ptr<RecordStore> store = RecordStore::create(work.filePath(u"work.vsk"_s));
    store->replaceAll(contents.items);
    ProjectDocument document(std::move(store));
    document.bind(contents);
    document.setCategories(contents.categories);
    document.setUnitIndex(contents.unitIndex.value_or(0));
    document.setPrices(kept.prices);
    document.setTakeoffRecord(kept.takeoff);
    const ProjectDocument::EditResult result =
        TakeoffReview::apply(document, rows, list, TakeoffReview::recordOf(rows, files));
    if (!result.stored()) {
        throw Error(texts::quantitiesNotApplied(result.reason));
    }
    projectfile::write(
        target.absoluteFilePath(), document.items().records(IndexOrder::PrimaryKey),
        specialrows::compose(document.header(), document.unitIndex(),
                             contents.masterDate.value_or(QString()), document.categories()),
        document.prices(), document.takeoffRecord());
}

}  // namespace

int runQuantitiesCommand(const QStringList& args) {
    const Request request = parse(args);
    const specialrows::ProjectContents contents =
        specialrows::split(readProjectFile(request.project));
    if (request.options.defaultCategory &&
        !contents.categories.numbers().contains(*request.options.defaultCategory)) {
        throw Error(texts::noSuchCategory(*request.options.defaultCategory));
    }
    const MasterList list = masterListOf(contents);
    const std::vector<TakeoffLayout> layouts = layoutsOf(request);
    TakeoffSum sum(list);
    for (size_t i = 0; i < layouts.size(); ++i) {
        sum.add(TakeoffFile::read(request.takeoffs[qsizetype(i)], layouts[i]));
    }
    const projectfile::Contents kept = accessproject::isAccessDatabase(request.project)
                                           ? projectfile::Contents()
                                           : projectfile::readWithPrices(request.project);
    TakeoffReview::Options options = request.options;
    options.lastImport = kept.takeoff;
    const std::vector<TakeoffReview::Row> rows = TakeoffReview::compute(
        contents.items, contents.categories, list, sum, request.layout, options);
    if (!request.apply.isEmpty()) {
        writeApplied(request, contents, kept, rows, list);
    }
    writeOutput(request.report, TakeoffReview::toCsv(rows));
    QByteArray leftOut;
    int count = 0;
    for (const TakeoffReview::Row& row : rows) {
        if (row.needsDecision()) {
            ++count;
            const QString status = row.status == TakeoffReview::Status::New
                                       ? texts::noCategoryFor(TakeoffReview::statusText(row.status))
                                       : TakeoffReview::statusText(row.status);
            leftOut += (texts::leftOutRow(row.itemNumber, row.category, status) + u'\n').toUtf8();
        }
    }
    if (count == 0) {
        return 0;
    }
    if (request.report != u"-"_s) {
        writeStandardOutput(leftOut);
    }
    std::fprintf(stderr, "veskplan-cli: %s\n", texts::rowsLeftOut(count).toUtf8().constData());
    return 1;
}

}  // namespace veskplan
