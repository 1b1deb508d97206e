// How long the window takes to appear: the program's start (configuration, working copy, the
// bundled English list, the main window shown) against a bare window with a grid, both in one
// process whose application object exists already.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QMainWindow>
#include <QTableView>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "benchsupport.h"

namespace {

using namespace veskplan;

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
    for (auto _ : state) {
        MainController controller(port, env, QLocale::c(), [] { return QDate(2026, 12, 6); });
        MainWindow window(controller, dir.filePath(QStringLiteral("window.conf")));
        controller.Form_Load();
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
