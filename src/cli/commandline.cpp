#include "cli/commandline.h"

#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "base/apppaths.h"
#include "base/environment.h"
#include "base/error.h"
#include "base/numbertext.h"
#include "cli/clitexts.h"
#include "cli/commandoutput.h"
#include "cli/diffcommand.h"
#include "cli/estimatecommand.h"
#include "cli/historycommand.h"
#include "cli/quantitiescommand.h"
#include "export/exportformat.h"
#include "files/accessproject.h"
#include "master/itemmapping.h"
#include "master/masterlistfile.h"
#include "print/papersize.h"
#include "print/pdfprinttarget.h"
#include "print/quantitytable.h"
#include "print/quantitytablepainter.h"
#include "project/cataloguecheck.h"
#include "project/countylookup.h"
#include "project/exportcheck.h"
#include "project/projectfile.h"
#include "project/revisioncheck.h"
#include "project/specialrows.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr const char* kUsageRest =
    "  veskplan-cli print PROJECT --pdf OUTPUT.pdf | --text OUTPUT.txt [--paper letter|a4]\n"
    "  veskplan-cli list PROJECT\n"
    "  veskplan-cli check PROJECT [--master FILE]\n"
    "  veskplan-cli compare PROJECT --master FILE [--mapping FILE]\n"
    "  veskplan-cli convert PROJECT.mdb OUTPUT.vsk\n"
    "  veskplan-cli history init URI\n"
    "  veskplan-cli history import HISTORY FILE... [--layout FILE]\n"
    "  veskplan-cli history copy URI FILE [--from DATE] [--region R]\n"
    "  veskplan-cli estimate PROJECT [--history HISTORY] [--prices FILE]... [--index FILE]\n"
    "      [--from DATE] [--to DATE] [--region R] [--bids low|three|all] [--on DATE]\n"
    "      [--price weighted|median|adjusted] (--xlsx OUT | --pdf OUT | --csv OUT)\n"
    "  veskplan-cli quantities PROJECT TAKEOFF... [--layout FILE] [--category NN]\n"
    "      [--rounding FILE] [--report OUT.csv] [--apply OUT.vsk]\n"
    "  veskplan-cli diff OLD NEW [--all] (--csv OUT | --xlsx OUT | --pdf OUT)\n"
    "  veskplan-cli -h | --help | --version\n"
    "PROJECT is a .vsk project file or an older .mdb one (read only). An OUTPUT of - writes a\n"
    "text export or the printed lines to standard output.\n"
    "check prints the findings of the checks before an export, tab-separated: severity, item\n"
    "number, category, message; compare prints the comparison with the master list as CSV.\n"
    "export --strict writes nothing when the checks before an export find an error.\n"
    "estimate prices the items the project holds no price for from the bids of the 24 months\n"
    "before --on (today by default); dates are written 2026-03-31.\n"
    "quantities writes the review of the take-off files as CSV (standard output without\n"
    "--report); --apply writes the project with every row that needs no decision applied.\n"
    "diff writes what changed from project OLD to NEW, the items that move the total most\n"
    "first (--all: also those that did not change), and the estimate's totals of both.\n"
    "HISTORY is a bid history file or a server, postgresql://[user@]host[:port]/database[?...];\n"
    "passwords come from libpq's password file (~/.pgpass) or its environment.\n"
    "Exit status: 0 done (check: no findings), 1 failed (one line on standard error; check:\n"
    "errors found; quantities: rows left out), 2 wrong command line, 3 (check) warnings only.\n";

// The export formats' names, those that may go to standard output first.
QByteArray exportNames() {
    QStringList names;
    for (const bool text : {true, false}) {
        for (const ExportFormat& format : exportFormats()) {
            if (format.textFile == text) {
                names.append(format.commandName);
            }
        }
    }
    return names.join(u'|').toUtf8();
}

