// A bare Qt window with a grid, shown once and closed: what the program's start is compared with.
#include <QApplication>
#include <QMainWindow>
#include <QTableView>
#include <QTimer>
#include <cstdio>
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QTableView(&window));
    window.resize(700, 680);
    window.show();
    QTimer::singleShot(0, &app, [] {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QApplication::quit();
    });
    return QApplication::exec();
}
