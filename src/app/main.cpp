#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/appfont.h"
#include "app/appicon.h"
#include "app/busypointer.h"
#include "app/mainwindow.h"
#include "app/qtuserport.h"
#include "base/error.h"
#include "controller/controllertexts.h"
#include "controller/maincontroller.h"

namespace {

using namespace Qt::Literals::StringLiterals;

// --help and --version answer without a window, on standard output.
std::optional<int> answerWithoutAWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--help" || argument == "-h") {
            std::fputs(
                "Usage: veskplan [PROJECT]\n"
                "Assembles the bid-item list of a road project. PROJECT (a .vsk project file or "
                "an\n"
                "older .mdb one) is opened at start.\n"
                "  -h, --help     shows this text\n"
                "  --version      shows the version\n"
                "  --quit-when-shown  shows the window, writes \"shown\" and quits (to time the "
                "start)\n"
                "veskplan-cli writes the exports and the printed table without a window.\n",
                stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("veskplan %s\n", VESKPLAN_VERSION);
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto status = answerWithoutAWindow(argc, argv)) {
        return *status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"veskplan"_s);
    QApplication::setApplicationVersion(QStringLiteral(VESKPLAN_VERSION));
    QGuiApplication::setDesktopFileName(u"org.veskplan.Veskplan"_s);
    veskplan::applyApplicationFont();
    QApplication::setWindowIcon(veskplan::applicationIcon());
    QStringList projects = QApplication::arguments().mid(1);
    const bool quitWhenShown = projects.removeAll(u"--quit-when-shown"_s) > 0;

    veskplan::QtUserPort port(QLocale::system());
    veskplan::BusyPointer busy;
    std::unique_ptr<veskplan::MainController> controller;
    std::unique_ptr<veskplan::MainWindow> window;
    try {
        controller = std::make_unique<veskplan::MainController>(
            port, busy, veskplan::Environment::fromSystem(), QLocale::system(),
            [] { return QDate::currentDate(); });
        // The window follows the controller from its start: the start-up's focus and state
        // reach it as every later command's do.
        window = std::make_unique<veskplan::MainWindow>(*controller, controller->settings());
        controller->start();
    } catch (const veskplan::Error& error) {
        QMessageBox::critical(nullptr, veskplan::texts::appTitle(), error.message());
        return 1;
    }
    window->show();
    if (!projects.isEmpty()) {
        controller->openProject(projects.first());
    }
    if (quitWhenShown) {
        // Queued behind the window's first layout and paint; the line tells a measuring
        // program when the window stood, before the exit's own writing.
        QTimer::singleShot(0, &app, [] {
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
