// How long the window takes to appear: the program's start (configuration, working copy, the
// bundled English list, the main window shown) against a bare window with a grid. Once as whole
// processes, as a user sees it, and once in a process whose application object exists already.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "benchsupport.h"

namespace {

using namespace veskplan;

// Runs a program that shows its window, says so on its output (with a Windows line end on
// Windows) and quits; the real time from its start to that line is timed.
void runUntilShown(benchmark::State& state, const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment) {
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setReadChannel(QProcess::StandardOutput);
        QElapsedTimer clock;
        clock.start();
        process.start(program, arguments);
        while (!process.canReadLine() && process.waitForReadyRead(30000)) {
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        const QByteArray said = process.readLine();
        if (said.trimmed() != "shown" || !process.waitForFinished(30000) ||
            process.exitCode() != 0) {
            const QString why =
                QStringLiteral("%1 did not show its window and quit (%2, said \"%3\")")
                    .arg(program, process.errorString(), QString::fromLocal8Bit(said.trimmed()));
            state.SkipWithError(why.toStdString().c_str());
            return;
        }
        state.SetIterationTime(seconds);
    }
}

QProcessEnvironment offscreenEnvironment(const QTemporaryDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QDir(dir.path()).mkpath(QStringLiteral("config"));
    QDir(dir.path()).mkpath(QStringLiteral("temp"));
    env.insert(QStringLiteral("HOME"), dir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
#ifdef Q_OS_WIN
    // Windows needs its own folder to start a process at all; the user's settings go to the
    // application data folder, which the sandbox replaces.
    env.insert(QStringLiteral("APPDATA"), dir.filePath(QStringLiteral("config")));
#else
    env.insert(QStringLiteral("SystemRoot"), dir.filePath(QStringLiteral("config")));
#endif
    env.insert(QStringLiteral("temp"), dir.filePath(QStringLiteral("temp")));
    // An installed program reads the data installed beside it.
    if (!qEnvironmentVariableIsSet("VESKPLAN_BENCH_PROGRAM")) {
        env.insert(QStringLiteral("VESKPLAN_DATA"), QStringLiteral(VESKPLAN_SOURCE_DIR "/data"));
    }
    return env;
}

// The programs timed: those built beside the bench, or others named in the environment (the
// installed program and a bare window beside it, where the bench runs on an installed system).
QString program(const char* variable, const char* built) {
    return qEnvironmentVariable(variable, QString::fromUtf8(built));
}

void BM_BareWindowProcess(benchmark::State& state) {
    QTemporaryDir dir;
    runUntilShown(state, program("VESKPLAN_BENCH_BARE_WINDOW", BARE_WINDOW_PROGRAM), {},
                  offscreenEnvironment(dir));
}
BENCHMARK(BM_BareWindowProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_ProgramProcess(benchmark::State& state) {
    QTemporaryDir dir;
    runUntilShown(state, program("VESKPLAN_BENCH_PROGRAM", VESKPLAN_PROGRAM),
                  {QStringLiteral("--quit-when-shown")}, offscreenEnvironment(dir));
}
BENCHMARK(BM_ProgramProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

void showAndSettle(QWidget& window) {
    window.show();
    QApplication::processEvents();
}

void BM_BareWindow(benchmark::State& state) {
    for (auto _ : state) {
        QMainWindow window;
        window.setCentralWidget(new QTableView(&window));
        window.resize(700, 680);
        showAndSettle(window);
    }
}
BENCHMARK(BM_BareWindow)->Unit(benchmark::kMillisecond);

void BM_ProgramWindow(benchmark::State& state) {
    QTemporaryDir dir;
    Environment env;
    env.variables.insert(QStringLiteral("SystemRoot"), dir.filePath(QStringLiteral("config")));
    env.variables.insert(QStringLiteral("temp"), dir.filePath(QStringLiteral("temp")));
    env.variables.insert(QStringLiteral("VESKPLAN_DATA"),
                         QStringLiteral(VESKPLAN_SOURCE_DIR "/data"));
    env.homeDir = dir.path();
    test::QuietPort port;
    SettingsStore windowSettings(dir.filePath(QStringLiteral("window.conf")));
    for (auto _ : state) {
        MainController controller(port, port, env, QLocale::c(), [] { return QDate(2026, 12, 6); });
        MainWindow window(controller, windowSettings);
        controller.start();
        showAndSettle(window);
    }
}
BENCHMARK(BM_ProgramWindow)->Unit(benchmark::kMillisecond);

}  // namespace

// Windows need an application object; the offscreen platform keeps them off any display.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