QByteArray usage() {
    return "Usage:\n"
           "  veskplan-cli export " +
           exportNames() +
           " PROJECT OUTPUT [--order primary|bridge]\n"
           "                      [--strict]\n" +
           QByteArray(kUsageRest);
}

constexpr int kFailure = 1;
constexpr int kUsageError = 2;
constexpr int kWarningsOnly = 3;

// Qt's own diagnostics (a missing runtime directory, font notes) are not for the scripts that
// read this program's standard error: only real failures reach it, one line each.
void quietQtDiagnostics(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "veskplan-cli: %s\n", message.toUtf8().constData());
    }
}

int usageError(const char* problem) {
    std::fprintf(stderr, "veskplan-cli: %s\n%s", problem, usage().constData());
    return kUsageError;
}

int failure(const QString& message) {
    QString line = message;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    std::fprintf(stderr, "veskplan-cli: %s\n", line.toUtf8().constData());
    return kFailure;
}

// A project file as the commands read it: its items and what its special rows say.
struct Project {
    QString path;  // as given on the command line; the printed table shows it
    specialrows::ProjectContents contents;

    static Project read(const QString& path) {
        return Project{path, specialrows::split(readProjectFile(path))};
    }
    bool english() const { return contents.unitIndex.value_or(0) == 0; }
    std::vector<ProjectRecord> items(IndexOrder order) const {
        std::vector<ProjectRecord> items = contents.items;
        sortRecords(items, order);
        return items;
    }
    HeaderFields header() const {
        HeaderFields header;
        header.projNum = contents.projNum;
        header.designer = contents.designer;
        header.letMonth = contents.letMonth.value_or(-1);
        return header;
    }
};

AppPaths programPaths() {
    return AppPaths::resolve(Environment::fromSystem());
}

QString countyOf(const Project& project) {
    return CountyLookup(programPaths().countyFile()).lookUp(project.contents.projNum);
}

MasterList masterListFor(const Project& project, const QString& named);

// Why a strict export writes nothing: the errors the checks before an export find (with the
// master list of the project's unit); none when they find none.
std::optional<QString> strictRefusal(const Project& project) {
    const MasterList list = masterListFor(project, QString());
    const std::vector<ExportCheck> checks =
        checkBeforeExport(project.items(IndexOrder::PrimaryKey), project.contents.projNum,
                          project.contents.letMonth.value_or(-1), &list);
    QStringList errors;
    for (const ExportCheck& check : checks) {
        if (check.severity == ExportCheck::Error) {
            errors.append(check.text());
        }
    }
    if (errors.isEmpty()) {
        return std::nullopt;
    }
    return u"the checks before an export found "_s + QString::number(errors.size()) +
           u" error(s), nothing was written: "_s + errors.join(u"; "_s);
}

int runExport(const QStringList& given) {
    QStringList args = given;
    const bool strict = args.removeAll(u"--strict"_s) > 0;
    if (args.size() != 3 && args.size() != 5) {
        return usageError("export needs a kind, a project and an output file");
    }
    IndexOrder order = IndexOrder::PrimaryKey;
    if (args.size() == 5) {
        if (args[3] != u"--order"_s || (args[4] != u"primary"_s && args[4] != u"bridge"_s)) {
            return usageError("--order takes primary or bridge");
        }
        order = args[4] == u"bridge"_s ? IndexOrder::BridgeKey : IndexOrder::PrimaryKey;
    }
    const ExportFormat* format = exportFormatNamed(args[0]);
    if (format == nullptr) {
        return usageError("unknown export kind");
    }
    const Project project = Project::read(args[1]);
    if (strict && format->itemChecks) {
        if (const auto refusal = strictRefusal(project)) {
            return failure(*refusal);
        }
    }
    if (!format->textFile && args[2] == u"-"_s) {
        return usageError("a workbook cannot be written to standard output");
    }
    ExportInput input;
    input.header = project.header();
    input.projectFile = project.path;
    input.english = project.english();
    input.decimalPoint = QLocale::system().decimalPoint().at(0);
    input.seedWorkbook = programPaths().seedWorkbook();
    input.items = project.items(format->itemOrder(order));
    if (const std::optional<QString> refusal = format->refusal(input.items)) {
        return failure(*refusal);
    }
    if (format->namesCounty) {
        input.county = countyOf(project);
    }
    writeOutput(args[2], format->render(input));
    return 0;
}

