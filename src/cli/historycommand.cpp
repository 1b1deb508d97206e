#include "cli/historycommand.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <optional>

#include "base/apppaths.h"
#include "base/csv.h"
#include "base/error.h"
#include "base/filedate.h"
#include "base/sqlitedb.h"
#include "history/bidfile.h"
#include "history/bidhistory.h"
#include "history/columnlayout.h"
#include "history/historytexts.h"
#include "history/layoutstore.h"
#if VESKPLAN_SERVER_HISTORY
#include "history/servercopy.h"
#include "history/serverhistory.h"
#endif
#include "master/masterlistfile.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Why a file's columns are not known, and how the user makes them known.
// One line of what a command did, on standard output.
void printLine(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
}

#if !VESKPLAN_SERVER_HISTORY
// What a build without the server client says to a server's address.
Error noServerHistory() {
    return Error(u"This build of Veskplan reaches no bid history on a server."_s);
}
#endif

QString noLayoutFor(const QString& reason) {
    return reason +
           u"; name its columns with --layout FILE, or map them once in the window "
           u"(File > Import Bid History)"_s;
}

// Each file with the layout it imports with: `layout` for every file when given; else none for
// headings recognised by name, and the layout the window kept for the heading row otherwise,
// read from the store the window keeps in the user's data folder. Throws Error naming the file
// when neither serves.
std::vector<BidHistory::Source> sourcesOf(const QStringList& files,
                                          const std::optional<ColumnLayout>& layout) {
    std::vector<BidHistory::Source> sources;
    std::optional<LayoutStore> store;  // read when a file first needs it
    for (const QString& file : files) {
        if (layout) {
            sources.push_back({file, layout});
            continue;
        }
        const BidFile::Heading heading = BidFile::heading(file);
        const std::optional<QString> unrecognised = BidFile::unrecognised(heading.cells);
        if (!unrecognised) {
            sources.push_back({file, std::nullopt});
            continue;
        }
        if (!store) {
            store = LayoutStore::read(
                LayoutStore::fileIn(AppPaths::resolve(Environment::fromSystem()).userDataDir));
        }
        std::optional<ColumnLayout> kept = store->find(heading.cells);
        if (!kept) {
            throw csv::ReadError(heading.shownName, heading.line, noLayoutFor(*unrecognised));
        }
        sources.push_back({file, std::move(kept)});
    }
    return sources;
}

// `history init URI`: the program's schema made on the server.
int initServerHistory(const QStringList& args) {
#if VESKPLAN_SERVER_HISTORY
    if (args.size() != 2 || !ServerHistory::isAddress(args[1])) {
        throw HistoryUsageProblem{"history init needs a server address, postgresql://..."};
    }
    ServerHistory history = ServerHistory::connect(args[1]);
    const bool made = history.init();
    printLine(u"The bid history at "_s + history.name() +
              (made ? u" is made"_s : u" was there already"_s) + u" (schema version "_s +
              QString::number(ServerHistory::kSchemaVersion) + u")."_s);
    return 0;
#else
    (void)args;
    throw noServerHistory();
#endif
}

// `history copy URI FILE [--from DATE] [--region R]`: the server's bids, or a window of them,
// into a new history file for working away from the network.
int copyServerHistory(const QStringList& args) {
#if VESKPLAN_SERVER_HISTORY
    QStringList operands;
    QDate from;
    QString region;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == u"--from"_s && i + 1 < args.size() && !from.isValid()) {
            from = filedate::fromIso(args[++i]);
            if (!from.isValid()) {
                throw HistoryUsageProblem{"--from takes a date such as 2026-03-31"};
            }
        } else if (args[i] == u"--region"_s && i + 1 < args.size() && region.isEmpty()) {
            region = args[++i];
        } else {
            operands.append(args[i]);
        }
    }
    if (operands.size() != 2 || !ServerHistory::isAddress(operands[0])) {
        throw HistoryUsageProblem{"history copy needs a server address and a new history file"};
    }
    const QString file = QFileInfo(operands[1]).absoluteFilePath();
    printLine(veskplan::copyServerHistory(operands[0], QString(), file, from, region).text(file));
    return 0;
#else
    (void)args;
    throw noServerHistory();
#endif
}

// One line a file: how many bids it brought and what it left out, or when it went in before.
void printReports(const std::vector<ImportReport>& reports) {
    for (const ImportReport& report : reports) {
        QString line = report.file + u": "_s + QString::number(report.rows) +
                       (report.rows == 1 ? u" bid"_s : u" bids"_s) + u" imported"_s;
        if (report.importedBefore) {
            line = report.file + u": skipped, the same file was imported before ("_s +
                   *report.importedBefore + u")"_s;
        } else {
            if (report.estimateRowsSkipped > 0) {
                line += u", "_s + historytexts::estimateRowsSkipped(report.estimateRowsSkipped);
            }
            if (report.bidsHeldSkipped > 0) {
                line += u", "_s + historytexts::bidsHeldSkipped(report.bidsHeldSkipped);
            }
        }
        printLine(line);
    }
}

}  // namespace

int runHistoryCommand(const QStringList& args) {
    if (args.value(0) == u"init"_s) {
        return initServerHistory(args);
    }
    if (args.value(0) == u"copy"_s) {
        return copyServerHistory(args);
    }
    if (args.value(0) != u"import"_s) {
        throw HistoryUsageProblem{"history takes init, import or copy"};
    }
    QStringList operands;
    std::optional<ColumnLayout> layout;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == u"--layout"_s) {
            if (layout || i + 1 >= args.size()) {
                throw HistoryUsageProblem{"--layout takes one layout file"};
            }
            layout = ColumnLayout::read(args[++i]);
        } else {
            operands.append(args[i]);
        }
    }
    if (operands.size() < 2) {
        throw HistoryUsageProblem{"history import needs a history and one or more files"};
    }
    const QString target = operands.takeFirst();
    const std::vector<BidHistory::Source> sources = sourcesOf(operands, layout);
    const Environment env = Environment::fromSystem();
    const KnownUnits units(
        MasterListFile::unitsIn(AppPaths::resolve(env).readConfiguration(env).values.mastDir));
#if VESKPLAN_SERVER_HISTORY
    if (ServerHistory::isAddress(target)) {
        printReports(ServerHistory::connect(target).import(sources, units));
        return 0;
    }
#endif
    const QString database = QFileInfo(target).absoluteFilePath();
    const bool existed = QFileInfo::exists(database);
    std::vector<ImportReport> reports;
    try {
        BidHistory history = BidHistory::open(database, false);
        reports = history.import(sources, units);
    } catch (const Error&) {
        if (!existed) {
            SqliteDb::removeFiles(database);  // no empty history left behind by a failed run
        }
        throw;
    }
    printReports(reports);
    return 0;
}

}  // namespace veskplan
