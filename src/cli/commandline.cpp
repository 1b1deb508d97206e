#include "cli/commandline.h"

#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "cli/cliport.h"
#include "export/exportsupport.h"
#include "print/printcommand.h"
#include "shell/error.h"
#include "shell/maincontroller.h"
#include "shell/numbertext.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr const char* kUsage =
    "Usage:\n"
    "  veskplan-cli export trnsport|roadcad|bridgecad|tabfill PROJECT OUTPUT [--order "
    "primary|bridge]\n"
    "  veskplan-cli print PROJECT --pdf OUTPUT.pdf | --text OUTPUT.txt\n"
    "  veskplan-cli list PROJECT\n"
    "  veskplan-cli --help | --version\n";

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

// Qt's own diagnostics (a missing runtime directory, font notes) are not for the scripts that
// read this program's standard error: only real failures reach it, one line each.
void quietQtDiagnostics(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "veskplan-cli: %s\n", message.toUtf8().constData());
    }
}

int usageError(const char* problem) {
    std::fprintf(stderr, "veskplan-cli: %s\n%s", problem, kUsage);
    return kUsageError;
}

int failure(const QString& message) {
    QString line = message;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    std::fprintf(stderr, "veskplan-cli: %s\n", line.toUtf8().constData());
    return kFailure;
}

// A started program without a window, with the project open.
struct Session {
    explicit Session(const QString& output)
        : port(output), controller(port, Environment::fromSystem(), QLocale::system(), [] {
              return QDate::currentDate();
          }) {}
    CliPort port;
    MainController controller;
};

std::unique_ptr<Session> openSession(const QString& project, const QString& output) {
    auto session = std::make_unique<Session>(output);
    session->controller.Form_Load();
    session->controller.files().openFile(project, false);
    return session;
}

int finish(const ExportOutcome& outcome) {
    switch (outcome.kind) {
        case ExportOutcome::Kind::Written:
            return 0;
        case ExportOutcome::Kind::Cancelled:
            return failure(u"nothing was written"_s);
        default:
            return failure(outcome.message);
    }
}

int runExport(const QStringList& args) {
    if (args.size() != 3 && args.size() != 5) {
        return usageError("export needs a kind, a project and an output file");
    }
    const QString kind = args[0];
    bool bridgeOrder = false;
    if (args.size() == 5) {
        if (args[3] != u"--order"_s || (args[4] != u"primary"_s && args[4] != u"bridge"_s)) {
            return usageError("--order takes primary or bridge");
        }
        bridgeOrder = args[4] == u"bridge"_s;
    }
    using Export = std::function<ExportOutcome(MainController&)>;
    const std::map<QString, Export> exports = {
        {u"trnsport"_s, [](MainController& c) { return c.mnuExpTrans_Click(); }},
        {u"roadcad"_s, [](MainController& c) { return c.mnuExpRCAD_Click(); }},
        {u"bridgecad"_s, [](MainController& c) { return c.mnuExpBCAD_Click(); }},
        {u"tabfill"_s, [](MainController& c) { return c.mnuExpRCADexcel_Click(); }},
    };
    const auto found = exports.find(kind);
    if (found == exports.end()) {
        return usageError("unknown export kind");
    }
    const auto session = openSession(args[1], QFileInfo(args[2]).absoluteFilePath());
    if (bridgeOrder) {
        session->controller.projItemDB_HeadClick(0);
    }
    return finish(found->second(session->controller));
}

int runPrint(const QStringList& args) {
    if (args.size() != 3 || (args[1] != u"--pdf"_s && args[1] != u"--text"_s)) {
        return usageError("print needs a project and --pdf FILE or --text FILE");
    }
    const QString output = QFileInfo(args[2]).absoluteFilePath();
    const auto session = openSession(args[0], output);
    Workspace& ws = session->controller.workspace();
    if (args[1] == u"--text"_s) {
        exportsupport::writeFile(output, PrintCommand::tableFor(ws).text());
        return 0;
    }
    return finish(session->controller.printProjList_Click());
}

int runList(const QStringList& args) {
    if (args.size() != 1) {
        return usageError("list needs a project");
    }
    const auto session = openSession(args[0], QString());
    QByteArray out;
    for (const ProjectRecord& r :
         session->controller.workspace().store->records(IndexOrder::PrimaryKey)) {
        const QString quantity = r.quantity ? numbertext::shortest(*r.quantity) : QString();
        out += (r.itemNumber + u'\t' + r.cat + u'\t' + r.description + u'\t' + r.units + u'\t' +
                quantity + u'\n')
                   .toUtf8();
    }
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : failure(u"standard output could not be written"_s);
}

}  // namespace

int runCommandLine(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--help") {
        std::fputs(kUsage, stdout);
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
    // Printing needs fonts, which need a GUI application; no display is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
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
    } catch (const Error& error) {
        return failure(error.message());
    }
    return usageError("unknown command");
}

}  // namespace veskplan