int runPrint(const QStringList& given) {
    // The paper of the user's locale, as the window prints on, unless told.
    QPageSize paper = defaultPaperSize(QLocale::system());
    QStringList args = given;
    const qsizetype paperAt = args.indexOf(u"--paper"_s);
    if (paperAt >= 0) {
        const QString named = args.value(paperAt + 1);
        if (named != u"letter"_s && named != u"a4"_s) {
            return usageError("--paper takes letter or a4");
        }
        paper = QPageSize(named == u"a4"_s ? QPageSize::A4 : QPageSize::Letter);
        args.remove(paperAt, 2);
    }
    if (args.size() != 3 || (args[1] != u"--pdf"_s && args[1] != u"--text"_s)) {
        return usageError("print needs a project and --pdf FILE or --text FILE");
    }
    const Project project = Project::read(args[0]);
    const HeaderFields header = project.header();
    const QuantityTable table = QuantityTable::build(
        header.projNum, project.path,
        QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat), countyOf(project),
        header.designer, header.letMonthText(), project.contents.categories.descriptions(),
        project.items(IndexOrder::BridgeKey));
    if (args[1] == u"--text"_s) {
        writeOutput(args[2], table.text());
        return 0;
    }
    PdfPrintTarget target(QFileInfo(args[2]).absoluteFilePath(), paper);
    QuantityTablePainter::print(table, target);
    return 0;
}

// The master list a check compares with: the one named, or the list of the project's unit in the
// folder the configuration names.
MasterList masterListFor(const Project& project, const QString& named) {
    QString path = named;
    if (path.isEmpty()) {
        const Environment env = Environment::fromSystem();
        const Configuration config = AppPaths::resolve(env).readConfiguration(env).values;
        path = MasterListFile::pathIn(config.mastDir,
                                      project.english() ? Unit::English : Unit::Metric);
    }
    return MasterListFile::read(path).rows;
}

// The value that follows an option, or an empty text; false when the option lacks its value.
bool optionValue(const QStringList& args, const QString& option, QString* value) {
    const qsizetype at = args.indexOf(option);
    if (at < 0) {
        return true;
    }
    if (at + 1 >= args.size()) {
        return false;
    }
    *value = args[at + 1];
    return true;
}

int runCheck(const QStringList& args) {
    QString master;
    if ((args.size() != 1 && args.size() != 3) || !optionValue(args, u"--master"_s, &master) ||
        (args.size() == 3 && master.isEmpty())) {
        return usageError("check needs a project and optionally --master FILE");
    }
    const Project project = Project::read(args[0]);
    const MasterList list = masterListFor(project, master);
    const std::vector<ExportCheck> checks =
        checkBeforeExport(project.items(IndexOrder::PrimaryKey), project.contents.projNum,
                          project.contents.letMonth.value_or(-1), &list);
    QByteArray out;
    bool errors = false;
    for (const ExportCheck& check : checks) {
        errors = errors || check.severity == ExportCheck::Error;
        out += (QStringList{check.severity == ExportCheck::Error ? u"error"_s : u"warning"_s,
                            check.itemNumber, check.category, check.message}
                    .join(u'\t') +
                u'\n')
                   .toUtf8();
    }
    writeStandardOutput(out);
    return checks.empty() ? 0 : errors ? kFailure : kWarningsOnly;
}

int runCompare(const QStringList& args) {
    QString master;
    QString mapping;
    if ((args.size() != 3 && args.size() != 5) || !optionValue(args, u"--master"_s, &master) ||
        !optionValue(args, u"--mapping"_s, &mapping) || master.isEmpty() ||
        (args.size() == 5 && mapping.isEmpty())) {
        return usageError("compare needs a project, --master FILE and optionally --mapping FILE");
    }
    const Project project = Project::read(args[0]);
    const MasterList list = masterListFor(project, master);
    std::optional<ItemMapping> replacements;
    if (!mapping.isEmpty()) {
        replacements = ItemMapping::read(mapping);
    }
    writeStandardOutput(cataloguecheck::toCsv(cataloguecheck::compare(
        project.items(IndexOrder::PrimaryKey), list, replacements ? &*replacements : nullptr)));
    return 0;
}

int runConvert(const QStringList& args) {
    if (args.size() != 2) {
        return usageError("convert needs a project and an output file");
    }
    // Every row as it stands, special rows too: the new file is the same project.
    const std::vector<ProjectRecord> rows = readProjectFile(args[0]);
    projectfile::write(QFileInfo(args[1]).absoluteFilePath(), rows, {});
    return 0;
}

int runEstimate(const QStringList& args) {
    const auto parsed = EstimateCommand::parse(args, QDate::currentDate());
    if (const auto* problem = std::get_if<QString>(&parsed)) {
        return usageError(problem->toUtf8().constData());
    }
    std::get<EstimateCommand>(parsed).run();
    return 0;
}

int runList(const QStringList& args) {
    if (args.size() != 1) {
        return usageError("list needs a project");
    }
    const Project project = Project::read(args[0]);
    QByteArray out;
    for (const ProjectRecord& r : project.items(IndexOrder::PrimaryKey)) {
        const QString quantity = r.quantity ? numbertext::shortest(*r.quantity) : QString();
        out += (r.itemNumber + u'\t' + r.cat + u'\t' + r.description + u'\t' + r.units + u'\t' +
                quantity + u'\n')
                   .toUtf8();
    }
    writeStandardOutput(out);
    return 0;
}

}  // namespace

int runCommandLine(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(usage().constData(), stdout);
        return 0;
    }
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::printf("veskplan-cli %s\n", VESKPLAN_VERSION);
        return 0;
    }
    if (argc < 2) {
        return usageError("no command given");
    }
    qInstallMessageHandler(quietQtDiagnostics);
    // Printing needs fonts, which need a GUI application; no window is shown. On Windows the
    // offscreen platform looks for fonts only in a folder beside Qt that no installation has,
    // and prints boxes: the system's own platform gives the system's fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
#ifdef Q_OS_WIN
        qputenv("QT_QPA_PLATFORM", "windows");
#else
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    }
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(u"veskplan"_s);
    QStringList args = QGuiApplication::arguments().mid(1);
    const QString command = args.takeFirst();
    try {
        if (command == u"export"_s) {
            return runExport(args);
        }
        if (command == u"print"_s) {
            return runPrint(args);
        }
        if (command == u"list"_s) {
            return runList(args);
        }
        if (command == u"convert"_s) {
            return runConvert(args);
        }
        if (command == u"check"_s) {
            return runCheck(args);
        }
        if (command == u"compare"_s) {
            return runCompare(args);
        }
        if (command == u"estimate"_s) {
            return runEstimate(args);
        }
        if (command == u"history"_s) {
            return runHistoryCommand(args);
        }
        if (command == u"quantities"_s) {
            return runQuantitiesCommand(args);
        }
        if (command == u"diff"_s) {
            return runDiffCommand(args);
        }
    } catch (const HistoryUsageProblem& usage) {
        return usageError(usage.problem);
    } catch (const UsageProblem& usage) {
        return usageError(usage.problem);
    } catch (const Error& error) {
        return failure(error.message());
    } catch (const std::bad_alloc&) {
        return failure(texts::outOfMemory());
    } catch (const std::exception& error) {
        return failure(QString::fromLocal8Bit(error.what()));
    }
    return usageError("unknown command");
}

}  // namespace veskplan
